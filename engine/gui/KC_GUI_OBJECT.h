#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "SERVICE/KC_CALLBACK.h"
#include "engine/gui/KS_GUI_EVENT.h"
#include "engine/gui/KS_MOUSE_RESULT.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

struct KS_HIT_AREA;

// Every widget is a node of a tree: it owns its transform (parented to its
// parent widget's, so moving a parent moves the subtree), its children and
// its script callbacks. The tree is driven by three mouse passes and a
// per-frame poll, each walking children first (in insertion order) and
// stopping at the first widget that reports something, and drawn by a draw
// pass. Passes answer a KS_MOUSE_RESULT holding a copy of the reporting
// widget's event record.
//
// Walk rules the owners rely on: a disabled widget hides its whole subtree
// from the passes and the poll; an invisible widget is only left out of the
// draw pass (it still takes input); when a child reports an activating code
// (2, 7, 8, 11) the parent becomes active and the other children lose their
// activity (in the poll only the children before the winner).
//
// Textured widgets name their textures and build their sprites lazily, on
// the first reload pass; the release pass gives the textures back and the
// next reload takes them again. Main thread only, except that a tree may be
// built on the loader thread before it is handed over.
class KC_GUI_OBJECT {
public:
    // Class tags read by owners that must tell widget kinds apart.
    static constexpr int32_t kTYPE_OBJECT = 0;
    static constexpr int32_t kTYPE_BUTTON = 1;
    static constexpr int32_t kTYPE_CHECKBOX = 2;
    static constexpr int32_t kTYPE_LINEBOX = 4;
    static constexpr int32_t kTYPE_PROGRESS_BAR = 5;
    static constexpr int32_t kTYPE_PANEL = 7;
    static constexpr int32_t kTYPE_LABEL = 8;
    static constexpr int32_t kTYPE_IMAGE = 9;
    static constexpr int32_t kTYPE_SLIDER = 11;
    static constexpr int32_t kTYPE_WLABEL = 13;
    static constexpr int32_t kTYPE_LISTBOX = 14;
    static constexpr int32_t kTYPE_PANEL9 = 15;
    static constexpr int32_t kTYPE_CHECKBOX_IOS = 16;

    // Script hooks of every widget.
    enum class KE_SCRIPT : int32_t { kENTER = 0, kLEAVE = 1, kDOWN = 2, kUP = 3 };
    static constexpr int32_t kSCRIPT_COUNT = 4;

    explicit KC_GUI_OBJECT(int32_t id = 0);
    KC_GUI_OBJECT(const KC_GUI_OBJECT&) = delete;
    KC_GUI_OBJECT& operator=(const KC_GUI_OBJECT&) = delete;
    // Deletes the children (each subtree bottom-up) and the callbacks.
    virtual ~KC_GUI_OBJECT();

    // Overridable operations, in this order. Handlers start by clearing the
    // event code and answer fReport(): taken with the record while the code
    // is not 0. The base versions report nothing.
    // The per-frame poll of this widget alone.
    virtual KS_MOUSE_RESULT fGetEvent();
    virtual KS_MOUSE_RESULT fOnMouseUp();
    virtual KS_MOUSE_RESULT fOnMouseDown();
    virtual KS_MOUSE_RESULT fOnMouseMove();
    // Draws this widget alone; the draw pass decides on visibility.
    virtual void fDraw();
    virtual void fSetPosition(float x, float y, float z);
    virtual void fSetSize(int32_t width, int32_t height);
    virtual float fGetWidth() const;
    virtual float fGetHeight() const;
    // Takes the widget's textures and fonts by name (building the widget on
    // the first call); the release gives them back, keeping sizes and state.
    virtual void fReloadResources();
    virtual void fReleaseResources();

