#pragma once

#include <cstdint>
#include <memory>

#include "SERVICE/KC_CALLBACK.h"
#include "engine/gui/KC_GUI_OBJECT.h"

namespace KEL {

// The value of a progress widget: a value between a minimum and a maximum,
// its ratio (0..1) and whether it is full. Subclasses show the ratio in
// fApply, which ends with the FILLED rule: the FILLED script runs once each
// time the bar rises to full and is armed again when it drops below.
class KC_BASEPROGRESS : public KC_GUI_OBJECT {
public:
    explicit KC_BASEPROGRESS(int32_t id) : KC_GUI_OBJECT(id) {}

    // Shows the current ratio.
    virtual void fApply() = 0;

    // The value clamped to the range.
    void fSetValue(float value);
    // The ratio from a percentage, clamped to 0..100.
    void fSetPercent(float percent);
    void fAddPercent(float delta) { fSetPercent(mRatio * 100.0f + delta); }

    float fGetValue() const { return mValue; }
    float fGetRatio() const { return mRatio; }
    float fGetMinimum() const { return mMinimum; }
    float fGetMaximum() const { return mMaximum; }
    bool fIsFull() const { return mFull != 0; }

    // A new record replaces (and deletes) the old one.
    void fSetFilledScript(std::unique_ptr<KC_CALLBACK> callback) { mFilled = std::move(callback); }
    const KC_CALLBACK* fGetFilledScript() const { return mFilled.get(); }

protected:
    void fRunFilledRule();

    uint8_t mFull = 0;
    float mMinimum = 0.0f;
    float mMaximum = 100.0f;
    float mValue = 0.0f;
    float mRatio = 0.0f;

private:
    std::unique_ptr<KC_CALLBACK> mFilled;
    uint8_t mArmed = 1;
};

}  // namespace KEL
