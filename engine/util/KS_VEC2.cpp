#include "engine/util/KS_VEC2.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "engine/util/KF_TEXT.h"

namespace KEL {

namespace {
constexpr float kTWO_PI = 6.2831855f;
thread_local char gVec2Text[96];
}  // namespace

float KS_VEC2::fNormalize() {
    const float length = fLength();
    if (length == 0.0f) return 0.0f;
    x /= length;
    y /= length;
    return length;
}

float KS_VEC2::fAngle(const KS_VEC2& a, const KS_VEC2& b) {
    const float p = a.fLength() * b.fLength();
    if (p == 0.0f) return kTWO_PI;
    // Rounding can push the cosine of parallel vectors just past 1.
    const float cosine = std::clamp((a.x * b.x + a.y * b.y) / p, -1.0f, 1.0f);
    const float angle = std::acos(cosine);
    return (a.x * b.y - a.y * b.x) <= 0.0f ? kTWO_PI - angle : angle;
}

const char* KS_VEC2::fToString() const {
    std::snprintf(gVec2Text, sizeof gVec2Text, "%.*f %.*f", 3, double(x), 3, double(y));
    return gVec2Text;
}

void KS_VEC2::fFromString(const std::string& text) {
    const auto pieces = fSplit(text, " ", true);
    if (pieces.size() < 2) return;
    x = fTextToFloat(pieces[0]);
    y = fTextToFloat(pieces[1]);
}

}  // namespace KEL
