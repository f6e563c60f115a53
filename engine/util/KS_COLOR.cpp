#include "engine/util/KS_COLOR.h"

#include <cstdlib>

#include "engine/util/KF_TEXT.h"

namespace KEL {

void KS_COLOR::fFromString(const std::string& text) {
    const auto pieces = fSplit(text, " ", true);
    if (pieces.size() < 4) return;
    fSet(fTextToInt(pieces[0]), fTextToInt(pieces[1]), fTextToInt(pieces[2]), fTextToInt(pieces[3]));
}

KS_COLOR KS_COLOR::fFromHex(const std::string& text) {
    // More than eight digits saturate, as a 32-bit strtoul would.
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 16);
    return KS_COLOR(value > 0xFFFFFFFFull ? 0xFFFFFFFFu : uint32_t(value));
}

void KS_COLORF::fSetARGB(uint32_t argb) {
    constexpr float kScale = 0.003921569f;
    r = float((argb >> 16) & 0xFF) * kScale;
    g = float((argb >> 8) & 0xFF) * kScale;
    b = float(argb & 0xFF) * kScale;
    a = float(argb >> 24) * kScale;
}

namespace {
uint32_t fChannel(float c) {
    if (c >= 1.0f) return 255;
    if (c <= 0.0f) return 0;
    return uint32_t(c * 255.0f + 0.5f);
}
}  // namespace

uint32_t KS_COLORF::fToARGB() const { return fChannel(a) << 24 | fChannel(r) << 16 | fChannel(g) << 8 | fChannel(b); }

}  // namespace KEL
