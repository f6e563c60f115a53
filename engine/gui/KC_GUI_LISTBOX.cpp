#include "engine/gui/KC_GUI_LISTBOX.h"

#include <algorithm>

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

// A sprite on its own transform, hung under the list box's, centred.
std::unique_ptr<KC_QUAD> fMakeRowSprite(KC_TEXTURE* texture, KS_TRANSFORM3& parent) {
    std::unique_ptr<KC_QUAD> sprite = fMakeSprite(texture, nullptr);
    sprite->fGetTransform()->mParent = &parent;
    sprite->fSetHotSpot(kANCHOR_CENTRE);
    return sprite;
}
}  // namespace

KC_GUI_LISTBOX::KC_GUI_LISTBOX(int32_t id, const std::string& listTextureName, const std::string& panelTextureName,
                               const std::string& sliderTextureName, const std::string& fontTextureName,
                               const std::string& fontName)
    : KC_GUI_OBJECT(id),
      mListTexture(listTextureName),
      mFontTexture(fontTextureName),
      mSliderTextureName(sliderTextureName),
      mFontName(fontName),
      mPanel(std::make_unique<KC_GUI_PANEL>(kPANEL_ID, panelTextureName)) {
    mType = kTYPE_LISTBOX;
    mPanel->fSetMovable(false);
    mPanel->fGetTransform().mParent = &mTransform;
}

// --- building ------------------------------------------------------------------

void KC_GUI_LISTBOX::fReloadResources() {
    mPanel->fReloadTree();
    if (!mBuilt) {
        fBuild();
        return;
    }
    fReloadSprite(mSelectedSprite.get(), mListTexture);
    fReloadSprite(mRowSprite.get(), mRowTexture);
    KC_TEXTURE* texture = mFontTexture.fAcquire();
    if (mFont) mFont->fSetTexture(texture);
}

void KC_GUI_LISTBOX::fReleaseResources() {
    fReleaseSprite(mSelectedSprite.get(), mListTexture);
    fReleaseSprite(mRowSprite.get(), mRowTexture);
    if (mFontTexture.fRelease() && mFont) mFont->fSetTexture(fSceneDefaultTexture());
    mPanel->fReleaseTree();
}

void KC_GUI_LISTBOX::fBuild() {
    mBuilt = 1;
    fSetRowHeight(mPanel->fGetHeight());
    mFont = fBuildGuiFont(mFontName, mFontTexture.fAcquire(), kCAPACITY);
    if (mFont) mFont->fSetColor(mNormalColor);
    if (!mRowSprite && !mRowTexture.fGetName().empty()) {
        mRowSprite = fMakeRowSprite(mRowTexture.fAcquire(), mTransform);
        mRowHeight = std::max(1, static_cast<int32_t>(mRowSprite->fGetHeight()));
    }
    mSelectedSprite = fMakeRowSprite(mListTexture.fAcquire(), mTransform);
    mHitArea.fSet(KS_HIT_AREA::kRECT, &mPanel->fGetTransform(), mPanel->fGetWidth(), mPanel->fGetHeight());
}

// A list of no rows, or rows thinner than a pixel, still divides safely.
void KC_GUI_LISTBOX::fSetRowHeight(float panelHeight) {
    mRowHeight = std::max(1, static_cast<int32_t>(panelHeight / static_cast<float>(std::max(1, mDrawnRows))));
}

void KC_GUI_LISTBOX::fSetSize(int32_t width, int32_t height) {
    if (!mBuilt) return;
    mHitArea.fSetWidth(static_cast<float>(width));
    mHitArea.fSetHeight(static_cast<float>(height));
    mRowHeight = std::max(1, height / std::max(1, mDrawnRows));
    mPanel->fSetSize(width, height);
    if (mFont) fPlaceRowSprites(static_cast<float>(width));
}

void KC_GUI_LISTBOX::fPlaceRowSprites(float width) {
    const float height = static_cast<float>(mFont->fGetLineHeight());
    for (KC_QUAD* sprite : {mSelectedSprite.get(), mRowSprite.get()}) {
        if (!sprite) continue;
        sprite->fSetSizeF(width, height);
        sprite->fSetHotSpot(kANCHOR_CENTRE);
    }
}

void KC_GUI_LISTBOX::fSetVisibleRows(int32_t count) {
    mDrawnRows = count;
    if (mBuilt) fSetRowHeight(mPanel->fGetHeight());
}

void KC_GUI_LISTBOX::fSetRowTexture(const std::string& name, int32_t count) {
    mRowTexture.fSetName(name);
    mDrawnRows = count == 0 ? kALL_ROWS : count;
}

