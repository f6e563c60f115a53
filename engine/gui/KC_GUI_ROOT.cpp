#include "engine/gui/KC_GUI_ROOT.h"

namespace KEL {

KC_GUI_ROOT::KC_GUI_ROOT() : mRoot(std::make_unique<KC_GUI_OBJECT>(0)) {}

KC_GUI_ROOT::~KC_GUI_ROOT() = default;

KS_MOUSE_RESULT KC_GUI_ROOT::fKeep(const KS_MOUSE_RESULT& result) {
    mCurrent = result;
    return result;
}

KS_MOUSE_RESULT KC_GUI_ROOT::fMouseDown() { return fKeep(mRoot->fDispatchMouseDown()); }
KS_MOUSE_RESULT KC_GUI_ROOT::fMouseUp() { return fKeep(mRoot->fDispatchMouseUp()); }
KS_MOUSE_RESULT KC_GUI_ROOT::fMouseMove() { return fKeep(mRoot->fDispatchMouseMove()); }
KS_MOUSE_RESULT KC_GUI_ROOT::fPollEvent() { return fKeep(mRoot->fPollEvent()); }

int32_t KC_GUI_ROOT::fGetEventId() const { return mCurrent.fHasEvent() ? mCurrent.mEvent.mId : 0; }
int32_t KC_GUI_ROOT::fGetEventCode() const { return mCurrent.fHasEvent() ? mCurrent.mEvent.mCode : 0; }

}  // namespace KEL
