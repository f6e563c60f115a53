#include "game/progress/KC_SHOP_ITEM.h"

namespace KEL {

void KC_SHOP_ITEM::fRead(const pugi::xml_node& node) {
    mName = node.attribute("name").as_string();
    mPrice = node.attribute("price").as_int();
    mAnnotation = node.attribute("annotation").as_string();
    mImage = node.attribute("image").as_string();
    mEndless = node.attribute("endless").as_bool() ? 1 : 0;
    mInAppKey = node.attribute("InAppKey").as_string();
    mValue = node.attribute("value").as_int();
    mItems.clear();
    for (pugi::xml_node child : node.children("item")) {
        mItems.push_back(std::make_unique<KC_SHOP_ITEM>());
        mItems.back()->fRead(child);
    }
}

}  // namespace KEL
