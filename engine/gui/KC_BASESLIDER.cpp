#include "engine/gui/KC_BASESLIDER.h"

#include <algorithm>
#include <cmath>

namespace KEL {

namespace {
constexpr float kNEAR_TOLERANCE = 0.05f;
}  // namespace

KC_BASESLIDER::KC_BASESLIDER(int32_t id, const KS_VEC2& start, const KS_VEC2& end, float radius, float buttonDistance,
                             float minimum, float maximum, float step, float value)
    : KC_GUI_OBJECT(id),
      mMinimum(minimum),
      mMaximum(maximum),
      mStep(step),
      mValue(value),
      mButtonDistance(buttonDistance) {
    mType = kTYPE_SLIDER;
    const KS_VEC2 middle = (start + end) * 0.5f;
    mTransform.fSetPos(middle.x, middle.y, 0.0f);
    mStart = start - middle;
    mEnd = end - middle;
    const KS_VEC2 track = end - start;
    const float length = track.fLength();
    mDirection = length > 0.0f ? track / length : KS_VEC2{1.0f, 0.0f};
    for (int32_t part = 0; part < kPART_COUNT; ++part) {
        mParts[part].mParent = &mTransform;
        mAreas[part].fSet(KS_HIT_AREA::kCIRCLE, &mParts[part], radius, radius);
    }
    mParts[kSTART_BUTTON].fSetPos2(mStart);
    mParts[kEND_BUTTON].fSetPos2(mEnd);
    fSetRadius(radius);
    mBounds[0] = static_cast<int32_t>(std::min(start.x, end.x) - radius);
    mBounds[1] = static_cast<int32_t>(std::min(start.y, end.y) - radius);
    mBounds[2] = static_cast<int32_t>(std::max(start.x, end.x) + radius);
    mBounds[3] = static_cast<int32_t>(std::max(start.y, end.y) + radius);
    fSetRange(minimum, maximum);
}

// --- value ---------------------------------------------------------------------

void KC_BASESLIDER::fSetRadius(float radius) {
    mRadius = radius;
    mKnobMargin = radius * mButtonDistance;
    for (KS_HIT_AREA& area : mAreas) area.fSetRadius(radius);
}

void KC_BASESLIDER::fSetRange(float minimum, float maximum) {
    mMinimum = minimum;
    mMaximum = maximum;
    const float span = std::fabs(maximum - minimum);
    // The knob's travel between the margins; none on a track too short.
    const float travel = std::max(0.0f, (mEnd - mStart).fLength() - 2.0f * mKnobMargin);
    mStepVector = span > 0.0f ? mDirection * (travel / span) : KS_VEC2{0.0f, 0.0f};
    mMarginVector = mDirection * mKnobMargin;
    fSetValue(mValue);
}

void KC_BASESLIDER::fSetValue(float value) {
    mValue = std::max(std::min(value, mMaximum), mMinimum);
    fPlaceKnob(mStart + mMarginVector + mStepVector * (mValue - mMinimum));
    if (mValueChanged) KC_CALLBACK::fCall(mValueChanged.get(), this);
}

float KC_BASESLIDER::fGetTrackAngle() const { return std::atan2(mDirection.y, mDirection.x); }

// --- pointer tests -------------------------------------------------------------

// Inside an ellipse round the track whose foci are its ends.
bool KC_BASESLIDER::fNearTrack() const {
    const KS_VEC2 a = mParts[kSTART_BUTTON].fGetAbsolute().fGetPos2();
    const KS_VEC2 b = mParts[kEND_BUTTON].fGetAbsolute().fGetPos2();
    const KS_VEC2 m{fMouseX(), fMouseY()};
    const float ab = KS_VEC2::fDistance(a, b);
    return KS_VEC2::fDistance(m, a) + KS_VEC2::fDistance(m, b) - ab <= kNEAR_TOLERANCE * ab;
}

bool KC_BASESLIDER::fInside(KE_PART part) const { return fMouseIn(&mAreas[part]); }

void KC_BASESLIDER::fHover(KE_PART part) {
    if (mEvent.mCode != KS_GUI_EVENT::kNONE) return;
    const bool inside = fInside(part);
    if (mStates[part] == kIDLE && inside) {
        fEnter(part);
    } else if (mStates[part] == kHOVERED && !inside) {
        fLeave(part);
    }
}

void KC_BASESLIDER::fEnter(KE_PART part) {
    mStates[part] = kHOVERED;
    mEvent.mCode = KS_GUI_EVENT::kENTERED;
}

void KC_BASESLIDER::fLeave(KE_PART part) {
    mStates[part] = kIDLE;
    mHeld = 0;
    mEvent.mCode = KS_GUI_EVENT::kLEFT;
}

void KC_BASESLIDER::fPress(KE_PART part) {
    mStates[part] = kPRESSED;
    mHeld = 1;
    mEvent.mCode = KS_GUI_EVENT::kPRESSED;
}

void KC_BASESLIDER::fReleaseKnob() {
    mHeld = 0;
    mStates[kKNOB] = kHOVERED;
    fSetValue(mValue);
    mEvent.mCode = KS_GUI_EVENT::kVALUE_CHANGED;
}

// The knob follows the pointer's projection on the track; the value is the
// whole steps it passed, tested against the range before it is snapped to
// the step, so that a knob within a step of either end takes that end.
void KC_BASESLIDER::fDrag() {
    const KS_VEC2 a = mParts[kSTART_BUTTON].fGetAbsolute().fGetPos2();
    const KS_VEC2 b = mParts[kEND_BUTTON].fGetAbsolute().fGetPos2();
    const float ab = KS_VEC2::fDistance(a, b);
    const KS_VEC2 along = ab > 0.0f ? (b - a) / ab : mDirection;
    const KS_VEC2 d = KS_VEC2{fMouseX(), fMouseY()} - a;
    const float t = std::max(0.0f, d.x * along.x + d.y * along.y);
    fPlaceKnob(mStart + mDirection * t);
    mEvent.mCode = KS_GUI_EVENT::kVALUE_CHANGED;
    const float stepLength = mStepVector.fLength();
    if (stepLength <= 0.0f) {
        mValue = mMinimum;
        fPlaceKnob(mStart + mMarginVector);
        return;
    }
    float value = std::floor((t - mKnobMargin) / stepLength + mMinimum);
    if (value > mMaximum - mStep) {
        value = mMaximum;
        fPlaceKnob(mEnd - mMarginVector);
    } else if (value < mMinimum + mStep) {
        value = mMinimum;
        fPlaceKnob(mStart + mMarginVector);
    } else if (std::trunc(mStep) >= 1.0f) {
        // Whole units modulo whole steps, without leaving float range.
        value -= std::fmod(std::trunc(value), std::trunc(mStep));
    }
    mValue = value;
}

// --- mouse passes --------------------------------------------------------------

KS_MOUSE_RESULT KC_BASESLIDER::fOnMouseMove() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    const bool near = fNearTrack();
    mActive = near ? 1 : 0;
    if (!near) {
        // Leaving the track ends a drag with the knob on its value.
        if (mStates[kKNOB] == kPRESSED) fReleaseKnob();
        return fReport();
    }
    fHover(kSTART_BUTTON);
    fHover(kEND_BUTTON);
    fHover(kKNOB);
    if (mEvent.mCode == KS_GUI_EVENT::kNONE && mStates[kKNOB] == kPRESSED && mHeld) fDrag();
    return fReport();
}

