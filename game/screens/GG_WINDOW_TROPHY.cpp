#include "game/screens/GG_WINDOW_TROPHY.h"

#include "game/screens/GG_SCREEN_STEPS.h"
#include "game/screens/GG_SIDE_STEPS.h"
#include "game/screens/pages/gPages_Trophy.h"

namespace game {

GG_WINDOW_TROPHY::GG_WINDOW_TROPHY(const pugi::xml_node& node) : G_WINDOW(node) {
    const pugi::xml_node file = node.child("gPages");
    if (!file) return;
    mPages = std::make_unique<gPages_Trophy>();
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

GG_WINDOW_TROPHY::~GG_WINDOW_TROPHY() = default;

// The dots move only with a turn the list took.
void GG_WINDOW_TROPHY::fOnClick(int32_t widgetId) {
    if (!mPages || mPages->fIsTurning() || (widgetId != kNEXT && widgetId != kPREVIOUS)) return;
    const bool turned = widgetId == kNEXT ? mPages->fTurnNext() : mPages->fTurnPrev();
    fUpdatePageArrows(*this, mPages.get(), kPREVIOUS, kNEXT);
    if (!turned || !mDots) return;
    if (widgetId == kNEXT) mDots->fNext();
    else mDots->fPrev();
}

void GG_WINDOW_TROPHY::fOnShowStart() { fUpdatePageArrows(*this, mPages.get(), kPREVIOUS, kNEXT); }

void GG_WINDOW_TROPHY::fOnRefresh() {
    if (mPages) mPages->fRefresh();
}

void GG_WINDOW_TROPHY::fOnFrame() {
    if (mPages) mPages->fUpdate();
}

void GG_WINDOW_TROPHY::fOnDraw() {
    if (mPages) mPages->fDraw();
    if (mDots) mDots->fDraw();
}

void GG_WINDOW_TROPHY::fOnLoad() {
    if (mPages) mPages->fReloadResources();
    if (mDots) mDots->fReloadResources();
}

void GG_WINDOW_TROPHY::fOnUnload() {
    if (mPages) mPages->fReleaseResources();
    if (mDots) mDots->fReleaseResources();
}

KEL::KS_MOUSE_RESULT GG_WINDOW_TROPHY::fOnMouseDown(int32_t button) {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseDown(button);
    if (result.fTaken() || !mPages) return result;
    return mPages->fOnMouseDown(button);
}

KEL::KS_MOUSE_RESULT GG_WINDOW_TROPHY::fOnMouseUp(int32_t button) {
    const KEL::KS_MOUSE_RESULT result = G_WINDOW::fOnMouseUp(button);
    if (result.fTaken() || !mPages) return result;
    return mPages->fOnMouseUp(button);
}

}  // namespace game
