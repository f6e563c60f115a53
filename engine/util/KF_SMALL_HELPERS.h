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

// The float's 32 bits as an unsigned word.
uint32_t fFloatToDword(float value);

}  // namespace KEL
