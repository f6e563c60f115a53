#include "engine/bots/KC_BOT_LAZY_BLINKER.h"

#include <utility>

#include "SERVICE/KS_RESULT.h"
#include "engine/scene/KC_MESH.h"
#include "engine/util/KS_COLOR.h"

namespace KEL {

KC_BOT_LAZY_BLINKER::KC_BOT_LAZY_BLINKER(KC_MESH* target, uint32_t first, uint32_t second, float fadeTime,
                                         float holdTime, int32_t swings)
    : mTarget(target),
      mFrom(first),
      mTo(second),
      mFadeTime(fadeTime),
      mHoldTime(holdTime),
      mSwingsLeft(swings),
      mEndless(swings <= 0) {
    mName = "bot_lazy_blinker";
}

int32_t KC_BOT_LAZY_BLINKER::fStep(float dt) {
    if (!mTarget) {
        fFinish();
        return kANSWER_FINISHED;
    }
    mClock += dt;
    const float t = mFadeTime > 0.0f ? mClock / mFadeTime : 1.0f;
    KS_COLORF from, to;
    from.fSetARGB(mFrom);
    to.fSetARGB(mTo);
    mTarget->fSetColor(t >= 1.0f ? mTo : (from + (to - from) * t).fToARGB());
    if (mClock < mFadeTime + mHoldTime) return KS_RESULT::kNOTHING;
    mClock = 0.0f;
    std::swap(mFrom, mTo);
    if (mEndless || --mSwingsLeft > 0) return KS_RESULT::kNOTHING;
    fFinish();
    return kANSWER_FINISHED;
}

KC_BOT_LAZY_BLINKER* fCreateBotLazyBlinker(KC_MESH* target, uint32_t first, uint32_t second, float fadeTime,
                                           float holdTime, int32_t swings) {
    return new KC_BOT_LAZY_BLINKER(target, first, second, fadeTime, holdTime, swings);
}

}  // namespace KEL
