#include "engine/util/KS_MATRIX.h"

#include <cmath>

namespace KEL {

void KS_MATRIX::fIdentity() {
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

void KS_MATRIX::fSet(const float values[16]) {
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) m[row * 4 + column] = values[column * 4 + row];
}

void KS_MATRIX::fSet(float a0, float a1, float a2, float a3, float a4, float a5, float a6, float a7, float a8, float a9,
                     float a10, float a11, float a12, float a13, float a14, float a15) {
    const float values[16] = {a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14, a15};
    fSet(values);
}

KS_MATRIX KS_MATRIX::fRotationAxis(float angle, const KS_VEC3& axis) {
    KS_VEC3 n = axis;
    n.fNormalize();
    const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
    KS_MATRIX r;
    r.m[0] = c + t * n.x * n.x;
    r.m[1] = t * n.x * n.y + s * n.z;
    r.m[2] = t * n.x * n.z - s * n.y;
    r.m[4] = t * n.x * n.y - s * n.z;
    r.m[5] = c + t * n.y * n.y;
    r.m[6] = t * n.y * n.z + s * n.x;
    r.m[8] = t * n.x * n.z + s * n.y;
    r.m[9] = t * n.y * n.z - s * n.x;
    r.m[10] = c + t * n.z * n.z;
    return r;
}

KS_MATRIX KS_MATRIX::fRotationX(float angle) {
    KS_MATRIX r;
    const float c = std::cos(angle), s = std::sin(angle);
    r.m[5] = c;
    r.m[6] = s;
    r.m[9] = -s;
    r.m[10] = c;
    return r;
}

KS_MATRIX KS_MATRIX::fRotationY(float angle) {
    KS_MATRIX r;
    const float c = std::cos(angle), s = std::sin(angle);
    r.m[0] = c;
    r.m[2] = -s;
    r.m[8] = s;
    r.m[10] = c;
    return r;
}

KS_MATRIX KS_MATRIX::fRotationZ(float angle) {
    KS_MATRIX r;
    const float c = std::cos(angle), s = std::sin(angle);
    r.m[0] = c;
    r.m[1] = s;
    r.m[4] = -s;
    r.m[5] = c;
    return r;
}

KS_MATRIX KS_MATRIX::fScaling(const KS_VEC3& scale) {
    KS_MATRIX r;
    r.m[0] = scale.x;
    r.m[5] = scale.y;
    r.m[10] = scale.z;
    return r;
}

KS_MATRIX KS_MATRIX::fTranslationX(float x) {
    KS_MATRIX r;
    r.m[12] = x;
    return r;
}
KS_MATRIX KS_MATRIX::fTranslationY(float y) {
    KS_MATRIX r;
    r.m[13] = y;
    return r;
}
KS_MATRIX KS_MATRIX::fTranslationZ(float z) {
    KS_MATRIX r;
    r.m[14] = z;
    return r;
}

KS_MATRIX KS_MATRIX::fTranslation(float x, float y, float z) {
    KS_MATRIX r;
    r.m[12] = x;
    r.m[13] = y;
    r.m[14] = z;
    return r;
}

KS_MATRIX KS_MATRIX::operator+(const KS_MATRIX& o) const {
    KS_MATRIX r;
    for (int i = 0; i < 16; ++i) r.m[i] = m[i] + o.m[i];
    return r;
}

KS_MATRIX KS_MATRIX::operator-(const KS_MATRIX& o) const {
    KS_MATRIX r;
    for (int i = 0; i < 16; ++i) r.m[i] = m[i] - o.m[i];
    return r;
}

KS_MATRIX KS_MATRIX::operator*(float s) const {
    KS_MATRIX r;
    for (int i = 0; i < 16; ++i) r.m[i] = m[i] * s;
    return r;
}

KS_MATRIX KS_MATRIX::operator*(const KS_MATRIX& o) const {
    KS_MATRIX r;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += m[row * 4 + k] * o.m[k * 4 + column];
            r.m[row * 4 + column] = sum;
        }
    return r;
}

bool KS_MATRIX::operator==(const KS_MATRIX& o) const {
    for (int i = 0; i < 16; ++i)
        if (m[i] != o.m[i]) return false;
    return true;
}

void KS_MATRIX::fRotate(float ax, float ay, float az) {
    if (ax != 0.0f) fRotateX(ax);
    if (ay != 0.0f) fRotateY(ay);
    if (az != 0.0f) fRotateZ(az);
}

void KS_MATRIX::fApplyPlacement(const KS_VEC3& pivot, const KS_VEC3& rotation, const KS_VEC3& scale,
                                const KS_VEC3& position) {
    fTranslate(position.x, position.y, position.z);
    fRotate(rotation.x, rotation.y, rotation.z);
    fScale(scale.x, scale.y, scale.z);
    fTranslate(-pivot.x, -pivot.y, 0.0f);
}

KS_VEC3 KS_MATRIX::fTransformPoint(const KS_VEC3& p) const {
    return {m[0] * p.x + m[1] * p.y + m[2] * p.z + m[3], m[4] * p.x + m[5] * p.y + m[6] * p.z + m[7],
            m[8] * p.x + m[9] * p.y + m[10] * p.z + m[11]};
}

void KS_MATRIX::fRotateVector(KS_VEC3& v) const {
    const KS_VEC3 in = v;
    v.x = in.x * m[0] + in.y * m[4] + in.z * m[8];
    v.y = in.x * m[1] + in.y * m[5] + in.z * m[9];
    v.z = in.x * m[2] + in.y * m[6] + in.z * m[10];
}

void KS_MATRIX::fLookAt(const KS_VEC3& eye, const KS_VEC3& target, const KS_VEC3& up) {
    KS_VEC3 zaxis = target - eye;
    zaxis.fNormalize();
    KS_VEC3 xaxis = KS_VEC3::fCross(up, zaxis);
    xaxis.fNormalize();
    const KS_VEC3 yaxis = KS_VEC3::fCross(zaxis, xaxis);
    fIdentity();
    m[0] = xaxis.x;
    m[1] = yaxis.x;
    m[2] = zaxis.x;
    m[4] = xaxis.y;
    m[5] = yaxis.y;
    m[6] = zaxis.y;
    m[8] = xaxis.z;
    m[9] = yaxis.z;
    m[10] = zaxis.z;
    m[12] = -KS_VEC3::fDot(xaxis, eye);
    m[13] = -KS_VEC3::fDot(yaxis, eye);
    m[14] = -KS_VEC3::fDot(zaxis, eye);
}

}  // namespace KEL
