#pragma once

#include <cstdint>
#include <memory>

#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/gui/KS_MOUSE_RESULT.h"
#include "engine/util/KS_VEC2.h"

namespace KEL {

// The holder of one widget tree: a root widget with id 0 and a copy of the
// result of the last pass. Windows, page items, tutorial steps and board
// controls each hold one, route their mouse hooks and frame update to it,
// and reach their widgets by id through fFindChild.
class KC_GUI_ROOT {
public:
    KC_GUI_ROOT();
    KC_GUI_ROOT(const KC_GUI_ROOT&) = delete;
    KC_GUI_ROOT& operator=(const KC_GUI_ROOT&) = delete;
    // Deletes the whole tree.
    ~KC_GUI_ROOT();

    // The passes over the tree; each result is kept as the current event.
    KS_MOUSE_RESULT fMouseDown();
    KS_MOUSE_RESULT fMouseUp();
    KS_MOUSE_RESULT fMouseMove();
    KS_MOUSE_RESULT fPollEvent();
    const KS_MOUSE_RESULT& fGetCurrentEvent() const { return mCurrent; }
    // Id and code of the current event; 0 when the last pass found nothing.
    int32_t fGetEventId() const;
    int32_t fGetEventCode() const;
    int32_t fGetChildEvent(int32_t id) const { return mRoot->fGetChildEvent(id); }

    void fDraw() { mRoot->fDrawTree(); }
    KC_GUI_OBJECT* fAddChild(std::unique_ptr<KC_GUI_OBJECT> widget) { return mRoot->fAddChild(std::move(widget)); }
    void fClear() { mRoot->fDeleteChildren(); }
    KC_GUI_OBJECT* fFindChild(int32_t id) const { return mRoot->fFindChild(id); }
    bool fRemoveChild(const KC_GUI_OBJECT* widget) { return mRoot->fRemoveChild(widget); }
    bool fRemoveChildById(int32_t id) { return mRoot->fRemoveChildById(id); }
    void fReloadResources() { mRoot->fReloadTree(); }
    void fReleaseResources() { mRoot->fReleaseTree(); }

    // The root widget: its transform is what owners parent the tree to.
    KC_GUI_OBJECT& fGetRootWidget() { return *mRoot; }
    const KC_GUI_OBJECT& fGetRootWidget() const { return *mRoot; }

    void fSetPosition(float x, float y, float z) { mRoot->fSetPosition(x, y, z); }
    void fSetSize(int32_t width, int32_t height) { mRoot->fSetSize(width, height); }
    KS_VEC2 fGetPosition() const { return mRoot->fGetTransform().fGetPos2(); }
    void fMove(float dx, float dy) { mRoot->fGetTransform().fMove(dx, dy); }
    void fSetVisible(bool visible) { mRoot->fSetVisible(visible); }
    void fSetEnabled(bool enabled) { mRoot->fSetEnabled(enabled); }
    bool fIsEnabled() const { return mRoot->fIsEnabled(); }

private:
    KS_MOUSE_RESULT fKeep(const KS_MOUSE_RESULT& result);

    KS_MOUSE_RESULT mCurrent;
    std::unique_ptr<KC_GUI_OBJECT> mRoot;
};

}  // namespace KEL
