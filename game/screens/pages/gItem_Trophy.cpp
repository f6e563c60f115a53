#include "game/screens/pages/gItem_Trophy.h"

#include <algorithm>

#include "SERVICE/KS_RESULT.h"
#include "game/progress/KC_TROPHIES.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"

namespace game {

namespace {

KEL::KC_TROPHY* fFindTrophy(const std::string& name) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    KEL::KC_TROPHIES* trophies = game ? game->fGetTrophies() : nullptr;
    return trophies ? trophies->fFind(name) : nullptr;
}

}  // namespace

gItem_Trophy::gItem_Trophy(const void* owner, const pugi::xml_node& element) : G_PAGES_ITEM(owner) {
    const pugi::xml_attribute name = element.attribute("name_tr");
    if (name) {
        mName = name.value();
        if (const pugi::xml_node bonus = element.child("sunime")) mBonusPicture.fRead(bonus);
    }
    // The pictures move with the entry, the bonus picture at its own offset.
    for (KEL::G_SPRITE* sprite : {&mClosed, &mOpen, &mBonusPicture}) sprite->fGetTransform()->mParent = &mTransform;
    if (!name) return;
    fReadStyle(mTitleStyle, element.child("fontTitle"));
    fReadStyle(mDescriptionStyle, element.child("fontDescr"));
    fReadStyle(mBonusStyle, element.child("fontSunime"));
}

void gItem_Trophy::fReadStyle(KS_TEXT_STYLE& style, const pugi::xml_node& element) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    style.mFont.fRead(element, game ? game->fGetFonts() : nullptr);
    style.mShift = fReadPair(element.attribute("shift"));
}

int32_t gItem_Trophy::fMessage(int32_t message, float a, float b, float c, void* data) {
    const int32_t answer = G_PAGES_ITEM::fMessage(message, a, b, c, data);
    if (answer != KEL::KS_RESULT::kNOTHING) return answer;
    switch (message) {
        case kMSG_DRAW_PICTURE: fDrawPicture(); break;
        case kMSG_DRAW_BONUS_PICTURE: fDrawBonusPicture(); break;
        case kMSG_DRAW_TEXTS: fDrawTexts(); break;
        default: break;
    }
    return KEL::KS_RESULT::kNOTHING;
}

// A trophy the list does not know keeps what it showed.
void gItem_Trophy::fRefresh() {
    if (const KEL::KC_TROPHY* trophy = fFindTrophy(mName)) mUnlocked = trophy->fIsUnlocked();
}

void gItem_Trophy::fReloadResources() {
    const KEL::KC_TROPHY* trophy = fFindTrophy(mName);
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!trophy || !game) return;
    mTitle = game->fGetString(trophy->fGetName());
    mDescription = game->fGetString(trophy->fGetDesc());
    mBonus = trophy->fGetBonus();
    mClosed.fSetTextureName(trophy->fGetImageClose());
    mOpen.fSetTextureName(trophy->fGetImageOpen());
    for (KEL::G_SPRITE* sprite : {&mClosed, &mOpen, &mBonusPicture}) sprite->fReloadTexture();
}

void gItem_Trophy::fReleaseResources() {
    for (KEL::G_SPRITE* sprite : {&mClosed, &mOpen, &mBonusPicture}) sprite->fUnloadTexture();
}

int32_t gItem_Trophy::fGetWidth() { return int32_t(std::max(mClosed.fGetWidth(), mOpen.fGetWidth())); }

int32_t gItem_Trophy::fGetHeight() { return int32_t(std::max(mClosed.fGetHeight(), mOpen.fGetHeight())); }

void gItem_Trophy::fDraw() {
    fDrawPicture();
    fDrawBonusPicture();
    fDrawTexts();
}

void gItem_Trophy::fDrawPicture() {
    if (mUnlocked) mOpen.fDrawWith();
    else mClosed.fDrawWith();
}

void gItem_Trophy::fDrawBonusPicture() {
    if (!mUnlocked) mBonusPicture.fDrawWith();
}

void gItem_Trophy::fDrawText(const KS_TEXT_STYLE& style, const std::wstring& text) const {
    const KEL::KS_TRANSFORM3 at = mTransform.fGetAbsolute();
    game::fDrawText(style.mFont, at.mPosition.x + style.mShift.x, at.mPosition.y + style.mShift.y, text);
}

void gItem_Trophy::fDrawTexts() const {
    if (!mUnlocked) fDrawText(mBonusStyle, std::to_wstring(mBonus));
    fDrawText(mTitleStyle, mTitle);
    fDrawText(mDescriptionStyle, mDescription);
}

}  // namespace game
