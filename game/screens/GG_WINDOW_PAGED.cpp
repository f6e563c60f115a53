#include "game/screens/GG_WINDOW_PAGED.h"

#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/screens/GG_SCREEN_STEPS.h"

namespace game {

GG_WINDOW_PAGED::GG_WINDOW_PAGED(const pugi::xml_node& node, const char* titleWindow)
    : G_WINDOW(node), mTitleWindow(titleWindow) {}

void GG_WINDOW_PAGED::fBuild(const pugi::xml_node& node, std::unique_ptr<KEL::gPages> pages) {
    const pugi::xml_node file = node.child("gPages");
    if (!file || !pages) return;
    mPages = std::move(pages);
    mPages->fLoad(file.attribute("file").as_string(""));
    mPages->fSetParent(&mTransform);
    const pugi::xml_node settings = node.child("settings");
    const pugi::xml_attribute dots = settings.attribute("page_number");
    if (!dots) return;
    mDots = std::make_unique<KEL::G_PAGES_DOTS>(std::string(dots.value()));
    mDots->fSetParent(&mTransform);
    const KEL::KS_VEC2 at = fReadPair(settings.attribute("pos"));
    mDots->fSetPosition(at.x, at.y);
    mDots->fSetCount(uint32_t(mPages->fGetPageCount()));
}

void GG_WINDOW_PAGED::fUpdateArrows() {
    auto* previous = fFindWidget<KEL::KC_GUI_BUTTON5>(*this, kPREVIOUS);
    auto* next = fFindWidget<KEL::KC_GUI_BUTTON5>(*this, kNEXT);
    const bool hasNext = mPages && mPages->fHasNextPage();
    const bool hasPrevious = mPages && mPages->fHasPrevPage();
    for (KEL::KC_GUI_BUTTON5* arrow : {previous, next})
        if (arrow) arrow->fSetVisible(hasNext || hasPrevious);
    fEnableButton(next, hasNext);
    fEnableButton(previous, hasPrevious);
}

void GG_WINDOW_PAGED::fToFirstPage() {
    if (mPages) mPages->fResetPage();
    if (mDots) mDots->fReset();
    fUpdateArrows();
}

// The dots move only with a turn the list took, so they stay in step
// while a slide is still running.
void GG_WINDOW_PAGED::fOnClick(int32_t widgetId) {
    if (!mPages) return;
    if (widgetId == kNEXT && mPages->fTurnNext() && mDots) mDots->fNext();
    if (widgetId == kPREVIOUS && mPages->fTurnPrev() && mDots) mDots->fPrev();
    if (widgetId == kNEXT || widgetId == kPREVIOUS) fUpdateArrows();
}

void GG_WINDOW_PAGED::fOnShowStart() {
    if (mManager) mManager->fShowWindow(mTitleWindow);
    fUpdateArrows();
}

void GG_WINDOW_PAGED::fOnHideStart() {
    if (mManager) mManager->fHideWindow(mTitleWindow);
}

void GG_WINDOW_PAGED::fOnDraw() {
    if (mPages) mPages->fDraw();
    if (mDots) mDots->fDraw();
}

void GG_WINDOW_PAGED::fOnFrame() {
    if (mPages) mPages->fUpdate();
}

void GG_WINDOW_PAGED::fOnLoad() {
    if (mPages) mPages->fReloadResources();
    if (mDots) mDots->fReloadResources();
}

void GG_WINDOW_PAGED::fOnUnload() {
    if (mPages) mPages->fReleaseResources();
    if (mDots) mDots->fReleaseResources();
}

KEL::KS_MOUSE_RESULT GG_WINDOW_PAGED::fOnMouseDown(int32_t button) {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseDown(button);
    if (result.fTaken() || !mPages) return result;
    return mPages->fOnMouseDown(button);
}

KEL::KS_MOUSE_RESULT GG_WINDOW_PAGED::fOnMouseUp(int32_t button) {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseUp(button);
    if (result.fTaken() || !mPages) return result;
    return mPages->fOnMouseUp(button);
}

KEL::KS_MOUSE_RESULT GG_WINDOW_PAGED::fOnMouseMove() {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseMove();
    if (mPages) mPages->fOnMouseMove();
    return result;
}

}  // namespace game
