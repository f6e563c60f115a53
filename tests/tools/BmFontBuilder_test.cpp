#include "tools/lib/BmFontBuilder.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <map>
#include <string>

#include "support/TestEnvironment.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include "stb/stb_image.h"
#pragma GCC diagnostic pop

using tools::BmFontBuilder;

namespace {

const char* kFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

}  // namespace

TEST(BmFontBuilderTest, ParsesCharacterRanges) {
    std::vector<uint32_t> codes;
    ASSERT_TRUE(BmFontBuilder::fParseRanges("65-67,32,0x3F,66", codes));
    EXPECT_EQ(codes, (std::vector<uint32_t>{32, 63, 65, 66, 67}));
    EXPECT_FALSE(BmFontBuilder::fParseRanges("", codes));
    EXPECT_FALSE(BmFontBuilder::fParseRanges("70-60", codes));
    EXPECT_FALSE(BmFontBuilder::fParseRanges("a-z", codes));
    EXPECT_FALSE(BmFontBuilder::fParseRanges("65,,66", codes));
}

TEST(BmFontBuilderTest, WritesAPageAndTheGlyphTableThatDescribesIt) {
    std::vector<uint32_t> codes;
    ASSERT_TRUE(BmFontBuilder::fParseRanges("32-126,233,8364", codes));
    BmFontBuilder font;
    std::string error;
    ASSERT_TRUE(font.fBuild(kFace, 20, codes, 2, 0x3B2F66, 256, error)) << error;

    const auto png = testsupport::TestEnvironment::fRoot() / "body.png";
    ASSERT_TRUE(font.fWritePng(png.string()));
    int w = 0, h = 0, n = 0;
    unsigned char* pixels = stbi_load(png.string().c_str(), &w, &h, &n, 4);
    ASSERT_NE(pixels, nullptr);

    pugi::xml_document doc;
    const std::string xml = font.fXml("DejaVuSans-Bold", png.string());
    ASSERT_TRUE(doc.load_string(xml.c_str()));
    const pugi::xml_node root = doc.child("font");
    ASSERT_TRUE(root);
    const pugi::xml_node common = root.child("common");
    EXPECT_GT(common.attribute("lineHeight").as_int(), 20);
    // The reader takes the page size from the image: both must agree.
    EXPECT_EQ(common.attribute("scaleW").as_int(), w);
    EXPECT_EQ(common.attribute("scaleH").as_int(), h);
    EXPECT_STREQ(root.child("pages").first_child().attribute("file").value(), "body.png");

    std::map<unsigned, pugi::xml_node> glyphs;
    for (pugi::xml_node c : root.child("chars").children("char")) {
        glyphs[c.attribute("id").as_uint()] = c;
        const int x = c.attribute("x").as_int(), y = c.attribute("y").as_int();
        EXPECT_GE(x, 0);
        EXPECT_GE(y, 0);
        EXPECT_LE(x + c.attribute("width").as_int(), w) << c.attribute("id").value();
        EXPECT_LE(y + c.attribute("height").as_int(), h) << c.attribute("id").value();
        EXPECT_GT(c.attribute("xadvance").as_int(), 0) << c.attribute("id").value();
    }
    EXPECT_EQ(root.child("chars").attribute("count").as_uint(), glyphs.size());
    // The fallback glyph, the space, the caret of text boxes and accents.
    for (unsigned id : {63u, 32u, 124u, 233u, 8364u}) EXPECT_TRUE(glyphs.count(id)) << id;

    // "W" holds white fill and dark outline pixels; a blank cell stays clear.
    const pugi::xml_node glyph = glyphs[87];
    bool white = false, outline = false;
    for (int y = 0; y < glyph.attribute("height").as_int(); ++y)
        for (int x = 0; x < glyph.attribute("width").as_int(); ++x) {
            const unsigned char* p = pixels +
                                     ((glyph.attribute("y").as_int() + y) * w + glyph.attribute("x").as_int() + x) * 4;
            if (p[3] == 255 && p[0] == 255 && p[1] == 255 && p[2] == 255) white = true;
            if (p[3] > 200 && p[0] == 0x3B && p[1] == 0x2F && p[2] == 0x66) outline = true;
        }
    EXPECT_TRUE(white);
    EXPECT_TRUE(outline);
    EXPECT_EQ(pixels[3], 0);  // the page's corner is outside every glyph
    stbi_image_free(pixels);
}

TEST(BmFontBuilderTest, RefusesWhatItCannotRender) {
    std::vector<uint32_t> codes{65};
    BmFontBuilder font;
    std::string error;
    EXPECT_FALSE(font.fBuild("/nonexistent/face.ttf", 20, codes, 0, 0, 256, error));
    EXPECT_FALSE(font.fBuild(kFace, 0, codes, 0, 0, 256, error));
    // A page narrower than one glyph.
    EXPECT_FALSE(font.fBuild(kFace, 40, codes, 0, 0, 8, error));
    // A face without any of the asked characters (private use area).
    std::vector<uint32_t> none{0xE000, 0xE001};
    EXPECT_FALSE(font.fBuild(kFace, 20, none, 0, 0, 256, error));
}
