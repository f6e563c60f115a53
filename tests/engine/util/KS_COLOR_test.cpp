#include "engine/util/KS_COLOR.h"
#include "engine/util/KS_RENDER_STATE.h"

#include <gtest/gtest.h>

using namespace KEL;

TEST(KS_COLOR, PackingAndFourNumberText) {
    KS_COLOR c;
    EXPECT_EQ(c.fGetARGB(), 0xFFFFFFFFu);
    c.fFromString("128 255 0 0");
    EXPECT_EQ(c.fGetARGB(), 0x80FF0000u);
    c.fFromString("1 2 3");  // too few: unchanged
    EXPECT_EQ(c.fGetARGB(), 0x80FF0000u);
    c.fFromString("10  20 30 40");  // the empty piece is red 0, 40 is ignored
    EXPECT_EQ(c.fGetARGB(), 0x0A00141Eu);
    c.fFromString("300 1 2 3");
    EXPECT_EQ(c.a, 44);
    // The memory layout is the device's B, G, R, A.
    KS_COLOR p(0x11223344u);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&p);
    EXPECT_EQ(bytes[0], 0x44);
    EXPECT_EQ(bytes[3], 0x11);
    EXPECT_EQ((KS_COLOR(0x80808080u) + KS_COLOR(0x80808080u)).fGetARGB(), 0u);
    EXPECT_EQ((KS_COLOR(0x10203040u) / 2).fGetARGB(), 0x08101820u);
}

TEST(KS_COLOR, HexText) {
    EXPECT_EQ(KS_COLOR::fFromHex("FF00FF00").fGetARGB(), 0xFF00FF00u);
    EXPECT_EQ(KS_COLOR::fFromHex("0xFF00FF00").fGetARGB(), 0xFF00FF00u);
    EXPECT_EQ(KS_COLOR::fFromHex("00FF00").fGetARGB(), 0x0000FF00u);
    EXPECT_EQ(KS_COLOR::fFromHex("white").fGetARGB(), 0u);
    EXPECT_EQ(KS_COLOR::fFromHex("1FFFFFFFF").fGetARGB(), 0xFFFFFFFFu);
}

TEST(KS_COLORF, RoundTripAndClamping) {
    KS_COLORF f;
    f.fSetARGB(0xFF804020u);
    EXPECT_EQ(f.fToARGB(), 0xFF804020u);
    for (uint32_t v : {0u, 0x01020304u, 0x7F7F7F7Fu, 0xFEFDFCFBu}) {
        f.fSetARGB(v);
        EXPECT_EQ(f.fToARGB(), v);
    }
    f.fSet(1.5f, -0.2f, 0.5f, 1.0f);
    EXPECT_EQ(f.fToARGB(), 0xFFFF0080u);
    const KS_COLORF mid = (KS_COLORF(0, 0, 0, 0) + (KS_COLORF(1, 1, 1, 1) - KS_COLORF(0, 0, 0, 0)) * 0.5f);
    EXPECT_EQ(mid.fToARGB(), 0x80808080u);
}

TEST(KS_RENDER_STATE, ComparisonIgnoresAntialiasAndTopBits) {
    static_assert(sizeof(KS_RENDER_STATE) == 4);
    KS_RENDER_STATE a, b;
    EXPECT_EQ(a.fWord(), 0u);
    a.blend = 1;
    a.filter = KS_RENDER_STATE::kFILTER_LINEAR;
    a.primitive = KS_RENDER_STATE::kPOINT_SPRITES;
    a.camera = 1;
    EXPECT_EQ(a.fWord(), (1u << 1) | (2u << 4) | (3u << 12) | (1u << 17));
    b = a;
    b.antialias = 1;
    EXPECT_TRUE(a == b);
    b.unused = 5;
    EXPECT_TRUE(a == b);
    b = a;
    b.spare8 = 1;
    EXPECT_TRUE(a != b);
    b = a;
    b.spare3 = 1;
    EXPECT_TRUE(a != b);
    b = a;
    b.wrapV = 1;
    EXPECT_TRUE(a != b);
    b.fClear();
    EXPECT_EQ(b.fWord(), 0u);
}
