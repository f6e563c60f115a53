#include "game/progress/KC_SHOP_ITEM.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "game/product/GG_ERROR.h"

namespace KEL {

void KC_SHOP_ITEM::fRead(const pugi::xml_node& node) { fRead(node, 0); }

void KC_SHOP_ITEM::fRead(const pugi::xml_node& node, int32_t depth) {
    mName = node.attribute("name").as_string();
    mPrice = node.attribute("price").as_int();
    mAnnotation = node.attribute("annotation").as_string();
    mImage = node.attribute("image").as_string();
    mEndless = node.attribute("endless").as_bool() ? 1 : 0;
    mInAppKey = node.attribute("InAppKey").as_string();
    mValue = node.attribute("value").as_int();
    mItems.clear();
    if (!node.child("item")) return;
    // Reading and destroying nested offers recurse: a hostile store file
    // must not exhaust the stack.
    if (depth + 1 >= kMAX_DEPTH) {
        game::GG_ERROR::fFail("Shop item " + mName + ": offers nested too deep");
        return;
    }
    for (pugi::xml_node child : node.children("item")) {
        mItems.push_back(std::make_unique<KC_SHOP_ITEM>());
        mItems.back()->fRead(child, depth + 1);
    }
}

}  // namespace KEL
