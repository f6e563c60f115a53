#include "engine/gui/KC_GUI_TEXTBOX.h"

#include <algorithm>
#include <cmath>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KF_GUI_FONTS.h"
#include "engine/gui/KF_GUI_SPRITES.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/scene/KF_SCENE_TEXTURES.h"
#include "engine/util/KF_UTF8.h"
#include "host/VirtualKeys.h"

namespace KEL {

namespace {
constexpr uint32_t kCAPACITY = 600;
constexpr uint32_t kCARET = 124;  // "|"
constexpr float kCARET_SHIFT = 5.0f;
constexpr wchar_t kFIRST_PRINTABLE = 32;
}  // namespace

KC_GUI_TEXTBOX::KC_GUI_TEXTBOX(int32_t id, const std::string& textureName, const std::string& fontTextureName,
                               const std::string& fontName, uint32_t maxLength)
    : KC_GUI_OBJECT(id),
      mTexture(textureName),
      mFontTexture(fontTextureName),
      mFontName(fontName),
      mMaxLength(maxLength) {}

void KC_GUI_TEXTBOX::fReloadResources() {
    if (!mSprite) {
        fBuild();
        return;
    }
    fReloadSprite(mSprite.get(), mTexture);
    KC_TEXTURE* texture = mFontTexture.fAcquire();
    if (mFont) mFont->fSetTexture(texture);
}

void KC_GUI_TEXTBOX::fReleaseResources() {
    fReleaseSprite(mSprite.get(), mTexture);
    if (mFontTexture.fRelease() && mFont) mFont->fSetTexture(fSceneDefaultTexture());
}

void KC_GUI_TEXTBOX::fBuild() {
    mSprite = fMakeSprite(mTexture.fAcquire(), &mTransform);
    mFont = fBuildGuiFont(mFontName, mFontTexture.fAcquire(), kCAPACITY);
    if (mBoxWidth == 0) mBoxWidth = static_cast<int32_t>(mSprite->fGetWidth());
    if (mBoxHeight == 0) mBoxHeight = static_cast<int32_t>(mSprite->fGetHeight());
    mHitArea.fSet(KS_HIT_AREA::kRECT, &mTransform, 0.0f, 0.0f);
    fSetSize(mBoxWidth, mBoxHeight);
}

void KC_GUI_TEXTBOX::fSetSize(int32_t width, int32_t height) {
    if (width != 0) mBoxWidth = width;
    if (height != 0) mBoxHeight = height;
    fMeasure();
    if (!mSprite) return;
    mSprite->fSetSize(mBoxWidth, mBoxHeight);
    mSprite->fSetHotSpot(kANCHOR_CENTRE);
    mHitArea.fSetWidth(static_cast<float>(mBoxWidth));
    mHitArea.fSetHeight(static_cast<float>(mBoxHeight));
}

// The characters that fit between two margins of one character each.
void KC_GUI_TEXTBOX::fMeasure() {
    const int32_t pitch = mCharWidth + mSpacing;
    const int32_t count = static_cast<int32_t>(std::max<uint32_t>(1, std::min<uint32_t>(mMaxLength, 0x7fffffff)));
    const int32_t margin = mBoxWidth / count;
    mVisibleChars = pitch > 0 ? std::max(0, (mBoxWidth - 2 * margin) / pitch) : 0;
}

void KC_GUI_TEXTBOX::fSetCharMetrics(int32_t width, int32_t spacing) {
    mCharWidth = width;
    mSpacing = spacing;
    fMeasure();
}

void KC_GUI_TEXTBOX::fSetText(const std::wstring& text) {
    mText = text.substr(0, mMaxLength);
    mCaret = std::min(mCaret, static_cast<uint32_t>(mText.size()));
}

const char* KC_GUI_TEXTBOX::fGetTextNarrow() {
    mNarrow = fToUtf8(mText);
    return mNarrow.c_str();
}

float KC_GUI_TEXTBOX::fLeft() const {
    return mTransform.fGetAbsolute().mPosition.x - static_cast<float>(mBoxWidth) / 2.0f;
}

// --- passes --------------------------------------------------------------------

KS_MOUSE_RESULT KC_GUI_TEXTBOX::fGetEvent() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    mBlinkClock += kfFRAME_DELTA;
    if (mBlinkClock >= kBLINK) {
        mBlinkClock = 0.0f;
        mCaretShown = mCaretShown ? 0 : 1;
    }
    return KS_MOUSE_RESULT::fNotTaken();
}

KS_MOUSE_RESULT KC_GUI_TEXTBOX::fOnMouseDown() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (fLeftPressed()) {
        mFocus = fMouseIn(&mHitArea) ? 1 : 0;
        if (!mFocus) return fReport();
        const int32_t pitch = std::max(1, mCharWidth + mSpacing);
        const float column = std::round((fMouseX() - fLeft()) / static_cast<float>(pitch));
        mCaret = static_cast<uint32_t>(std::clamp(column, 0.0f, static_cast<float>(mText.size())));
        mEvent.mCode = KS_GUI_EVENT::kPRESSED;
        return fReport();
    }
    if (mFocus && kcINPUT) fEdit(kcINPUT->mLastKey, kcINPUT->mTypedText[0]);
    return fReport();
}

void KC_GUI_TEXTBOX::fEdit(int32_t key, wchar_t typed) {
    mCaretShown = 1;
    mBlinkClock = 0.0f;
    if (key == host::vk::kBACKSPACE && mCaret > 0) mText.erase(--mCaret, 1);
    if (key == host::vk::kDELETE && mCaret < mText.size()) mText.erase(mCaret, 1);
    if (key == host::vk::kLEFT && mCaret > 0) --mCaret;
    if (key == host::vk::kRIGHT && mCaret < mText.size()) ++mCaret;
    if (KC_INPUT::fIsSpecialKey(key) || typed < kFIRST_PRINTABLE) return;
    const size_t limit = std::min<size_t>(mMaxLength, static_cast<size_t>(mVisibleChars));
    if (mText.size() >= limit) return;
    mText.insert(mCaret++, 1, typed);
    mEvent.mCode = KS_GUI_EVENT::kVALUE_CHANGED;
}

KS_MOUSE_RESULT KC_GUI_TEXTBOX::fOnMouseUp() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (fLeftReleased() && fMouseIn(&mHitArea)) mEvent.mCode = KS_GUI_EVENT::kCLICK;
    return fReport();
}

// --- drawing -------------------------------------------------------------------

void KC_GUI_TEXTBOX::fDraw() {
    if (mSprite) mSprite->fDraw();
    if (!mFont || !mFont->fGetQuad() || !mFont->fGetQuad()->fGetTransform()) return;
    const KS_TRANSFORM3 absolute = mTransform.fGetAbsolute();
    const float pitch = static_cast<float>(mCharWidth + mSpacing);
    const float left = absolute.mPosition.x - static_cast<float>(mBoxWidth) / 2.0f;
    const float top = absolute.mPosition.y - static_cast<float>(mFont->fGetLineHeight()) / 2.0f;
    for (size_t i = 0; i < mText.size(); ++i)
        mFont->fDrawGlyph(static_cast<uint32_t>(mText[i]), left + pitch * static_cast<float>(i), top);
    if (mFocus && mCaretShown) mFont->fDrawGlyph(kCARET, left + pitch * static_cast<float>(mCaret) - kCARET_SHIFT, top);
}

float KC_GUI_TEXTBOX::fGetWidth() const { return fSpriteWidth(mSprite.get()); }
float KC_GUI_TEXTBOX::fGetHeight() const { return fSpriteHeight(mSprite.get()); }

}  // namespace KEL
