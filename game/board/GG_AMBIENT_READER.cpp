#include "game/board/GG_AMBIENT_READER.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "game/product/GG_ERROR.h"

namespace game {

namespace {

// The blank-separated words of a text.
std::vector<std::string> fWords(const char* text) {
    std::vector<std::string> words;
    std::string word;
    for (const char* c = text; *c; ++c) {
        if (*c == ' ' || *c == '\t' || *c == '\n' || *c == '\r') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += *c;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

bool fParseInt(const std::string& word, int32_t low, int32_t high, int32_t& out) {
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(word.c_str(), &end, 10);
    if (errno != 0 || end == word.c_str() || *end != '\0' || value < low || value > high) return false;
    out = static_cast<int32_t>(value);
    return true;
}

bool fParseFloat(const std::string& word, float low, float high, float& out) {
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    if (errno != 0 || end == word.c_str() || *end != '\0' || !std::isfinite(value) || value < low || value > high)
        return false;
    out = static_cast<float>(value);
    return true;
}

std::string fWhere(const pugi::xml_node& node, const char* name) {
    return std::string(node.name()) + " \"" + name + "\"";
}

// Reads `count` words of the attribute with `parse`; true when absent.
template <class T, class Parse>
bool fReadWords(const pugi::xml_node& node, const char* name, size_t count, T* out, Parse parse) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) return true;
    const std::vector<std::string> words = fWords(attribute.value());
    T values[2] = {};
    bool good = words.size() == count;
    for (size_t i = 0; good && i < count; ++i) good = parse(words[i], values[i]);
    if (!good)
        return GG_AMBIENT_READER::fFail(fWhere(node, name), std::string("bad value \"") + attribute.value() + "\"");
    for (size_t i = 0; i < count; ++i) out[i] = values[i];
    return true;
}

}  // namespace

bool GG_AMBIENT_READER::fFail(const std::string& what, const std::string& detail) {
    return GG_ERROR::fFail(what + ": " + detail);
}

bool GG_AMBIENT_READER::fInt(const pugi::xml_node& node, const char* name, int32_t low, int32_t high, int32_t& out) {
    return fReadWords(node, name, 1, &out,
                      [low, high](const std::string& w, int32_t& v) { return fParseInt(w, low, high, v); });
}

bool GG_AMBIENT_READER::fFloat(const pugi::xml_node& node, const char* name, float low, float high, float& out) {
    return fReadWords(node, name, 1, &out,
                      [low, high](const std::string& w, float& v) { return fParseFloat(w, low, high, v); });
}

bool GG_AMBIENT_READER::fPoint(const pugi::xml_node& node, const char* name, int32_t low, int32_t high,
                               KEL::KS_POINT& out) {
    int32_t values[2] = {out.x, out.y};
    if (!fReadWords(node, name, 2, values,
                    [low, high](const std::string& w, int32_t& v) { return fParseInt(w, low, high, v); }))
        return false;
    out.fSet(values[0], values[1]);
    return true;
}

bool GG_AMBIENT_READER::fVec2(const pugi::xml_node& node, const char* name, float low, float high, KEL::KS_VEC2& out) {
    float values[2] = {out.x, out.y};
    if (!fReadWords(node, name, 2, values,
                    [low, high](const std::string& w, float& v) { return fParseFloat(w, low, high, v); }))
        return false;
    out = KEL::KS_VEC2(values[0], values[1]);
    return true;
}

KEL::KS_COLOR GG_AMBIENT_READER::fColor(const std::string& text) {
    if (text.find(' ') == std::string::npos) return KEL::KS_COLOR::fFromHex(text);
    KEL::KS_COLOR color;
    color.fFromString(text);
    return color;
}

}  // namespace game
