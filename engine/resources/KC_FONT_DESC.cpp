#include "engine/resources/KC_FONT_DESC.h"

#include "engine/resources/KC_FONT_LIST.h"
#include "engine/util/KF_SMALL_HELPERS.h"

namespace KEL {

bool KC_FONT_DESC::fRead(const pugi::xml_node& element, const KC_FONT_LIST* list) {
    if (!element || !list) return false;
    const pugi::xml_attribute name = element.attribute("fntName");
    if (!name) return false;
    mName = name.as_string();
    if (const pugi::xml_attribute color = element.attribute("fntColor")) mColor = KS_COLOR::fFromHex(color.as_string());
    if (const pugi::xml_attribute anchor = element.attribute("fntHotSpot"))
        mAnchor = fHotSpotFromString(anchor.as_string());
    mFont = list->fGet(mName);
    return mFont != nullptr;
}

}  // namespace KEL
