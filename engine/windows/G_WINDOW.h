#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "SERVICE/KC_CALLBACK.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/gui/KC_GUI_ROOT.h"
#include "engine/gui/KS_MOUSE_RESULT.h"
#include "engine/scene/KS_TRANSFORM3_AUTO.h"
#include "engine/util/Closure.h"
#include "engine/util/KS_COLOR.h"

namespace KEL {

class G_SPRITE;
class G_WINDOW_MANAGER;

// One screen-level window: a widget tree read from the window's XML, an
// optional full-screen background that fades between two colours, click
// sounds per widget, a layer, a modal flag, and animated opening and closing
// (slide in from an edge, fade, or appear at once) run by the window's own
// animators. Screens derive from it and override the hooks they need, above
// all fOnClick.
//
// Life: constructed -> loaded (fLoad) -> opening (open, animating) -> shown
// -> closing (open, animating) -> hidden; it can be shown again. An unload
// asked for while animating waits for the end of the hide.
//
// Callbacks and hooks may show, hide or unload this very window from inside
// its own animators' pass: animators made during the pass join after it, and
// those dropped by a new show are deleted only when the pass has ended.
// Main thread only, except that a window may be built and loaded on the
// loader thread before the main thread first uses the window manager.
class G_WINDOW {
public:
    // Show and hide animations ("_typeOpen", "_typeClose").
    static constexpr int32_t kSH_MOMENTAL = 0;
    static constexpr int32_t kSH_FADE = 1;
    static constexpr int32_t kSH_MOVE_UP = 2;
    static constexpr int32_t kSH_MOVE_DOWN = 3;
    static constexpr int32_t kSH_MOVE_LEFT = 4;
    static constexpr int32_t kSH_MOVE_RIGHT = 5;
    static constexpr int32_t kSH_OTHER = 6;
    // Placement modes ("_typePos").
    static constexpr int32_t kPOS_MIDDLE_SCREEN = 0;
    static constexpr int32_t kPOS_IN_PIX = 1;
    static constexpr int32_t kPOS_FRACTIONS = 2;
    // Callback slots, each raised right after the hook of the same event.
    enum KE_CALLBACK : int32_t {
        kCB_SHOW_START = 0,
        kCB_SHOW_STARTED = 1,
        kCB_SHOWN = 2,
        kCB_HIDE_START = 3,
        kCB_HIDE_STARTED = 4,
        kCB_HIDDEN = 5,
        kCB_DEACTIVATED = 6,
        kCB_ACTIVATED = 7,
    };
    static constexpr int32_t kCALLBACK_COUNT = 8;
    // fUpdate's answers: the hide has finished (the manager drops the
    // window), stop the manager's pass, or keep going.
    static constexpr int32_t kUPDATE_HIDDEN = 0;
    static constexpr int32_t kUPDATE_STOP = 1;
    static constexpr int32_t kUPDATE_GOING = 2;
    // Where a window waits, off screen, for its placement after a delay.
    static constexpr float kPARKED = -1000.0f;

    using KF_SOUND_HANDLER = void (*)(const std::string& sound);

    // Reads the window XML; absent keys keep the defaults.
    explicit G_WINDOW(const pugi::xml_node& node);
    G_WINDOW(const G_WINDOW&) = delete;
    G_WINDOW& operator=(const G_WINDOW&) = delete;
    // Deletes the widget tree, the background and the animators.
    virtual ~G_WINDOW();

    // Background, widget tree, then fOnDraw.
    virtual void fDraw();
    // The mouse passes, fed by the window manager front to back; buttons are
    // key codes (1 left, 2 right, 4 middle), keyboard keys included. Down
    // and up are refused (taken, no event) while an animation runs.
    virtual KS_MOUSE_RESULT fOnMouseDown(int32_t button);
    virtual KS_MOUSE_RESULT fOnMouseUp(int32_t button);
    virtual KS_MOUSE_RESULT fOnMouseMove();
    // Hooks; they do nothing here.
    virtual void fOnShowStart() {}
    virtual void fOnShow() {}
    virtual void fOnShown() {}
    virtual void fOnHideStart() {}
    virtual void fOnHide() {}
    virtual void fOnHidden() {}
    virtual void fOnDeactivated() {}
    virtual void fOnActivated() {}
    virtual void fOnRefresh() {}
    virtual void fOnLoad() {}
    virtual void fOnUnload() {}
    virtual void fOnDraw() {}
    virtual void fOnFrame() {}
    virtual void fOnSecond() {}
    // A message sent by name through the manager; its answer is handed back.
    virtual int32_t fOnMessage(int32_t a, int32_t b) { return KS_RESULT::kNOTHING; }
    // A widget of the tree was clicked.
    virtual void fOnClick(int32_t widgetId) = 0;
    // Animators, widget poll, frame hook, second hook. kUPDATE_HIDDEN once
    // the hide has finished, else kUPDATE_GOING.
    virtual int32_t fUpdate();

    void fShow(bool skip = false);
    void fHide(bool skip = false);
    void fLoad();
    void fUnload(bool force = false);
    void fActivate();
    void fDeactivate();
    void fRefresh() { fOnRefresh(); }

