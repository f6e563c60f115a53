#pragma once

#include <cstdint>

namespace game {

// What shapes the stored form of a player: whether the running edition has
// an in-app store (pack records then carry their purchase state) and the
// settings version of the user's "game.xml" (0x10000 means files without the
// best score).
struct GG_SAVE_LAYOUT {
    static constexpr uint32_t kOLD_VERSION = 0x10000;
    static constexpr uint32_t kVERSION = 0x10100;

    bool mInApp = false;
    uint32_t mVersion = kVERSION;

    bool fHasMaxScore() const { return mVersion != kOLD_VERSION; }
    bool operator==(const GG_SAVE_LAYOUT&) const = default;
};

}  // namespace game
