#include "game/board/GG_STORE_BUTTON.h"

#include <algorithm>

#include "SERVICE/KS_RESULT.h"
#include "engine/bots/KC_BOT_MOVE.h"
#include "engine/platform/KC_INPUT.h"
#include "game/board/GG_PAUSE.h"

namespace game {

GG_STORE_BUTTON::GG_STORE_BUTTON() = default;

GG_STORE_BUTTON::~GG_STORE_BUTTON() { mBots.fDeleteAll(); }

bool GG_STORE_BUTTON::fLoad(const pugi::xml_node& node) {
    if (!GG_BASE_CONTROL::fLoad(node) || !fLoadControlButton(mWidgets, node, mTransform)) return false;
    if (node.attribute("speed")) mSpeed = std::max(0.0f, node.attribute("speed").as_float());
    if (node.attribute("delay")) mDelay = std::max(0.0f, node.attribute("delay").as_float());
    mPlace = mWidgets.fGetRootWidget().fGetChild(0)->fGetTransform().fGetPos2();
    return true;
}

void GG_STORE_BUTTON::fDraw() {
    GG_BASE_CONTROL::fDraw();
    mWidgets.fDraw();
}

void GG_STORE_BUTTON::fUpdate() { mBots.fUpdate(); }

KEL::KS_MOUSE_RESULT GG_STORE_BUTTON::fOnMouseMove() { return mWidgets.fMouseMove().fEventOnly(); }

KEL::KS_MOUSE_RESULT GG_STORE_BUTTON::fOnMouseDown(int32_t button) {
    if (button != KEL::KC_INPUT::kMOUSE_LEFT || mBlocked || !fIsInView()) return KEL::KS_MOUSE_RESULT::fNotTaken();
    const KEL::KS_MOUSE_RESULT result = mWidgets.fMouseDown();
    if (!result.fHasEvent()) return KEL::KS_MOUSE_RESULT::fNotTaken();
    const KEL::Closure<void()> onStore = mOnStore;
    onStore();
    return result;
}

KEL::KS_MOUSE_RESULT GG_STORE_BUTTON::fOnMouseUp(int32_t button) {
    if (button != KEL::KC_INPUT::kMOUSE_LEFT) return KEL::KS_MOUSE_RESULT::fNotTaken();
    mWidgets.fMouseUp();
    return KEL::KS_MOUSE_RESULT::fNotTaken();
}

void GG_STORE_BUTTON::fLoadResources() {
    if (!mResourcesLoaded) {
        mWidgets.fReloadResources();
        // The button's height is known only now.
        fSlide(false);
    }
    GG_BASE_CONTROL::fLoadResources();
}

void GG_STORE_BUTTON::fReleaseResources() {
    mWidgets.fReleaseResources();
    GG_BASE_CONTROL::fReleaseResources();
}

void GG_STORE_BUTTON::fSetCount(int32_t count) {
    const bool wasInView = fIsInView();
    mCount = std::max(0, count);
    if (wasInView != fIsInView()) fSlide(true);
}

// Towards the place of the count: its loaded place, or its own height down.
void GG_STORE_BUTTON::fSlide(bool animate) {
    KEL::KC_GUI_OBJECT* button = mWidgets.fGetRootWidget().fGetChild(0);
    if (!button) return;
    const float y = fIsInView() ? mPlace.y : mPlace.y + button->fGetHeight();
    mBots.fDeleteAll();
    if (!animate || button->fGetHeight() <= 0.0f) {
        button->fGetTransform().fSetPos(mPlace.x, y, 0.0f);
        return;
    }
    mBots.fAdd(KEL::fCreateBotMove(&button->fGetTransform(), mSpeed > 0.0f ? mSpeed : 0.001f, 0.0f, mPlace.x, y, 0.0f,
                                   mDelay));
}

}  // namespace game
