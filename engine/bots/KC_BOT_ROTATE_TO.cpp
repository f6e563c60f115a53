#include "engine/bots/KC_BOT_ROTATE_TO.h"

namespace KEL {

KC_BOT_ROTATE_TO::KC_BOT_ROTATE_TO(KS_TRANSFORM3* target, float duration, const KS_VEC3& end, float delay)
    : KC_BOT_ROTATE_ON(target, duration, 0.0f, {0, 0, 0}, delay), mEnd(end) {}

void KC_BOT_ROTATE_TO::fCapture() {
    if (mTarget && mDuration > 0.0f) mRate = (mEnd - mTarget->mRotation) / mDuration;
}

KC_BOT_ROTATE_TO* fCreateBotRotateTo(KS_TRANSFORM3* target, float duration, float ex, float ey, float ez, float delay) {
    return new KC_BOT_ROTATE_TO(target, duration, {ex, ey, ez}, delay);
}

}  // namespace KEL
