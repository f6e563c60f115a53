#include "game/profile/GG_PACK_RECORD.h"

#include <algorithm>
#include <cstdint>

#include "engine/resources/KC_BIN_FILE.h"
#include "engine/util/KF_XML.h"
#include "game/product/GG_PACK_INFO.h"

namespace game {

GG_PACK_RECORD::GG_PACK_RECORD(const GG_PACK_RECORD& other)
    : mId(other.mId), mLock(other.mLock), mPaid(other.mPaid), mInAppKey(other.mInAppKey), mStars(other.mStars) {
    for (const auto& level : other.mLevels) mLevels.push_back(std::make_unique<GG_LEVEL_RECORD>(*level));
}

bool GG_PACK_RECORD::fLoadXml(const pugi::xml_node& node, const GG_SAVE_LAYOUT& layout) {
    mId = node.attribute("id").as_int(mId);
    if (const pugi::xml_attribute lock = node.attribute("lock")) {
        mPaid = 1;
        mLock = lock.as_int() ? 1 : 0;
    }
    if (layout.mInApp) mInAppKey = node.attribute("InAppKey").as_string(mInAppKey.c_str());
    mLevels.clear();
    for (pugi::xml_node child : node.children("level")) {
        auto level = std::make_unique<GG_LEVEL_RECORD>(static_cast<int32_t>(mLevels.size()));
        if (!level->fLoadXml(child)) return false;
        mLevels.push_back(std::move(level));
    }
    return true;
}

void GG_PACK_RECORD::fSaveXml(pugi::xml_node& node, const GG_SAVE_LAYOUT& layout) const {
    node.append_attribute("id").set_value(mId);
    if (layout.mInApp && mPaid) {
        node.append_attribute("lock").set_value(int(mLock));
        node.append_attribute("InAppKey").set_value(mInAppKey.c_str());
    }
    for (const auto& level : mLevels) {
        pugi::xml_node child = node.append_child("level");
        level->fSaveXml(child);
    }
}

void GG_PACK_RECORD::fLoadBinary(KEL::KC_BIN_FILE& file, const GG_SAVE_LAYOUT& layout) {
    file.fRead4a(mId);
    if (layout.mInApp) {
        file.fRead1(mPaid);
        if (mPaid) file.fRead1(mLock);
        file.fReadString(mInAppKey);
    }
    uint32_t count = 0;
    file.fRead4b(count);
    mLevels.clear();
    // Every record takes bytes, so a damaged count ends at the file's end.
    for (uint32_t i = 0; i < count && !file.fFailed(); ++i) {
        auto level = std::make_unique<GG_LEVEL_RECORD>(static_cast<int32_t>(i));
        level->fLoadBinary(file);
        if (!file.fFailed()) mLevels.push_back(std::move(level));
    }
}

void GG_PACK_RECORD::fSaveBinary(KEL::KC_BIN_FILE& file, const GG_SAVE_LAYOUT& layout) const {
    file.fWrite4a(mId);
    if (layout.mInApp) {
        file.fWrite1(mPaid);
        if (mPaid) file.fWrite1(mLock);
        file.fWriteString(mInAppKey);
    }
    file.fWrite4b(static_cast<uint32_t>(mLevels.size()));
    for (const auto& level : mLevels) level->fSaveBinary(file);
}

int32_t GG_PACK_RECORD::fGetStars() {
    int64_t sum = 0;
    for (const auto& level : mLevels) sum += level->fGetStars();
    mStars = static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
    return mStars;
}

bool GG_PACK_RECORD::fHasOpenLevel() const {
    for (const auto& level : mLevels)
        if (level->fIsOpen()) return true;
    return false;
}

double GG_PACK_RECORD::fGetProgress() const {
    if (mLevels.empty()) return 0.0;
    size_t withStars = 0;
    for (const auto& level : mLevels)
        if (level->fGetStars() > 0) ++withStars;
    return static_cast<double>(withStars) / static_cast<double>(mLevels.size());
}

GG_LEVEL_RECORD* GG_PACK_RECORD::fFindLevel(int32_t id) const {
    for (const auto& level : mLevels)
        if (level->fGetId() == id) return level.get();
    return nullptr;
}

GG_LEVEL_RECORD* GG_PACK_RECORD::fGetLevel(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= mLevels.size()) return nullptr;
    return mLevels[static_cast<size_t>(index)].get();
}

void GG_PACK_RECORD::fOpenFirstLevel() {
    if (!mLevels.empty()) mLevels.front()->fSetLock(0);
}

void GG_PACK_RECORD::fUpdateLock(int32_t totalStars, const GG_PACK_INFO* info, bool unlockPack) {
    if (!info || totalStars < info->fGetStars2Pass()) return;
    fOpenFirstLevel();
    if (unlockPack) fUnlock();
}

bool GG_PACK_RECORD::fIsLastLevel(const GG_LEVEL_RECORD* record) const {
    return record && !mLevels.empty() && mLevels.back().get() == record;
}

}  // namespace game
