#pragma once

#include <cstdint>
#include <string>

namespace KEL {

// A named value fed to the trophies, or a condition's target. Fed values
// fill all four slots, so a condition compares the slot of its own type
// whatever kind of number the game had at hand.
struct KS_TROPHY_VALUE {
    std::string mName;
    uint8_t mBool = 0;
    float mFloat = 0.0f;
    int32_t mInt = 0;
    uint32_t mUint = 0;

    static KS_TROPHY_VALUE fFromInt(const std::string& name, int32_t value);
    static KS_TROPHY_VALUE fFromFloat(const std::string& name, double value);
    static KS_TROPHY_VALUE fFromBool(const std::string& name, bool value);
};

}  // namespace KEL
