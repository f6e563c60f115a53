#include "tools/lib/ContactSheet.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

// Private copies of the PNG reader and writer: the tests link their own.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include "stb_image_write.h"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include "stb_easy_font.h"
#include "stb_image.h"
#pragma GCC diagnostic pop

namespace tools {

namespace fs = std::filesystem;

void ContactSheet::fAdd(const std::string& name, int width, int height, const std::vector<uint8_t>& rgba) {
    if (width <= 0 || height <= 0 || rgba.size() < size_t(width) * size_t(height) * 4) return;
    mPictures.push_back({name, width, height, rgba});
}

bool ContactSheet::fAddFolder(const std::string& folder, const std::string& skipName) {
    std::error_code error;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const fs::path& p = entry.path();
        if (entry.is_regular_file() && p.extension() == ".png" && p.filename() != skipName) files.push_back(p);
    }
    if (error) return false;
    std::sort(files.begin(), files.end());
    for (const fs::path& p : files) {
        int w = 0, h = 0, n = 0;
        unsigned char* pixels = stbi_load(p.string().c_str(), &w, &h, &n, 4);
        if (!pixels) continue;
        fAdd(p.stem().string(), w, h, std::vector<uint8_t>(pixels, pixels + size_t(w) * size_t(h) * 4));
        stbi_image_free(pixels);
    }
    return true;
}

// Near square: as many columns as rows, or one more.
int ContactSheet::fColumns() const {
    const int n = static_cast<int>(mPictures.size());
    return std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n)))));
}

// Box filter over the source pixels each tile pixel covers, keeping the
// picture's proportions inside the tile.
void ContactSheet::fBlitScaled(const PICTURE& p, std::vector<uint8_t>& out, int outW, int x0, int y0) {
    const double scale = std::min(double(kTILE_W) / p.width, double(kTILE_H) / p.height);
    const int w = std::max(1, int(p.width * scale)), h = std::max(1, int(p.height * scale));
    x0 += (kTILE_W - w) / 2;
    y0 += (kTILE_H - h) / 2;
    for (int y = 0; y < h; ++y) {
        const int sy0 = int(y / scale), sy1 = std::max(sy0 + 1, std::min(p.height, int((y + 1) / scale)));
        for (int x = 0; x < w; ++x) {
            const int sx0 = int(x / scale), sx1 = std::max(sx0 + 1, std::min(p.width, int((x + 1) / scale)));
            unsigned sum[4] = {0, 0, 0, 0}, count = 0;
            for (int sy = sy0; sy < sy1 && sy < p.height; ++sy)
                for (int sx = sx0; sx < sx1 && sx < p.width; ++sx, ++count)
                    for (int c = 0; c < 4; ++c) sum[c] += p.rgba[(size_t(sy) * p.width + sx) * 4 + c];
            uint8_t* dst = &out[(size_t(y0 + y) * outW + x0 + x) * 4];
            for (int c = 0; c < 3; ++c) dst[c] = uint8_t(count ? sum[c] / count : 0);
            dst[3] = 255;
        }
    }
}

// stb_easy_font gives the text as axis-aligned quads; each is filled white.
void ContactSheet::fWriteText(const std::string& text, std::vector<uint8_t>& out, int outW, int outH, int x0, int y0) {
    static char buffer[64000];
    struct VERTEX {
        float x, y, z;
        unsigned char color[4];
    };
    const int quads = stb_easy_font_print(0, 0, const_cast<char*>(text.c_str()), nullptr, buffer, sizeof buffer);
    const auto* v = reinterpret_cast<const VERTEX*>(buffer);
    for (int q = 0; q < quads; ++q, v += 4) {
        const int left = x0 + int(v[0].x), top = y0 + int(v[0].y);
        const int right = x0 + int(v[2].x), bottom = y0 + int(v[2].y);
        for (int y = std::max(0, top); y < std::min(outH, bottom); ++y)
            for (int x = std::max(0, left); x < std::min(outW, right); ++x) {
                uint8_t* dst = &out[(size_t(y) * outW + x) * 4];
                dst[0] = dst[1] = dst[2] = 255;
            }
    }
}

std::vector<uint8_t> ContactSheet::fCompose(int& width, int& height) const {
    const int columns = fColumns();
    const int rows = std::max(1, (static_cast<int>(mPictures.size()) + columns - 1) / columns);
    width = kGAP + columns * (kTILE_W + kGAP);
    height = kGAP + rows * (kTILE_H + kLABEL_H + kGAP);
    std::vector<uint8_t> out(size_t(width) * size_t(height) * 4, 0);
    for (size_t i = 0; i < out.size(); i += 4) {
        out[i] = out[i + 1] = 0x30;
        out[i + 2] = 0x38;
        out[i + 3] = 255;
    }
    for (size_t i = 0; i < mPictures.size(); ++i) {
        const int x = kGAP + int(i % columns) * (kTILE_W + kGAP);
        const int y = kGAP + int(i / columns) * (kTILE_H + kLABEL_H + kGAP);
        fBlitScaled(mPictures[i], out, width, x, y);
        fWriteText(mPictures[i].name, out, width, height, x + 2, y + kTILE_H + 4);
    }
    return out;
}

bool ContactSheet::fWritePng(const std::string& path) const {
    int width = 0, height = 0;
    const std::vector<uint8_t> pixels = fCompose(width, height);
    return stbi_write_png(path.c_str(), width, height, 4, pixels.data(), width * 4) != 0;
}

}  // namespace tools
