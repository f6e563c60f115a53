#include "game/progress/KC_TROPHY_CONDITION.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace KEL {

int32_t KC_TROPHY_CONDITION::fTypeFromText(const char* text) {
    if (std::strcmp(text, "float") == 0) return kFLOAT;
    if (std::strcmp(text, "int") == 0) return kINT;
    if (std::strcmp(text, "uint") == 0) return kUINT;
    return kBOOL;
}

int32_t KC_TROPHY_CONDITION::fOperatorFromText(const char* text) {
    const char* const names[] = {">", "<", "==", "!=", ">=", "<="};
    for (int32_t code = 0; code < 6; ++code)
        if (std::strcmp(text, names[code]) == 0) return code;
    return kGREATER_EQUAL;
}

void KC_TROPHY_CONDITION::fRead(const pugi::xml_node& node) {
    mName = node.attribute("name").as_string();
    mValue.mName = mName;
    mType = fTypeFromText(node.attribute("value_type").as_string());
    mOperator = fOperatorFromText(node.attribute("operator").as_string());
    const pugi::xml_attribute value = node.attribute("value");
    switch (mType) {
        case kFLOAT: mValue.mFloat = value.as_float(); break;
        case kINT: mValue.mInt = value.as_int(); break;
        case kUINT: mValue.mUint = value.as_uint(); break;
        default: mValue.mBool = value.as_bool() ? 1 : 0; break;
    }
}

template <class T>
double KC_TROPHY_CONDITION::fCompare(T value, T target) const {
    switch (mOperator) {
        case kGREATER: return value > target ? 1.0 : 0.0;
        case kLESS: return value < target ? 1.0 : 0.0;
        case kNOT_EQUAL: return value != target ? 1.0 : 0.0;
        case kLESS_EQUAL: return value <= target ? 1.0 : 0.0;
        default: break;
    }
    // The ratio of the value to its target; a target of 0 is reached by any
    // value not below it (dividing by it would crash or give infinity).
    if (target == T(0)) return value >= target ? 1.0 : 0.0;
    if constexpr (std::is_floating_point_v<T>) {
        return static_cast<double>(value) / static_cast<double>(target);
    } else {
        // Whole-number division as the types do it, widened so no quotient overflows.
        using WIDE = std::conditional_t<std::is_signed_v<T>, int64_t, uint64_t>;
        return static_cast<double>(static_cast<WIDE>(value) / static_cast<WIDE>(target));
    }
}

double KC_TROPHY_CONDITION::fEvaluate(const KS_TROPHY_VALUE& value) const {
    if (value.mName != mName) return 0.0;
    switch (mType) {
        case kFLOAT: return fCompare(value.mFloat, mValue.mFloat);
        case kINT: return fCompare(value.mInt, mValue.mInt);
        case kUINT: return fCompare(value.mUint, mValue.mUint);
        default: break;
    }
    const uint8_t v = value.mBool ? 1 : 0, t = mValue.mBool ? 1 : 0;
    if (mOperator == kEQUAL || mOperator == kGREATER_EQUAL) return v == t ? 1.0 : 0.0;
    return fCompare(v, t);
}

}  // namespace KEL
