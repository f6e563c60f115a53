#pragma once

namespace KEL {

// Fixed-function material values for the renderer's fSetMaterial.
struct KS_MATERIAL {
    float mDiffuse[4] = {0, 0, 0, 0};
    float mAmbient[4] = {0, 0, 0, 0};
    float mSpecular[4] = {0, 0, 0, 0};
    float mEmissive[4] = {0, 0, 0, 0};

    void fSetDiffuse(float r, float g, float b, float a) { fSet4(mDiffuse, r, g, b, a); }
    void fSetDiffuse(float all) { fSet4(mDiffuse, all, all, all, all); }
    void fSetAmbient(float r, float g, float b, float a) { fSet4(mAmbient, r, g, b, a); }
    void fSetAmbient(float all) { fSet4(mAmbient, all, all, all, all); }
    void fSetSpecular(float r, float g, float b, float a) { fSet4(mSpecular, r, g, b, a); }
    void fSetSpecular(float all) { fSet4(mSpecular, all, all, all, all); }
    void fSetEmissive(float r, float g, float b, float a) { fSet4(mEmissive, r, g, b, a); }
    void fSetEmissive(float all) { fSet4(mEmissive, all, all, all, all); }

    // Makes this the renderer's material.
    void fApply() const;

private:
    static void fSet4(float (&to)[4], float r, float g, float b, float a) {
        to[0] = r;
        to[1] = g;
        to[2] = b;
        to[3] = a;
    }
};

}  // namespace KEL
