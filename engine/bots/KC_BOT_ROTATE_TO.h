#pragma once

#include "engine/bots/KC_BOT_ROTATE_ON.h"

namespace KEL {

// Turns a transform towards end angles over a time: the rate is worked out
// from the rotation found when the delay ends.
class KC_BOT_ROTATE_TO : public KC_BOT_ROTATE_ON {
public:
    KC_BOT_ROTATE_TO(KS_TRANSFORM3* target, float duration, const KS_VEC3& end, float delay);

protected:
    void fCapture() override;

    KS_VEC3 mEnd;
};

KC_BOT_ROTATE_TO* fCreateBotRotateTo(KS_TRANSFORM3* target, float duration, float ex, float ey, float ez, float delay);

}  // namespace KEL
