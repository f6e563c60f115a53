#include "engine/render/KC_CAMERA.h"

#include <cmath>

namespace KEL {

namespace {
constexpr float kPI = 3.14159265f;
}

KC_CAMERA::KC_CAMERA(float width, float height) { fFitScreen(width, height); }

void KC_CAMERA::fFitScreen(float width, float height) {
    mPosition.fSet(width / 2.0f, height / 2.0f, (height / 2.0f) / std::tan(kPI / 8.0f));
    mLook.fSet(0, 0, 1);
    mUp.fSet(0, 1, 0);
    mRight.fSet(1, 0, 0);
    mView.fAt(0, 3) = mView.fAt(1, 3) = mView.fAt(2, 3) = 0.0f;
    fUpdateView();
}

void KC_CAMERA::fUpdateView() {
    mLook.fNormalize();
    mRight = KS_VEC3::fCross(mUp, mLook);
    mRight.fNormalize();
    mUp = KS_VEC3::fCross(mLook, mRight);
    mUp.fNormalize();
    for (int i = 0; i < 3; ++i) {
        mView.fAt(i, 0) = mRight[i];
        mView.fAt(i, 1) = mUp[i];
        mView.fAt(i, 2) = mLook[i];
    }
    fUpdateTranslation();
    mView.fAt(3, 3) = 1.0f;
}

void KC_CAMERA::fUpdateTranslation() {
    mView.fAt(3, 0) = -KS_VEC3::fDot(mPosition, mRight);
    mView.fAt(3, 1) = -KS_VEC3::fDot(mPosition, mUp);
    mView.fAt(3, 2) = -KS_VEC3::fDot(mPosition, mLook);
}

void KC_CAMERA::fSetPosition(float x, float y, float z) {
    mPosition.fSet(x, y, z);
    fUpdateTranslation();
}

void KC_CAMERA::fSetX(float x) {
    mPosition.x = x;
    fUpdateTranslation();
}

void KC_CAMERA::fSetY(float y) {
    mPosition.y = y;
    fUpdateTranslation();
}

void KC_CAMERA::fSetLook(float x, float y, float z) {
    mLook.fSet(x, y, z);
    fUpdateView();
}

void KC_CAMERA::fSetRight(float x, float y, float z) {
    mRight.fSet(x, y, z);
    fUpdateView();
}

void KC_CAMERA::fRoll(float angle) {
    const KS_MATRIX r = KS_MATRIX::fRotationAxis(angle, mLook);
    r.fRotateVector(mRight);
    r.fRotateVector(mUp);
    fUpdateView();
}

void KC_CAMERA::fPitch(float angle) {
    const KS_MATRIX r = KS_MATRIX::fRotationAxis(angle, mRight);
    r.fRotateVector(mLook);
    r.fRotateVector(mUp);
    fUpdateView();
}

void KC_CAMERA::fYaw(float angle) {
    const KS_MATRIX r = KS_MATRIX::fRotationAxis(-angle, mUp);
    r.fRotateVector(mLook);
    r.fRotateVector(mUp);
    fUpdateView();
}

void KC_CAMERA::fRotate(float yaw, float pitch, float roll) {
    KS_MATRIX r = KS_MATRIX::fRotationAxis(-yaw, mUp);
    r.fRotateVector(mLook);
    r.fRotateVector(mUp);
    r = KS_MATRIX::fRotationAxis(pitch, mRight);
    r.fRotateVector(mLook);
    r.fRotateVector(mUp);
    r = KS_MATRIX::fRotationAxis(roll, mLook);
    r.fRotateVector(mRight);
    r.fRotateVector(mUp);
    fUpdateView();
}

void KC_CAMERA::fResetAxes(float, float, float) {
    const KS_MATRIX identity;
    mLook.fSet(0, 0, 1);
    mUp.fSet(0, 1, 0);
    mRight.fSet(1, 0, 0);
    identity.fRotateVector(mLook);
    identity.fRotateVector(mUp);
    identity.fRotateVector(mRight);
    fUpdateView();
}

}  // namespace KEL
