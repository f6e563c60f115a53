#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <pugixml.hpp>

namespace KEL {
class G_SPRITE;
class KC_STRING_TABLE;
}  // namespace KEL

namespace game {

// A pack as the game offers it: its id, its name, where its level files
// are, the picture behind its board, and what it takes to open it.
class GG_PACK_INFO {
public:
    GG_PACK_INFO();
    ~GG_PACK_INFO();
    GG_PACK_INFO(const GG_PACK_INFO&) = delete;
    GG_PACK_INFO& operator=(const GG_PACK_INFO&) = delete;

    // False for an empty element or one missing "id", "key", "stars2pass",
    // "price" or "path". The display name comes from strings when given.
    bool fRead(const pugi::xml_node& node, const KEL::KC_STRING_TABLE* strings);

    uint16_t fGetId() const { return mId; }
    const std::string& fGetKey() const { return mKey; }
    const std::string& fGetPath() const { return mPath; }
    KEL::G_SPRITE* fGetBackground() const { return mBackground.get(); }
    const std::wstring& fGetDisplayName() const { return mDisplayName; }
    int32_t fGetStars2Pass() const { return mStars2Pass; }
    int32_t fGetPrice() const { return mPrice; }

private:
    uint16_t mId = 0;
    std::string mKey;
    std::string mPath;
    std::unique_ptr<KEL::G_SPRITE> mBackground;
    std::wstring mDisplayName;
    int32_t mStars2Pass = 0;
    int32_t mPrice = 0;
};

}  // namespace game
