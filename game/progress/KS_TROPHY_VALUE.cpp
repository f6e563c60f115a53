#include "game/progress/KS_TROPHY_VALUE.h"

#include <cmath>

namespace KEL {

namespace {

int32_t fIntOf(double value) {
    if (!(value == value)) return 0;  // NaN
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(value);
}

uint32_t fUintOf(double value) {
    if (!(value > 0.0)) return 0;
    if (value >= 4294967295.0) return UINT32_MAX;
    return static_cast<uint32_t>(value);
}

}  // namespace

KS_TROPHY_VALUE KS_TROPHY_VALUE::fFromInt(const std::string& name, int32_t value) {
    KS_TROPHY_VALUE v = fFromFloat(name, static_cast<double>(value));
    v.mInt = value;
    return v;
}

KS_TROPHY_VALUE KS_TROPHY_VALUE::fFromFloat(const std::string& name, double value) {
    KS_TROPHY_VALUE v;
    v.mName = name;
    v.mBool = value != 0.0 ? 1 : 0;
    v.mFloat = static_cast<float>(value);
    v.mInt = fIntOf(value);
    v.mUint = fUintOf(value);
    return v;
}

KS_TROPHY_VALUE KS_TROPHY_VALUE::fFromBool(const std::string& name, bool value) {
    return fFromFloat(name, value ? 1.0 : 0.0);
}

}  // namespace KEL
