#include "game/screens/GG_WINDOW_PAGED.h"

#include <string>

#include "engine/gui/KC_GUI_BUTTON5.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/screens/GG_SCREEN_STEPS.h"

namespace game {

GG_WINDOW_PAGED::GG_WINDOW_PAGED(const pugi::xml_node& node, const KS_PAGING& paging)
    : G_WINDOW(node), mPaging(paging) {}

GG_WINDOW_PAGED::~GG_WINDOW_PAGED() = default;

void GG_WINDOW_PAGED::fBuild(const pugi::xml_node& node, std::unique_ptr<KEL::gPages> pages) {
    const pugi::xml_node file = node.child("gPages");
    if (!file || !pages) return;
    mPages = std::move(pages);
    mPages->fLoad(file.attribute("file").as_string(""));
    mPages->fSetParent(&mTransform);
    const pugi::xml_attribute x = file.attribute("pos_x"), y = file.attribute("pos_y");
    if (x && y) mPages->fSetPosition(float(x.as_int(0)), float(y.as_int(0)));
    fBuildDots(node);
}

void GG_WINDOW_PAGED::fBuildDots(const pugi::xml_node& node) {
    const pugi::xml_node settings = node.child("settings");
    const pugi::xml_attribute texture = settings.attribute("page_number");
    if (texture) {
        mDots = std::make_unique<KEL::G_PAGES_DOTS>(std::string(texture.value()));
        const KEL::KS_VEC2 at = fReadPair(settings.attribute("pos"));
        mDots->fSetPosition(at.x, at.y);
    } else if (const pugi::xml_node element = node.child("IOS_PAGE_NUMBER")) {
        mDots = std::make_unique<KEL::G_PAGES_DOTS>(element);
    } else {
        return;
    }
    mDots->fSetParent(&mTransform);
    mDots->fSetCount(uint32_t(mPages->fGetPageCount()));
}

void GG_WINDOW_PAGED::fUpdateArrows() {
    fUpdatePageArrows(*this, mPages.get(), mPaging.mPrevious, mPaging.mNext);
    if (!mPaging.mHideArrowsOnOnePage) return;
    const bool several = mPages && (mPages->fHasNextPage() || mPages->fHasPrevPage());
    for (int32_t id : {mPaging.mPrevious, mPaging.mNext})
        if (auto* arrow = fFindWidget<KEL::KC_GUI_BUTTON5>(*this, id)) arrow->fSetVisible(several);
}

void GG_WINDOW_PAGED::fToFirstPage() {
    if (mPages) mPages->fResetPage();
    if (mDots) mDots->fReset();
    fUpdateArrows();
}

// The dots move only with a turn the list took, so they stay in step
// while a slide is still running.
void GG_WINDOW_PAGED::fOnClick(int32_t widgetId) {
    const bool next = widgetId == mPaging.mNext, previous = widgetId == mPaging.mPrevious;
    if (!mPages || widgetId == kNO_ARROW || (!next && !previous) || mPages->fIsTurning()) return;
    const bool turned = next ? mPages->fTurnNext() : mPages->fTurnPrev();
    fUpdateArrows();
    if (!turned || !mDots) return;
    if (next) mDots->fNext();
    else mDots->fPrev();
}

void GG_WINDOW_PAGED::fOnShowStart() {
    if (mManager && mPaging.mTitleWindow) mManager->fShowWindow(mPaging.mTitleWindow);
    fUpdateArrows();
}

void GG_WINDOW_PAGED::fOnHideStart() {
    if (mManager && mPaging.mTitleWindow) mManager->fHideWindow(mPaging.mTitleWindow);
}

void GG_WINDOW_PAGED::fOnDraw() {
    if (mPages) mPages->fDraw();
    if (mDots) mDots->fDraw();
}

// Stepped even where the list hears no mouse, so a sliding turn runs to
// its end.
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
    if (result.fTaken() || !mPages || !mPaging.mListTakesMouse) return result;
    return mPages->fOnMouseDown(button);
}

KEL::KS_MOUSE_RESULT GG_WINDOW_PAGED::fOnMouseUp(int32_t button) {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseUp(button);
    if (result.fTaken() || !mPages || !mPaging.mListTakesMouse) return result;
    return mPages->fOnMouseUp(button);
}

KEL::KS_MOUSE_RESULT GG_WINDOW_PAGED::fOnMouseMove() {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseMove();
    if (result.fTaken() || !mPages || !mPaging.mListTakesMouse) return result;
    return mPages->fOnMouseMove();
}

bool GG_WINDOW_PAGED::fIsAtRest() const { return G_WINDOW::fIsAtRest() && !(mPages && mPages->fIsTurning()); }

}  // namespace game
