#include "game/screens/pages/gPages_Shop_Item.h"

#include "SERVICE/KS_RESULT.h"
#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/gui/KC_GUI_IMAGE.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/gui/KF_GUI_READER.h"
#include "engine/util/KF_UTF8.h"
#include "game/profile/GG_PLAYER.h"
#include "game/progress/KC_SHOP_ITEM.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"

namespace game {

gPages_Shop_Item::gPages_Shop_Item(const void* owner, const pugi::xml_node& element)
    : G_PAGES_ITEM(owner),
      mOfferName(element.attribute("type").as_string("")),
      mGameplayOnly(element.attribute("gameplayonly").as_bool(false)) {
    const KEL::KS_VEC2 size = fReadPair(element.attribute("size"));
    mSize = {int32_t(size.x), int32_t(size.y)};
    mGui = std::make_unique<KEL::KC_GUI_ROOT>();
    KEL::fReadGuiLayout(*mGui, element.child("GUI"));
    mGui->fGetRootWidget().fGetTransform().mParent = &mTransform;
    if (auto* annotation = fFindWidget<KEL::KC_GUI_WLABEL>(mGui.get(), kANNOTATION))
        mDefaultAnnotation = KEL::fToUtf8(annotation->fGetText());
    if (auto* picture = fFindWidget<KEL::KC_GUI_IMAGE>(mGui.get(), kPICTURE))
        mDefaultImage = picture->fGetTextureName();
    fRefresh();
}

// The card is taken as on sale or not before the button is worked out, so
// a card whose offer came or went shows it at once.
void gPages_Shop_Item::fRefresh() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    const KEL::KC_SHOP_ITEM* offer = game ? game->fStoreQuery(mOfferName) : nullptr;
    const bool inApp = game && game->fHasInApp();
    mAvailable = offer != nullptr;
    KEL::KC_GUI_OBJECT* mark = mGui->fFindChild(kNOT_OFFERED);
    if (mark) mark->fSetVisible(!offer);
    bool priced = true;
    if (offer) {
        mAnnotation = offer->fGetAnnotation();
        mPrice = offer->fGetPrice();
        mImage = offer->fGetImage();
        if (inApp && offer->fGetInAppKey().empty()) {
            // Nothing the store could sell: the button would do nothing.
            priced = false;
            mPriceText.clear();
        } else if (inApp) {
            const std::string price = game->fGetStorePrice(offer->fGetInAppKey());
            priced = !price.empty();
            mPriceText = priced ? KEL::fFromUtf8(price) : game->fGetString(kLOADING);
        }
    } else {
        mAnnotation = mDefaultAnnotation;
        mPrice = 0;
        mImage = mDefaultImage;
        if (inApp) mPriceText.clear();
    }
    fApplyAvailability(priced);
    fWriteLabels();
    if (mLoaded) {
        fReleaseResources();
        fReloadResources();
    }
}

void gPages_Shop_Item::fWriteLabels() {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!game) return;
    auto* title = fFindWidget<KEL::KC_GUI_WLABEL>(mGui.get(), kTITLE);
    if (title && !mOfferName.empty()) title->fSetText(game->fGetString(mOfferName));
    auto* annotation = fFindWidget<KEL::KC_GUI_WLABEL>(mGui.get(), kANNOTATION);
    if (annotation && !mAnnotation.empty()) annotation->fSetText(game->fGetString(mAnnotation));
    // A card off sale shows no price rather than the one it had.
    if (auto* price = fFindWidget<KEL::KC_GUI_WLABEL>(mGui.get(), kPRICE))
        price->fSetText(game->fHasInApp() ? mPriceText : mPrice > 0 ? std::to_wstring(mPrice) : std::wstring());
    auto* picture = fFindWidget<KEL::KC_GUI_IMAGE>(mGui.get(), kPICTURE);
    if (picture && !mImage.empty()) picture->fSetTexture(mImage);
}

bool gPages_Shop_Item::fCanTakeNow() const {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!game) return false;
    if (mGameplayOnly && !game->fIsLevelRunning()) return false;
    if (mOfferName == KEL::kITEM_REFILL_HINT) return game->fCanRefillHints();
    if (mOfferName == KEL::kITEM_REFILL_HEALTH) {
        GG_PLAYER* player = game->fGetCurrentPlayer();
        return player && player->fGetHealth().fUpdate();
    }
    return true;
}

void gPages_Shop_Item::fApplyAvailability(bool flag) {
    auto* buy = fFindWidget<KEL::KC_GUI_BUTTON5>(mGui.get(), kBUY);
    if (!buy) return;
    if (flag && mAvailable && fCanTakeNow()) buy->fSetNormal();
    else buy->fSetDisabled();
}

void gPages_Shop_Item::fApplyAffordability(int32_t score) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (game && !game->fHasInApp()) fApplyAvailability(mPrice <= score);
}

void gPages_Shop_Item::fReloadResources() {
    if (mLoaded) return;
    fWriteLabels();
    mGui->fReloadResources();
    mLoaded = true;
}

void gPages_Shop_Item::fReleaseResources() {
    if (!mLoaded) return;
    mGui->fReleaseResources();
    mLoaded = false;
}

void gPages_Shop_Item::fDraw() { mGui->fDraw(); }

int32_t gPages_Shop_Item::fOnMouseDown(int32_t) {
    return mGui->fMouseDown().fHasEvent() ? KEL::KS_RESULT::kSTOP : KEL::KS_RESULT::kNOTHING;
}

int32_t gPages_Shop_Item::fOnMouseMove() {
    return mGui->fMouseMove().fHasEvent() ? KEL::KS_RESULT::kSTOP : KEL::KS_RESULT::kNOTHING;
}

// Only a release on the buy button buys.
int32_t gPages_Shop_Item::fOnMouseUp(int32_t) {
    const KEL::KS_MOUSE_RESULT result = mGui->fMouseUp();
    return result.fHasEvent() && result.mEvent.mId == kBUY ? KEL::KS_RESULT::kSTOP : KEL::KS_RESULT::kNOTHING;
}

}  // namespace game
