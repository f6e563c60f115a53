#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

// Renders a bitmap font from a TrueType face through FreeType: one page of
// glyphs (white, so the game tints them) with an optional dark outline, and
// its description in AngelCode's BMFont XML layout.
class BmFontBuilder {
public:
    struct Glyph {
        uint32_t id = 0;
        int x = 0, y = 0, width = 0, height = 0;
        int xoffset = 0, yoffset = 0, xadvance = 0;
    };

    // Character ranges as text: "32-126,160-255,8364". False on bad text.
    static bool fParseRanges(const std::string& text, std::vector<uint32_t>& codes);

    // Renders `codes` (those the face lacks are skipped) at `pixelSize`.
    // False with a message when the face cannot be used.
    bool fBuild(const std::string& facePath, int pixelSize, const std::vector<uint32_t>& codes, int outline,
                uint32_t outlineRgb, int pageWidth, std::string& error);

    std::string fXml(const std::string& faceName, const std::string& pageFile) const;
    bool fWritePng(const std::string& path) const;

    // Glyph width as a percentage of the pixel size (100: the face's own
    // shape); below 100 narrows every glyph and its advance, so that
    // numbers keep apart in little room. Set before fBuild.
    int mWidthPercent = 100;

    int mLineHeight = 0;
    int mBase = 0;
    int mSize = 0;
    int mPageW = 0, mPageH = 0;
    std::vector<Glyph> mGlyphs;
    std::vector<uint8_t> mPixels;  // RGBA, mPageW x mPageH
};

}  // namespace tools
