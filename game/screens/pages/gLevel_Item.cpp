#include "game/screens/pages/gLevel_Item.h"

#include <string>

#include "engine/render/KC_TEXTURE.h"
#include "game/screens/GG_SCREEN_STEPS.h"

namespace game {

gLevel_Item::gLevel_Item(const void* owner, const pugi::xml_node& element, int32_t ordinal)
    : GG_PAGE_ITEM(owner, element, ordinal) {
    const pugi::xml_node star = element.child("star");
    if (!star) return;
    mStar = std::make_unique<KEL::G_SPRITE>(std::string(star.attribute("picture").as_string("")));
    mStarShiftX = star.attribute("shift_x").as_int(0);
    mStarShiftY = star.attribute("shift_y").as_int(0);
}

void gLevel_Item::fReloadResources() {
    GG_PAGE_ITEM::fReloadResources();
    if (!mStar) return;
    mStar->fReloadTexture();
    if (KEL::KC_TEXTURE* texture = mStar->fGetTexture())
        mStar->fSetSize(float(int32_t(texture->fGetWidth()) / kSTAR_FRAMES), float(texture->fGetHeight()));
}

void gLevel_Item::fReleaseResources() {
    GG_PAGE_ITEM::fReleaseResources();
    if (mStar) mStar->fUnloadTexture();
}

void gLevel_Item::fDraw() {
    GG_PAGE_ITEM::fDraw();
    if (mState == kLOCKED) return;
    const KEL::KS_VEC2 at = fBackgroundPosition();
    const std::wstring number = std::to_wstring(mOrdinal + 1);
    const float x = at.x + float(mTextShiftX), y = at.y + float(mTextShiftY);
    if (mFont) fDrawText(mFont, x, y, kWHITE, kNUMBER_ANCHOR, number);
    else fDrawText(mFontDesc.mFont, x, y, mFontDesc.mColor.fGetARGB(), mFontDesc.mAnchor, number);
    if (!mStar) return;
    KEL::KS_TRANSFORM3* place = mStar->fGetTransform();
    place->mParent = nullptr;
    place->fSetScale(1.0f, 1.0f, 1.0f);
    float starX = at.x + float(mStarShiftX);
    for (int32_t i = 0; i < kSTARS; ++i) {
        mStar->fSetFrame(kSTAR_FRAMES, 1, i < mStars ? 1 : 0);
        place->fSetPos(starX, at.y + float(mStarShiftY), 0.0f);
        mStar->fDrawWith();
        starX += mStar->fGetWidth();
    }
}

}  // namespace game
