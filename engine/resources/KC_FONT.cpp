#include "engine/resources/KC_FONT.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "SERVICE/KS_RESULT.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/scene/KC_QUAD.h"
#include "engine/scene/KE_ANCHOR.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/KF_SMALL_HELPERS.h"
#include "engine/util/KF_WFORMAT.h"

namespace KEL {

namespace {

constexpr uint32_t kFALLBACK = 63;  // "?"

// A measured length as an int that can still be negated: texts, spacings
// and scales are not bounded, so measuring runs in wide arithmetic.
int32_t fToMeasure(double value) { return std::max(fClampToInt(value), -INT_MAX); }

// Narrow texts are read byte by byte as signed character codes.
uint32_t fNarrowCode(char c) { return static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c))); }

}  // namespace

KC_FONT::KC_FONT(const pugi::xml_node& font, KC_TEXTURE* texture, uint32_t capacity) {
    mCapacity = std::max(kMIN_CAPACITY, capacity);
    mNarrow = new char[mCapacity]();
    mWide = new wchar_t[mCapacity]();
    fLoad(font, texture);
    mSpacing = 0;
    mLineSpacing = 0;
}

KC_FONT::~KC_FONT() {
    delete[] mNarrow;
    delete[] mWide;
    delete mQuad;
    fClearGlyphs();
}

void KC_FONT::fClearGlyphs() {
    for (auto& [code, glyph] : mGlyphs) delete glyph;
    mGlyphs.clear();
    mGlyphCount = 0;
}

namespace {

// A font number as read, or false when it lies outside [low, kMAX_METRIC].
bool fMetric(const pugi::xml_node& item, const char* name, int32_t low, int32_t& out) {
    const long long value = item.attribute(name).as_llong();
    if (value < low || value > KC_FONT::kMAX_METRIC) return false;
    out = static_cast<int32_t>(value);
    return true;
}

bool fReadGlyph(const pugi::xml_node& item, float pageWidth, float pageHeight, KS_GLYPH& glyph) {
    constexpr int32_t kLow = -KC_FONT::kMAX_METRIC;
    int32_t x = 0, y = 0;
    glyph.mCode = item.attribute("id").as_uint();
    if (!fMetric(item, "x", kLow, x) || !fMetric(item, "y", kLow, y) || !fMetric(item, "width", 0, glyph.mWidth) ||
        !fMetric(item, "height", 0, glyph.mHeight) || !fMetric(item, "xoffset", kLow, glyph.mXOffset) ||
        !fMetric(item, "yoffset", kLow, glyph.mYOffset) || !fMetric(item, "xadvance", kLow, glyph.mXAdvance))
        return false;
    glyph.mLeft = x / pageWidth;
    glyph.mTop = y / pageHeight;
    glyph.mRight = (x + glyph.mWidth) / pageWidth;
    glyph.mBottom = (y + glyph.mHeight) / pageHeight;
    return true;
}

}  // namespace

int32_t KC_FONT::fReadGlyphs(const pugi::xml_node& font) {
    fClearGlyphs();
    const float width = mPageWidth > 0.0f ? mPageWidth : 1.0f;
    const float height = mPageHeight > 0.0f ? mPageHeight : 1.0f;
    for (pugi::xml_node item : font.child("chars").children("char")) {
        KS_GLYPH read;
        if (!fReadGlyph(item, width, height, read)) {
            // One impossible number and the whole description is suspect.
            fClearGlyphs();
            return 0;
        }
        KS_GLYPH*& slot = mGlyphs[read.mCode];
        delete slot;  // a repeated id replaces the earlier glyph
        slot = new KS_GLYPH(read);
        ++mGlyphCount;
    }
    return mGlyphCount;
}

bool KC_FONT::fReadLineHeight(const pugi::xml_node& font) {
    mLineHeight = 0;
    return fMetric(font.child("common"), "lineHeight", 0, mLineHeight);
}

int32_t KC_FONT::fLoad(const pugi::xml_node& font, KC_TEXTURE* texture) {
    const bool lineHeightRead = fReadLineHeight(font);
    mSpacing = 0;
    if (!mQuad) mQuad = new KC_QUAD();
    else mQuad->fFreeBuffers();
    mQuad->fInitEmpty();
    if (texture) mQuad->fInitFromTexture(texture, nullptr);
    mPageWidth = texture ? static_cast<float>(texture->fGetWidth()) : 0.0f;
    mPageHeight = texture ? static_cast<float>(texture->fGetHeight()) : 0.0f;
    mFixedWidth = 0;
    if (!lineHeightRead) {
        fClearGlyphs();
        return KS_RESULT::kFAILED;
    }
    if (fReadGlyphs(font) == 0) return KS_RESULT::kFAILED;
    mFixedWidth = 20;
    mQuad->fSetHotSpot(kANCHOR_CENTRE, 0.0f, 0.0f);
    mAnchor = 0;
    return KS_RESULT::kOK;
}

