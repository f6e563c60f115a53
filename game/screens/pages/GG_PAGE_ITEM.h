#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <pugixml.hpp>

#include "engine/resources/KC_FONT_DESC.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/windows/G_PAGES_ITEM.h"

namespace KEL {
class KC_FONT;
}

namespace game {

// A card of a paged list: a background strip of three equal frames (the
// normal face, the face of the newest open card, and a lock laid over a
// locked card), a picture over open cards and a line of text. Page-file
// attributes: "background", "picture", "pic_shift_x", "pic_shift_y",
// "text_shift_x", "text_shift_y", "font" (a font name) and a child "font"
// (font description).
//
// Beyond the page-item messages it takes kMSG_ANCHOR (the anchor of both
// sprites) and kMSG_STATE (0 locked, 1 open, 2 newest; other values and a
// card without background keep the state). A
// card under the left button is clicked, locked or not: its page set decides.
class GG_PAGE_ITEM : public KEL::G_PAGES_ITEM {
public:
    static constexpr int32_t kMSG_STATE = 52;
    static constexpr int32_t kMSG_IDLE = 53;
    static constexpr int32_t kLOCKED = 0;
    static constexpr int32_t kOPEN = 1;
    static constexpr int32_t kNEWEST = 2;
    static constexpr int32_t kFRAMES = 3;
    static constexpr int32_t kLOCK_FRAME = 2;
    static constexpr uint32_t kWHITE = 0xFFFFFFFFu;
    static constexpr int32_t kTEXT_ANCHOR = 1;

    GG_PAGE_ITEM(const void* owner, const pugi::xml_node& element, int32_t ordinal);

    int32_t fMessage(int32_t message, float a, float b, float c, void* data) override;

    int32_t fGetOrdinal() const { return mOrdinal; }
    int32_t fGetState() const { return mState; }
    void fSetState(int32_t state);
    void fSetText(const std::wstring& text) { mText = text; }
    KEL::G_SPRITE* fGetBackground() const { return mBackground.get(); }
    // Whether the pointer lies on the background (edges included).
    bool fIsUnderPointer() const;

protected:
    int32_t fGetWidth() override;
    int32_t fGetHeight() override;
    void fReloadResources() override;
    void fReleaseResources() override;
    void fDraw() override;
    int32_t fOnMouseUp(int32_t button) override;

    // The background's place on screen.
    KEL::KS_VEC2 fBackgroundPosition() const;
    void fApplyState();

    int32_t mOrdinal;
    int32_t mState = kLOCKED;
    std::unique_ptr<KEL::G_SPRITE> mBackground;
    std::unique_ptr<KEL::G_SPRITE> mPicture;
    std::wstring mText;
    int32_t mTextShiftX = 0;
    int32_t mTextShiftY = 0;
    KEL::KC_FONT* mFont = nullptr;  // the game's font list owns it
    KEL::KC_FONT_DESC mFontDesc;
};

}  // namespace game
