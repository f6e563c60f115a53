#include "engine/gui/KS_HIT_AREA.h"

#include <algorithm>
#include <cmath>

#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/KF_CURVES.h"

namespace KEL {

void KS_HIT_AREA::fSet(int32_t type, const KS_TRANSFORM3* transform, float a, float b, float z, int32_t flag) {
    mType = type;
    mTransform = transform;
    mSizeA = a;
    mSizeB = b;
    mZ = z;
    mFlag = flag;
}

bool KS_HIT_AREA::fContains(float x, float y) const {
    if (!mTransform) return false;
    if (mType == kCIRCLE) return fInCircle(x, y);
    if (mType == kRECT) return fInRect(x, y);
    return false;
}

bool KS_HIT_AREA::fInCircle(float x, float y) const {
    const KS_TRANSFORM3 absolute = mTransform->fGetAbsolute();
    const float cx = absolute.mPosition.x, cy = absolute.mPosition.y, r = mSizeA;
    if (x < cx - r || x > cx + r || y < cy - r || y > cy + r) return false;
    const float dx = x - cx, dy = y - cy;
    return std::sqrt(dx * dx + dy * dy) < r;
}

// The point is taken back into the frame the quad is drawn in: rotation
// undone about the position, then offset by the scaled pivot, so that the
// drawn rectangle spans 0..w x scale and 0..h x scale.
bool KS_HIT_AREA::fInRect(float x, float y) const {
    const KS_TRANSFORM3 absolute = mTransform->fGetAbsolute();
    fRotatePoint(absolute.mPosition.x, absolute.mPosition.y, x, y, -absolute.mRotation.z);
    const float lx = x - absolute.mPosition.x + absolute.mPivot.x * absolute.mScale.x;
    const float ly = y - absolute.mPosition.y + absolute.mPivot.y * absolute.mScale.y;
    const float w = mSizeA * absolute.mScale.x, h = mSizeB * absolute.mScale.y;
    return std::min(0.0f, w) < lx && lx < std::max(0.0f, w) && std::min(0.0f, h) < ly && ly < std::max(0.0f, h);
}

}  // namespace KEL
