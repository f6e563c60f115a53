// Fuzzes the text forms of points, vectors, colours and transforms, and
// what is computed from them: lengths, angles, matrices and the texts
// written back.
#include <cstdint>
#include <string>

#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/KS_COLOR.h"
#include "engine/util/KS_POINT.h"
#include "engine/util/KS_VEC2.h"
#include "engine/util/KS_VEC3.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    KEL::KS_POINT point(text);
    point.fToString();
    KEL::KS_POINT::fDistance(point, KEL::KS_POINT(1, 2));
    KEL::KS_VEC2 flat(text);
    flat.fToString();
    flat.fNormalize();
    KEL::KS_VEC2::fAngle(flat, KEL::KS_VEC2(1.0f, 0.0f));
    KEL::KS_VEC3 deep(text);
    deep.fToString();
    KEL::KS_COLOR color;
    color.fFromString(text);
    KEL::KS_COLOR::fFromHex(text).fGetARGB();
    KEL::KS_TRANSFORM3 transform;
    transform.fFromString(text);
    transform.fGetWorldMatrix();
    KEL::KS_TRANSFORM3 child;
    child.mParent = &transform;
    child.fGetAbsolute();
    return 0;
}
