#include "game/board/GG_CONTROLS.h"

#include <algorithm>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/gui/KC_GUI_CHECKBOX_INTERFACE.h"
#include "engine/gui/KF_GUI_READER.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "game/product/GG_ERROR.h"

namespace game {

namespace {

// The first check box of a tree, depth first.
KEL::KC_GUI_CHECKBOX_INTERFACE* fFindCheckBox(KEL::KC_GUI_OBJECT& widget) {
    for (int32_t i = 0; i < widget.fGetChildCount(); ++i) {
        KEL::KC_GUI_OBJECT* child = widget.fGetChild(i);
        const int32_t type = child->fGetType();
        if (type == KEL::KC_GUI_OBJECT::kTYPE_CHECKBOX || type == KEL::KC_GUI_OBJECT::kTYPE_CHECKBOX_IOS)
            return static_cast<KEL::KC_GUI_CHECKBOX_INTERFACE*>(child);
        if (KEL::KC_GUI_CHECKBOX_INTERFACE* found = fFindCheckBox(*child)) return found;
    }
    return nullptr;
}

}  // namespace

GG_CONTROLS::GG_CONTROLS() = default;

GG_CONTROLS::~GG_CONTROLS() = default;

bool GG_CONTROLS::fLoad(bool storeButton) {
    // Each part on its own: a missing file leaves only that control out. The
    // error text keeps the first failure.
    std::string firstError;
    auto keep = [&firstError](bool loaded) {
        if (!loaded && firstError.empty()) firstError = GG_ERROR::fText();
        return loaded ? uint8_t{1} : uint8_t{0};
    };
    mHasHint = keep(mHint.fLoadFile(GG_HINT_BUTTON::kFILE));
    mHasPause = keep(mPause.fLoadFile(GG_PAUSE::kFILE));
    mHasStore = keep(mStore.fLoadFile(storeButton ? GG_STORE_BUTTON::kFILE : GG_STORE_BUTTON::kEMPTY_FILE));
    mHasReset = keep(mReset.fLoadFile(GG_RESET_SELECTION::kFILE));
    pugi::xml_document* ambient = KEL::kcREPOSITORY ? KEL::kcREPOSITORY->fGetXml(kAMBIENT_FILE) : nullptr;
    bool switchLoaded = false;
    if (ambient) {
        switchLoaded = fLoadSwitch(ambient->document_element());
        KEL::kcREPOSITORY->fReleaseXml(ambient);
    }
    if (!switchLoaded) GG_ERROR::fFail(std::string("Board tool switch missing: ") + kAMBIENT_FILE + " check_mode");
    keep(switchLoaded);
    if (!firstError.empty()) GG_ERROR::fFail(firstError);
    return firstError.empty();
}

bool GG_CONTROLS::fLoadSwitch(const pugi::xml_node& ambient) {
    mSwitch.fClear();
    mSwitchBox = nullptr;
    const pugi::xml_node node = ambient.child("check_mode");
    if (!node) return false;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) continue;
        mSwitch.fAddChild(KEL::fCreateGuiObject(child));
    }
    mSwitchBox = fFindCheckBox(mSwitch.fGetRootWidget());
    return mSwitchBox != nullptr;
}

void GG_CONTROLS::fSetActions(const KS_ACTIONS& actions) {
    mHint.fSetHintRequest(actions.mHint);
    mReset.fSetOnReset(actions.mReset);
    mReset.fSetOnFeedback(actions.mFeedback);
    mPause.fSetOnPause(actions.mPause);
    mStore.fSetOnStore(actions.mStore);
}

void GG_CONTROLS::fReset() {
    // A sliding switch refuses a new value until its slide ends; the fill
    // holds meanwhile and is set then.
    mSwitchResetPending = 1;
    fApplySwitchReset();
    mReset.fDisarm();
}

void GG_CONTROLS::fApplySwitchReset() {
    if (!mSwitchResetPending || !mSwitchBox) {
        mSwitchResetPending = 0;
        return;
    }
    if (mSwitchBox->fIsChecked()) {
        mSwitchResetPending = 0;
        return;
    }
    mSwitchBox->fSetChecked(true, true);
    if (mSwitchBox->fIsChecked()) mSwitchResetPending = 0;
}

template <void (cControlDelegate::*Slot)()>
void GG_CONTROLS::fTell() {
    // A copy: a delegate may register another while it is told.
    const std::vector<cControlDelegate*> delegates = mDelegates;
    for (cControlDelegate* delegate : delegates) (delegate->*Slot)();
}

