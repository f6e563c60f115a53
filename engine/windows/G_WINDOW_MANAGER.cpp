#include "engine/windows/G_WINDOW_MANAGER.h"

#include <algorithm>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/util/KF_XML.h"
#include "engine/windows/G_WINDOW.h"

namespace KEL {

G_WINDOW_MANAGER::~G_WINDOW_MANAGER() { fDeleteAll(); }

void G_WINDOW_MANAGER::fRegisterClass(const std::string& typeName, KF_WINDOW_CREATOR creator) {
    if (creator) mCreators[typeName] = std::move(creator);
    else mCreators.erase(typeName);
}

bool G_WINDOW_MANAGER::fLoadWindows(const std::string& listName) {
    pugi::xml_document* list = kcREPOSITORY ? kcREPOSITORY->fGetXml(listName) : nullptr;
    if (!list) return false;
    for (const pugi::xml_node entry : list->document_element().children()) {
        const pugi::xml_attribute file = entry.attribute("file");
        if (!fIsElement(entry) || !file) continue;
        pugi::xml_document* document = kcREPOSITORY->fGetXml(file.value());
        if (!document) continue;
        fCreateWindow(document->document_element());
        kcREPOSITORY->fReleaseXml(document);
    }
    kcREPOSITORY->fReleaseXml(list);
    return true;
}

G_WINDOW* G_WINDOW_MANAGER::fCreateWindow(const pugi::xml_node& window) {
    const pugi::xml_attribute type = window.attribute("_type");
    if (!type || !window.attribute("_name")) return nullptr;
    const auto creator = mCreators.find(type.value());
    if (creator == mCreators.end()) return nullptr;
    return fAddWindow(creator->second(window));
}

G_WINDOW* G_WINDOW_MANAGER::fAddWindow(std::unique_ptr<G_WINDOW> window) {
    if (!window) return nullptr;
    window->fSetManager(this);
    mAll.push_back(std::move(window));
    return mAll.back().get();
}

G_WINDOW* G_WINDOW_MANAGER::fFindWindow(const std::string& name) const {
    for (const auto& window : mAll)
        if (window->fGetName() == name) return window.get();
    return nullptr;
}

G_WINDOW* G_WINDOW_MANAGER::fFindOpenWindow(const std::string& name) const {
    for (G_WINDOW* window : mOpen)
        if (window->fGetName() == name) return window;
    return nullptr;
}

G_WINDOW* G_WINDOW_MANAGER::fGetWindow(int32_t index) const {
    if (index < 0 || index >= fGetWindowCount()) return nullptr;
    return mAll[size_t(index)].get();
}

bool G_WINDOW_MANAGER::fIsListed(const G_WINDOW* window) const {
    return std::find(mOpen.begin(), mOpen.end(), window) != mOpen.end();
}

void G_WINDOW_MANAGER::fRemoveOpen(const G_WINDOW* window) {
    const auto found = std::find(mOpen.begin(), mOpen.end(), window);
    if (found != mOpen.end()) mOpen.erase(found);
}

// A window is listed once at most. One that finished hiding in this very
// pass but is still listed (a callback shows it again) is shown where it is.
G_WINDOW* G_WINDOW_MANAGER::fShowWindow(const std::string& name, bool skip) {
    G_WINDOW* window = fFindWindow(name);
    if (!window) return nullptr;
    const bool listed = fIsListed(window);
    if (listed && window->fIsOpen()) return window;
    const bool loads = !window->fIsLoaded();
    if (loads) window->fLoad();
    fTouch(window);
    if (!listed) mOpen.insert(mOpen.begin(), window);
    window->fShow(skip);
    // Once listed, so the window being shown is never the one let go.
    if (loads) fTrimClosed();
    // Focus after the sort, so that windows staying in front keep theirs.
    fSortByLayer();
    if (window->fIsModal() && fIsListed(window)) fUpdateFocus();
    return window;
}

G_WINDOW* G_WINDOW_MANAGER::fQueueWindow(const std::string& name, bool skip) {
    G_WINDOW* window = fFindWindow(name);
    if (!window) return nullptr;
    if (mQueue.empty()) fShowWindow(name, skip);
    mQueue.push_back(window);
    return window;
}

G_WINDOW* G_WINDOW_MANAGER::fHideWindow(const std::string& name, bool skip) {
    G_WINDOW* window = fFindOpenWindow(name);
    if (window) window->fHide(skip);
    return window;
}

void G_WINDOW_MANAGER::fHideAll() {
    const std::vector<G_WINDOW*> open = mOpen;
    for (G_WINDOW* window : open)
        if (fIsListed(window)) window->fHide(false);
}

void G_WINDOW_MANAGER::fLoadWindow(const std::string& name) {
    if (G_WINDOW* window = fFindWindow(name)) {
        window->fLoad();
        fTouch(window);
    }
}

void G_WINDOW_MANAGER::fUnloadWindow(const std::string& name) {
    if (G_WINDOW* window = fFindWindow(name)) window->fUnload(false);
}

void G_WINDOW_MANAGER::fRefreshWindow(const std::string& name) {
    if (G_WINDOW* window = fFindWindow(name)) {
        window->fRefresh();
        mPointerStale = true;
    }
}

int32_t G_WINDOW_MANAGER::fUnloadAll(bool force) {
    for (const auto& window : mAll)
        if (window->fIsLoaded()) window->fUnload(force);
    return kcREPOSITORY ? kcREPOSITORY->fCountLoaded() : KS_RESULT::kNOTHING;
}

void G_WINDOW_MANAGER::fRefreshAll() {
    for (const auto& window : mAll) window->fRefresh();
    mPointerStale = true;
}

int32_t G_WINDOW_MANAGER::fSendMessage(const std::string& name, int32_t a, int32_t b) {
    G_WINDOW* window = fFindWindow(name);
    if (!window) return KS_RESULT::kNOTHING;
    mPointerStale = true;
    return window->fOnMessage(a, b);
}

// A press or a key may enable, show or swap the widget under the pointer
// (a toggle's other half, an edit box's OK): the next settling looks again.
KS_MOUSE_RESULT G_WINDOW_MANAGER::fOnMouseDown(int32_t button) {
    mPointerStale = true;
    return fRoute(KE_PASS::kDOWN, button);
}

KS_MOUSE_RESULT G_WINDOW_MANAGER::fOnMouseUp(int32_t button) {
    mPointerStale = true;
    return fRoute(KE_PASS::kUP, button);
}

KS_MOUSE_RESULT G_WINDOW_MANAGER::fOnMouseMove() { return fRoute(KE_PASS::kMOVE, 0); }

KS_MOUSE_RESULT G_WINDOW_MANAGER::fRoute(KE_PASS pass, int32_t button) {
    const std::vector<G_WINDOW*> open = mOpen;
    // As in a widget tree: the pointer leaving a button of a window in front
    // still reaches the button it entered in a window behind.
    KS_MOUSE_RESULT left = KS_MOUSE_RESULT::fNotTaken();
    for (G_WINDOW* window : open) {
        // Windows that left the list or finished hiding meanwhile get nothing.
        if (!fIsListed(window) || !window->fIsOpen()) continue;
        KS_MOUSE_RESULT result;
        switch (pass) {
            case KE_PASS::kDOWN: result = window->fOnMouseDown(button); break;
            case KE_PASS::kUP: result = window->fOnMouseUp(button); break;
            case KE_PASS::kMOVE: result = window->fOnMouseMove(); break;
        }
        if (pass == KE_PASS::kMOVE && result.fHasEvent() && result.mEvent.mCode == KS_GUI_EVENT::kLEFT) {
            if (!left.fTaken()) left = result;
        } else if (result.fTaken()) {
            return result;
        }
        if (window->fIsModal()) break;
    }
    return left;
}

void G_WINDOW_MANAGER::fUpdate() {
    fUpdateWindows();
    fSettlePointer();
}

void G_WINDOW_MANAGER::fUpdateWindows() {
    const std::vector<G_WINDOW*> open = mOpen;
    for (G_WINDOW* window : open) {
        if (!fIsListed(window)) continue;
        const int32_t result = window->fUpdate();
        if (result == G_WINDOW::kUPDATE_STOP) return;
        if (result != G_WINDOW::kUPDATE_HIDDEN) continue;
        fRemoveOpen(window);
        fTouch(window);
        if (fIsQueueHead(window)) fNextQueued();
        if (window->fIsModal()) fUpdateFocus();
        fTrimClosed();
        return;
    }
}

// Hidden but still listed counts as not at rest, like a window on its way.
bool G_WINDOW_MANAGER::fSettledStateChanged() const {
    if (mSettled.size() != mOpen.size()) return true;
    for (size_t i = 0; i < mOpen.size(); ++i) {
        const G_WINDOW* window = mOpen[i];
        if (mSettled[i].first != window || mSettled[i].second != (window->fIsOpen() && window->fIsAtRest()))
            return true;
    }
    return false;
}

void G_WINDOW_MANAGER::fSettlePointer() {
    if (!mPointerStale && !fSettledStateChanged()) return;
    mPointerStale = false;
    // Before the pointer has been seen its position is only the corner: a
    // pass there would light up whatever sits in it.
    if (kcINPUT && kcINPUT->fHasMousePosition()) fRoute(KE_PASS::kMOVE, 0);
    // Seen after the pass: a window it opened is looked at when it rests.
    mSettled.clear();
    for (const G_WINDOW* window : mOpen) mSettled.emplace_back(window, window->fIsOpen() && window->fIsAtRest());
}

void G_WINDOW_MANAGER::fDrawAll() {
    for (auto it = mOpen.rbegin(); it != mOpen.rend(); ++it)
        if ((*it)->fIsOpen()) (*it)->fDraw();
}

void G_WINDOW_MANAGER::fUpdateFocus() {
    const std::vector<G_WINDOW*> open = mOpen;
    bool behindModal = false;
    for (G_WINDOW* window : open) {
        if (!fIsListed(window)) continue;
        if (behindModal) {
            window->fDeactivate();
            continue;
        }
        window->fActivate();
        behindModal = window->fIsModal();
    }
}

void G_WINDOW_MANAGER::fNextQueued() {
    if (mQueue.empty()) return;
    mQueue.pop_front();
    if (!mQueue.empty()) fShowWindow(mQueue.front()->fGetName(), false);
}

bool G_WINDOW_MANAGER::fIsQueueHead(const G_WINDOW* window) const {
    return !mQueue.empty() && mQueue.front() == window;
}

void G_WINDOW_MANAGER::fSortByLayer() {
    std::stable_sort(mOpen.begin(), mOpen.end(),
                     [](const G_WINDOW* a, const G_WINDOW* b) { return a->fGetLayer() > b->fGetLayer(); });
}

void G_WINDOW_MANAGER::fDeleteAll() {
    mOpen.clear();
    mSettled.clear();
    mQueue.clear();
    mAll.clear();
    mLastUse.clear();
}

void G_WINDOW_MANAGER::fTouch(const G_WINDOW* window) { mLastUse[window] = ++mUseClock; }

// Budget rather than a delay: what a closed window keeps costs nothing until
// memory is short, and a player going back and forth between a few menus
// never waits for their pictures to be decoded again.
int32_t G_WINDOW_MANAGER::fTrimClosed() {
    if (!kcREPOSITORY || mPictureBudget == 0) return 0;
    int32_t unloaded = 0;
    while (kcREPOSITORY->fGetTextureBytes() > mPictureBudget) {
        G_WINDOW* oldest = nullptr;
        uint64_t oldestUse = 0;
        for (const auto& owned : mAll) {
            G_WINDOW* window = owned.get();
            // Open, closing or waiting in the queue: still wanted.
            if (!window->fIsLoaded() || fIsListed(window) || window->fIsAnimating() || window->fIsUnloadPending() ||
                std::find(mQueue.begin(), mQueue.end(), window) != mQueue.end())
                continue;
            const auto found = mLastUse.find(window);
            const uint64_t use = found == mLastUse.end() ? 0 : found->second;
            if (!oldest || use < oldestUse) {
                oldest = window;
                oldestUse = use;
            }
        }
        if (!oldest) break;
        // Unloading sweeps the repository: pictures shared with a window
        // still loaded stay, and the loop goes on to the next.
        oldest->fUnload(false);
        unloaded += 1;
    }
    return unloaded;
}

}  // namespace KEL
