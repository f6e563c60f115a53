#include "engine/windows/G_WINDOW.h"

#include <cstdlib>
#include <cstring>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/bots/KC_BOT_COLOR.h"
#include "engine/bots/KC_BOT_MOVE.h"
#include "engine/bots/KC_BOT_SLEEP.h"
#include "engine/bots/KT_BOT_SLEEP.h"
#include "engine/gui/KF_GUI_READER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/scene/KE_ANCHOR.h"
#include "engine/util/KF_XML.h"

namespace KEL {

namespace {
constexpr float kSECOND = 1.0f;
constexpr float kCENTRE = 0.5f;

// Two blank-separated numbers; false when fewer than two are given.
bool fReadPair(const char* text, float& x, float& y) {
    char* end = nullptr;
    const float a = std::strtof(text, &end);
    if (end == text) return false;
    const char* second = end;
    const float b = std::strtof(second, &end);
    if (end == second) return false;
    x = a;
    y = b;
    return true;
}
}  // namespace

G_WINDOW::G_WINDOW(const pugi::xml_node& node)
    : mGui(std::make_unique<KC_GUI_ROOT>()),
      mShowFinished(&G_WINDOW::fOnShowFinished, "window_shown", this),
      mHideFinished(&G_WINDOW::fOnHideFinished, "window_hidden", this) {
    mGui->fGetRootWidget().fGetTransform().mParent = &mTransform;
    fReadAttributes(node);
    fReadPosition(node);
    if (const pugi::xml_node gui = node.child("GUI")) fReadGuiLayout(*mGui, gui);
    if (const pugi::xml_node background = node.child("background")) fReadBackground(background);
    if (const pugi::xml_node sounds = node.child("sounds")) fReadSounds(sounds);
    fComputePlacements();
}

G_WINDOW::~G_WINDOW() { mAnimators.fDeleteAll(); }

int32_t G_WINDOW::fShowTypeFromName(const char* name) {
    static constexpr const char* kNAMES[] = {"SH_MOMENTAL",  "SH_FADE",      "SH_MOVE_UP",
                                             "SH_MOVE_DOWN", "SH_MOVE_LEFT", "SH_MOVE_RIGHT"};
    for (int32_t type = 0; type < 6; ++type)
        if (name && std::strcmp(name, kNAMES[type]) == 0) return type;
    return kSH_OTHER;
}

int32_t G_WINDOW::fPositionTypeFromName(const char* name) {
    if (name && std::strcmp(name, "POS_MIDDLE_SCREEN") == 0) return kPOS_MIDDLE_SCREEN;
    if (name && std::strcmp(name, "POS_IN_PIX") == 0) return kPOS_IN_PIX;
    return kPOS_FRACTIONS;
}

// Reading: the attributes in their own order, since the times depend on
// the types read before them.
void G_WINDOW::fReadAttributes(const pugi::xml_node& node) {
    if (const pugi::xml_attribute name = node.attribute("_name")) mName = name.value();
    if (const pugi::xml_attribute open = node.attribute("_typeOpen")) mOpenType = fShowTypeFromName(open.value());
    if (const pugi::xml_attribute close = node.attribute("_typeClose")) mCloseType = fShowTypeFromName(close.value());
    if (const pugi::xml_attribute pos = node.attribute("_typePos")) mPositionType = fPositionTypeFromName(pos.value());
    if (const pugi::xml_attribute show = node.attribute("_timeShow"); show && mOpenType != kSH_MOMENTAL) {
        mShowTime = show.as_float(mShowTime);
        mHideTime = mShowTime;
    }
    if (const pugi::xml_attribute hide = node.attribute("_timeHide"); hide && mCloseType != kSH_MOMENTAL)
        mHideTime = hide.as_float(mHideTime);
    mHideDelay = node.attribute("_delayHide").as_float(mHideDelay);
    mShowDelay = node.attribute("_delayShow").as_float(mShowDelay);
    mModal = node.attribute("_modal").as_bool(false) ? 1 : 0;
    mLayer = node.attribute("layer").as_int(mLayer);
}

// The shown placement, as fractions of the screen. A placement in pixels
// gets its fractions too, so that slides start and end off screen around
// it rather than around the upper-left corner.
void G_WINDOW::fReadPosition(const pugi::xml_node& node) {
    if (mPositionType == kPOS_MIDDLE_SCREEN) {
        mShown.fSetAuto(kCENTRE, kCENTRE);
        return;
    }
    float x = 0.0f, y = 0.0f;
    const pugi::xml_attribute position = node.attribute("_position");
    if (!position || !fReadPair(position.value(), x, y)) return;
    if (mPositionType == kPOS_IN_PIX) {
        const float width = float(KS_TRANSFORM3_AUTO::fScreenWidth());
        const float height = float(KS_TRANSFORM3_AUTO::fScreenHeight());
        mShown.fSetAuto(width > 0 ? x / width : 0.0f, height > 0 ? y / height : 0.0f);
        mShown.fSetPos(x, y, 0.0f);
    } else {
        mShown.fSetAuto(x, y);
    }
}

void G_WINDOW::fReadBackground(const pugi::xml_node& node) {
    mBackground = std::make_unique<G_SPRITE>(std::string(node.child_value()));
    if (const pugi::xml_attribute start = node.attribute("START_COLOR")) mStartColor.fFromString(start.value());
    if (const pugi::xml_attribute end = node.attribute("END_COLOR")) mEndColor.fFromString(end.value());
    float width = 0.0f, height = 0.0f;
    if (const pugi::xml_attribute size = node.attribute("SIZE"); size && fReadPair(size.value(), width, height))
        mBackground->fSetSize(width, height);
    mBackground->fSetColor(mStartColor.fGetARGB());
    mBackground->fSetHotSpot(kANCHOR_CENTRE);
    mBackground->fGetTransform()->fSetPos(float(KS_TRANSFORM3_AUTO::fScreenWidth()) / 2.0f,
                                          float(KS_TRANSFORM3_AUTO::fScreenHeight()) / 2.0f, 0.0f);
}

void G_WINDOW::fReadSounds(const pugi::xml_node& node) {
    for (const pugi::xml_node item : node.children("item")) {
        // The first item of an id wins.
        mSounds.emplace(item.attribute("id").as_int(0), item.attribute("sound").as_string(""));
    }
}

// Start and hide placements lie one screen span beyond the shown one in the
// direction of the slide; other kinds start and end where the window rests.
void G_WINDOW::fComputePlacements() {
    const float x = mShown.mAutoX;
    const float y = mShown.mAutoY;
    mStart = mShown;
    switch (mOpenType) {
        case kSH_MOVE_UP: mStart.fSetAuto(x, 3.0f * y); break;
        case kSH_MOVE_DOWN: mStart.fSetAuto(x, -y); break;
        case kSH_MOVE_LEFT: mStart.fSetAuto(3.0f * x, y); break;
        case kSH_MOVE_RIGHT: mStart.fSetAuto(-x, y); break;
        default: break;
    }
    mHidePlacement = mShown;
    switch (mCloseType) {
        case kSH_MOVE_UP: mHidePlacement.fSetAuto(x, -y); break;
        case kSH_MOVE_DOWN: mHidePlacement.fSetAuto(x, 3.0f * y); break;
        case kSH_MOVE_LEFT: mHidePlacement.fSetAuto(-x, y); break;
        case kSH_MOVE_RIGHT: mHidePlacement.fSetAuto(3.0f * x, y); break;
        default: break;
    }
    mTransform = mStart;
}

void G_WINDOW::fSetCallback(int32_t index, const Closure<void()>& callback) {
    if (index >= 0 && index < kCALLBACK_COUNT) mCallbacks[size_t(index)] = callback;
}

Closure<void()> G_WINDOW::fGetCallback(int32_t index) const {
    if (index >= 0 && index < kCALLBACK_COUNT) return mCallbacks[size_t(index)];
    return {};
}

void G_WINDOW::fSetEventHandler(int32_t code, const Closure<void()>& handler) {
    if (code == KS_GUI_EVENT::kCLICK) mClickHandler = handler;
}

void G_WINDOW::fSetTime(bool showSide, float seconds) { (showSide ? mShowDelay : mHideDelay) = seconds; }

const std::string& G_WINDOW::fGetSound(int32_t widgetId) const {
    static const std::string kNONE;
    const auto found = mSounds.find(widgetId);
    return found == mSounds.end() ? kNONE : found->second;
}

void G_WINDOW::fRaise(int32_t index) {
    const Closure<void()> callback = mCallbacks[size_t(index)];
    callback();
}

void G_WINDOW::fAddAnimator(std::unique_ptr<KC_BASE> animator) {
    if (mAnimatorPass > 0) mPendingAnimators.push_back(std::move(animator));
    else mAnimators.fAdd(animator.release());
}

void G_WINDOW::fUpdateAnimators() {
    ++mAnimatorPass;
    mAnimators.fUpdate();
    --mAnimatorPass;
    if (mAnimatorPass > 0) return;
    std::vector<std::unique_ptr<KC_BASE>> made;
    made.swap(mPendingAnimators);
    for (auto& animator : made) mAnimators.fAdd(animator.release());
}

// Show and hide share their animators: the placement (set after the delay
// when skipped or without animation, else a slide unless the kind is a
// fade), the sleep that ends the transition, and the background's fade.
void G_WINDOW::fStartTransition(const KS_TRANSFORM3_AUTO& target, int32_t type, float time, float delay, bool skip,
                                bool park, const KC_CALLBACK& finish, KS_COLOR from, KS_COLOR to) {
    // A zero time places at once as well: a slide of no time has no speed.
    const bool instant = skip || type == kSH_MOMENTAL || !(time > 0.0f);
    if (instant) {
        // An opening window waits off screen for its delay to pass.
        if (park) mTransform.fSetPos(kPARKED, kPARKED, 0.0f);
        fAddAnimator(std::make_unique<KT_BOT_SLEEP<KS_TRANSFORM3_AUTO>>(&mTransform, target, delay));
    } else if (type != kSH_FADE) {
        const KS_VEC3 end = target.mPosition;
        fAddAnimator(std::unique_ptr<KC_BASE>(fCreateBotMove(&mTransform, time, 0.0f, end.x, end.y, end.z, delay)));
    }
    const float length = instant ? 0.0f : time;
    if (mBackground && from != to) {
        mBackground->fSetColor(from.fGetARGB());
        fAddAnimator(std::unique_ptr<KC_BASE>(fCreateBotColor(mBackground.get(), length, to.fGetARGB(), delay)));
    }
    // Last, so that the finish sees the frame's placement and colour.
    fAddAnimator(std::unique_ptr<KC_BASE>(fCreateBotSleep(nullptr, &finish, length + delay, 0.0f)));
}

void G_WINDOW::fShow(bool skip) {
    if (mOpen) return;
    // Inside this window's own pass the manager only unlinks them; they are
    // deleted when the pass ends.
    mAnimators.fDeleteAll();
    mPendingAnimators.clear();
    fOnShowStart();
    fRaise(kCB_SHOW_START);
    mHidden = 0;
    mOpen = 1;
    mAnimating = 1;
    fStartTransition(mShown, mOpenType, mShowTime, mShowDelay, skip, true, mShowFinished, mStartColor, mEndColor);
    fOnShow();
    fRaise(kCB_SHOW_STARTED);
}

void G_WINDOW::fHide(bool skip) {
    if (!mOpen) return;
    fOnHideStart();
    fRaise(kCB_HIDE_START);
    mAnimating = 1;
    fStartTransition(mHidePlacement, mCloseType, mHideTime, mHideDelay, skip, false, mHideFinished, mEndColor,
                     mStartColor);
    fOnHide();
    fRaise(kCB_HIDE_STARTED);
}

void G_WINDOW::fShowFinished() {
    mAnimating = 0;
    fOnShown();
    fRaise(kCB_SHOWN);
}

void G_WINDOW::fHideFinished() {
    mHidden = 1;
    mAnimating = 0;
    mOpen = 0;
    mTransform = mStart;
    fOnHidden();
    fRaise(kCB_HIDDEN);
    if (mUnloadPending) fUnload(false);
}

int32_t G_WINDOW::fOnShowFinished(void* window) {
    static_cast<G_WINDOW*>(window)->fShowFinished();
    return KS_RESULT::kOK;
}

int32_t G_WINDOW::fOnHideFinished(void* window) {
    static_cast<G_WINDOW*>(window)->fHideFinished();
    return KS_RESULT::kOK;
}

int32_t G_WINDOW::fUpdate() {
    if (mHidden) return kUPDATE_HIDDEN;
    fUpdateAnimators();
    mGui->fPollEvent();
    if (mHidden) return kUPDATE_HIDDEN;
    fOnFrame();
    mSecondTimer += kfFRAME_DELTA;
    if (mSecondTimer >= kSECOND) {
        fOnSecond();
        mSecondTimer = 0.0f;
    }
    return kUPDATE_GOING;
}

void G_WINDOW::fDraw() {
    if (mBackground) mBackground->fDrawWith();
    mGui->fDraw();
    fOnDraw();
}

KS_MOUSE_RESULT G_WINDOW::fOnMouseDown(int32_t) {
    if (mAnimating) return KS_MOUSE_RESULT::fAnimating();
    mLastEvent = mGui->fMouseDown();
    const KS_MOUSE_RESULT result = mLastEvent;
    if (result.fHasEvent() && result.mEvent.mCode == KS_GUI_EVENT::kCLICK) fOnClick(result.mEvent.mId);
    return result;
}

// A click plays the widget's sound, reaches fOnClick, then the handler.
KS_MOUSE_RESULT G_WINDOW::fOnMouseUp(int32_t) {
    if (mAnimating) return KS_MOUSE_RESULT::fAnimating();
    mLastEvent = mGui->fMouseUp();
    const KS_MOUSE_RESULT result = mLastEvent;
    if (!result.fHasEvent() || result.mEvent.mCode != KS_GUI_EVENT::kCLICK) return result;
    const int32_t id = result.mEvent.mId;
    if (mSoundHandler) {
        const std::string& sound = fGetSound(id);
        if (!sound.empty()) mSoundHandler(sound);
    }
    fOnClick(id);
    const Closure<void()> handler = mClickHandler;
    handler(id);
    return result;
}

KS_MOUSE_RESULT G_WINDOW::fOnMouseMove() {
    mLastEvent = mGui->fMouseMove();
    return mLastEvent;
}

void G_WINDOW::fLoad() {
    if (mLoaded) return;
    mLoaded = 1;
    mGui->fReloadResources();
    if (mBackground) mBackground->fReloadTexture();
    fOnLoad();
}

void G_WINDOW::fUnload(bool force) {
    if (!mLoaded) return;
    if (mAnimating && !force) {
        mUnloadPending = 1;
        return;
    }
    mUnloadPending = 0;
    mLoaded = 0;
    mGui->fReleaseResources();
    if (mBackground) mBackground->fUnloadTexture();
    fOnUnload();
    if (kcREPOSITORY) kcREPOSITORY->fCountLoaded();
}

void G_WINDOW::fActivate() {
    mActive = 1;
    fOnMouseMove();
    fOnActivated();
    fRaise(kCB_ACTIVATED);
}

void G_WINDOW::fDeactivate() {
    mActive = 0;
    fOnDeactivated();
    fRaise(kCB_DEACTIVATED);
}

}  // namespace KEL