KEL::KS_MOUSE_RESULT GG_CONTROLS::fOnMouseDown(int32_t button) {
    if (mSwitchBox && !mSwitchBlocked && !mSwitchResetPending && button == KEL::KC_INPUT::kMOUSE_LEFT &&
        mSwitch.fMouseDown().fHasEvent()) {
        fTell<&cControlDelegate::fOnToolSwitched>();
        return KEL::KS_MOUSE_RESULT::fTakenNoEvent();
    }
    if (mHasHint && mHint.fOnMouseDown(button).fTaken()) {
        fTell<&cControlDelegate::fOnHintUsed>();
        return KEL::KS_MOUSE_RESULT::fTakenNoEvent();
    }
    if (mHasPause && mPause.fOnMouseDown(button).fTaken()) {
        fTell<&cControlDelegate::fOnPauseUsed>();
        return KEL::KS_MOUSE_RESULT::fTakenNoEvent();
    }
    if (mHasStore && mStore.fOnMouseDown(button).fTaken()) {
        fTell<&cControlDelegate::fOnStoreUsed>();
        return KEL::KS_MOUSE_RESULT::fTakenNoEvent();
    }
    return KEL::KS_MOUSE_RESULT::fNotTaken();
}

KEL::KS_MOUSE_RESULT GG_CONTROLS::fOnMouseUp(int32_t button) {
    if (mHasPause && mPause.fOnMouseUp(button).fTaken()) return KEL::KS_MOUSE_RESULT::fTakenNoEvent();
    if (mHasStore && mStore.fOnMouseUp(button).fTaken()) return KEL::KS_MOUSE_RESULT::fTakenNoEvent();
    if (mHasReset && mReset.fOnMouseUp(button).fTaken()) {
        fTell<&cControlDelegate::fOnResetSelectionUsed>();
        return KEL::KS_MOUSE_RESULT::fTakenNoEvent();
    }
    return KEL::KS_MOUSE_RESULT::fNotTaken();
}

void GG_CONTROLS::fOnMouseMove() {
    if (mHasPause) mPause.fOnMouseMove();
    if (mHasStore) mStore.fOnMouseMove();
    if (mHasReset) mReset.fOnMouseMove();
}

void GG_CONTROLS::fUpdate() {
    mSwitch.fPollEvent();
    fApplySwitchReset();
    if (mHasHint) mHint.fUpdate();
    if (mHasPause) mPause.fUpdate();
    if (mHasStore) mStore.fUpdate();
    if (mHasReset) mReset.fUpdate();
}

void GG_CONTROLS::fDrawHint() {
    if (mHasHint) mHint.fDraw();
}

void GG_CONTROLS::fDrawSwitch() { mSwitch.fDraw(); }

void GG_CONTROLS::fDrawPause() {
    if (mHasPause) mPause.fDraw();
}

void GG_CONTROLS::fDrawStore() {
    if (mHasStore) mStore.fDraw();
}

void GG_CONTROLS::fDrawReset() {
    if (mHasReset) mReset.fDraw();
}

void GG_CONTROLS::fLoadResources() {
    mSwitch.fReloadResources();
    if (mHasHint) mHint.fLoadResources();
    if (mHasPause) mPause.fLoadResources();
    if (mHasStore) mStore.fLoadResources();
    if (mHasReset) mReset.fLoadResources();
}

void GG_CONTROLS::fReleaseResources() {
    mSwitch.fReleaseResources();
    mHint.fReleaseResources();
    mPause.fReleaseResources();
    mStore.fReleaseResources();
    mReset.fReleaseResources();
}

bool GG_CONTROLS::fGetTool() const { return !mSwitchBox || mSwitchResetPending || mSwitchBox->fIsChecked(); }

void GG_CONTROLS::fOnBoardPress() {
    if (mHasReset) mReset.fArm();
}

void GG_CONTROLS::fOnBoardRelease() { mReset.fDisarm(); }

void GG_CONTROLS::fSetHintCount(int32_t count) { mHint.fSetHintCount(count); }

void GG_CONTROLS::fSetCount(int32_t count) { mStore.fSetCount(count); }

void GG_CONTROLS::fSetBlocked(const KS_BLOCKED& blocked) {
    mHint.fSetBlocked(blocked.mHint);
    mSwitchBlocked = blocked.mToolSwitch ? 1 : 0;
    mStore.fSetBlocked(blocked.mStore);
    mReset.fSetBlocked(blocked.mReset);
}

void GG_CONTROLS::fSetDelegate(cControlDelegate* delegate) {
    if (!delegate || std::find(mDelegates.begin(), mDelegates.end(), delegate) != mDelegates.end()) return;
    mDelegates.push_back(delegate);
}

bool GG_CONTROLS::fHas(const GG_BASE_CONTROL& control) const {
    if (&control == &mHint) return mHasHint != 0;
    if (&control == &mPause) return mHasPause != 0;
    if (&control == &mStore) return mHasStore != 0;
    if (&control == &mReset) return mHasReset != 0;
    return false;
}

}  // namespace game
