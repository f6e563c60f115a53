#include "tools/lib/BmFontBuilder.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

// Private copy of the PNG writer, so it cannot clash with another one linked
// into the same program.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include "stb_image_write.h"
#pragma GCC diagnostic pop

namespace tools {

namespace {

struct Bitmap {
    int w = 0, h = 0;
    std::vector<uint8_t> fill, edge;  // coverage of the glyph and of its outline
};

std::string fFileName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool BmFontBuilder::fParseRanges(const std::string& text, std::vector<uint32_t>& codes) {
    codes.clear();
    std::istringstream in(text);
    std::string piece;
    while (std::getline(in, piece, ',')) {
        if (piece.empty()) return false;
        char* end = nullptr;
        const unsigned long a = std::strtoul(piece.c_str(), &end, 0);
        unsigned long b = a;
        if (*end == '-') b = std::strtoul(end + 1, &end, 0);
        if (*end != '\0' || b < a || b > 0x10FFFF) return false;
        for (unsigned long c = a; c <= b; ++c) codes.push_back(static_cast<uint32_t>(c));
    }
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return !codes.empty();
}

bool BmFontBuilder::fBuild(const std::string& facePath, int pixelSize, const std::vector<uint32_t>& codes, int outline,
                           uint32_t outlineRgb, int pageWidth, std::string& error) {
    mGlyphs.clear();
    mPixels.clear();
    mSize = pixelSize;
    if (pixelSize <= 0 || outline < 0 || pageWidth <= 0 || mWidthPercent < 25 || mWidthPercent > 400) {
        error = "bad size, width, outline or page width";
        return false;
    }
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) {
        error = "FreeType does not start";
        return false;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(lib, facePath.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(lib);
        error = "cannot open face " + facePath;
        return false;
    }
    const int widthPixels = std::max(1, (pixelSize * mWidthPercent + 50) / 100);
    FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(widthPixels), static_cast<FT_UInt>(pixelSize));
    const int r = outline;
    mBase = static_cast<int>(face->size->metrics.ascender >> 6) + r;
    mLineHeight = static_cast<int>(face->size->metrics.height >> 6) + 2 * r;

    std::vector<Bitmap> bitmaps;
    for (uint32_t code : codes) {
        const FT_UInt index = FT_Get_Char_Index(face, code);
        if (index == 0 && code != 0) continue;
        if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) continue;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& src = slot->bitmap;
        Glyph g;
        g.id = code;
        g.xadvance = static_cast<int>(slot->advance.x >> 6);
        Bitmap bm;
        if (src.width > 0 && src.rows > 0) {
            bm.w = static_cast<int>(src.width) + 2 * r;
            bm.h = static_cast<int>(src.rows) + 2 * r;
            bm.fill.assign(static_cast<size_t>(bm.w) * bm.h, 0);
            for (unsigned y = 0; y < src.rows; ++y)
                for (unsigned x = 0; x < src.width; ++x)
                    bm.fill[(y + r) * bm.w + x + r] = src.buffer[y * src.pitch + x];
            bm.edge = bm.fill;
            if (r > 0) {
                // Outline: the glyph spread over a disc of radius r, edges
                // smoothed by their distance to the disc's rim.
                const float rim = static_cast<float>(r) + 0.5f;
                for (int y = 0; y < bm.h; ++y)
                    for (int x = 0; x < bm.w; ++x) {
                        float best = 0;
                        for (int dy = -r; dy <= r; ++dy)
                            for (int dx = -r; dx <= r; ++dx) {
                                const int sx = x + dx, sy = y + dy;
                                if (sx < 0 || sy < 0 || sx >= bm.w || sy >= bm.h) continue;
                                const float weight = std::clamp(rim - std::sqrt(float(dx * dx + dy * dy)), 0.f, 1.f);
                                best = std::max(best, bm.fill[sy * bm.w + sx] * weight);
                            }
                        bm.edge[y * bm.w + x] = static_cast<uint8_t>(std::lround(best));
                    }
            }
            g.width = bm.w;
            g.height = bm.h;
            g.xoffset = slot->bitmap_left - r;
            g.yoffset = mBase - r - slot->bitmap_top;
        }
        mGlyphs.push_back(g);
        bitmaps.push_back(std::move(bm));
    }
    FT_Done_Face(face);
    FT_Done_FreeType(lib);
    if (mGlyphs.empty()) {
        error = "the face has none of the characters";
        return false;
    }

