#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "host/Image.h"
#include "support/FuzzFindings.h"
#include "support/TestEnvironment.h"

using testsupport::TestEnvironment;

namespace {

std::string fSmallPng() {
    const std::vector<uint8_t> rgba = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 255, 9, 9, 9, 0};
    const std::string path = (TestEnvironment::fRoot() / "small.png").string();
    EXPECT_TRUE(host::fWritePng(path, rgba.data(), 2, 2));
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Rewrites the PNG header's size fields (their check sum is not recomputed;
// the decoder does not verify it).
std::string fClaimSize(std::string png, uint32_t width, uint32_t height) {
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<char>(width >> (24 - 8 * i));
        png[20 + i] = static_cast<char>(height >> (24 - 8 * i));
    }
    return png;
}

bool fDecode(const std::string& bytes, host::GImage& image) {
    return host::fDecodeImage(bytes.data(), bytes.size(), image);
}

}  // namespace

TEST(Image, DecodesPngAtItsExactSize) {
    host::GImage image;
    ASSERT_TRUE(fDecode(fSmallPng() + "trailing", image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    ASSERT_EQ(image.rgba.size(), 16u);
    EXPECT_EQ(image.rgba[7], 128);
    host::GImage fromFile;
    EXPECT_TRUE(host::fDecodeImageFile((TestEnvironment::fRoot() / "small.png").string(), fromFile));
    EXPECT_EQ(fromFile.rgba, image.rgba);
}

// Files that made stb's other decoders ask for gigabytes, write past their
// own tables or take seconds: every non-PNG format is refused before a
// decoder sees it, and quickly.
TEST(Image, EveryOtherFormatIsRefusedAtOnce) {
    const auto start = std::chrono::steady_clock::now();
    for (const char* name :
         {"image-gif-oom.gif", "image-jpeg-huffman.jpg", "image-tga-17bytes.tga", "image-tga-timeout.tga"}) {
        const std::string bytes = testsupport::fFinding(name);
        ASSERT_FALSE(bytes.empty()) << name;
        host::GImage image;
        EXPECT_FALSE(fDecode(bytes, image)) << name;
        EXPECT_TRUE(image.rgba.empty()) << name;
    }
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
    const std::string bmp = "BM" + std::string(60, '\0');
    host::GImage image;
    EXPECT_FALSE(fDecode(bmp, image));
    EXPECT_FALSE(host::fDecodeImageFile((TestEnvironment::fRoot() / "missing.png").string(), image));
}

TEST(Image, PngSizesBeyondTheLimitsAreRefusedBeforeDecoding) {
    const std::string png = fSmallPng();
    host::GImage image;
    EXPECT_FALSE(fDecode(fClaimSize(png, host::kMaxImageSide + 1, 1), image));
    EXPECT_FALSE(fDecode(fClaimSize(png, 8192, 8192), image)) << "each side fits, the total does not";
    EXPECT_FALSE(fDecode(fClaimSize(png, 0x7FFFFFFF, 0x7FFFFFFF), image));
    EXPECT_FALSE(fDecode(png.substr(0, 20), image)) << "a header cut short";
    EXPECT_TRUE(image.rgba.empty());
}

// An empty image-data chunk made stb copy from a null buffer. The chunks are
// walked before decoding: each must lie inside the file, before its end
// chunk, and none of the image data may be empty.
TEST(Image, DamagedPngChunksAreRefused) {
    host::GImage image;
    EXPECT_FALSE(fDecode(testsupport::fFinding("image-png-empty-idat.png"), image));
    std::string png = fSmallPng();
    const size_t end = png.find("IEND");
    ASSERT_NE(end, std::string::npos);
    EXPECT_FALSE(fDecode(png.substr(0, end + 4), image)) << "the end chunk cut short";
    const size_t data = png.find("IDAT");
    ASSERT_NE(data, std::string::npos);
    png[data - 4] = 0x7F;  // the image data's length now runs past the file
    EXPECT_FALSE(fDecode(png, image));
    EXPECT_TRUE(image.rgba.empty());
}
