// OpenGL backend of host/IGraphicsDevice.h, its partial redraw: where a
// frame differs from the one on screen, as rectangles redrawn one pass each.
#include "host/gl/GlDevice.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "host/gl/GlDeviceImpl.h"

namespace host {

bool GlDevice::fMeet(const DamageRect& a, const DamageRect& b, int32_t gap) {
    return a.x < b.x + b.w + gap && b.x < a.x + a.w + gap && a.y < b.y + b.h + gap && b.y < a.y + a.h + gap;
}

// A box in pixels from the top (left, top, right, bottom) as the pixels it
// may reach, y from the bottom; filtering and rounding reach a pixel or two
// past the geometry.
GlDevice::DamageRect GlDevice::fPixelRect(const float* box, int32_t width, int32_t height) {
    if (box[0] > box[2]) return {0, 0, 0, 0};
    // Far outside the window counts as just outside it.
    auto at = [](float v) { return std::clamp(v, -1e6f, 1e6f); };
    const int32_t left = std::max(0, int32_t(std::floor(at(box[0]))) - 2);
    const int32_t right = std::min(width, int32_t(std::ceil(at(box[2]))) + 2);
    const int32_t top = std::max(0, int32_t(std::floor(at(box[1]))) - 2);
    const int32_t bottom = std::min(height, int32_t(std::ceil(at(box[3]))) + 2);
    if (right <= left || bottom <= top) return {0, 0, 0, 0};
    return {left, height - bottom, right - left, bottom - top};
}

void GlDevice::fScissorToDamage() {
    const Impl& g = *mImpl;
    if (g.pass < g.damage.size()) {
        const DamageRect& r = g.damage[g.pass];
        glEnable(GL_SCISSOR_TEST);
        glScissor(r.x, r.y, r.w, r.h);
    } else {
        glDisable(GL_SCISSOR_TEST);
    }
}

std::vector<GlDevice::DamageRect> GlDevice::fLastDamage() const { return mImpl->lastDamage; }

void GlDevice::fAddDamage(std::vector<DamageRect>& rects, DamageRect r, size_t most) {
    fAddDamageCut(rects, r, most, 0);
}

// Rectangles never overlap, or a pass would blend their common pixels a
// second time. Two that meet or nearly meet become one when that adds few
// pixels; a crossing one is cut around the other, a few cuts deep (cuts and
// joins could undo each other), past which crossing ones are joined.
void GlDevice::fAddDamageCut(std::vector<DamageRect>& rects, DamageRect r, size_t most, int32_t depth) {
    if (r.w <= 0 || r.h <= 0) return;
    constexpr int32_t kNEAR = 8;
    constexpr int32_t kCUTS = 3;
    auto area = [](const DamageRect& a) { return int64_t(a.w) * a.h; };
    auto join = [](const DamageRect& a, const DamageRect& b) {
        const int32_t x = std::min(a.x, b.x), y = std::min(a.y, b.y);
        return DamageRect{x, y, std::max(a.x + a.w, b.x + b.w) - x, std::max(a.y + a.h, b.y + b.h) - y};
    };
    for (size_t i = 0; i < rects.size(); ++i) {
        const DamageRect o = rects[i];
        if (!fMeet(o, r, kNEAR)) continue;
        const DamageRect u = join(o, r);
        const bool cheap = area(u) * 4 <= (area(o) + area(r)) * 5 + 4 * 4096;
        const bool cross = fMeet(o, r);
        if (cheap || (cross && depth >= kCUTS)) {
            rects.erase(rects.begin() + std::ptrdiff_t(i));
            fAddDamageCut(rects, u, most, depth + 1);
            return;
        }
        if (!cross) continue;
        // The parts of r above, below, left and right of o.
        const int32_t low = std::max(r.y, o.y), high = std::min(r.y + r.h, o.y + o.h);
        const DamageRect pieces[] = {
            {r.x, o.y + o.h, r.w, r.y + r.h - (o.y + o.h)},
            {r.x, r.y, r.w, o.y - r.y},
            {r.x, low, o.x - r.x, high - low},
            {o.x + o.w, low, r.x + r.w - (o.x + o.w), high - low},
        };
        for (const DamageRect& piece : pieces) fAddDamageCut(rects, piece, most, depth + 1);
        return;
    }
    rects.push_back(r);
    if (rects.size() <= std::max<size_t>(most, 1)) return;
    // Too many passes: the two whose union wastes the fewest pixels become
    // one, with every one that then crosses it.
    size_t bestI = 0, bestJ = 1;
    int64_t bestWaste = INT64_MAX;
    for (size_t i = 0; i < rects.size(); ++i)
        for (size_t j = i + 1; j < rects.size(); ++j) {
            const int64_t waste = area(join(rects[i], rects[j])) - area(rects[i]) - area(rects[j]);
            if (waste < bestWaste) {
                bestWaste = waste;
                bestI = i;
                bestJ = j;
            }
        }
    DamageRect u = join(rects[bestI], rects[bestJ]);
    rects.erase(rects.begin() + std::ptrdiff_t(bestJ));
    rects.erase(rects.begin() + std::ptrdiff_t(bestI));
    for (bool grew = true; grew;) {
        grew = false;
        for (size_t i = 0; i < rects.size(); ++i)
            if (fMeet(rects[i], u)) {
                u = join(rects[i], u);
                rects.erase(rects.begin() + std::ptrdiff_t(i));
                grew = true;
                break;
            }
    }
    rects.push_back(u);
}

// The rectangles of the window where the frame being presented may differ
// from the one on screen. Draws both frames hold alike, in the same order,
// draw the same pixels; of the others, a draw whose states equal those of
// the one at its place in the other frame reaches new pixels only with the
// primitives that differ; other draws may change every pixel they cover.
// False when the frames differ otherwise (a clear or a target between) or
// a box is unknown, or the rectangles would cover most of the window.
bool GlDevice::fFindDamage(int32_t width, int32_t height) {
    Impl& g = *mImpl;
    g.damage.clear();
    const auto& now = g.pending;
    const auto& was = g.shown;
    size_t front = 0;
    while (front < now.size() && front < was.size() && now[front] == was[front]) ++front;
    size_t back = 0;
    while (back < now.size() - front && back < was.size() - front &&
           now[now.size() - 1 - back] == was[was.size() - 1 - back])
        ++back;
    const size_t nowEnd = now.size() - back, wasEnd = was.size() - back;
    // Between them, the longest run of draws both frames hold in the same
    // order stays; draws moved by an insertion elsewhere are not new.
    const size_t n = nowEnd - front, m = wasEnd - front;
    std::vector<std::pair<size_t, size_t>> kept;  // places in now and was, in order
    // Frames that differ in many draws are not worth the search.
    if (n > 0 && m > 0 && n * m <= 4096) {
        std::vector<uint16_t> longest((n + 1) * (m + 1), 0);  // [i][j]: of now[i..], was[j..]
        auto at = [&](size_t i, size_t j) -> uint16_t& { return longest[i * (m + 1) + j]; };
        for (size_t i = n; i-- > 0;)
            for (size_t j = m; j-- > 0;)
                at(i, j) = now[front + i] == was[front + j] ? uint16_t(at(i + 1, j + 1) + 1)
                                                            : std::max(at(i + 1, j), at(i, j + 1));
        for (size_t i = 0, j = 0; i < n && j < m;) {
            if (now[front + i] == was[front + j]) {
                kept.emplace_back(front + i, front + j);
                ++i;
                ++j;
            } else if (at(i + 1, j) >= at(i, j + 1)) {
                ++i;
            } else {
                ++j;
            }
        }
    }
    kept.emplace_back(nowEnd, wasEnd);
    auto alone = [&](const GlPacket& packet) {
        return packet.fIsDraw() && fDamagePrimitives(packet, width, height, 0, SIZE_MAX);
    };
    size_t i = front, j = front;
    for (const auto& [keptNow, keptWas] : kept) {
        // Between two kept draws, a draw is paired with the next one of the
        // other frame that has its states, the pairs in the order of both.
        for (; i < keptNow; ++i) {
            const GlPacket& a = now[i];
            if (!a.fIsDraw()) return false;
            constexpr size_t kLOOK_AHEAD = 16;
            const size_t end = std::min(keptWas, j + kLOOK_AHEAD);
            size_t q = j;
            while (q < end && !a.fAlike(was[q])) ++q;
            if (q == end) {
                if (!alone(a)) return false;
                continue;
            }
            for (; j < q; ++j)
                if (!alone(was[j])) return false;
            if (!fDamageDraws(a, was[q], width, height)) return false;
            j = q + 1;
        }
        for (; j < keptWas; ++j)
            if (!alone(was[j])) return false;
        i = keptNow + 1;
        j = keptWas + 1;
    }
    int64_t area = 0;
    for (const DamageRect& r : g.damage) area += int64_t(r.w) * r.h;
    if (g.damage.empty() || area * 4 > int64_t(width) * height * 3) {
        g.damage.clear();
        return false;
    }
    return true;
}

bool GlDevice::fDamageDraws(const GlPacket& now, const GlPacket& was, int32_t width, int32_t height) {
    auto add = [&](const GlPacket& packet, size_t first, size_t end) {
        return fDamagePrimitives(packet, width, height, first, end);
    };
    if (!now.fAlike(was)) return add(now, 0, SIZE_MAX) && add(was, 0, SIZE_MAX);
    // Drawn another way (sampled or blended), every primitive may change.
    float clip[16];
    now.fClipMatrix(clip);
    if (fDrawChoices(now, clip, width, height) != fDrawChoices(was, clip, width, height))
        return add(now, 0, SIZE_MAX) && add(was, 0, SIZE_MAX);
    const size_t stride = now.fStride();
    const size_t per = now.fCorners();
    const bool indexed = now.fIndexed();
    auto vertex = [&](const GlPacket& p, size_t primitive, size_t corner) -> const uint8_t* {
        const size_t v = indexed ? p.indices[primitive * per + corner] : primitive * per + corner;
        return (v + 1) * stride <= p.vertices.size() ? p.vertices.data() + v * stride : nullptr;
    };
    auto same = [&](size_t i, size_t k) {
        for (size_t corner = 0; corner < per; ++corner) {
            const uint8_t* x = vertex(now, i, corner);
            const uint8_t* y = vertex(was, k, corner);
            if (!x || !y || std::memcmp(x, y, stride) != 0) return false;
        }
        return true;
    };
    const size_t nowCount = now.fPrimitives(), wasCount = was.fPrimitives();
    size_t front = 0;
    while (front < nowCount && front < wasCount && same(front, front)) ++front;
    size_t back = 0;
    while (back < nowCount - front && back < wasCount - front && same(nowCount - 1 - back, wasCount - 1 - back)) ++back;
    if (nowCount != wasCount) return add(now, front, nowCount - back) && add(was, front, wasCount - back);
    // As many primitives in both: those alike between stay.
    for (size_t k = front; k < nowCount - back; ++k)
        if (!same(k, k) && !(add(now, k, k + 1) && add(was, k, k + 1))) return false;
    return true;
}

// Each primitive's box joins the damage on its own, so that a draw spread
// over the window damages only where its primitives lie.
bool GlDevice::fDamagePrimitives(const GlPacket& packet, int32_t width, int32_t height, size_t first, size_t end) {
    for (size_t k = first; k < std::min(end, packet.fPrimitives()); ++k) {
        float box[4] = {1e30f, 1e30f, -1e30f, -1e30f};
        if (!packet.fBox(width, height, box, k, k + 1)) return false;
        fAddDamage(mImpl->damage, fPixelRect(box, width, height));
    }
    return true;
}

}  // namespace host