    void fSetManager(G_WINDOW_MANAGER* manager) { mManager = manager; }
    G_WINDOW_MANAGER* fGetManager() const { return mManager; }
    KC_GUI_ROOT* fGetGui() { return mGui.get(); }
    const std::string& fGetName() const { return mName; }
    bool fIsOpen() const { return mOpen != 0; }
    bool fIsHidden() const { return mHidden != 0; }
    bool fIsModal() const { return mModal != 0; }
    bool fIsLoaded() const { return mLoaded != 0; }
    bool fIsActive() const { return mActive != 0; }
    bool fIsAnimating() const { return mAnimating != 0; }
    // Nothing of the window is moving: its widgets stay where they are under
    // a resting pointer. The slide takes its last step a frame or two after
    // the show has ended, so the animators must be done too. A window whose
    // contents move by themselves (a list turning its pages) is not at rest
    // until they stop.
    virtual bool fIsAtRest() const { return mAnimating == 0 && mAnimators.fIsEmpty(); }
    bool fIsUnloadPending() const { return mUnloadPending != 0; }
    int32_t fGetLayer() const { return mLayer; }
    // The result of the last mouse pass that reached the widget tree.
    const KS_MOUSE_RESULT& fGetLastEvent() const { return mLastEvent; }

    // Slot 0..7 (KE_CALLBACK); other slots are ignored. An empty closure
    // clears the slot. Callbacks are called with no argument.
    void fSetCallback(int32_t index, const Closure<void()>& callback);
    // The closure in slot 0..7; an empty one for any other slot.
    Closure<void()> fGetCallback(int32_t index) const;
    // Only the click (event code 8) is kept; the handler gets the widget id.
    void fSetEventHandler(int32_t code, const Closure<void()>& handler);
    void fSetSoundHandler(KF_SOUND_HANDLER handler) { mSoundHandler = handler; }
    // The show delay when showSide, else the hide delay.
    void fSetTime(bool showSide, float seconds);
    // The click sound of a widget; empty when none.
    const std::string& fGetSound(int32_t widgetId) const;

    int32_t fGetOpenType() const { return mOpenType; }
    int32_t fGetCloseType() const { return mCloseType; }
    int32_t fGetPositionType() const { return mPositionType; }
    float fGetShowTime() const { return mShowTime; }
    float fGetHideTime() const { return mHideTime; }
    float fGetShowDelay() const { return mShowDelay; }
    float fGetHideDelay() const { return mHideDelay; }
    const KS_TRANSFORM3_AUTO& fGetTransform() const { return mTransform; }
    const KS_TRANSFORM3_AUTO& fGetStartPlacement() const { return mStart; }
    const KS_TRANSFORM3_AUTO& fGetShownPlacement() const { return mShown; }
    const KS_TRANSFORM3_AUTO& fGetHidePlacement() const { return mHidePlacement; }
    G_SPRITE* fGetBackground() const { return mBackground.get(); }
    KS_COLOR fGetStartColor() const { return mStartColor; }
    KS_COLOR fGetEndColor() const { return mEndColor; }

    // Show and hide type names; unknown text gives kSH_OTHER.
    static int32_t fShowTypeFromName(const char* name);
    // Placement names; unknown text gives kPOS_FRACTIONS.
    static int32_t fPositionTypeFromName(const char* name);

protected:
    // The callback in a slot, invoked on a copy so that it may replace or
    // clear itself.
    void fRaise(int32_t index);
    // Adds an animator, or keeps it until the running animator pass ends.
    void fAddAnimator(std::unique_ptr<KC_BASE> animator);

    G_WINDOW_MANAGER* mManager = nullptr;
    std::unique_ptr<KC_GUI_ROOT> mGui;
    KS_MOUSE_RESULT mLastEvent;
    std::unique_ptr<G_SPRITE> mBackground;
    std::string mName = "gWidnow";
    KS_TRANSFORM3_AUTO mTransform;  // parent of the widget tree
    KS_TRANSFORM3_AUTO mStart;
    KS_TRANSFORM3_AUTO mShown;
    KS_TRANSFORM3_AUTO mHidePlacement;
    int32_t mOpenType = kSH_MOVE_DOWN;
    int32_t mCloseType = kSH_MOVE_DOWN;
    int32_t mPositionType = kPOS_MIDDLE_SCREEN;
    uint8_t mHidden = 0;
    uint8_t mModal = 0;
    uint8_t mOpen = 0;
    uint8_t mLoaded = 0;
    uint8_t mActive = 0;
    uint8_t mAnimating = 0;
    uint8_t mUnloadPending = 0;
    int32_t mLayer = 0;
    float mShowTime = 0.5f;
    float mHideTime = 0.5f;
    float mShowDelay = 0.0f;
    float mHideDelay = 0.0f;
    KS_COLOR mStartColor;
    KS_COLOR mEndColor;
    float mSecondTimer = 0.0f;

private:
    void fReadAttributes(const pugi::xml_node& node);
    void fReadPosition(const pugi::xml_node& node);
    void fReadBackground(const pugi::xml_node& node);
    void fReadSounds(const pugi::xml_node& node);
    void fComputePlacements();
    // The animators of one show or hide: placement, finish, colour.
    void fStartTransition(const KS_TRANSFORM3_AUTO& target, int32_t type, float time, float delay, bool skip, bool park,
                          const KC_CALLBACK& finish, KS_COLOR from, KS_COLOR to);
    void fUpdateAnimators();
    void fShowFinished();
    void fHideFinished();
    static int32_t fOnShowFinished(void* window);
    static int32_t fOnHideFinished(void* window);

    KC_BOT_MANAGER mAnimators;                                // owns what it is given: fDeleteAll frees them
    std::vector<std::unique_ptr<KC_BASE>> mPendingAnimators;  // made during the pass
    int32_t mAnimatorPass = 0;
    KC_CALLBACK mShowFinished;
    KC_CALLBACK mHideFinished;
    Closure<void()> mClickHandler;
    std::array<Closure<void()>, kCALLBACK_COUNT> mCallbacks;
    std::map<int32_t, std::string> mSounds;
    KF_SOUND_HANDLER mSoundHandler = nullptr;
};

}  // namespace KEL
