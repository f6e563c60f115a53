#include "game/profile/GG_LEVEL_RECORD.h"

#include <algorithm>
#include <cmath>

#include "engine/resources/KC_BIN_FILE.h"

namespace game {

bool GG_LEVEL_RECORD::fLoadXml(const pugi::xml_node& node) {
    const pugi::xml_attribute id = node.attribute("id");
    if (!id) return false;
    mId = id.as_int();
    mStars = node.attribute("stars").as_int(mStars);
    mLock = node.attribute("lock").as_int(mLock) ? 1 : 0;
    mBestTime = node.attribute("best_time").as_float(mBestTime);
    mFile = node.attribute("file").as_string(mFile.c_str());
    return true;
}

void GG_LEVEL_RECORD::fSaveXml(pugi::xml_node& node) const {
    node.append_attribute("id").set_value(mId);
    node.append_attribute("stars").set_value(mStars);
    node.append_attribute("lock").set_value(int(mLock));
    node.append_attribute("best_time").set_value(mBestTime);
    node.append_attribute("file").set_value(mFile.c_str());
}

void GG_LEVEL_RECORD::fLoadBinary(KEL::KC_BIN_FILE& file) {
    file.fRead4a(mIndex);
    file.fRead1(mLock);
    file.fRead4a(mId);
    file.fRead4a(mStars);
    file.fRead4c(mBestTime);
    file.fReadString(mFile);
    // A damaged time must not become a record nobody can beat or a NaN.
    if (!std::isfinite(mBestTime) || mBestTime < 0.0f) mBestTime = 0.0f;
    mLock = mLock ? 1 : 0;
}

void GG_LEVEL_RECORD::fSaveBinary(KEL::KC_BIN_FILE& file) const {
    file.fWrite4a(mIndex);
    file.fWrite1(mLock);
    file.fWrite4a(mId);
    file.fWrite4a(mStars);
    file.fWrite4c(mBestTime);
    file.fWriteString(mFile);
}

void GG_LEVEL_RECORD::fSetStars(int32_t stars) { mStars = std::max(mStars, stars); }

void GG_LEVEL_RECORD::fSetBestTime(float seconds) {
    if (mBestTime == 0.0f || seconds <= mBestTime) mBestTime = seconds;
}

}  // namespace game
