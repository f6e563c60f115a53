#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "game/profile/GG_LEVEL_RECORD.h"
#include "game/profile/GG_SAVE_LAYOUT.h"

namespace KEL {
class KC_BIN_FILE;
}

namespace game {

class GG_PACK_INFO;

// A player's record of one pack: whether it is open and bought, and one
// level record per level in play order.
class GG_PACK_RECORD {
public:
    GG_PACK_RECORD() = default;
    GG_PACK_RECORD(const GG_PACK_RECORD& other);
    GG_PACK_RECORD& operator=(const GG_PACK_RECORD&) = delete;

    // False when a level lacks its "id" (the pack is then unusable).
    bool fLoadXml(const pugi::xml_node& node, const GG_SAVE_LAYOUT& layout);
    void fSaveXml(pugi::xml_node& node, const GG_SAVE_LAYOUT& layout) const;
    // Stops at the first failed read; the caller checks the file.
    void fLoadBinary(KEL::KC_BIN_FILE& file, const GG_SAVE_LAYOUT& layout);
    void fSaveBinary(KEL::KC_BIN_FILE& file, const GG_SAVE_LAYOUT& layout) const;

    int32_t fGetId() const { return mId; }
    // The sum of the level stars.
    int32_t fGetStars();
    bool fHasOpenLevel() const;
    // Levels with stars over levels; 0 for a pack without levels.
    double fGetProgress() const;
    void fUnlock() { mLock = 0; }
    GG_LEVEL_RECORD* fFindLevel(int32_t id) const;
    GG_LEVEL_RECORD* fGetLevel(int32_t index) const;
    void fOpenFirstLevel();
    // Opens the first level once the player's stars reach the pack's price
    // in stars (and the pack itself when both flags say so). Never locks:
    // an opening gained otherwise, a purchase for one, stays.
    void fUpdateLock(int32_t totalStars, const GG_PACK_INFO* info, bool unlockPack);
    bool fIsLastLevel(const GG_LEVEL_RECORD* record) const;

    uint8_t fGetLock() const { return mLock; }
    uint8_t fIsPaid() const { return mPaid; }
    const std::string& fGetInAppKey() const { return mInAppKey; }
    const std::vector<std::unique_ptr<GG_LEVEL_RECORD>>& fGetLevels() const { return mLevels; }

private:
    int32_t mId = -1;
    uint8_t mLock = 0;
    uint8_t mPaid = 0;
    std::string mInAppKey;
    std::vector<std::unique_ptr<GG_LEVEL_RECORD>> mLevels;
    int32_t mStars = 0;
};

}  // namespace game
