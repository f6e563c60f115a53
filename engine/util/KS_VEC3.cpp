#include "engine/util/KS_VEC3.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "engine/util/KF_TEXT.h"

namespace KEL {

namespace {
constexpr float kTWO_PI = 6.2831855f;
thread_local char gVec3Text[144];
}  // namespace

float KS_VEC3::fNormalize() {
    const float length = fLength();
    if (length == 0.0f) return 0.0f;
    x /= length;
    y /= length;
    z /= length;
    return length;
}

float KS_VEC3::fAngle(const KS_VEC3& a, const KS_VEC3& b) {
    const float p = a.fLength() * b.fLength();
    if (p == 0.0f) return kTWO_PI;
    const float cosine = std::clamp(fDot(a, b) / p, -1.0f, 1.0f);
    const float angle = std::acos(cosine);
    return (a.x * b.y * a.z - a.y * b.x * b.z) <= 0.0f ? kTWO_PI - angle : angle;
}

const char* KS_VEC3::fToString() const {
    std::snprintf(gVec3Text, sizeof gVec3Text, "%.*f %.*f %.*f", 3, double(x), 3, double(y), 3, double(z));
    return gVec3Text;
}

void KS_VEC3::fFromString(const std::string& text) {
    const auto pieces = fSplit(text, " ", true);
    if (pieces.size() < 3) return;
    x = fTextToFloat(pieces[0]);
    y = fTextToFloat(pieces[1]);
    z = fTextToFloat(pieces[2]);
}

}  // namespace KEL
