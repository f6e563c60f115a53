// The sample paged list of the default content drawn headless on the OpenGL
// device, caught in the middle of a slide, with its dots; the frame is saved
// as <build>/screens/pages.png.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/resources/KC_FONT_LIST.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/windows/G_PAGES_DOTS.h"
#include "support/ContentScreenTest.h"
#include "support/SampleCards.h"

namespace {

using PagesGlFrame = testsupport::ContentScreenTest;

}  // namespace

TEST_F(PagesGlFrame, SampleListMidSlide) {
    ASSERT_TRUE(fOpen("pages"));
    fRender().fSetClearColor(0xFF444444u);
    ASSERT_TRUE(fContent().fMountLocked({"data/share/main/other", "data/share/image/gui"}));
    ASSERT_TRUE(fContent().fMount({"data/share/font"}));
    KEL::KC_FONT_LIST fonts;
    ASSERT_EQ(fonts.fRead("data/share/font fonts.xml"), 1);

    KEL::G_SPRITE panel("data/share/image/gui panel_large.png");
    panel.fReloadTexture();
    panel.fGetTransform()->fSetPos(512, 384, 0);
    testsupport::SampleCards pages(fonts);
    pages.fLoad("data/share/main/other sample_pages.xml");
    ASSERT_EQ(pages.fGetItemCount(), 30);
    ASSERT_EQ(pages.fGetPageCount(), 2);
    pages.fReloadResources();
    pages.fSetPosition(512, 384);
    KEL::G_PAGES_DOTS dots("data/share/image/gui page_dots.png");
    dots.fReloadResources();
    dots.fSetCount(uint32_t(pages.fGetPageCount()));
    dots.fSetPosition(512, 600);

    // 0.2 s into a 0.5 s slide of 640 pixels: the strip is 256 pixels left.
    ASSERT_TRUE(pages.fTurnNext());
    dots.fNext();
    KEL::kfFRAME_DELTA = 0.05f;
    for (int frame = 0; frame < 4; ++frame) pages.fUpdate();
    ASSERT_TRUE(pages.fIsTurning());

    ASSERT_TRUE(fScreen().fBeginFrame());
    panel.fDrawWith();
    pages.fDraw();
    dots.fDraw();
    ASSERT_TRUE(fScreen().fShoot("pages.png"));

    // Card 15 (last of page 0) sits in the right column of page 0, card 16
    // (first of page 1) in the left column of page 1, 640 pixels further.
    const float strip = pages.fGetStrip().mPosition.x;
    EXPECT_NEAR(strip, 512.0f - 256.0f, 0.5f);
    const int lastOfFirst = int(strip) + 240 + 30;  // right column, off the number
    const int firstOfNext = int(strip) + 640 - 240 + 30;
    const uint32_t paper = fScreen().fPixel(lastOfFirst, 384 + 120);
    const uint32_t next = fScreen().fPixel(firstOfNext, 384 - 120);
    EXPECT_GT(paper >> 16 & 0xFF, 0xE0u) << std::hex << paper << " is no card";
    EXPECT_GT(next >> 16 & 0xFF, 0xE0u) << std::hex << next << " is no card of the next page";

    pages.fReleaseResources();
    dots.fReleaseResources();
    panel.fUnloadTexture();
    fonts.fDeleteAll();
}