int32_t KC_FONT::fLoadWithTexture(const pugi::xml_node& font) {
    const pugi::xml_node common = font.child("common");
    mPageWidth = common.attribute("scaleW").as_float();
    mPageHeight = common.attribute("scaleH").as_float();
    mSpacing = 0;
    if (!fReadLineHeight(font)) {
        fClearGlyphs();
        return KS_RESULT::kFAILED;
    }
    if (fReadGlyphs(font) == 0) return KS_RESULT::kFAILED;
    // Every glyph's numbers were checked above, the first one's width too.
    const pugi::xml_node first = font.child("chars").child("char");
    mFixedWidth = first.attribute("width").as_int();
    mAnchor = 0;
    return KS_RESULT::kOK;
}

int32_t KC_FONT::fInitXml(const pugi::xml_node& font, KC_TEXTURE* texture, uint32_t capacity) {
    const uint32_t wanted = std::max(kMIN_CAPACITY, capacity);
    if (wanted != mCapacity) {
        delete[] mNarrow;
        delete[] mWide;
        mCapacity = wanted;
        mNarrow = new char[mCapacity]();
        mWide = new wchar_t[mCapacity]();
    }
    if (!mQuad) mQuad = new KC_QUAD();
    else mQuad->fFreeBuffers();
    mQuad->fInitEmpty();
    if (texture) mQuad->fInitFromTexture(texture, nullptr);
    mQuad->fSetHotSpot(kANCHOR_CENTRE, 0.0f, 0.0f);
    return fLoadWithTexture(font);
}

void KC_FONT::fSetColor(uint32_t color) {
    if (mQuad) mQuad->fSetColor(color);
}

const KS_GLYPH* KC_FONT::fGetFirstGlyph() const { return mGlyphs.empty() ? nullptr : mGlyphs.begin()->second; }

KC_TEXTURE* KC_FONT::fGetTexture() const { return mQuad ? mQuad->fGetTexture() : nullptr; }

void KC_FONT::fSetTexture(KC_TEXTURE* texture) {
    if (mQuad) mQuad->fSetTexture(texture);
}

void KC_FONT::fSetHotSpot(int32_t anchor, float dx, float dy) {
    if (mQuad) mQuad->fSetHotSpot(anchor, dx, dy);
}

float KC_FONT::fScaleX() const {
    const KS_TRANSFORM3* transform = mQuad ? mQuad->fGetTransform() : nullptr;
    return transform ? transform->mScale.x : 1.0f;
}

float KC_FONT::fScaleY() const {
    const KS_TRANSFORM3* transform = mQuad ? mQuad->fGetTransform() : nullptr;
    return transform ? transform->mScale.y : 1.0f;
}

int32_t KC_FONT::fMeasureFixedW(const wchar_t* text) const {
    return fToMeasure(double(fLineLength(text)) * (double(mFixedWidth) + mSpacing));
}

const KS_GLYPH* KC_FONT::fGetGlyph(uint32_t code) const {
    auto it = mGlyphs.find(code);
    if (it != mGlyphs.end()) return it->second;
    it = mGlyphs.find(kFALLBACK);
    return it != mGlyphs.end() ? it->second : nullptr;
}

int32_t KC_FONT::fGetAdvance(uint32_t code) const {
    auto it = mGlyphs.find(code);
    return it != mGlyphs.end() ? it->second->mXAdvance : 0;
}

int32_t KC_FONT::fDrawGlyph(uint32_t code, float x, float y) {
    const KS_GLYPH* glyph = fGetGlyph(code);
    if (!glyph || !mQuad || !mQuad->fGetTransform()) return 0;
    mQuad->fDrawRegion(x + glyph->mXOffset, y + glyph->mYOffset * fScaleY(), glyph->mLeft, glyph->mTop, glyph->mRight,
                       glyph->mBottom, glyph->mWidth, glyph->mHeight);
    return glyph->mXAdvance;
}

// --- measuring ---------------------------------------------------------------

int32_t KC_FONT::fMeasureW(const wchar_t* text) const {
    if (!text) return 0;
    const float scale = fScaleX();
    int32_t width = 0;
    for (const wchar_t* p = text; *p && *p != L'\n'; ++p) {
        const int32_t advance = fGetAdvance(static_cast<uint32_t>(*p));
        if (advance > 0) width = fToMeasure(width + (double(advance) + mSpacing) * scale);
    }
    return width;
}

int32_t KC_FONT::fMeasure(const char* text) const {
    if (!text) return 0;
    int64_t width = 0;
    for (const char* p = text; *p && *p != '\n'; ++p) {
        auto it = mGlyphs.find(fNarrowCode(*p));
        if (it == mGlyphs.end()) return 0;
        width = fToMeasure(double(width) + it->second->mWidth + mSpacing);
    }
    return static_cast<int32_t>(width);
}

int32_t KC_FONT::fCountLines(const char* text) {
    if (!text) return 1;
    return 1 + static_cast<int32_t>(std::count(text, text + std::strlen(text), '\n'));
}

