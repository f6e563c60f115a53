#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

namespace game {

// One edition of the product: which data files it uses and which features
// it switches on. File names are repository names; empty means none.
struct GG_EDITION {
    int32_t mPlatform = 0;
    std::string mScenes;
    std::string mStore;
    std::string mTutorial;
    std::string mTrophies;
    std::string mInApp;
    std::string mAd;
    std::string mPlayer;
    std::string mLeaderboard;
    uint8_t mHeart = 0;
    uint8_t mPackLogicStars = 0;
    uint8_t mStoreButton = 0;
    uint8_t mFree = 0;
    uint8_t mDefaultPlayer = 0;
    uint8_t mUnlockPackImmediately = 0;

    // Takes the first child of the editions element whose "type" equals
    // type; false when there is none, it is not an "edition" element or it
    // lacks a required child. The record is only changed on success.
    bool fRead(const pugi::xml_node& editions, const std::string& type);

    // Platform code from its first letter: O 1, I 2, A 3, else 0.
    static int32_t fPlatformCode(const char* text);
};

}  // namespace game
