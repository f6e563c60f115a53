#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

// Text helpers shared by every reader of blank-separated numbers and by the
// file code.
namespace KEL {

// Splits a copy of text at every separator. With trim the separator is left
// out of the pieces, otherwise each piece keeps its trailing separator.
// Adjacent separators give empty pieces; a trailing separator gives no empty
// last piece. An empty separator gives the whole text as one piece.
std::vector<std::string> fSplit(const std::string& text, const std::string& separator, bool trim = true);
void fSplitTo(const std::string& text, const std::string& separator, std::vector<std::string>& out, bool trim = true);

// The number a text starts with, as atoi and atof read it, but never out of
// range: integers saturate at the int range, floats at the largest finite
// float, and "nan" reads as 0. Text without a number gives 0.
int32_t fTextToInt(const std::string& text);
float fTextToFloat(const std::string& text);

// Number of space characters in the text.
int32_t fCountWords(const std::string& text);

// While what occurs in text, the character at the occurrence becomes with.
// An empty pattern leaves the text as it is.
std::string& fReplaceAll(std::string& text, const std::string& what, char with);
// Every backslash becomes a slash.
std::string& fToSlashes(std::string& text);

template <class T>
std::string fToString(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

std::wstring fToWString(float value);
std::wstring fToWString(int32_t value);
std::wstring fToWString(uint32_t value);
std::wstring fToWString(int64_t value);

}  // namespace KEL
