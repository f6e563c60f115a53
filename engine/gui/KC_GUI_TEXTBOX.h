#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/gui/KS_HIT_AREA.h"
#include "engine/resources/KC_FONT.h"
#include "engine/scene/KC_QUAD.h"

namespace KEL {

// A small one-line entry field with fixed-pitch characters: every character
// takes the character width plus the spacing from the box's left edge. A
// left press inside gives it focus (7) and puts the caret at the character
// under the pointer; a left press elsewhere takes the focus away; a release
// inside reports a click (8). With focus, key-downs edit as in the line box
// and typed characters are inserted up to the maximum length and the
// characters the box can show, reporting a value change (10). Built on the
// first reload. No layout tag creates it.
class KC_GUI_TEXTBOX : public KC_GUI_OBJECT {
public:
    static constexpr float kBLINK = 0.5f;

    KC_GUI_TEXTBOX(int32_t id, const std::string& textureName, const std::string& fontTextureName,
                   const std::string& fontName, uint32_t maxLength);

    KS_MOUSE_RESULT fGetEvent() override;
    KS_MOUSE_RESULT fOnMouseUp() override;
    KS_MOUSE_RESULT fOnMouseDown() override;
    void fDraw() override;
    // A 0 keeps that side as it is.
    void fSetSize(int32_t width, int32_t height) override;
    float fGetWidth() const override;
    float fGetHeight() const override;
    void fReloadResources() override;
    void fReleaseResources() override;

    void fSetCharMetrics(int32_t width, int32_t spacing);
    void fSetText(const std::wstring& text);
    const std::wstring& fGetText() const { return mText; }
    // The text as UTF-8, kept until the next call.
    const char* fGetTextNarrow();
    bool fHasFocus() const { return mFocus != 0; }
    uint32_t fGetCaret() const { return mCaret; }
    int32_t fGetVisibleChars() const { return mVisibleChars; }

private:
    void fBuild();
    void fMeasure();
    float fLeft() const;
    void fEdit(int32_t key, wchar_t typed);

    std::wstring mText;
    std::string mNarrow;
    std::unique_ptr<KC_FONT> mFont;
    std::unique_ptr<KC_QUAD> mSprite;
    KC_GUI_TEXTURE mTexture;
    KC_GUI_TEXTURE mFontTexture;
    std::string mFontName;
    KS_HIT_AREA mHitArea;
    uint8_t mFocus = 0;
    int32_t mBoxWidth = 0;
    int32_t mBoxHeight = 0;
    int32_t mCharWidth = 12;
    int32_t mSpacing = 0;
    int32_t mVisibleChars = 0;
    uint32_t mCaret = 0;
    uint8_t mCaretShown = 1;
    float mBlinkClock = 0.0f;
    uint32_t mMaxLength;
};

}  // namespace KEL
