#pragma once

#include <cstdint>

namespace KEL {

// Fixed-function light values, field for field what the renderer's
// fSetLight takes (type 1 point, 2 spot, 3 directional).
struct KS_LIGHT {
    int32_t mType = 1;
    float mDiffuse[4] = {0, 0, 0, 0};
    float mAmbient[4] = {0, 0, 0, 0};
    float mSpecular[4] = {0, 0, 0, 0};
    float mExtra[4] = {0, 0, 0, 0};
    float mSingle = 0;
    float mPosition[3] = {0, 0, 0};
    float mDirection[3] = {0, 0, 0};
    float mRange = 0;
    float mFalloff = 0;
    float mTheta = 0;
    float mPhi = 0;
    float mAttenuation[3] = {0, 0, 0};
    uint32_t mIndex = 0;

    void fSetDiffuse(float r, float g, float b, float a) { fSet4(mDiffuse, r, g, b, a); }
    void fSetAmbient(float r, float g, float b, float a) { fSet4(mAmbient, r, g, b, a); }
    void fSetSpecular(float r, float g, float b, float a) { fSet4(mSpecular, r, g, b, a); }
    void fSetSingle(float value) { mSingle = value; }
    void fSetAttenuation(float a0, float a1, float a2) {
        mAttenuation[0] = a0;
        mAttenuation[1] = a1;
        mAttenuation[2] = a2;
    }
    void fSetIndex(uint32_t index) { mIndex = index; }

    // Hands the light to the renderer under its index; switches it on or off.
    void fApply() const;
    void fEnable(bool on) const;

private:
    static void fSet4(float (&to)[4], float r, float g, float b, float a) {
        to[0] = r;
        to[1] = g;
        to[2] = b;
        to[3] = a;
    }
};

}  // namespace KEL
