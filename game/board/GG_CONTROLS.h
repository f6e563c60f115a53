#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/util/Closure.h"
#include "game/board/GG_HINT_BUTTON.h"
#include "game/board/GG_PAUSE.h"
#include "game/board/GG_RESET_SELECTION.h"
#include "game/board/GG_STORE_BUTTON.h"
#include "game/board/cControlDelegate.h"

namespace KEL {
class KC_GUI_CHECKBOX_INTERFACE;
}

namespace game {

// The controls beside the board: the tool switch (fill or cross for the
// left button), the hint button, the pause button, the store button and the
// reset-selection target. The gameplay object offers them every mouse event
// before the board and draws them between the parts of the board's frame;
// registered delegates are told which control was used.
//
// A control whose file is missing is left out (the error text names it) and
// the level plays without it. Loaded on the loader thread with the gameplay
// object; used on the main thread.
class GG_CONTROLS {
public:
    static constexpr const char* kAMBIENT_FILE = "data/share/main/GameProcess ambient.xml";

    // What the controls ask of their owner; empty closures do nothing.
    struct KS_ACTIONS {
        KEL::Closure<void()> mHint;      // the hint button slid away: use a hint
        KEL::Closure<void()> mReset;     // a drag was dropped on the target
        KEL::Closure<void()> mPause;     // pause the level and open its menu
        KEL::Closure<void()> mStore;     // pause the level and open the shop
        KEL::Closure<void()> mFeedback;  // explain the reset target
    };

    GG_CONTROLS();
    GG_CONTROLS(const GG_CONTROLS&) = delete;
    GG_CONTROLS& operator=(const GG_CONTROLS&) = delete;
    ~GG_CONTROLS();

    // Reads the four control files and the switch from ambient.xml; the
    // store button from its full or its empty file. False when any part is
    // missing: the others are still loaded.
    bool fLoad(bool storeButton);
    // The switch from ambient.xml's document element.
    bool fLoadSwitch(const pugi::xml_node& ambient);
    void fSetActions(const KS_ACTIONS& actions);

    // The switch back to fill, at once.
    void fReset();
    // Press: the switch, the hint, the pause and the store button in turn;
    // the first that takes it answers and the delegates are told.
    KEL::KS_MOUSE_RESULT fOnMouseDown(int32_t button);
    // Release: pause, store, then the reset target (delegates told).
    KEL::KS_MOUSE_RESULT fOnMouseUp(int32_t button);
    void fOnMouseMove();
    // Every frame: the switch's own poll (its knob slides there) and each
    // control's animation.
    void fUpdate();
    void fDrawHint();
    void fDrawSwitch();
    void fDrawPause();
    void fDrawStore();
    void fDrawReset();
    void fLoadResources();
    void fReleaseResources();

    // true: the left button fills; also without a switch.
    bool fGetTool() const;
    void fOnBoardPress();
    void fOnBoardRelease();
    void fSetHintCount(int32_t count);
    void fSetCount(int32_t count);
    // Which controls the tutorial blocks; none by default.
    struct KS_BLOCKED {
        bool mHint = false;
        bool mToolSwitch = false;
        bool mStore = false;
        bool mReset = false;
    };
    void fSetBlocked(const KS_BLOCKED& blocked);
    // Registers a delegate once; null is ignored.
    void fSetDelegate(cControlDelegate* delegate);

    GG_HINT_BUTTON& fGetHint() { return mHint; }
    GG_PAUSE& fGetPause() { return mPause; }
    GG_STORE_BUTTON& fGetStore() { return mStore; }
    GG_RESET_SELECTION& fGetReset() { return mReset; }
    KEL::KC_GUI_ROOT& fGetSwitchTree() { return mSwitch; }
    KEL::KC_GUI_CHECKBOX_INTERFACE* fGetSwitch() const { return mSwitchBox; }
    bool fHas(const GG_BASE_CONTROL& control) const;
    const std::vector<cControlDelegate*>& fGetDelegates() const { return mDelegates; }

private:
    template <void (cControlDelegate::*Slot)()>
    void fTell();
    void fApplySwitchReset();

    KEL::KC_GUI_ROOT mSwitch;
    KEL::KC_GUI_CHECKBOX_INTERFACE* mSwitchBox = nullptr;
    uint8_t mSwitchBlocked = 0;
    uint8_t mSwitchResetPending = 0;
    GG_HINT_BUTTON mHint;
    GG_PAUSE mPause;
    GG_STORE_BUTTON mStore;
    GG_RESET_SELECTION mReset;
    // Which controls were read from their files.
    uint8_t mHasHint = 0;
    uint8_t mHasPause = 0;
    uint8_t mHasStore = 0;
    uint8_t mHasReset = 0;
    std::vector<cControlDelegate*> mDelegates;
};

}  // namespace game
