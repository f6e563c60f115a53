#include "engine/util/KS_POINT.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/util/KF_TEXT.h"

namespace KEL {

namespace {
thread_local char gPointText[32];
}

float KS_POINT::fDistance(const KS_POINT& a, const KS_POINT& b) {
    const float dx = float(a.x) - float(b.x);
    const float dy = float(a.y) - float(b.y);
    return std::sqrt(dx * dx + dy * dy);
}

float KS_POINT::fLengthGap(const KS_POINT& a, const KS_POINT& b) {
    const float ax = float(a.x), ay = float(a.y), bx = float(b.x), by = float(b.y);
    return std::sqrt(ax * ax + ay * ay - std::sqrt(bx * bx + by * by));
}

const char* KS_POINT::fToString() const {
    std::snprintf(gPointText, sizeof gPointText, "%.*i %.*i", 3, int(x), 3, int(y));
    return gPointText;
}

void KS_POINT::fFromString(const std::string& text) {
    const auto pieces = fSplit(text, " ", true);
    if (pieces.size() < 2) return;
    x = fTextToInt(pieces[0]);
    y = fTextToInt(pieces[1]);
}

}  // namespace KEL
