#include "engine/gui/KC_GUI_LINEBOX.h"

#include <algorithm>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KF_GUI_FONTS.h"
#include "engine/gui/KF_GUI_SPRITES.h"
#include "engine/gui/KS_FONT_PLACE.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/scene/KF_SCENE_TEXTURES.h"
#include "host/VirtualKeys.h"

namespace KEL {

namespace {
constexpr uint32_t kCAPACITY = 600;
constexpr uint32_t kCARET = 124;  // "|"
constexpr float kCARET_SHIFT = 2.0f;
constexpr wchar_t kFIRST_PRINTABLE = 32;
constexpr wchar_t kDELETE = 0x7F;
constexpr wchar_t kLAST_C1 = 0x9F;
enum { kLEFT, kTOP, kRIGHT, kBOTTOM };
}  // namespace

KC_GUI_LINEBOX::KC_GUI_LINEBOX(int32_t id, const std::string& backgroundName, const std::string& fontTextureName,
                               const std::string& fontName)
    : KC_GUI_OBJECT(id), mBackgroundTexture(backgroundName), mFontTexture(fontTextureName), mFontName(fontName) {
    mType = kTYPE_LINEBOX;
    fSetFocusLock(false);
}

// --- building ------------------------------------------------------------------

void KC_GUI_LINEBOX::fReloadResources() {
    if (!mBuilt) {
        fBuild();
        return;
    }
    fReloadSprite(mBackground.get(), mBackgroundTexture);
    KC_TEXTURE* texture = mFontTexture.fAcquire();
    if (mFont) mFont->fSetTexture(texture);
}

void KC_GUI_LINEBOX::fReleaseResources() {
    fReleaseSprite(mBackground.get(), mBackgroundTexture);
    if (mFontTexture.fRelease() && mFont) mFont->fSetTexture(fSceneDefaultTexture());
}

void KC_GUI_LINEBOX::fBuild() {
    mBuilt = 1;
    mFont = fBuildGuiFont(mFontName, mFontTexture.fAcquire(), kCAPACITY);
    if (mFont) {
        mFont->fSetColor(mTextColor);
        mFont->fSetSpacing(mLetterSpacing);
    }
    mBackground = fMakeSprite(mBackgroundTexture.fAcquire(), &mTransform);
    mBackground->fSetHotSpot(kANCHOR_CENTRE);
    // The input area moves with the widget; its own transform is placed by
    // the margins and keeps its pivot at its centre, so that the rectangle
    // tested is the one inside the margins.
    mInputTransform.mParent = &mTransform;
    mInputArea.fSet(KS_HIT_AREA::kRECT, &mInputTransform, mBackground->fGetWidth(), mBackground->fGetHeight());
    mTextTransform.mParent = &mInputTransform;
    fApplyMargins();
}

void KC_GUI_LINEBOX::fSetMargins(float left, float top, float right, float bottom) {
    mMargins[kLEFT] = left;
    mMargins[kTOP] = top;
    mMargins[kRIGHT] = right;
    mMargins[kBOTTOM] = bottom;
    if (mBuilt) fApplyMargins();
}

void KC_GUI_LINEBOX::fApplyMargins() {
    mInputWidth = std::max(0.0f, fSpriteWidth(mBackground.get()) - mMargins[kLEFT] - mMargins[kRIGHT]);
    mInputHeight = std::max(0.0f, fSpriteHeight(mBackground.get()) - mMargins[kTOP] - mMargins[kBOTTOM]);
    mInputArea.fSetWidth(mInputWidth);
    mInputArea.fSetHeight(mInputHeight);
    mInputTransform.fSetPos((mMargins[kLEFT] - mMargins[kRIGHT]) / 2.0f, (mMargins[kTOP] - mMargins[kBOTTOM]) / 2.0f,
                            0.0f);
    mInputTransform.mPivot.fSet(mInputWidth / 2.0f, mInputHeight / 2.0f, 0.0f);
    fApplyAlignment();
}

void KC_GUI_LINEBOX::fSetAlignment(int32_t anchor) {
    if (anchor < 0 || anchor > 8) return;
    mTextAnchor = kALIGN_LEFT + anchor % 3;
    fApplyAlignment();
}

void KC_GUI_LINEBOX::fApplyAlignment() {
    if (!mFont) return;
    // The text starts at the input area's left edge, is centred in it, or
    // ends at its right edge.
    float x = 0.0f;
    if (mTextAnchor == kALIGN_LEFT) x = -(mInputWidth / 2.0f);
    if (mTextAnchor == kALIGN_RIGHT) x = mInputWidth / 2.0f;
    mTextTransform.fSetPos(x, 0.0f, 0.0f);
}

// --- settings ------------------------------------------------------------------

void KC_GUI_LINEBOX::fSetText(const std::wstring& text) {
    if (!mFont || !mBuilt) return;
    if (text.size() > mMaxChars) return;
    if (static_cast<float>(mFont->fMeasureW(text.c_str())) > mInputWidth) return;
    mText = text;
    mCaret = 0;
}

void KC_GUI_LINEBOX::fClear() {
    mText.clear();
    mCaret = 0;
}

void KC_GUI_LINEBOX::fSetMaxChars(uint32_t count) { mMaxChars = count == 0 ? kNO_LIMIT : count; }

void KC_GUI_LINEBOX::fSetBlinkTime(float seconds) {
    mBlinkPeriod = seconds;
    fRestartBlink();
}

void KC_GUI_LINEBOX::fRestartBlink() {
    mBlinkCountdown = mBlinkPeriod;
    mCaretVisible = 1;
}

bool KC_GUI_LINEBOX::fIsAllowed(wchar_t character) const {
    // Control characters (C0, DEL and C1) are never text.
    if (character < kFIRST_PRINTABLE || (character >= kDELETE && character <= kLAST_C1)) return false;
    return mRefused.find(character) == std::wstring::npos;
}

void KC_GUI_LINEBOX::fSetCaret(int32_t index) {
    if (index < 0) index = 0;
    mCaret = std::min(static_cast<uint32_t>(index), static_cast<uint32_t>(mText.size()));
}

void KC_GUI_LINEBOX::fSetTextColor(uint32_t argb) {
    mTextColor = argb;
    if (mFont) mFont->fSetColor(argb);
}

void KC_GUI_LINEBOX::fSetLetterSpacing(int32_t pixels) {
    mLetterSpacing = pixels;
    if (mFont) mFont->fSetSpacing(pixels);
}

// --- passes --------------------------------------------------------------------

KS_MOUSE_RESULT KC_GUI_LINEBOX::fOnMouseDown() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (fLeftPressed()) {
        // A click gives or takes the keyboard.
        mActive = fMouseIn(&mInputArea) ? 1 : 0;
        if (mActive) mEvent.mCode = KS_GUI_EVENT::kPRESSED;
        return fReport();
    }
    if (!mActive || !kcINPUT) return fReport();
    const int32_t key = kcINPUT->mLastKey;
    if (key != 0) fRestartBlink();
    if (fEditKey(key)) return fReport();
    if (fInsert(kcINPUT->mTypedText[0], key)) mEvent.mCode = KS_GUI_EVENT::kVALUE_CHANGED;
    return fReport();
}

