#include "engine/util/KF_TEXT.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace KEL {

void fSplitTo(const std::string& text, const std::string& separator, std::vector<std::string>& out, bool trim) {
    if (separator.empty()) {
        if (!text.empty()) out.push_back(text);
        return;
    }
    std::string::size_type start = 0;
    while (start < text.size()) {
        const auto found = text.find(separator, start);
        if (found == std::string::npos) {
            out.push_back(text.substr(start));
            return;
        }
        const auto end = found + separator.size();
        out.push_back(text.substr(start, (trim ? found : end) - start));
        start = end;
    }
}

std::vector<std::string> fSplit(const std::string& text, const std::string& separator, bool trim) {
    std::vector<std::string> pieces;
    fSplitTo(text, separator, pieces, trim);
    return pieces;
}

int32_t fTextToInt(const std::string& text) {
    // strtoll saturates at its own range, which holds the int range.
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int32_t>(value);
}

float fTextToFloat(const std::string& text) {
    const double value = std::strtod(text.c_str(), nullptr);
    if (std::isnan(value)) return 0.0f;
    if (value > FLT_MAX) return FLT_MAX;
    if (value < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(value);
}

int32_t fCountWords(const std::string& text) {
    int32_t spaces = 0;
    for (char c : text)
        if (c == ' ') ++spaces;
    return spaces;
}

std::string& fReplaceAll(std::string& text, const std::string& what, char with) {
    // Replacing a character by itself would find the same occurrence forever.
    if (what.empty() || what[0] == with) return text;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what)) text[at] = with;
    return text;
}

std::string& fToSlashes(std::string& text) { return fReplaceAll(text, "\\", '/'); }

namespace {
template <class T>
std::wstring fWide(T value) {
    std::wostringstream out;
    out << value;
    return out.str();
}
}  // namespace

std::wstring fToWString(float value) { return fWide(value); }
std::wstring fToWString(int32_t value) { return fWide(value); }
std::wstring fToWString(uint32_t value) { return fWide(value); }
std::wstring fToWString(int64_t value) { return fWide(value); }

}  // namespace KEL