KS_MOUSE_RESULT KC_BASESLIDER::fOnMouseDown() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (mActive && fLeftPressed()) {
        for (int32_t part = 0; part < kPART_COUNT; ++part) {
            if (mStates[part] != kHOVERED) continue;
            fPress(static_cast<KE_PART>(part));
            break;
        }
    }
    fCallScript(KE_SCRIPT::kDOWN);
    return fReport();
}

KS_MOUSE_RESULT KC_BASESLIDER::fHandleRelease() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (!fLeftReleased()) return fReport();
    for (int32_t part = 0; part < kPART_COUNT; ++part) {
        if (mStates[part] != kPRESSED) continue;
        if (part == kSTART_BUTTON) fStep(-1);
        if (part == kEND_BUTTON) fStep(1);
        if (part == kKNOB) fSetValue(mValue);
        mHeld = 0;
        mStates[part] = kHOVERED;
        mEvent.mCode = KS_GUI_EVENT::kVALUE_CHANGED;
    }
    return fReport();
}

KS_MOUSE_RESULT KC_BASESLIDER::fOnMouseUp() {
    const KS_MOUSE_RESULT result = fHandleRelease();
    fCallScript(KE_SCRIPT::kUP);
    return result;
}

// --- poll ----------------------------------------------------------------------
// A part being pressed ends the poll at the slider, even with nothing to
// report, so later siblings wait until it is let go.

KS_MOUSE_RESULT KC_BASESLIDER::fGetEvent() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (!fNearTrack()) return KS_MOUSE_RESULT::fNotTaken();
    if (fPollButton(kSTART_BUTTON, -1) || fPollButton(kEND_BUTTON, 1) || fPollKnob()) return fRecord();
    return fReport();
}

// A hovered part: the pointer left it, or a press began on it (which ends
// the poll there).
bool KC_BASESLIDER::fPollHovered(KE_PART part, bool inside) {
    if (!inside) {
        fLeave(part);
        return false;
    }
    if (!fLeftPressed()) return false;
    fPress(part);
    return true;
}

bool KC_BASESLIDER::fPollButton(KE_PART part, int32_t steps) {
    int32_t& state = mStates[part];
    const bool inside = fInside(part);
    if (state == kHOVERED) return fPollHovered(part, inside);
    if (state == kPRESSED) {
        if (fLeftReleased()) {
            if (inside) {
                fStep(steps);
                mEvent.mCode = KS_GUI_EVENT::kVALUE_CHANGED;
            }
            mHeld = 0;
            state = kHOVERED;
        }
        return true;
    }
    if (inside && mStates[kKNOB] == kIDLE) fEnter(part);
    return false;
}

bool KC_BASESLIDER::fPollKnob() {
    int32_t& state = mStates[kKNOB];
    const bool inside = fInside(kKNOB);
    if (state == kHOVERED) return fPollHovered(kKNOB, inside);
    if (state == kPRESSED) {
        if (mHeld) fDrag();  // the poll runs only near the track
        if (fLeftReleased()) fReleaseKnob();
        return true;
    }
    if (inside) fEnter(kKNOB);
    return false;
}

}  // namespace KEL
