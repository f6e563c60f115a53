// The contact sheet of a test run: every screen picture on one sheet, in
// name order, shrunk into its tile with its proportions kept, named under
// it; the sheet never takes itself in.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestEnvironment.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include "stb/stb_image.h"
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include "stb/stb_image_write.h"
#pragma GCC diagnostic pop
#include "tools/lib/ContactSheet.h"

using testsupport::TestEnvironment;
using tools::ContactSheet;

namespace {

std::vector<uint8_t> fPlain(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> p(size_t(w) * h * 4);
    for (size_t i = 0; i < p.size(); i += 4) {
        p[i] = r;
        p[i + 1] = g;
        p[i + 2] = b;
        p[i + 3] = 255;
    }
    return p;
}

const uint8_t* fAt(const std::vector<uint8_t>& p, int width, int x, int y) { return &p[(size_t(y) * width + x) * 4]; }

}  // namespace

TEST(ContactSheet, TilesEveryPictureInRowsKeepingItsShapeAndNamesIt) {
    ContactSheet sheet;
    sheet.fAdd("red", 1024, 768, fPlain(1024, 768, 255, 0, 0));
    sheet.fAdd("tall", 100, 400, fPlain(100, 400, 0, 0, 255));
    sheet.fAdd("green", 64, 48, fPlain(64, 48, 0, 255, 0));
    sheet.fAdd("broken", 10, 10, {});  // too few pixels: left out
    ASSERT_EQ(sheet.fCount(), 3u);
    ASSERT_EQ(sheet.fColumns(), 2);

    int w = 0, h = 0;
    const std::vector<uint8_t> out = sheet.fCompose(w, h);
    const int tileStepX = ContactSheet::kTILE_W + ContactSheet::kGAP;
    const int tileStepY = ContactSheet::kTILE_H + ContactSheet::kLABEL_H + ContactSheet::kGAP;
    EXPECT_EQ(w, ContactSheet::kGAP + 2 * tileStepX);
    EXPECT_EQ(h, ContactSheet::kGAP + 2 * tileStepY);

    const int g = ContactSheet::kGAP;
    // The screen fills its tile edge to edge; the tall picture stands in the
    // middle of its tile with the background either side; the small one is
    // grown to the tile.
    EXPECT_EQ(fAt(out, w, g + 1, g + 1)[0], 255);
    EXPECT_EQ(fAt(out, w, g + ContactSheet::kTILE_W - 2, g + ContactSheet::kTILE_H - 2)[0], 255);
    EXPECT_EQ(fAt(out, w, g + tileStepX + ContactSheet::kTILE_W / 2, g + 5)[2], 255);
    EXPECT_NE(fAt(out, w, g + tileStepX + 5, g + 5)[2], 255);
    EXPECT_EQ(fAt(out, w, g + 1, g + tileStepY + 1)[1], 255);

    // Some white letters in the label band under the first tile.
    int white = 0;
    for (int y = g + ContactSheet::kTILE_H; y < g + ContactSheet::kTILE_H + ContactSheet::kLABEL_H; ++y)
        for (int x = g; x < g + ContactSheet::kTILE_W; ++x)
            white += fAt(out, w, x, y)[0] == 255 && fAt(out, w, x, y)[1] == 255;
    EXPECT_GT(white, 10);
}

TEST(ContactSheet, ReadsAFolderOfScreensButNotItself) {
    const std::filesystem::path dir = TestEnvironment::fRoot() / "screens";
    std::filesystem::create_directories(dir);
    const std::vector<uint8_t> a = fPlain(8, 6, 10, 20, 30);
    ASSERT_TRUE(stbi_write_png((dir / "b.png").string().c_str(), 8, 6, 4, a.data(), 8 * 4));
    ASSERT_TRUE(stbi_write_png((dir / "a.png").string().c_str(), 8, 6, 4, a.data(), 8 * 4));
    ASSERT_TRUE(stbi_write_png((dir / "all.png").string().c_str(), 8, 6, 4, a.data(), 8 * 4));
    TestEnvironment::fWriteFile("screens/notes.txt", "not a picture");
    TestEnvironment::fWriteFile("screens/bad.png", "not a picture either");

    ContactSheet sheet;
    ASSERT_TRUE(sheet.fAddFolder(dir.string(), "all.png"));
    EXPECT_EQ(sheet.fCount(), 2u);
    ASSERT_TRUE(sheet.fWritePng((dir / "all.png").string()));
    int w = 0, h = 0, n = 0;
    unsigned char* back = stbi_load((dir / "all.png").string().c_str(), &w, &h, &n, 4);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(w, ContactSheet::kGAP + 2 * (ContactSheet::kTILE_W + ContactSheet::kGAP));
    stbi_image_free(back);

    EXPECT_FALSE(ContactSheet().fAddFolder((TestEnvironment::fRoot() / "nowhere").string(), "all.png"));
}
