#include "engine/util/KF_SMALL_HELPERS.h"

#include <bit>
#include <climits>
#include <cmath>
#include <cstdio>

namespace KEL {

int32_t fClampToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int32_t>(value);
}

float fClampFloat(float value, float limit) {
    if (std::isnan(value)) return 0.0f;
    return value > limit ? limit : (value < -limit ? -limit : value);
}

std::wstring fTimeToString(double seconds) {
    // A damaged save may hold any value; converting those to int is undefined.
    if (!(seconds > 0.0)) seconds = 0.0;
    if (seconds > static_cast<double>(INT_MAX)) seconds = static_cast<double>(INT_MAX);
    const int whole = static_cast<int>(seconds);
    const int hours = static_cast<int>(seconds / 3600.0);
    const int rest = whole % 3600;
    const int minutes = rest / 60;
    const int secs = rest - minutes * 60;
    char text[64];
    if (hours != 0) std::snprintf(text, sizeof text, "%0*i:%0*i:%0*i", 2, hours, 2, minutes, 2, secs);
    else std::snprintf(text, sizeof text, "%0*i:%0*i", 2, minutes, 2, secs);
    std::wstring wide;
    for (const char* c = text; *c; ++c) wide.push_back(static_cast<wchar_t>(*c));
    return wide;
}

int32_t fHotSpotFromString(const std::string& text) {
    static const char* const kNames[9] = {"HS_UL", "HS_MU", "HS_UR", "HS_ML", "HS_MID",
                                          "HS_MR", "HS_DL", "HS_MD", "HS_DR"};
    for (int32_t i = 0; i < 9; ++i)
        if (text == kNames[i]) return i;
    return 4;
}

uint32_t fFloatToDword(float value) { return std::bit_cast<uint32_t>(value); }

}  // namespace KEL
