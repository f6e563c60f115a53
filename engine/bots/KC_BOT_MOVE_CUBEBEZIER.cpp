#include "engine/bots/KC_BOT_MOVE_CUBEBEZIER.h"

#include "engine/util/KF_CURVES.h"

namespace KEL {

KC_BOT_MOVE_CUBEBEZIER::KC_BOT_MOVE_CUBEBEZIER(KS_TRANSFORM3* target, const KS_VEC3& control1, const KS_VEC3& control2,
                                               const KS_VEC3& end, float duration, float speed, float delay)
    : KC_BOT_MOVE_QUADBEZIER(target, control1, end, duration, speed, delay), mControl2(control2) {
    mName = "bot_move_cubebezier";
}

KS_VEC3 KC_BOT_MOVE_CUBEBEZIER::fCurve(float t) const { return fBezier3(mStart, mControl, mControl2, mEnd, t); }

KC_BOT_MOVE_CUBEBEZIER* fCreateBotMoveCubeBezier(KS_TRANSFORM3* target, float c1x, float c1y, float c1z, float c2x,
                                                 float c2y, float c2z, float ex, float ey, float ez, float duration,
                                                 float speed, float delay) {
    return new KC_BOT_MOVE_CUBEBEZIER(target, {c1x, c1y, c1z}, {c2x, c2y, c2z}, {ex, ey, ez}, duration, speed, delay);
}

}  // namespace KEL