    // Children. Adding hands ownership to this widget and parents the
    // child's transform to this one's; the child is returned for chaining.
    // Null children are ignored.
    KC_GUI_OBJECT* fAddChild(std::unique_ptr<KC_GUI_OBJECT> child);
    // Inserted before position index; an index past the end appends.
    KC_GUI_OBJECT* fInsertChild(std::unique_ptr<KC_GUI_OBJECT> child, int32_t index);
    // Deletes the first matching descendant (and its subtree), searching
    // each child's subtree before testing the next sibling. True when found.
    bool fRemoveChild(const KC_GUI_OBJECT* child);
    bool fRemoveChildById(int32_t id);
    void fDeleteChildren();
    // Depth-first, pre-order search of the descendants (never this widget).
    KC_GUI_OBJECT* fFindChild(int32_t id) const;
    // The code of fFindChild(id)'s record, 0 when not found.
    int32_t fGetChildEvent(int32_t id) const;
    int32_t fGetChildCount() const { return static_cast<int32_t>(mChildren.size()); }
    KC_GUI_OBJECT* fGetChild(int32_t index) const;
    KC_GUI_OBJECT* fGetParent() const { return mParent; }

    // Flags. Visible and enabled concern this widget only; active is set on
    // this widget and every descendant.
    int32_t fGetId() const { return mEvent.mId; }
    int32_t fGetEventCode() const { return mEvent.mCode; }
    const KS_GUI_EVENT& fGetEventRecord() const { return mEvent; }
    int32_t fGetType() const { return mType; }
    void fSetVisible(bool visible) { mVisible = visible ? 1 : 0; }
    void fSetEnabled(bool enabled) { mEnabled = enabled ? 1 : 0; }
    void fSetActive(bool active);
    bool fIsVisible() const { return mVisible != 0; }
    bool fIsEnabled() const { return mEnabled != 0; }
    bool fIsActive() const { return mActive != 0; }

    KS_TRANSFORM3& fGetTransform() { return mTransform; }
    const KS_TRANSFORM3& fGetTransform() const { return mTransform; }

    // Script hooks: a new record replaces (and deletes) the slot's old one.
    void fSetScript(KE_SCRIPT slot, std::unique_ptr<KC_CALLBACK> callback);
    const KC_CALLBACK* fGetScript(KE_SCRIPT slot) const;

    // The passes over the subtree.
    void fDrawTree();
    KS_MOUSE_RESULT fDispatchMouseDown();
    KS_MOUSE_RESULT fDispatchMouseUp();
    KS_MOUSE_RESULT fDispatchMouseMove();
    KS_MOUSE_RESULT fPollEvent();
    // fReloadResources / fReleaseResources on this widget, then on each
    // child in order, whatever the flags.
    void fReloadTree();
    void fReleaseTree();

    // Event codes that make the walk activate the winner's parent.
    static bool fIsActivating(int32_t code);

protected:
    // Taken with a copy of the record when its code is not 0.
    KS_MOUSE_RESULT fReport() const;
    // Runs a script hook with this widget as argument; a missing hook is a
    // no-op.
    void fCallScript(KE_SCRIPT slot);
    // The input's current mouse position (0, 0 without an input).
    static float fMouseX();
    static float fMouseY();
    bool fMouseIn(const KS_HIT_AREA* area) const;
    // The left mouse button went down or up in the current step.
    static bool fLeftPressed();
    static bool fLeftReleased();

    int32_t mType = kTYPE_OBJECT;
    uint8_t mVisible = 1;
    uint8_t mEnabled = 1;
    uint8_t mActive = 0;
    KS_TRANSFORM3 mTransform;
    KS_GUI_EVENT mEvent;

private:
    enum class KE_PASS { kDOWN, kUP, kMOVE, kPOLL };
    KS_MOUSE_RESULT fDispatch(KE_PASS pass);
    KS_MOUSE_RESULT fOwnHandler(KE_PASS pass);
    void fAdopt(KC_GUI_OBJECT& child);

    KC_GUI_OBJECT* mParent = nullptr;
    std::vector<std::unique_ptr<KC_GUI_OBJECT>> mChildren;
    std::unique_ptr<KC_CALLBACK> mScripts[kSCRIPT_COUNT];
};

}  // namespace KEL
