#include "game/product/GG_EDITION.h"

#include "engine/util/KF_XML.h"

namespace game {

namespace {

const char* const kREQUIRED[] = {"scenes", "store",    "tutorial",      "trophies",         "inapp",
                                 "ad",     "platform", "heart",         "pack_logic_stars", "store_button",
                                 "player", "free",     "default_player"};

pugi::xml_node fMatching(const pugi::xml_node& editions, const std::string& type) {
    for (pugi::xml_node child : editions.children()) {
        if (!KEL::fIsElement(child)) continue;
        if (type == child.attribute("type").as_string()) return child;
    }
    return pugi::xml_node();
}

}  // namespace

int32_t GG_EDITION::fPlatformCode(const char* text) {
    switch (text ? text[0] : '\0') {
        case 'O':
        case 'o': return 1;
        case 'I':
        case 'i': return 2;
        case 'A':
        case 'a': return 3;
        default: return 0;
    }
}

bool GG_EDITION::fRead(const pugi::xml_node& editions, const std::string& type) {
    const pugi::xml_node edition = fMatching(editions, type);
    if (!edition || std::string(edition.name()) != "edition") return false;
    for (const char* name : kREQUIRED)
        if (!edition.child(name)) return false;

    GG_EDITION read;
    auto file = [&](const char* name) { return std::string(edition.child(name).attribute("file").as_string()); };
    auto flag = [&](const char* name) { return uint8_t(edition.child(name).attribute("param").as_bool() ? 1 : 0); };
    read.mPlatform = fPlatformCode(edition.child("platform").attribute("type").as_string());
    read.mScenes = file("scenes");
    read.mStore = file("store");
    read.mTutorial = file("tutorial");
    read.mTrophies = file("trophies");
    read.mInApp = file("inapp");
    read.mAd = file("ad");
    read.mPlayer = file("player");
    read.mLeaderboard = file("leaderboard");
    read.mHeart = flag("heart");
    read.mPackLogicStars = flag("pack_logic_stars");
    read.mStoreButton = flag("store_button");
    read.mFree = flag("free");
    read.mDefaultPlayer = flag("default_player");
    read.mUnlockPackImmediately = flag("unlock_pack_immediately");
    *this = read;
    return true;
}

}  // namespace game
