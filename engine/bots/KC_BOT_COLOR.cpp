#include "engine/bots/KC_BOT_COLOR.h"

#include <algorithm>

#include "SERVICE/KS_RESULT.h"
#include "engine/scene/KC_MESH.h"

namespace KEL {

namespace {
constexpr int kSHIFTS[4] = {24, 16, 8, 0};
}

KC_BOT_COLOR::KC_BOT_COLOR(KC_MESH* target, float duration, uint32_t endColor, float delay)
    : mTarget(target), mEnd(endColor), mDuration(duration), mDelay(delay), mRemaining(duration) {
    mName = "bot_color";
}

void KC_BOT_COLOR::fStart() {
    if (mDelay <= 0.0f) fCapture();
}

uint32_t KC_BOT_COLOR::fRead() const {
    if (!mTarget || !mTarget->mVertices || mTarget->mVertexCount < 1) return 0;
    return mTarget->mVertices[0].color;
}

void KC_BOT_COLOR::fWrite(uint32_t color) {
    if (mTarget) mTarget->fSetColor(color);
}

void KC_BOT_COLOR::fCapture() {
    mCaptured = true;
    mStart = fRead();
    for (int i = 0; i < 4; ++i)
        mDifference[i] = int32_t(mEnd >> kSHIFTS[i] & 0xFF) - int32_t(mStart >> kSHIFTS[i] & 0xFF);
}

int32_t KC_BOT_COLOR::fStep(float dt) {
    if (!mCaptured) {
        mDelay -= dt;
        if (mDelay <= 0.0f) fCapture();
        return KS_RESULT::kNOTHING;
    }
    if (!(mDuration > 0.0f) || mRemaining < 0.0f) {
        fFinish();
        return kANSWER_FINISHED;
    }
    uint32_t color = 0;
    for (int i = 0; i < 4; ++i) {
        const float start = float(mStart >> kSHIFTS[i] & 0xFF);
        const float value = std::clamp(start + mElapsed * float(mDifference[i]) / mDuration, 0.0f, 255.0f);
        color |= uint32_t(value) << kSHIFTS[i];
    }
    fWrite(color);
    mElapsed += dt;
    mRemaining -= dt;
    return KS_RESULT::kNOTHING;
}

void KC_BOT_COLOR::fApplyEnd() {
    fWrite(mEnd);
    mTarget = nullptr;
}

KC_BOT_COLOR* fCreateBotColor(KC_MESH* target, float duration, uint32_t endColor, float delay) {
    auto* bot = new KC_BOT_COLOR(target, duration, endColor, delay);
    bot->fStart();
    return bot;
}

}  // namespace KEL
