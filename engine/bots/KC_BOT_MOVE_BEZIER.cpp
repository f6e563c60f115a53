#include "engine/bots/KC_BOT_MOVE_BEZIER.h"

#include "engine/util/KF_CURVES.h"

namespace KEL {

namespace {
KS_VEC3 fLast(const std::vector<KS_VEC3>& points) { return points.empty() ? KS_VEC3(0, 0, 0) : points.back(); }
}  // namespace

KC_BOT_MOVE_BEZIER::KC_BOT_MOVE_BEZIER(KS_TRANSFORM3* target, const std::vector<KS_VEC3>& points, float duration,
                                       float speed, float delay)
    : KC_BOT_MOVE_QUADBEZIER(target, fLast(points), fLast(points), duration, speed, delay), mPoints(points) {
    mName = "bot_move_bezier";
}

KS_VEC3 KC_BOT_MOVE_BEZIER::fCurve(float t) const {
    std::vector<KS_VEC3> all;
    all.reserve(mPoints.size() + 1);
    all.push_back(mStart);
    all.insert(all.end(), mPoints.begin(), mPoints.end());
    return fBezierN(all, t);
}

KC_BOT_MOVE_BEZIER* fCreateBotMoveBezier(KS_TRANSFORM3* target, const std::vector<KS_VEC3>& points, float duration,
                                         float speed, float delay) {
    return new KC_BOT_MOVE_BEZIER(target, points, duration, speed, delay);
}

}  // namespace KEL
