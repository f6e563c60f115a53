#pragma once

#include "engine/bots/KC_BOT_MOVE_QUADBEZIER.h"

namespace KEL {

// As the quadratic move, along a cubic Bezier with two control points.
class KC_BOT_MOVE_CUBEBEZIER : public KC_BOT_MOVE_QUADBEZIER {
public:
    KC_BOT_MOVE_CUBEBEZIER(KS_TRANSFORM3* target, const KS_VEC3& control1, const KS_VEC3& control2, const KS_VEC3& end,
                           float duration, float speed, float delay);

protected:
    KS_VEC3 fCurve(float t) const override;

    KS_VEC3 mControl2;
};

KC_BOT_MOVE_CUBEBEZIER* fCreateBotMoveCubeBezier(KS_TRANSFORM3* target, float c1x, float c1y, float c1z, float c2x,
                                                 float c2y, float c2z, float ex, float ey, float ez, float duration,
                                                 float speed, float delay);

}  // namespace KEL