void KC_GUI_LISTBOX::fSetColor(uint32_t argb) {
    if (mFont) mFont->fSetColor(argb);
    mNormalColor = argb;
    mSelectedColor = argb;
}

// --- rows ----------------------------------------------------------------------

void KC_GUI_LISTBOX::fAddItem(const std::string& utf8) { fAddItemW(fFromUtf8(utf8)); }

void KC_GUI_LISTBOX::fAddItemW(const std::wstring& text) {
    if (mRows.size() < mMaxRows) mRows.push_back(text);
}

void KC_GUI_LISTBOX::fClear() {
    mRows.clear();
    mSelection = -1;
}

const std::wstring* KC_GUI_LISTBOX::fGetSelected() const {
    if (mSelection < 0 || mSelection >= fGetCount()) return nullptr;
    return &mRows[static_cast<size_t>(mSelection)];
}

std::wstring KC_GUI_LISTBOX::fGetItem(int32_t index) const {
    if (index < 0 || index >= fGetCount()) return std::wstring();
    return mRows[static_cast<size_t>(index)];
}

void KC_GUI_LISTBOX::fSelectText(const std::wstring& text) {
    for (int32_t i = fGetCount() - 1; i >= 0; --i) {
        if (mRows[static_cast<size_t>(i)] == text) {
            mSelection = i;
            return;
        }
    }
}

// --- passes --------------------------------------------------------------------

KS_MOUSE_RESULT KC_GUI_LISTBOX::fOnMouseMove() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    mActive = fMouseIn(&mHitArea) ? 1 : 0;
    return KS_MOUSE_RESULT::fNotTaken();
}

KS_MOUSE_RESULT KC_GUI_LISTBOX::fOnMouseDown() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (!mActive || !fLeftPressed() || !fMouseIn(&mHitArea)) return fReport();
    const float dy = fMouseY() - mTransform.fGetAbsolute().mPosition.y;
    const int32_t row = static_cast<int32_t>((mPanel->fGetHeight() * 0.5f + dy) / static_cast<float>(mRowHeight));
    // Below the last row of a short list means the last row.
    mSelection = row < fGetCount() ? row : fGetCount() - 1;
    mEvent.mCode = KS_GUI_EVENT::kPRESSED;
    return fReport();
}

KS_MOUSE_RESULT KC_GUI_LISTBOX::fOnMouseUp() {
    mEvent.mCode = KS_GUI_EVENT::kNONE;
    if (!mActive || !kcINPUT) return KS_MOUSE_RESULT::fNotTaken();
    if (kcINPUT->fIsKeyReleased(host::vk::kDOWN)) mSelection = std::min(mSelection + 1, fGetCount() - 1);
    else if (kcINPUT->fIsKeyReleased(host::vk::kUP)) mSelection = std::max(mSelection - 1, 0);
    return KS_MOUSE_RESULT::fNotTaken();
}

// --- drawing -------------------------------------------------------------------

void KC_GUI_LISTBOX::fDraw() {
    if (!mBuilt) return;
    mPanel->fDrawTree();
    if (!mFont) return;
    const KS_TRANSFORM3 panel = mPanel->fGetTransform().fGetAbsolute();
    const int32_t width = static_cast<int32_t>(mPanel->fGetWidth());
    const int32_t height = static_cast<int32_t>(mPanel->fGetHeight());
    const float x0 = panel.mPosition.x - static_cast<float>(width / 2 - width / mIndentDivisor);
    const float y0 = panel.mPosition.y - static_cast<float>(height / 2 - mRowHeight / 2 + mFont->fGetLineHeight() / 2);
    const int32_t shown = std::min(fGetCount(), mDrawnRows);
    for (int32_t i = 0; i < shown; ++i) fDrawRow(i, x0, y0, height / 2);
}

void KC_GUI_LISTBOX::fDrawRow(int32_t index, float x0, float y0, int32_t halfHeight) {
    const float y = static_cast<float>(index * mRowHeight - halfHeight + mRowHeight / 2);
    if (mRowSprite) {
        mRowSprite->fSetPosition(0.0f, y, 0.0f);
        mRowSprite->fDraw();
    }
    const bool selected = index == mSelection;
    if (selected && mSelectedSprite) {
        mSelectedSprite->fSetPosition(0.0f, y, 0.0f);
        mSelectedSprite->fDraw();
    }
    mFont->fSetColor(selected ? mSelectedColor : mNormalColor);
    const float x = static_cast<float>(static_cast<int32_t>(x0) + mLeftMargin);
    const float top = static_cast<float>(static_cast<int32_t>(y0 + static_cast<float>(index * mRowHeight)) +
                                         mUpperMargin);
    mFont->fDrawW(x, top, mRows[static_cast<size_t>(index)].c_str());
}

}  // namespace KEL
