#pragma once

#include <vector>

#include "engine/bots/KC_BOT_MOVE_QUADBEZIER.h"

namespace KEL {

// As the quadratic move, along the general Bezier through the captured start
// and a list of points, the last of which is the end.
class KC_BOT_MOVE_BEZIER : public KC_BOT_MOVE_QUADBEZIER {
public:
    KC_BOT_MOVE_BEZIER(KS_TRANSFORM3* target, const std::vector<KS_VEC3>& points, float duration, float speed,
                       float delay);

protected:
    KS_VEC3 fCurve(float t) const override;

    std::vector<KS_VEC3> mPoints;  // start first, once captured
};

KC_BOT_MOVE_BEZIER* fCreateBotMoveBezier(KS_TRANSFORM3* target, const std::vector<KS_VEC3>& points, float duration,
                                         float speed, float delay);

}  // namespace KEL
