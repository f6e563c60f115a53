#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "game/progress/KS_TROPHY_VALUE.h"

namespace KEL {

// What a trophy asks of one named value: a type, a target and a comparison.
// Equal-or-more comparisons on numbers answer the ratio value / target, so
// a trophy unlocks (at 1.0) once the value has reached its target.
class KC_TROPHY_CONDITION {
public:
    enum : int32_t { kBOOL = 0, kFLOAT = 1, kINT = 2, kUINT = 3 };
    enum : int32_t { kGREATER = 0, kLESS = 1, kEQUAL = 2, kNOT_EQUAL = 3, kGREATER_EQUAL = 4, kLESS_EQUAL = 5 };

    // "name", "value_type", "operator" and "value" (read as its type).
    void fRead(const pugi::xml_node& node);
    // 0 when the value carries another name.
    double fEvaluate(const KS_TROPHY_VALUE& value) const;

    static int32_t fTypeFromText(const char* text);
    static int32_t fOperatorFromText(const char* text);

    const std::string& fGetName() const { return mName; }
    const KS_TROPHY_VALUE& fGetTarget() const { return mValue; }
    int32_t fGetType() const { return mType; }
    int32_t fGetOperator() const { return mOperator; }

private:
    template <class T>
    double fCompare(T value, T target) const;

    std::string mName;
    KS_TROPHY_VALUE mValue;
    int32_t mType = kBOOL;
    int32_t mOperator = kGREATER_EQUAL;
};

}  // namespace KEL