bool KC_GUI_LINEBOX::fEditKey(int32_t key) {
    switch (key) {
        case host::vk::kBACKSPACE:
            if (mCaret > 0) mText.erase(--mCaret, 1);
            return true;
        case host::vk::kLEFT:
            if (mCaret > 0) --mCaret;
            return true;
        case host::vk::kRIGHT:
            if (mCaret < mText.size()) ++mCaret;
            return true;
        case host::vk::kDELETE:
            if (mCaret < mText.size()) mText.erase(mCaret, 1);
            return true;
        default: return false;
    }
}

bool KC_GUI_LINEBOX::fInsert(wchar_t character, int32_t key) {
    if (character == 0 || !mFont) return false;
    if (mText.size() >= mMaxChars || KC_INPUT::fIsSpecialKey(key) || !fIsAllowed(character)) return false;
    // A letter the font cannot draw would show as "?" and be kept as
    // something else: the box takes only what it can show.
    const int32_t advance = mFont->fGetAdvance(static_cast<uint32_t>(character));
    if (advance <= 0) return false;
    // Room for the character twice over keeps the caret inside the area.
    const int32_t step = advance + mFont->fGetSpacing();
    if (mInputWidth < static_cast<float>(mFont->fMeasureW(mText.c_str()) + 2 * step)) return false;
    mText.insert(mCaret, 1, character);
    ++mCaret;
    return true;
}

KS_MOUSE_RESULT KC_GUI_LINEBOX::fGetEvent() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (!mActive) {
        mCaretVisible = 0;
    } else if (mBlinkCountdown <= 0.0f) {
        mBlinkCountdown = mBlinkPeriod;
        mCaretVisible = mCaretVisible ? 0 : 1;
    } else {
        mBlinkCountdown -= kfFRAME_DELTA;
    }
    return KS_MOUSE_RESULT::fNotTaken();
}

KS_MOUSE_RESULT KC_GUI_LINEBOX::fOnMouseMove() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (mFocusLock) {
        mActive = 1;
        mEvent.mCode = KS_GUI_EVENT::kFOCUS_LOCK;
    }
    return fReport();
}

// --- drawing -------------------------------------------------------------------

void KC_GUI_LINEBOX::fDraw() {
    if (mBackground) mBackground->fDraw();
    if (mFont) fDrawText();
}

void KC_GUI_LINEBOX::fDrawText() {
    KS_FONT_PLACE place(*mFont, mTextTransform, mTextAnchor);
    if (!place.fReady()) return;
    float x = static_cast<float>(mFont->fGetOffsetXW(mText.c_str()));
    const float y = static_cast<float>(static_cast<int32_t>(-mMargins[kBOTTOM]));
    const bool caret = mCaretVisible != 0;
    for (size_t i = 0; i < mText.size(); ++i) {
        if (caret && i == mCaret) mFont->fDrawGlyph(kCARET, x - kCARET_SHIFT, y);
        const int32_t advance = mFont->fDrawGlyph(static_cast<uint32_t>(mText[i]), x, y);
        x += static_cast<float>(advance + mFont->fGetSpacing());
    }
    if (caret && mCaret == mText.size()) mFont->fDrawGlyph(kCARET, x - kCARET_SHIFT, y);
}

float KC_GUI_LINEBOX::fGetWidth() const { return fSpriteWidth(mBackground.get()); }
float KC_GUI_LINEBOX::fGetHeight() const { return fSpriteHeight(mBackground.get()); }

}  // namespace KEL
