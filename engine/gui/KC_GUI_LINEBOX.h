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

// The one-line text input: a background picture, an input area inside it
// (the background less four margins), a wide text edited at a caret drawn
// as a blinking "|", a maximum length, a set of refused characters and a
// horizontal alignment. A left click inside the input area gives the box
// the keyboard; a click elsewhere takes it away. While it has the keyboard
// every key-down (the press pass runs for every key) edits the text:
// Backspace, Delete, Left and Right edit and move silently; a typed
// character is inserted when it fits, reporting a value change (10).
//
// Built on the first reload: the background, the font (from its
// description) and the input area. Text set before that is ignored.
class KC_GUI_LINEBOX : public KC_GUI_OBJECT {
public:
    static constexpr float kDEFAULT_MARGIN = 4.0f;
    static constexpr uint32_t kNO_LIMIT = 0x7fffffffu;
    static constexpr float kDEFAULT_BLINK = 0.5f;
    static constexpr int32_t kALIGN_LEFT = 3;
    static constexpr int32_t kALIGN_CENTRE = 4;
    static constexpr int32_t kALIGN_RIGHT = 5;

    KC_GUI_LINEBOX(int32_t id, const std::string& backgroundName, const std::string& fontTextureName,
                   const std::string& fontName);

    KS_MOUSE_RESULT fGetEvent() override;
    KS_MOUSE_RESULT fOnMouseUp() override { return KS_MOUSE_RESULT::fNotTaken(); }
    KS_MOUSE_RESULT fOnMouseDown() override;
    KS_MOUSE_RESULT fOnMouseMove() override;
    void fDraw() override;
    float fGetWidth() const override;
    float fGetHeight() const override;
    void fReloadResources() override;
    void fReleaseResources() override;

    // Taken only once built, when no longer than the maximum and no wider
    // than the input area; the caret goes to the start. Otherwise nothing
    // changes.
    void fSetText(const std::wstring& text);
    const std::wstring& fGetText() const { return mText; }
    void fClear();
    // 0 means no limit.
    void fSetMaxChars(uint32_t count);
    uint32_t fGetMaxChars() const { return mMaxChars; }
    void fSetBlinkTime(float seconds);
    // Anchor 0..8; only the column counts (left, centre, right). Kept until
    // the box is built, then applied.
    void fSetAlignment(int32_t anchor);
    int32_t fGetAlignment() const { return mTextAnchor; }
    void fSetMargins(float left, float top, float right, float bottom);
    void fSetMargin(float all) { fSetMargins(all, all, all, all); }
    void fSetRefused(const std::wstring& characters) { mRefused = characters; }
    const std::wstring& fGetRefused() const { return mRefused; }
    // Not refused, and not a control character.
    bool fIsAllowed(wchar_t character) const;
    void fSetFocusLock(bool lock) { mFocusLock = lock ? 1 : 0; }
    void fSetCaret(int32_t index);
    uint32_t fGetCaret() const { return mCaret; }
    void fRestartBlink();
    bool fIsCaretVisible() const { return mCaretVisible != 0; }
    // The text colour, kept and given to the font once it exists.
    void fSetTextColor(uint32_t argb);
    uint32_t fGetTextColor() const { return mTextColor; }
    void fSetLetterSpacing(int32_t pixels);

    bool fIsBuilt() const { return mBuilt != 0; }
    KC_FONT* fGetFont() const { return mFont.get(); }
    const KS_HIT_AREA& fGetInputArea() const { return mInputArea; }
    const KS_TRANSFORM3& fGetTextTransform() const { return mTextTransform; }

private:
    void fBuild();
    void fApplyMargins();
    void fApplyAlignment();
    // The edits of one key; false when the key is none of them.
    bool fEditKey(int32_t key);
    bool fInsert(wchar_t character, int32_t key);
    void fDrawText();

    float mMargins[4] = {kDEFAULT_MARGIN, kDEFAULT_MARGIN, kDEFAULT_MARGIN, kDEFAULT_MARGIN};
    int32_t mLetterSpacing = 0;
    std::wstring mText;
    std::wstring mRefused;
    KS_TRANSFORM3 mInputTransform;
    KS_HIT_AREA mInputArea;
    float mInputWidth = 0.0f;
    float mInputHeight = 0.0f;
    std::unique_ptr<KC_FONT> mFont;
    std::unique_ptr<KC_QUAD> mBackground;
    KC_GUI_TEXTURE mBackgroundTexture;
    KC_GUI_TEXTURE mFontTexture;
    std::string mFontName;
    uint32_t mTextColor = 0xFFFFFFFFu;
    KS_TRANSFORM3 mTextTransform;
    int32_t mTextAnchor = kALIGN_LEFT;
    uint32_t mCaret = 0;
    uint32_t mMaxChars = kNO_LIMIT;
    uint8_t mCaretVisible = 1;
    uint8_t mFocusLock = 0;
    float mBlinkPeriod = kDEFAULT_BLINK;
    float mBlinkCountdown = kDEFAULT_BLINK;
    uint8_t mBuilt = 0;
};

}  // namespace KEL
