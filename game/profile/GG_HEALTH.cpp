#include "game/profile/GG_HEALTH.h"

#include <algorithm>
#include <cmath>

#include "engine/platform/KF_SYSTEM.h"
#include "engine/resources/KC_BIN_FILE.h"
#include "game/profile/GG_PLAYER.h"

namespace game {

namespace {

int32_t fToStored(int64_t seconds) { return static_cast<int32_t>(std::clamp<int64_t>(seconds, INT32_MIN, INT32_MAX)); }

}  // namespace

GG_HEALTH& GG_HEALTH::operator=(const GG_HEALTH& other) {
    mIncrement = other.mIncrement;
    mCount = other.mCount;
    mTimeRefillHeart = other.mTimeRefillHeart;
    mCountdown = other.mCountdown;
    mQueue = other.mQueue;
    return *this;
}

int32_t GG_HEALTH::fGetMax() const { return mOwner ? mOwner->fGetItemCount("health") : 0; }

bool GG_HEALTH::fUseHeart() {
    if (mCount <= 0) return false;
    --mCount;
    const int64_t start = mQueue.empty() ? KEL::fGetDate() : int64_t(mQueue.back()) + mTimeRefillHeart;
    mQueue.push_back(fToStored(start));
    fUpdate();
    return true;
}

bool GG_HEALTH::fAddHeart() {
    if (mCount >= fGetMax()) return false;
    ++mCount;
    if (!mQueue.empty()) mQueue.pop_front();
    fUpdate();
    return true;
}

void GG_HEALTH::fRebaseQueue(int64_t now) {
    const int64_t shift = now - mQueue.front();
    if (shift >= 0) return;
    for (int32_t& start : mQueue) start = fToStored(start + shift);
}

bool GG_HEALTH::fUpdate() {
    // A loop, not a recursion: a long queue of due refills completes at once.
    while (true) {
        if (mCount >= fGetMax()) {
            mIncrement = 0;
            mCountdown = 0.0;
            return false;
        }
        if (mQueue.empty()) return mIncrement != 0;
        const int64_t now = KEL::fGetDate();
        fRebaseQueue(now);
        const int64_t start = mQueue.front();
        if (now - start < mTimeRefillHeart) {
            mIncrement = 1;
            mCountdown = static_cast<double>(start + mTimeRefillHeart - now);
            return true;
        }
        ++mCount;
        mQueue.pop_front();
    }
}

void GG_HEALTH::fTick(float seconds) {
    if (!mIncrement) return;
    mCountdown -= seconds;
    if (mCountdown <= 0.0) fAddHeart();
}

void GG_HEALTH::fLoadXml(const pugi::xml_node& node) {
    mIncrement = node.attribute("increment").as_int(mIncrement) ? 1 : 0;
    mCount = node.attribute("count").as_int(mCount);
    mCountdown = node.attribute("countdown").as_double(mCountdown);
    mTimeRefillHeart = node.attribute("time_refill_heart").as_int(mTimeRefillHeart);
}

void GG_HEALTH::fSaveXml(pugi::xml_node& node) const {
    node.append_attribute("increment").set_value(int(mIncrement));
    node.append_attribute("count").set_value(mCount);
    node.append_attribute("countdown").set_value(mCountdown);
    node.append_attribute("time_refill_heart").set_value(mTimeRefillHeart);
}

void GG_HEALTH::fLoadBinary(KEL::KC_BIN_FILE& file) {
    file.fRead1(mIncrement);
    file.fRead4a(mCount);
    file.fRead8(mCountdown);
    file.fRead4a(mTimeRefillHeart);
    uint32_t length = 0;
    file.fRead4b(length);
    mQueue.clear();
    for (uint32_t i = 0; i < length && !file.fFailed(); ++i) {
        int32_t start = 0;
        file.fRead4a(start);
        if (!file.fFailed()) mQueue.push_back(start);
    }
    mIncrement = mIncrement ? 1 : 0;
    if (!std::isfinite(mCountdown)) mCountdown = 0.0;
    mCount = std::max(mCount, 0);
}

void GG_HEALTH::fSaveBinary(KEL::KC_BIN_FILE& file) const {
    file.fWrite1(mIncrement);
    file.fWrite4a(mCount);
    file.fWrite8(mCountdown);
    file.fWrite4a(mTimeRefillHeart);
    file.fWrite4b(static_cast<uint32_t>(mQueue.size()));
    for (int32_t start : mQueue) file.fWrite4a(start);
}

}  // namespace game