    // Shelf packing, tallest glyphs first, one pixel of air around each.
    std::vector<size_t> order(mGlyphs.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return mGlyphs[a].height > mGlyphs[b].height; });
    int x = 1, y = 1, shelf = 0;
    for (size_t i : order) {
        Glyph& g = mGlyphs[i];
        if (g.width + 2 > pageWidth) {
            error = "page too narrow for a glyph";
            return false;
        }
        if (x + g.width + 1 > pageWidth) {
            x = 1;
            y += shelf + 1;
            shelf = 0;
        }
        g.x = x;
        g.y = y;
        x += g.width + 1;
        shelf = std::max(shelf, g.height);
    }
    mPageW = pageWidth;
    mPageH = (y + shelf + 1 + 3) / 4 * 4;
    mPixels.assign(static_cast<size_t>(mPageW) * mPageH * 4, 0);
    const float orr = static_cast<float>((outlineRgb >> 16) & 0xFF);
    const float org = static_cast<float>((outlineRgb >> 8) & 0xFF);
    const float orb = static_cast<float>(outlineRgb & 0xFF);
    for (size_t i = 0; i < mGlyphs.size(); ++i) {
        const Glyph& g = mGlyphs[i];
        const Bitmap& bm = bitmaps[i];
        for (int py = 0; py < bm.h; ++py)
            for (int px = 0; px < bm.w; ++px) {
                const float a = bm.fill[py * bm.w + px] / 255.f;
                const float o = bm.edge[py * bm.w + px] / 255.f;
                const float outA = a + o * (1 - a);
                uint8_t* p = &mPixels[(static_cast<size_t>(g.y + py) * mPageW + g.x + px) * 4];
                if (outA <= 0) continue;
                const float k = o * (1 - a);
                p[0] = static_cast<uint8_t>(std::lround((255 * a + orr * k) / outA));
                p[1] = static_cast<uint8_t>(std::lround((255 * a + org * k) / outA));
                p[2] = static_cast<uint8_t>(std::lround((255 * a + orb * k) / outA));
                p[3] = static_cast<uint8_t>(std::lround(outA * 255));
            }
    }
    std::sort(mGlyphs.begin(), mGlyphs.end(), [](const Glyph& a, const Glyph& b) { return a.id < b.id; });
    return true;
}

std::string BmFontBuilder::fXml(const std::string& faceName, const std::string& pageFile) const {
    std::ostringstream out;
    out << "<?xml version=\"1.0\"?>\n<font>\n";
    out << "  <info face=\"" << faceName << "\" size=\"" << mSize
        << "\" bold=\"0\" italic=\"0\" charset=\"\" unicode=\"1\" stretchH=\"100\" smooth=\"1\" aa=\"1\" "
           "padding=\"0,0,0,0\" spacing=\"1,1\" outline=\"0\"/>\n";
    out << "  <common lineHeight=\"" << mLineHeight << "\" base=\"" << mBase << "\" scaleW=\"" << mPageW
        << "\" scaleH=\"" << mPageH
        << "\" pages=\"1\" packed=\"0\" alphaChnl=\"0\" redChnl=\"0\" greenChnl=\"0\" blueChnl=\"0\"/>\n";
    out << "  <pages>\n    <page id=\"0\" file=\"" << fFileName(pageFile) << "\"/>\n  </pages>\n";
    out << "  <chars count=\"" << mGlyphs.size() << "\">\n";
    for (const Glyph& g : mGlyphs) {
        out << "    <char id=\"" << g.id << "\" x=\"" << g.x << "\" y=\"" << g.y << "\" width=\"" << g.width
            << "\" height=\"" << g.height << "\" xoffset=\"" << g.xoffset << "\" yoffset=\"" << g.yoffset
            << "\" xadvance=\"" << g.xadvance << "\" page=\"0\" chnl=\"15\"/>\n";
    }
    out << "  </chars>\n</font>\n";
    return out.str();
}

bool BmFontBuilder::fWritePng(const std::string& path) const {
    if (mPixels.empty()) return false;
    return stbi_write_png(path.c_str(), mPageW, mPageH, 4, mPixels.data(), mPageW * 4) != 0;
}

}  // namespace tools
