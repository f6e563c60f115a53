#include "game/screens/pages/gPages_Trophy.h"

#include "game/screens/pages/gItem_Trophy.h"

namespace game {

std::unique_ptr<KEL::KC_BASE> gPages_Trophy::fCreateItem(const pugi::xml_node& element, int32_t) {
    return std::make_unique<gItem_Trophy>(this, element);
}

void gPages_Trophy::fDrawPage(int32_t page) {
    size_t first = 0, end = 0;
    fPageRange(page, first, end);
    for (int32_t pass :
         {gItem_Trophy::kMSG_DRAW_PICTURE, gItem_Trophy::kMSG_DRAW_BONUS_PICTURE, gItem_Trophy::kMSG_DRAW_TEXTS})
        for (size_t i = first; i < end; ++i) mItems[i]->fMessage(pass, 0, 0, 0, nullptr);
}

}  // namespace game
