#pragma once

#include <cstdint>
#include <map>

#include <pugixml.hpp>

#include "SERVICE/KS_RESULT.h"
#include "engine/resources/KS_GLYPH.h"

namespace KEL {

class KC_QUAD;
class KC_TEXTURE;
struct KS_TRANSFORM3;

// A bitmap font in AngelCode's BMFont XML layout: one page texture and a
// table of glyph rectangles. Narrow and wide texts with line feeds are placed
// by one of nine anchors and drawn glyph by glyph through one quad, so the
// glyphs of a text share a batch.
class KC_FONT {
public:
    static constexpr uint32_t kMIN_CAPACITY = 600;
    // The largest magnitude of any number in a font description (glyph
    // rectangles, offsets, advances, line height); widths, heights and the
    // line height must also not be negative.
    static constexpr int32_t kMAX_METRIC = 32767;

    // Reads the BMFont "font" node with the page texture; buffers hold
    // max(600, capacity) characters.
    KC_FONT(const pugi::xml_node& font, KC_TEXTURE* texture, uint32_t capacity);
    ~KC_FONT();
    KC_FONT(const KC_FONT&) = delete;
    KC_FONT& operator=(const KC_FONT&) = delete;

    // 1, or -1 when no glyph was read or any number lies outside the limits
    // above (the font then has no glyph and draws nothing).
    int32_t fLoad(const pugi::xml_node& font, KC_TEXTURE* texture);
    // Page size from "scaleW"/"scaleH"; the quad's texture is kept. The
    // same results as fLoad.
    int32_t fLoadWithTexture(const pugi::xml_node& font);
    int32_t fInitXml(const pugi::xml_node& font, KC_TEXTURE* texture, uint32_t capacity);

    void fSetColor(uint32_t color);
    int32_t fGetLineHeight() const { return mLineHeight; }
    const KS_GLYPH* fGetFirstGlyph() const;
    KC_TEXTURE* fGetTexture() const;
    void fSetTexture(KC_TEXTURE* texture);
    void fSetHotSpot(int32_t anchor, float dx, float dy);
    KC_QUAD* fGetQuad() const { return mQuad; }
    int32_t fMeasureFixedW(const wchar_t* text) const;

    // The code's glyph, else the "?" glyph, else null.
    const KS_GLYPH* fGetGlyph(uint32_t code) const;
    // The code's own advance, 0 when it has no glyph.
    int32_t fGetAdvance(uint32_t code) const;
    // Draws one glyph with its top-left pen at (x, y); its advance, or 0.
    int32_t fDrawGlyph(uint32_t code, float x, float y);

    // Width of the first line.
    int32_t fMeasureW(const wchar_t* text) const;
    int32_t fMeasure(const char* text) const;
    static int32_t fCountLines(const char* text);
    static int32_t fCountLinesW(const wchar_t* text);
    static int32_t fLineLength(const wchar_t* text);

    // Offsets of the text block from the anchor.
    int32_t fGetOffsetX(const char* text) const;
    int32_t fGetOffsetXW(const wchar_t* text) const;
    int32_t fGetOffsetY(const char* text) const;
    int32_t fGetOffsetYW(const wchar_t* text) const;

    void fDrawW(float x, float y, const wchar_t* text);
    void fDraw(float x, float y, const char* text);
    void fPrintW(float x, float y, const wchar_t* format, ...);
    void fPrint(float x, float y, const char* format, ...);
    // Draws the text as it is (never as a format) in the given transform's
    // place, anchored as given.
    void fDrawAt(const KS_TRANSFORM3& transform, int32_t anchor, const wchar_t* text);

    static int32_t fQueryStub(void* argument) { return KS_RESULT::kFAILED; }
    static int32_t fOpenStub(void* argument) { return KS_RESULT::kSTART_FAILED; }

    int32_t fGetGlyphCount() const { return mGlyphCount; }
    int32_t fGetSpacing() const { return mSpacing; }
    void fSetSpacing(int32_t spacing) { mSpacing = spacing; }
    int32_t fGetLineSpacing() const { return mLineSpacing; }
    void fSetLineSpacing(int32_t spacing) { mLineSpacing = spacing; }
    int32_t fGetFixedWidth() const { return mFixedWidth; }
    int32_t fGetAnchor() const { return mAnchor; }
    void fSetAnchor(int32_t anchor) { mAnchor = anchor; }
    float fGetPageWidth() const { return mPageWidth; }
    float fGetPageHeight() const { return mPageHeight; }
    uint32_t fGetCapacity() const { return mCapacity; }

private:
    void fClearGlyphs();
    int32_t fReadGlyphs(const pugi::xml_node& font);
    // False (line height 0) when it lies outside [0, kMAX_METRIC].
    bool fReadLineHeight(const pugi::xml_node& font);
    float fScaleX() const;
    // Where the given line of a text starting at y (offset by offsetY) goes.
    float fLineTop(int32_t line, float y, int32_t offsetY) const;
    float fScaleY() const;

    KC_QUAD* mQuad = nullptr;
    int32_t mGlyphCount = 0;
    int32_t mSpacing = 0;
    int32_t mLineSpacing = 0;
    int32_t mLineHeight = 0;
    int32_t mFixedWidth = 0;
    std::map<uint32_t, KS_GLYPH*> mGlyphs;
    char* mNarrow = nullptr;
    wchar_t* mWide = nullptr;
    float mPageWidth = 0.0f;
    float mPageHeight = 0.0f;
    int32_t mAnchor = 0;
    uint32_t mCapacity = 0;
};

}  // namespace KEL
