#include "game/screens/GG_WINDOW_HELP.h"

#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/screens/GG_SIDE_STEPS.h"
#include "game/screens/pages/gPages_Help.h"

namespace game {

GG_WINDOW_HELP::GG_WINDOW_HELP(const pugi::xml_node& node) : G_WINDOW(node) {
    const pugi::xml_node file = node.child("gPages");
    if (!file) return;
    mPages = std::make_unique<gPages_Help>();
    mPages->fLoad(file.attribute("file").as_string(""));
    mPages->fSetParent(&mTransform);
    const pugi::xml_attribute x = file.attribute("pos_x"), y = file.attribute("pos_y");
    if (x && y) mPages->fSetPosition(float(x.as_int(0)), float(y.as_int(0)));
    const pugi::xml_node dots = node.child("IOS_PAGE_NUMBER");
    if (!dots) return;
    mDots = std::make_unique<KEL::G_PAGES_DOTS>(dots);
    mDots->fSetParent(&mTransform);
    mDots->fSetCount(uint32_t(mPages->fGetPageCount()));
}

GG_WINDOW_HELP::~GG_WINDOW_HELP() = default;

void GG_WINDOW_HELP::fOnClick(int32_t widgetId) {
    if (widgetId == kCLOSE && mManager) mManager->fHideWindow(mName);
    if (!mPages || (widgetId != kNEXT && widgetId != kPREVIOUS)) return;
    const bool turned = widgetId == kNEXT ? mPages->fTurnNext() : mPages->fTurnPrev();
    if (turned && mDots) {
        if (widgetId == kNEXT) mDots->fNext();
        else mDots->fPrev();
    }
    fUpdatePageArrows(*this, mPages.get(), kPREVIOUS, kNEXT);
}

void GG_WINDOW_HELP::fOnShowStart() { fUpdatePageArrows(*this, mPages.get(), kPREVIOUS, kNEXT); }

void GG_WINDOW_HELP::fOnFrame() {
    if (mPages) mPages->fUpdate();
}

void GG_WINDOW_HELP::fOnDraw() {
    if (mPages) mPages->fDraw();
    if (mDots) mDots->fDraw();
}

void GG_WINDOW_HELP::fOnLoad() {
    if (mPages) mPages->fReloadResources();
    if (mDots) mDots->fReloadResources();
}

void GG_WINDOW_HELP::fOnUnload() {
    if (mPages) mPages->fReleaseResources();
    if (mDots) mDots->fReleaseResources();
}

}  // namespace game
