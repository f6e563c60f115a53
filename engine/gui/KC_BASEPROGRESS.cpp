#include "engine/gui/KC_BASEPROGRESS.h"

#include <algorithm>

namespace KEL {

void KC_BASEPROGRESS::fSetValue(float value) {
    mValue = std::clamp(value, mMinimum, mMaximum);
    mRatio = (mValue - mMinimum) / (mMaximum - mMinimum);
    mFull = mRatio >= 1.0f ? 1 : 0;
    fApply();
}

void KC_BASEPROGRESS::fSetPercent(float percent) {
    mRatio = std::clamp(percent / 100.0f, 0.0f, 1.0f);
    mValue = (mMaximum - mMinimum) * mRatio + mMinimum;
    mFull = mRatio >= 1.0f ? 1 : 0;
    fApply();
}

void KC_BASEPROGRESS::fRunFilledRule() {
    if (!mFull) {
        mArmed = 1;
        return;
    }
    if (!mArmed) return;
    mArmed = 0;
    if (mFilled) KC_CALLBACK::fCall(mFilled.get(), this);
}

}  // namespace KEL
