#pragma once

#include <cstdint>
#include <string>

namespace KEL {

// "mm:ss", or "hh:mm:ss" from one hour on (hours keep growing past 99).
// Negative and not-a-number values read as 0, huge ones as the largest int.
std::wstring fTimeToString(double seconds);

// The anchor index (3 x 3 grid, row by row) of "HS_UL" ... "HS_DR"; any other
// text (compared exactly) gives 4, the centre.
int32_t fHotSpotFromString(const std::string& text);

// The value truncated to an int, saturating at the int range; not-a-number
// gives 0. For numbers that come from files or from arithmetic on them,
// where a plain conversion would be undefined.
int32_t fClampToInt(double value);
// The value clamped into [-limit, limit]; not-a-number gives 0.
float fClampFloat(float value, float limit);

// The float's 32 bits as an unsigned word.
uint32_t fFloatToDword(float value);

}  // namespace KEL
