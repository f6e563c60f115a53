#include "engine/scene/KS_TRANSFORM3.h"

#include <cstdlib>
#include <vector>

#include "engine/util/KF_CURVES.h"
#include "engine/util/KF_TEXT.h"
#include "engine/util/KS_MATRIX.h"

namespace KEL {

void KS_TRANSFORM3::fCopy(const KS_TRANSFORM3& other) {
    const uint32_t lead = mLead;
    *this = other;
    mLead = lead;
}

KS_TRANSFORM3& KS_TRANSFORM3::fGetAbsolute(KS_TRANSFORM3& out, bool skipPosition, bool skipRotation,
                                           bool skipScale) const {
    out = *this;
    if (!mParent) return out;
    KS_TRANSFORM3 parent;
    mParent->fGetAbsolute(parent, false, false, false);
    out.fCombine(parent, skipPosition, skipRotation, skipScale);
    return out;
}

void KS_TRANSFORM3::fCombine(const KS_TRANSFORM3& parent, bool skipPosition, bool skipRotation, bool skipScale) {
    if (!skipScale) {
        mScale *= parent.mScale;
        mPosition.x *= parent.mScale.x;
        mPosition.y *= parent.mScale.y;
    }
    if (!skipPosition) {
        mPosition.x += parent.mPosition.x;
        mPosition.y += parent.mPosition.y;
    }
    if (!skipRotation) {
        fRotatePoint(parent.mPosition.x, parent.mPosition.y, mPosition.x, mPosition.y, parent.mRotation.z);
        mRotation += parent.mRotation;
    }
}

void KS_TRANSFORM3::fCombineUnscaled(const KS_TRANSFORM3& parent) {
    mPosition.x += parent.mPosition.x;
    mPosition.y += parent.mPosition.y;
    fRotatePoint(parent.mPosition.x, parent.mPosition.y, mPosition.x, mPosition.y, parent.mRotation.z);
    mScale *= parent.mScale;
    mRotation += parent.mRotation;
}

void KS_TRANSFORM3::fPointToLocalPivot(float& x, float& y) const {
    const KS_TRANSFORM3 absolute = fGetAbsolute();
    if (absolute.mRotation.z != 0.0f)
        fRotatePoint(absolute.mPosition.x, absolute.mPosition.y, x, y, -absolute.mRotation.z);
    x = x - absolute.mPosition.x + absolute.mPivot.x;
    y = y - absolute.mPosition.y + absolute.mPivot.y;
}

void KS_TRANSFORM3::fPointToLocalOrigin(float& x, float& y) const {
    const KS_TRANSFORM3 absolute = fGetAbsolute();
    if (absolute.mRotation.z != 0.0f)
        fRotatePoint(absolute.mPosition.x, absolute.mPosition.y, x, y, -absolute.mRotation.z);
    x -= absolute.mPosition.x;
    y -= absolute.mPosition.y;
}

void KS_TRANSFORM3::fFromString(const char* text) {
    fReset();
    if (!text) return;
    // Unlike the other number readers, runs of blanks count as one here.
    std::vector<std::string> pieces;
    for (std::string& piece : fSplit(text, " "))
        if (!piece.empty()) pieces.push_back(std::move(piece));
    if (pieces.size() < 12) return;
    float v[12];
    for (int i = 0; i < 12; ++i) v[i] = fTextToFloat(pieces[static_cast<size_t>(i)]);
    mPosition.fSet(v[0], v[1], v[2]);
    mPivot.fSet(v[3], v[4], v[5]);
    mRotation.fSet(v[6], v[7], v[8]);
    mScale.fSet(v[9], v[10], v[11]);
}

void fLerpTransform(KS_TRANSFORM3& out, const KS_TRANSFORM3& a, const KS_TRANSFORM3& b, float t) {
    KS_VEC3 KS_TRANSFORM3::*const fields[] = {&KS_TRANSFORM3::mPivot, &KS_TRANSFORM3::mRotation, &KS_TRANSFORM3::mScale,
                                              &KS_TRANSFORM3::mPosition};
    for (auto field : fields) {
        KS_VEC3& o = out.*field;
        const KS_VEC3& va = a.*field;
        const KS_VEC3& vb = b.*field;
        if (t <= 0.0f) {
            o = va;
        } else if (t >= 1.0f) {
            o = vb;
        } else {
            if (va.x != vb.x) o.x = fLerp(va.x, vb.x, t);
            if (va.y != vb.y) o.y = fLerp(va.y, vb.y, t);
            if (va.z != vb.z) o.z = fLerp(va.z, vb.z, t);
        }
    }
}

// The world matrix of a transform (the matrix type cannot see this record).
void KS_MATRIX::fApplyTransform(const KS_TRANSFORM3& transform) {
    fApplyPlacement(transform.mPivot, transform.mRotation, transform.mScale, transform.mPosition);
}

}  // namespace KEL
