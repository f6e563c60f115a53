#include "engine/gui/KC_GUI_OBJECT.h"

#include <algorithm>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/gui/KS_HIT_AREA.h"
#include "engine/platform/KC_INPUT.h"

namespace KEL {

KC_GUI_OBJECT::KC_GUI_OBJECT(int32_t id) { mEvent.mId = id; }

KC_GUI_OBJECT::~KC_GUI_OBJECT() { fDeleteChildren(); }

KS_MOUSE_RESULT KC_GUI_OBJECT::fGetEvent() { return KS_MOUSE_RESULT::fNotTaken(); }
KS_MOUSE_RESULT KC_GUI_OBJECT::fOnMouseUp() { return KS_MOUSE_RESULT::fNotTaken(); }
KS_MOUSE_RESULT KC_GUI_OBJECT::fOnMouseDown() { return KS_MOUSE_RESULT::fNotTaken(); }
KS_MOUSE_RESULT KC_GUI_OBJECT::fOnMouseMove() { return KS_MOUSE_RESULT::fNotTaken(); }
void KC_GUI_OBJECT::fDraw() {}
void KC_GUI_OBJECT::fSetPosition(float x, float y, float z) { mTransform.fSetPos(x, y, z); }
void KC_GUI_OBJECT::fSetSize(int32_t, int32_t) {}
float KC_GUI_OBJECT::fGetWidth() const { return 0.0f; }
float KC_GUI_OBJECT::fGetHeight() const { return 0.0f; }
void KC_GUI_OBJECT::fReloadResources() {}
void KC_GUI_OBJECT::fReleaseResources() {}

void KC_GUI_OBJECT::fAdopt(KC_GUI_OBJECT& child) {
    child.mParent = this;
    child.mTransform.mParent = &mTransform;
}

KC_GUI_OBJECT* KC_GUI_OBJECT::fAddChild(std::unique_ptr<KC_GUI_OBJECT> child) {
    if (!child) return nullptr;
    fAdopt(*child);
    mChildren.push_back(std::move(child));
    return mChildren.back().get();
}

KC_GUI_OBJECT* KC_GUI_OBJECT::fInsertChild(std::unique_ptr<KC_GUI_OBJECT> child, int32_t index) {
    if (!child) return nullptr;
    fAdopt(*child);
    const size_t at = std::min(static_cast<size_t>(std::max(index, 0)), mChildren.size());
    return mChildren.insert(mChildren.begin() + static_cast<std::ptrdiff_t>(at), std::move(child))->get();
}

bool KC_GUI_OBJECT::fRemoveChild(const KC_GUI_OBJECT* target) {
    if (!target) return false;
    for (auto it = mChildren.begin(); it != mChildren.end(); ++it) {
        if (it->get() == target) {
            (*it)->fDeleteChildren();
            mChildren.erase(it);
            return true;
        }
        if ((*it)->fRemoveChild(target)) return true;
    }
    return false;
}

bool KC_GUI_OBJECT::fRemoveChildById(int32_t id) {
    for (auto it = mChildren.begin(); it != mChildren.end(); ++it) {
        if ((*it)->fGetId() == id) {
            (*it)->fDeleteChildren();
            mChildren.erase(it);
            return true;
        }
        if ((*it)->fRemoveChildById(id)) return true;
    }
    return false;
}

void KC_GUI_OBJECT::fDeleteChildren() {
    // Bottom-up: a child's own children go before the child.
    for (auto& child : mChildren) {
        child->fDeleteChildren();
        child.reset();
    }
    mChildren.clear();
}

KC_GUI_OBJECT* KC_GUI_OBJECT::fFindChild(int32_t id) const {
    for (const auto& child : mChildren) {
        if (child->fGetId() == id) return child.get();
        if (KC_GUI_OBJECT* found = child->fFindChild(id)) return found;
    }
    return nullptr;
}

int32_t KC_GUI_OBJECT::fGetChildEvent(int32_t id) const {
    const KC_GUI_OBJECT* child = fFindChild(id);
    return child ? child->fGetEventCode() : 0;
}

KC_GUI_OBJECT* KC_GUI_OBJECT::fGetChild(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= mChildren.size()) return nullptr;
    return mChildren[static_cast<size_t>(index)].get();
}

void KC_GUI_OBJECT::fSetActive(bool active) {
    mActive = active ? 1 : 0;
    for (auto& child : mChildren) child->fSetActive(active);
}

void KC_GUI_OBJECT::fSetScript(KE_SCRIPT slot, std::unique_ptr<KC_CALLBACK> callback) {
    mScripts[static_cast<int32_t>(slot)] = std::move(callback);
}

