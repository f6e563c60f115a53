#include "game/product/GG_PACK_INFO.h"

#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/scene/G_SPRITE.h"

namespace game {

GG_PACK_INFO::GG_PACK_INFO() = default;
GG_PACK_INFO::~GG_PACK_INFO() = default;

bool GG_PACK_INFO::fRead(const pugi::xml_node& node, const KEL::KC_STRING_TABLE* strings) {
    if (!node || (!node.first_attribute() && !node.first_child())) return false;
    const pugi::xml_attribute id = node.attribute("id"), key = node.attribute("key"),
                              stars = node.attribute("stars2pass"), price = node.attribute("price"),
                              path = node.attribute("path");
    if (!id || !key || !stars || !price || !path) return false;
    mId = static_cast<uint16_t>(id.as_uint());
    mKey = key.as_string();
    mDisplayName = strings ? strings->fGetString(mKey) : std::wstring();
    mStars2Pass = stars.as_int();
    mPrice = price.as_int();
    mPath = path.as_string();
    mBackground = std::make_unique<KEL::G_SPRITE>(node.child("background"));
    return true;
}

}  // namespace game
