#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <pugixml.hpp>

#include "engine/resources/KC_FONT.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/windows/G_PAGES_ITEM.h"
#include "engine/windows/gPages.h"

namespace testsupport {

// A level card of the content's sample paged list: frame 0 of its strip of
// three square frames, with its number on it, placed by its centre when the
// list anchors it.
class SampleCard : public KEL::G_PAGES_ITEM {
public:
    SampleCard(const void* owner, const pugi::xml_node& element, int32_t index, KEL::KC_FONT* font)
        : G_PAGES_ITEM(owner),
          mBackground(element.attribute("background").as_string("")),
          mFont(font),
          mText(std::to_wstring(index + 1)) {
        mBackground.fGetTransform()->mParent = &mTransform;
    }

protected:
    int32_t fGetWidth() override { return int32_t(mBackground.fGetWidth()); }
    int32_t fGetHeight() override { return int32_t(mBackground.fGetHeight()); }
    void fReloadResources() override {
        mBackground.fReloadTexture();
        mBackground.fSetWidth(mBackground.fGetHeight());
        mBackground.fSetFrame(3, 1, 0);
    }
    void fReleaseResources() override { mBackground.fUnloadTexture(); }
    void fDraw() override {
        mBackground.fDrawWith();
        if (mFont) mFont->fDrawAt(mTransform, 4, mText.c_str());
    }
    int32_t fMessage(int32_t message, float a, float b, float c, void* data) override {
        if (message == kMSG_ANCHOR) mBackground.fSetHotSpot(int32_t(fValueOf(data)));
        return G_PAGES_ITEM::fMessage(message, a, b, c, data);
    }

    KEL::G_SPRITE mBackground;
    KEL::KC_FONT* mFont;
    std::wstring mText;
};

// The sample paged list: its cards numbered in the ink the content's font
// is drawn with on paper.
class SampleCards : public KEL::gPages {
public:
    static constexpr uint32_t kINK = 0xFF2E2A5Au;

    explicit SampleCards(KEL::KC_FONT_LIST& fonts) : mFonts(fonts) {}
    std::unique_ptr<KEL::KC_BASE> fCreateItem(const pugi::xml_node& element, int32_t index) override {
        KEL::KC_FONT* font = mFonts.fGet(element.attribute("font").as_string(""));
        if (font) font->fSetColor(kINK);
        return std::make_unique<SampleCard>(this, element, index, font);
    }
    void fOnItemClicked(KEL::KC_BASE*) override {}

private:
    KEL::KC_FONT_LIST& mFonts;
};

}  // namespace testsupport
