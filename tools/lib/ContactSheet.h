#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

// One picture holding every screen picture of a test run side by side, each
// shrunk to a tile with its name written under it, so a single look shows
// the whole game.
class ContactSheet {
public:
    static constexpr int kTILE_W = 256;
    static constexpr int kTILE_H = 192;
    static constexpr int kLABEL_H = 16;
    static constexpr int kGAP = 6;

    // Adds a picture (RGBA, 4 bytes a pixel) under its name.
    void fAdd(const std::string& name, int width, int height, const std::vector<uint8_t>& rgba);
    // Every *.png of the folder but the sheet itself, in name order; false
    // when the folder cannot be read. Pictures that do not decode are left out.
    bool fAddFolder(const std::string& folder, const std::string& skipName);

    // Tiles in rows of fColumns(), RGBA.
    std::vector<uint8_t> fCompose(int& width, int& height) const;
    bool fWritePng(const std::string& path) const;

    int fColumns() const;
    size_t fCount() const { return mPictures.size(); }

private:
    struct PICTURE {
        std::string name;
        int width = 0, height = 0;
        std::vector<uint8_t> rgba;
    };
    static void fBlitScaled(const PICTURE& p, std::vector<uint8_t>& out, int outW, int x0, int y0);
    static void fWriteText(const std::string& text, std::vector<uint8_t>& out, int outW, int outH, int x0, int y0);

    std::vector<PICTURE> mPictures;
};

}  // namespace tools
