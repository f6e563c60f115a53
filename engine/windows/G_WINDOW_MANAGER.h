#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "engine/gui/KS_MOUSE_RESULT.h"

namespace KEL {

class G_WINDOW;

// Owns every window, keeps the open ones in front-to-back order (index 0 is
// the top; higher layers first, and within a layer the window shown last),
// routes input to them front to back with modal blocking, updates and draws
// them, keeps focus consistent, and shows queued windows one after another.
//
// Windows come from the window list (the edition's scenes file): each entry
// names a window file whose "_type" picks a creator registered under that
// class name. Windows made in code are handed over with fAddWindow.
//
// Window callbacks and click handlers run inside the manager's own passes
// and may show, hide and queue windows: every pass walks a copy of the open
// list, skips windows that left it meanwhile, and removes by identity.
//
// Threads: one thread at a time. The game's loader thread may fill the
// manager (load the list, load, refresh and show windows) only while the
// main thread does not use it; the main thread starts using it after the
// loader has finished. The manager itself takes no lock.
class G_WINDOW_MANAGER {
public:
    // A new window for a window element, or null when it cannot be made.
    using KF_WINDOW_CREATOR = std::function<std::unique_ptr<G_WINDOW>(const pugi::xml_node& window)>;

    G_WINDOW_MANAGER() = default;
    G_WINDOW_MANAGER(const G_WINDOW_MANAGER&) = delete;
    G_WINDOW_MANAGER& operator=(const G_WINDOW_MANAGER&) = delete;
    ~G_WINDOW_MANAGER();

    // The class names the window files' "_type" may name. A later
    // registration of a name replaces the earlier one; an empty creator
    // removes it.
    void fRegisterClass(const std::string& typeName, KF_WINDOW_CREATOR creator);
    bool fHasClass(const std::string& typeName) const { return mCreators.count(typeName) != 0; }

    // Reads the window list from the repository: every child of its root
    // with a "file" attribute names a window file, made into a window by the
    // creator of its "_type" and appended in list order. Entries whose file
    // is missing, lacks "_type" or "_name", or names no registered class are
    // skipped. False when the list is missing.
    bool fLoadWindows(const std::string& listName);
    // The window made from one window element, added; null when skipped.
    G_WINDOW* fCreateWindow(const pugi::xml_node& window);
    // Takes a window made in code; null is ignored. Answers the window.
    G_WINDOW* fAddWindow(std::unique_ptr<G_WINDOW> window);

    // First window of that exact name, among all or among the open ones.
    G_WINDOW* fFindWindow(const std::string& name) const;
    G_WINDOW* fFindOpenWindow(const std::string& name) const;
    bool fIsOpen(const std::string& name) const { return fFindOpenWindow(name) != nullptr; }

    // Loads the window when needed, puts it in front of its layer and shows
    // it. An open window is answered unchanged. Null when not found.
    G_WINDOW* fShowWindow(const std::string& name, bool skip = false);
    // Shows the window at once when the queue is empty; queues it in every
    // case. The next one is shown when the queue's front has finished
    // hiding. Null when not found.
    G_WINDOW* fQueueWindow(const std::string& name, bool skip = false);
    G_WINDOW* fHideWindow(const std::string& name, bool skip = false);
    void fHideAll();
    void fLoadWindow(const std::string& name);
    void fUnloadWindow(const std::string& name);
    void fRefreshWindow(const std::string& name);
    // Unloads every loaded window, then sweeps the repository; answers the
    // sweep's count.
    int32_t fUnloadAll(bool force);
    void fRefreshAll();
    // The window's answer to the message; 0 when there is no such window.
    int32_t fSendMessage(const std::string& name, int32_t a, int32_t b);

    // Input, front to back: each open window in turn until one takes it
    // (an event, or a refusal while it animates) or a modal window has had
    // its turn. Answers what stopped the walk (not taken otherwise).
    KS_MOUSE_RESULT fOnMouseDown(int32_t button);
    KS_MOUSE_RESULT fOnMouseUp(int32_t button);
    KS_MOUSE_RESULT fOnMouseMove();

    // Updates the open windows front to back; a window that has finished
    // hiding leaves the open list and ends the pass (at most one per call).
    // Then settles the pointer: buttons arm only in a move pass, so one that
    // came under a pointer at rest would ignore the next click. When the
    // windows under the pointer changed since the last update (one opened,
    // left, came to rest, or the order changed), or input, a refresh or a
    // message may have changed what they show, one move pass runs with the
    // pointer where it is. Nothing changed: no pass, so an idle screen
    // stays idle.
    void fUpdate();
    // Back to front, so the front window is drawn last.
    void fDrawAll();
    // Every window up to and including the first modal one gets focus;
    // those behind it lose it.
    void fUpdateFocus();
    void fNextQueued();
    bool fIsQueueHead(const G_WINDOW* window) const;
    // Higher layers first; equal layers keep their order.
    void fSortByLayer();
    // Deletes every window and empties the lists.
    void fDeleteAll();

    // Pictures of closed windows: a window keeps its pictures when it
    // closes, so opening it again decodes nothing, as long as the pictures
    // the repository holds stay within the budget (bytes). Past it, closed
    // windows give theirs back, the one used longest ago first, until the
    // pictures are within it again or no closed window holds any. A budget
    // of 0 keeps every closed window's pictures.
    void fSetPictureBudget(size_t bytes) { mPictureBudget = bytes; }
    size_t fGetPictureBudget() const { return mPictureBudget; }
    // Applies the budget now; answers how many windows were unloaded.
    int32_t fTrimClosed();

    const std::vector<G_WINDOW*>& fGetOpenWindows() const { return mOpen; }
    int32_t fGetWindowCount() const { return static_cast<int32_t>(mAll.size()); }
    G_WINDOW* fGetWindow(int32_t index) const;
    int32_t fGetQueueLength() const { return static_cast<int32_t>(mQueue.size()); }

private:
    enum class KE_PASS { kDOWN, kUP, kMOVE };
    KS_MOUSE_RESULT fRoute(KE_PASS pass, int32_t button);
    void fUpdateWindows();
    void fSettlePointer();
    bool fSettledStateChanged() const;
    bool fIsListed(const G_WINDOW* window) const;
    void fRemoveOpen(const G_WINDOW* window);
    void fTouch(const G_WINDOW* window);

    std::vector<G_WINDOW*> mOpen;
    std::vector<std::unique_ptr<G_WINDOW>> mAll;
    std::deque<G_WINDOW*> mQueue;
    std::map<std::string, KF_WINDOW_CREATOR> mCreators;
    // When each window was last loaded, shown or closed, for the budget.
    std::map<const G_WINDOW*, uint64_t> mLastUse;
    uint64_t mUseClock = 0;
    size_t mPictureBudget = kPICTURE_BUDGET;
    // The open windows, in order, each with whether it was open and at
    // rest, as the last settling saw them.
    std::vector<std::pair<const G_WINDOW*, bool>> mSettled;
    // Input, a refresh or a message since the last settling.
    bool mPointerStale = false;

public:
    // The title with the menus it preloads holds about 11 MB of pictures and
    // a 20 x 20 level about 15 MB: the menus a player goes back and forth
    // between stay decoded, and a few large pictures more are let go.
    static constexpr size_t kPICTURE_BUDGET = size_t(16) << 20;
};

}  // namespace KEL
