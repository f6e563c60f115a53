#pragma once

#include "engine/util/KS_MATRIX.h"
#include "engine/util/KS_VEC3.h"

namespace KEL {

// A view matrix kept with the position and the three axes it is built from.
// Fitted to a screen size, it makes screen pixels (x right, y down) land
// where the renderer's projection shows them.
class KC_CAMERA {
public:
    KC_CAMERA(float width, float height);

    // Centred on the screen at the distance where the visible height is the
    // screen height.
    void fFitScreen(float width, float height);
    // Re-orthonormalises the axes and rebuilds the matrix.
    void fUpdateView();
    void fUpdateTranslation();

    void fSetPosition(float x, float y, float z);
    void fSetX(float x);
    void fSetY(float y);
    void fSetLook(float x, float y, float z);
    void fSetRight(float x, float y, float z);
    void fRoll(float angle);
    void fPitch(float angle);
    void fYaw(float angle);
    void fRotate(float yaw, float pitch, float roll);
    void fResetAxes(float x, float y, float z);

    float fGetX() const { return mPosition.x; }
    KS_VEC3 fGetLook() const { return mLook; }
    KS_VEC3 fGetUp() const { return mUp; }
    KS_VEC3 fGetRight() const { return mRight; }
    KS_VEC3* fGetPosition() { return &mPosition; }
    const KS_MATRIX& fGetMatrix() const { return mView; }
    KS_MATRIX* fGetMatrixPointer() { return &mView; }

private:
    KS_MATRIX mView;
    KS_VEC3 mPosition;
    KS_VEC3 mLook;
    KS_VEC3 mUp;
    KS_VEC3 mRight;
};

}  // namespace KEL
