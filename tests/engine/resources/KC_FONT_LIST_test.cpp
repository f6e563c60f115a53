#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/render/KC_RENDER.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/resources/KC_FONT.h"
#include "engine/resources/KC_FONT_DESC.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_RESOURCE.h"
#include "engine/resources/KS_RESOURCE_CONVERTERS.h"
#include "host/recording/RecordingDevice.h"
#include "support/TestEnvironment.h"

using namespace KEL;

namespace {

constexpr const char* kGLYPHS = R"(<font><common lineHeight="20"/><pages><page id="0" file="p.png"/></pages>
  <chars count="1"><char id="65" x="0" y="0" width="10" height="12" xoffset="0" yoffset="0" xadvance="11"/></chars></font>)";

// Image files are texts "W H"; the fake decoder makes a blank texture that size.
KC_TEXTURE* fDecode(const uint8_t* bytes, uint32_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    const int w = std::atoi(text.c_str());
    const size_t blank = text.find(' ');
    const int h = blank == std::string::npos ? 0 : std::atoi(text.c_str() + blank + 1);
    KC_RENDER* render = KC_RENDER::fCurrent();
    if (w <= 0 || h <= 0) return render->fGetDefaultTexture();
    return render->fCreateTexture(w, h);
}
int32_t fRelease(KC_TEXTURE* texture) { return KC_RENDER::fCurrent()->fReleaseTexture(texture); }
KC_TEXTURE* fDefault() { return KC_RENDER::fCurrent()->fGetDefaultTexture(); }

class FontListTest : public ::testing::Test {
protected:
    void SetUp() override {
        KC_FILESYSTEM::fGetInstance();
        auto* device = new host::RecordingDevice;
        mRender.fSetDevice(device);
        ASSERT_EQ(mRender.fInit(nullptr, 0.1f, 0.0f), 1);
        kcRENDER = &mRender;
        KS_RESOURCE_CONVERTERS& services = KS_RESOURCE_CONVERTERS::fGet();
        services.fLoadTexture = &fDecode;
        services.fReleaseTexture = &fRelease;
        services.fDefaultTexture = &fDefault;
        mRepository = new KC_REPOSITORY();
        kcREPOSITORY = mRepository;
        fWrite("big.xml", kGLYPHS);
        fWrite("small.xml", kGLYPHS);
        fWrite("page.png", "128 64");
        fWrite("fonts.xml", R"(<fonts>
            <font name="big" texture="page.png" xml="big.xml"/>
            <font name="big" texture="page.png" xml="small.xml"/>
            <font name="noxml" texture="page.png"/>
            <font name="lost" texture="page.png" xml="missing.xml"/>
            <font name="blank" texture="missing.png" xml="small.xml"/>
          </fonts>)");
        fWrite("other.xml", "<nofonts/>");
        ASSERT_GE(mRepository->fLoad("data"), 1);
    }
    void TearDown() override {
        mList.fDeleteAll();
        kcREPOSITORY = nullptr;
        delete mRepository;
        KS_RESOURCE_CONVERTERS::fGet().fReset();
        kcRENDER = nullptr;
    }
    static void fWrite(const std::string& name, const std::string& bytes) {
        testsupport::TestEnvironment::fWriteFile("Resources/data/" + name, bytes);
    }

    KC_RENDER mRender;
    KC_REPOSITORY* mRepository = nullptr;
    KC_FONT_LIST mList;
};

}  // namespace

TEST_F(FontListTest, ReadsListedFontsOnceAndSkipsIncompleteEntries) {
    EXPECT_EQ(mList.fRead("nothing.xml"), 0);
    EXPECT_EQ(mList.fRead("other.xml"), 0);
    EXPECT_EQ(mList.fRead("fonts.xml"), 1);
    EXPECT_EQ(mList.fGetCount(), 2u);
    EXPECT_TRUE(mList.fHas("big"));
    EXPECT_FALSE(mList.fHas("noxml"));
    EXPECT_FALSE(mList.fHas("lost"));
    ASSERT_NE(mList.fGet("big"), nullptr);
    EXPECT_EQ(mList.fGet("big")->fGetPageWidth(), 128.0f);
    EXPECT_EQ(mList.fGet("blank")->fGetTexture(), mRender.fGetDefaultTexture()) << "a missing image";
    EXPECT_EQ(mList.fGet("nope"), nullptr);
    EXPECT_EQ(mRepository->fFindByName("big.xml")->mUses, 0) << "the glyph documents are given back";

    KC_TEXTURE* page = mList.fGet("big")->fGetTexture();
    EXPECT_EQ(mRepository->fFindByName("page.png")->mUses, 1);
    mList.fUnload();
    EXPECT_EQ(mList.fGet("big")->fGetTexture(), mRender.fGetDefaultTexture())
        << "no font keeps a texture the sweep freed";
    EXPECT_EQ(mRepository->fFindByKey(page), nullptr);
    mList.fDeleteAll();
    EXPECT_EQ(mList.fGetCount(), 0u);
}

TEST_F(FontListTest, DescriptionsReadNameColourAndAnchor) {
    mList.fRead("fonts.xml");
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(R"(<w>
        <a fntName="big" fntColor="FF00FF00" fntHotSpot="HS_DR"/>
        <b fntName="unknown" fntColor="80FF0000" fntHotSpot="middle"/>
        <c fntName="big"/>
        <d fntColor="FFFFFFFF"/>
      </w>)"));
    KC_FONT_DESC a;
    EXPECT_TRUE(a.fRead(document.child("w").child("a"), &mList));
    EXPECT_TRUE(a.fIsValid());
    EXPECT_EQ(a.mFont, mList.fGet("big"));
    EXPECT_EQ(a.mColor.fGetARGB(), 0xFF00FF00u);
    EXPECT_EQ(a.mAnchor, 8);

    KC_FONT_DESC b;
    EXPECT_FALSE(b.fRead(document.child("w").child("b"), &mList));
    EXPECT_EQ(b.mName, "unknown") << "what was read is kept";
    EXPECT_EQ(b.mColor.fGetARGB(), 0x80FF0000u);
    EXPECT_EQ(b.mAnchor, 4) << "an unknown anchor name is the middle";

    KC_FONT_DESC c;
    EXPECT_TRUE(c.fRead(document.child("w").child("c"), &mList));
    EXPECT_EQ(c.mColor.fGetARGB(), 0xFFFFFFFFu);
    EXPECT_EQ(c.mAnchor, 0);

    KC_FONT_DESC d;
    EXPECT_FALSE(d.fRead(document.child("w").child("d"), &mList));
    EXPECT_FALSE(d.fRead(pugi::xml_node(), &mList));
    EXPECT_FALSE(d.fRead(document.child("w").child("a"), nullptr));
}