int32_t KC_FONT::fCountLinesW(const wchar_t* text) {
    if (!text) return 1;
    return 1 + static_cast<int32_t>(std::count(text, text + std::wcslen(text), L'\n'));
}

int32_t KC_FONT::fLineLength(const wchar_t* text) {
    int32_t length = 0;
    if (text)
        while (text[length] && text[length] != L'\n') ++length;
    return length;
}

// --- anchors -------------------------------------------------------------------
// The narrow and wide tables differ on purpose: layouts are tuned to them.

int32_t KC_FONT::fGetOffsetXW(const wchar_t* text) const {
    const int32_t w = fMeasureW(text);
    switch (mAnchor) {
        case 1:
        case 4:
        case 7: return -w / 2;
        case 2:
        case 5:
        case 8: return -w;
        default: return 0;
    }
}

int32_t KC_FONT::fGetOffsetX(const char* text) const {
    const int32_t w = fMeasure(text);
    switch (mAnchor) {
        case 1:
        case 4:
        case 7: return static_cast<int32_t>(-0.5 * w);
        case 5:
        case 8: return -w;
        default: return 0;
    }
}

int32_t KC_FONT::fGetOffsetYW(const wchar_t* text) const {
    const int32_t h = fToMeasure(double(fCountLinesW(text)) * mLineHeight);
    switch (mAnchor) {
        case 1: return h / 2;
        case 3:
        case 4:
        case 5: return static_cast<int32_t>(-0.5 * h);
        case 6:
        case 7:
        case 8: return h / 2 - 1;
        default: return 0;
    }
}

int32_t KC_FONT::fGetOffsetY(const char* text) const {
    const int32_t h = fToMeasure(double(fCountLines(text)) * mLineHeight);
    switch (mAnchor) {
        case 0:
        case 1: return h / 2;
        case 3:
        case 4:
        case 5:
        case 8: return -h;
        default: return 0;
    }
}

// --- drawing -------------------------------------------------------------------

float KC_FONT::fLineTop(int32_t line, float y, int32_t offsetY) const {
    return static_cast<float>(double(line) * mLineHeight + y + offsetY + double(line) * mLineSpacing);
}

void KC_FONT::fDrawW(float x, float y, const wchar_t* text) {
    if (!text || !*text) return;
    int32_t ox = fGetOffsetXW(text);
    const int32_t oy = fGetOffsetYW(text);
    const float scale = fScaleX();
    float pen = 0.0f;
    int32_t line = 0;
    for (const wchar_t* p = text; *p; ++p) {
        if (*p == L'\n') {
            ++line;
            ox = fGetOffsetXW(p + 1);
            pen = 0.0f;
            continue;
        }
        const float penX = static_cast<float>(fClampToInt(double(pen) + x + ox));
        const float penY = fLineTop(line, y, oy);
        const int32_t advance = fDrawGlyph(static_cast<uint32_t>(*p), penX, penY);
        if (advance != 0) pen += static_cast<float>((double(advance) + mSpacing) * scale);
    }
}

void KC_FONT::fDraw(float x, float y, const char* text) {
    if (!text || !*text) return;
    int32_t ox = fGetOffsetX(text);
    const int32_t oy = fGetOffsetY(text);
    int64_t pen = 0;
    int32_t line = 0;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') {
            ++line;
            ox = fGetOffsetX(p + 1);
            pen = 0;
            continue;
        }
        const float penY = fLineTop(line, y, oy);
        pen += int64_t{fDrawGlyph(fNarrowCode(*p), static_cast<float>(pen) + x + ox, penY)} + mSpacing;
    }
}

void KC_FONT::fPrintW(float x, float y, const wchar_t* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    const int32_t written = fWFormatV(mWide, mCapacity, format, arguments);
    va_end(arguments);
    if (written > 0) fDrawW(x, y, mWide);
}

void KC_FONT::fPrint(float x, float y, const char* format, ...) {
    if (!format) return;
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(mNarrow, mCapacity - 4, format, arguments);
    va_end(arguments);
    fDraw(x, y, mNarrow);
}

void KC_FONT::fDrawAt(const KS_TRANSFORM3& transform, int32_t anchor, const wchar_t* text) {
    if (!mQuad || !text) return;
    KS_TRANSFORM3* own = mQuad->fGetTransform();
    if (!own) return;
    KS_TRANSFORM3 absolute = transform.fGetAbsolute();
    absolute.mParent = nullptr;  // the parents are in it already
    KS_TRANSFORM3* parent = own->mParent;
    const int32_t savedAnchor = mAnchor;
    own->mParent = &absolute;
    mAnchor = anchor;
    // The text is drawn as it is: a player's name may hold "%s".
    const size_t length = std::min<size_t>(std::wcslen(text), mCapacity - 1);
    std::wmemcpy(mWide, text, length);
    mWide[length] = 0;
    fDrawW(0.0f, 0.0f, mWide);
    own->mParent = parent;
    mAnchor = savedAnchor;
}

}  // namespace KEL