const KC_CALLBACK* KC_GUI_OBJECT::fGetScript(KE_SCRIPT slot) const {
    return mScripts[static_cast<int32_t>(slot)].get();
}

void KC_GUI_OBJECT::fCallScript(KE_SCRIPT slot) {
    const KC_CALLBACK* record = mScripts[static_cast<int32_t>(slot)].get();
    if (record) KC_CALLBACK::fCall(record, this);
}

void KC_GUI_OBJECT::fDrawTree() {
    if (!mVisible) return;
    fDraw();
    for (auto& child : mChildren) child->fDrawTree();
}

KS_MOUSE_RESULT KC_GUI_OBJECT::fDispatchMouseDown() { return fDispatch(KE_PASS::kDOWN); }
KS_MOUSE_RESULT KC_GUI_OBJECT::fDispatchMouseUp() { return fDispatch(KE_PASS::kUP); }
KS_MOUSE_RESULT KC_GUI_OBJECT::fDispatchMouseMove() { return fDispatch(KE_PASS::kMOVE); }
KS_MOUSE_RESULT KC_GUI_OBJECT::fPollEvent() { return fDispatch(KE_PASS::kPOLL); }

bool KC_GUI_OBJECT::fIsActivating(int32_t code) {
    return code == KS_GUI_EVENT::kACTIVATE || code == KS_GUI_EVENT::kPRESSED || code == KS_GUI_EVENT::kCLICK ||
           code == KS_GUI_EVENT::kFOCUS_LOCK;
}

KS_MOUSE_RESULT KC_GUI_OBJECT::fDispatch(KE_PASS pass) {
    if (!mEnabled) return KS_MOUSE_RESULT::fNotTaken();
    // A widget the pointer left must not hide the move from the one it
    // entered: that one would never light up and would ignore the click.
    KS_MOUSE_RESULT left = KS_MOUSE_RESULT::fNotTaken();
    for (size_t i = 0; i < mChildren.size(); ++i) {
        const KS_MOUSE_RESULT result = mChildren[i]->fDispatch(pass);
        if (!result.fTaken()) continue;
        if (pass == KE_PASS::kMOVE && result.fHasEvent() && result.mEvent.mCode == KS_GUI_EVENT::kLEFT) {
            if (!left.fTaken()) left = result;
            continue;
        }
        if (result.fHasEvent() && fIsActivating(result.mEvent.mCode)) {
            mActive = 1;
            // The poll leaves the children after the winner alone.
            const size_t end = pass == KE_PASS::kPOLL ? i : mChildren.size();
            for (size_t j = 0; j < end; ++j)
                if (j != i) mChildren[j]->fSetActive(false);
        }
        return result;
    }
    if (left.fTaken()) return left;
    return fOwnHandler(pass);
}

KS_MOUSE_RESULT KC_GUI_OBJECT::fOwnHandler(KE_PASS pass) {
    switch (pass) {
        case KE_PASS::kDOWN: return fOnMouseDown();
        case KE_PASS::kUP: return fOnMouseUp();
        case KE_PASS::kMOVE: return fOnMouseMove();
        case KE_PASS::kPOLL: return fGetEvent();
    }
    return KS_MOUSE_RESULT::fNotTaken();
}

void KC_GUI_OBJECT::fReloadTree() {
    fReloadResources();
    for (auto& child : mChildren) child->fReloadTree();
}

void KC_GUI_OBJECT::fReleaseTree() {
    fReleaseResources();
    for (auto& child : mChildren) child->fReleaseTree();
}

KS_MOUSE_RESULT KC_GUI_OBJECT::fReport() const {
    return mEvent.mCode != KS_GUI_EVENT::kNONE ? KS_MOUSE_RESULT::fEvent(mEvent) : KS_MOUSE_RESULT::fNotTaken();
}

float KC_GUI_OBJECT::fMouseX() { return kpMOUSE_POSITION ? static_cast<float>(kpMOUSE_POSITION->x) : 0.0f; }
float KC_GUI_OBJECT::fMouseY() { return kpMOUSE_POSITION ? static_cast<float>(kpMOUSE_POSITION->y) : 0.0f; }

bool KC_GUI_OBJECT::fMouseIn(const KS_HIT_AREA* area) const { return area && area->fContains(fMouseX(), fMouseY()); }

bool KC_GUI_OBJECT::fLeftPressed() { return kcINPUT && kcINPUT->fIsKeyPressed(KC_INPUT::kMOUSE_LEFT); }
bool KC_GUI_OBJECT::fLeftReleased() { return kcINPUT && kcINPUT->fIsKeyReleased(KC_INPUT::kMOUSE_LEFT); }

}  // namespace KEL
