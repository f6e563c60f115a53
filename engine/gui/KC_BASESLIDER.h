#pragma once

#include <cstdint>
#include <memory>

#include "SERVICE/KC_CALLBACK.h"
#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/gui/KS_HIT_AREA.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/KS_VEC2.h"

namespace KEL {

// A value slider laid along a straight track from START to END, with a
// button at each end (the start button steps the value down, the end
// button up) and a knob dragged along the track. The value runs from the
// minimum to the maximum in whole steps; the knob's range begins a knob
// margin (radius x button distance) inside each end. The widget sits at the
// middle of the track; START and END are kept relative to it.
//
// The pointer counts only while it is near the track (inside an ellipse
// round it). The slider works from the mouse passes and from the poll
// alone. A drag reports 10 at every move; the VALUE_CHANGED script runs when
// a value is set, not during the drag.
//
// Degenerate sliders stay usable: equal minimum and maximum (or a track no
// longer than its margins) keep the value at the minimum; a step below 1
// is not snapped to; a zero-length track lies along +x.
class KC_BASESLIDER : public KC_GUI_OBJECT {
public:
    enum KE_PART : int32_t { kSTART_BUTTON, kEND_BUTTON, kKNOB, kPART_COUNT };
    static constexpr int32_t kIDLE = 0;
    static constexpr int32_t kHOVERED = 1;
    static constexpr int32_t kPRESSED = 2;
    static constexpr float kDEFAULT_RADIUS = 20.0f;
    static constexpr float kDEFAULT_BUTTON_DISTANCE = 1.5f;

    KC_BASESLIDER(int32_t id, const KS_VEC2& start, const KS_VEC2& end, float radius, float buttonDistance,
                  float minimum, float maximum, float step, float value);

    KS_MOUSE_RESULT fGetEvent() override;
    KS_MOUSE_RESULT fOnMouseUp() override;
    KS_MOUSE_RESULT fOnMouseDown() override;
    KS_MOUSE_RESULT fOnMouseMove() override;

    // Clamped to the range; the knob goes to the value's place.
    virtual void fSetValue(float value);
    void fStep(int32_t steps) { fSetValue(mValue + static_cast<float>(steps) * mStep); }
    void fSetRadius(float radius);
    void fSetRange(float minimum, float maximum);
    float fGetValue() const { return mValue; }
    float fGetMinimum() const { return mMinimum; }
    float fGetMaximum() const { return mMaximum; }
    float fGetStep() const { return mStep; }
    float fGetRadius() const { return mRadius; }

    int32_t fGetState(KE_PART part) const { return mStates[part]; }
    bool fIsHeld() const { return mHeld != 0; }
    // Track geometry, relative to the widget.
    const KS_VEC2& fGetStart() const { return mStart; }
    const KS_VEC2& fGetEnd() const { return mEnd; }
    const KS_VEC2& fGetDirection() const { return mDirection; }
    const KS_VEC2& fGetMarginVector() const { return mMarginVector; }
    KS_VEC2 fGetKnobPosition() const { return mParts[kKNOB].fGetPos2(); }
    KS_TRANSFORM3& fGetPartTransform(KE_PART part) { return mParts[part]; }
    // Angle of the track from the x axis (radians, y down).
    float fGetTrackAngle() const;

    // A new record replaces (and deletes) the old one.
    void fSetValueChangedScript(std::unique_ptr<KC_CALLBACK> callback) { mValueChanged = std::move(callback); }
    const KC_CALLBACK* fGetValueChangedScript() const { return mValueChanged.get(); }

protected:
    // The release pass without the UP script.
    KS_MOUSE_RESULT fHandleRelease();

private:
    bool fNearTrack() const;
    bool fInside(KE_PART part) const;
    void fHover(KE_PART part);
    // The pointer came over the part or left it, a press began on it, the
    // knob was let go (it rests on its value).
    void fEnter(KE_PART part);
    void fLeave(KE_PART part);
    void fPress(KE_PART part);
    void fReleaseKnob();
    void fDrag();
    void fPlaceKnob(const KS_VEC2& position) { mParts[kKNOB].fSetPos2(position); }
    // The poll of one button and of the knob; true ends the poll there.
    bool fPollButton(KE_PART part, int32_t steps);
    bool fPollKnob();
    bool fPollHovered(KE_PART part, bool inside);
    KS_MOUSE_RESULT fRecord() const { return KS_MOUSE_RESULT::fEvent(mEvent); }

    float mKnobMargin = 0.0f;
    float mMinimum;
    float mMaximum;
    float mStep;
    float mValue;
    KS_VEC2 mStart;
    KS_VEC2 mEnd;
    float mRadius = kDEFAULT_RADIUS;
    int32_t mStates[kPART_COUNT] = {kIDLE, kIDLE, kIDLE};
    uint8_t mHeld = 0;
    int32_t mBounds[4] = {};  // left, top, right, bottom of the track grown by the radius
    KS_VEC2 mStepVector;
    KS_VEC2 mMarginVector;
    KS_VEC2 mDirection;
    KS_HIT_AREA mAreas[kPART_COUNT];
    KS_TRANSFORM3 mParts[kPART_COUNT];
    std::unique_ptr<KC_CALLBACK> mValueChanged;
    float mButtonDistance;
};

}  // namespace KEL
