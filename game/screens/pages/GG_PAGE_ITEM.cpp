#include "game/screens/pages/GG_PAGE_ITEM.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"

namespace game {

GG_PAGE_ITEM::GG_PAGE_ITEM(const void* owner, const pugi::xml_node& element, int32_t ordinal)
    : G_PAGES_ITEM(owner), mOrdinal(ordinal) {
    if (const pugi::xml_attribute background = element.attribute("background")) {
        mBackground = std::make_unique<KEL::G_SPRITE>(std::string(background.value()));
        mBackground->fGetTransform()->mParent = &mTransform;
    }
    if (const pugi::xml_attribute picture = element.attribute("picture")) {
        mPicture = std::make_unique<KEL::G_SPRITE>(std::string(picture.value()));
        mPicture->fGetTransform()->mParent = mBackground ? mBackground->fGetTransform() : &mTransform;
        mPicture->fGetTransform()->fSetPos(float(element.attribute("pic_shift_x").as_int(0)),
                                           float(element.attribute("pic_shift_y").as_int(0)), 0.0f);
    }
    mTextShiftX = element.attribute("text_shift_x").as_int(0);
    mTextShiftY = element.attribute("text_shift_y").as_int(0);
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    KEL::KC_FONT_LIST* fonts = game ? game->fGetFonts() : nullptr;
    if (fonts) mFont = fonts->fGet(element.attribute("font").as_string(""));
    mFontDesc.fRead(element.child("font"), fonts);
}

int32_t GG_PAGE_ITEM::fMessage(int32_t message, float a, float b, float c, void* data) {
    const int32_t value = static_cast<int32_t>(fValueOf(data));
    switch (message) {
        case kMSG_ANCHOR:
            if (mBackground) mBackground->fSetHotSpot(value);
            if (mPicture) mPicture->fSetHotSpot(value);
            return KEL::KS_RESULT::kFAILED;
        case kMSG_STATE:
            if (mBackground && value >= kLOCKED && value <= kNEWEST) fSetState(value);
            return KEL::KS_RESULT::kFAILED;
        case kMSG_IDLE: return KEL::KS_RESULT::kNOTHING;
        default: return G_PAGES_ITEM::fMessage(message, a, b, c, data);
    }
}

void GG_PAGE_ITEM::fSetState(int32_t state) {
    mState = state;
    fApplyState();
}

void GG_PAGE_ITEM::fApplyState() {
    if (mBackground) mBackground->fSetFrame(kFRAMES, 1, mState == kNEWEST ? 1 : 0);
}

int32_t GG_PAGE_ITEM::fGetWidth() { return mBackground ? int32_t(mBackground->fGetWidth()) : 0; }
int32_t GG_PAGE_ITEM::fGetHeight() { return mBackground ? int32_t(mBackground->fGetHeight()) : 0; }

void GG_PAGE_ITEM::fReloadResources() {
    if (mBackground) {
        mBackground->fReloadTexture();
        if (KEL::KC_TEXTURE* texture = mBackground->fGetTexture())
            mBackground->fSetSize(float(int32_t(texture->fGetWidth()) / kFRAMES), float(texture->fGetHeight()));
    }
    if (mPicture) mPicture->fReloadTexture();
    fApplyState();
}

void GG_PAGE_ITEM::fReleaseResources() {
    if (mBackground) mBackground->fUnloadTexture();
    if (mPicture) mPicture->fUnloadTexture();
}

KEL::KS_VEC2 GG_PAGE_ITEM::fBackgroundPosition() const {
    const KEL::KS_TRANSFORM3 place = mBackground ? mBackground->fGetTransform()->fGetAbsolute()
                                                 : mTransform.fGetAbsolute();
    return {place.mPosition.x, place.mPosition.y};
}

void GG_PAGE_ITEM::fDraw() {
    if (mBackground) {
        mBackground->fDrawWith();
        if (mState == kLOCKED) {
            mBackground->fSetFrame(kFRAMES, 1, kLOCK_FRAME);
            mBackground->fDrawWith();
            fApplyState();
        }
    }
    if (mPicture && mState != kLOCKED) mPicture->fDrawWith();
    if (mText.empty()) return;
    const KEL::KS_VEC2 at = fBackgroundPosition();
    const float x = at.x + float(mTextShiftX), y = at.y + float(mTextShiftY);
    if (mFont) fDrawText(mFont, x, y, kWHITE, kTEXT_ANCHOR, mText);
    else fDrawText(mFontDesc.mFont, x, y, mFontDesc.mColor.fGetARGB(), mFontDesc.mAnchor, mText);
}

bool GG_PAGE_ITEM::fIsUnderPointer() const {
    if (!mBackground || !KEL::kcINPUT) return false;
    const KEL::KS_VEC2 at = fBackgroundPosition();
    const float halfW = float(int32_t(mBackground->fGetWidth()) / 2);
    const float halfH = float(int32_t(mBackground->fGetHeight()) / 2);
    const float x = float(KEL::kcINPUT->fGetMousePosition().x), y = float(KEL::kcINPUT->fGetMousePosition().y);
    return x >= at.x - halfW && x <= at.x + halfW && y >= at.y - halfH && y <= at.y + halfH;
}

int32_t GG_PAGE_ITEM::fOnMouseUp(int32_t button) {
    return button == KEL::KC_INPUT::kMOUSE_LEFT && fIsUnderPointer() ? KEL::KS_RESULT::kSTOP : KEL::KS_RESULT::kFAILED;
}

}  // namespace game
