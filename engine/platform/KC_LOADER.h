#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "engine/platform/KC_LOCK.h"
#include "engine/platform/KC_THREAD.h"

namespace KEL {

// Base of a background loader: its thread loads while the main thread keeps
// drawing (fDraw, fUpdate) and reads the progress percentage.
class KC_LOADER {
public:
    struct KS_ITEM {
        std::string mPath;
        int32_t mKind = 5;
    };

    explicit KC_LOADER(KF_THREAD threadFunction);
    virtual ~KC_LOADER();
    KC_LOADER(const KC_LOADER&) = delete;
    KC_LOADER& operator=(const KC_LOADER&) = delete;

    // Starts the loader's thread with the loader as its argument; keeps and
    // answers the record. A second call answers the running record.
    virtual KC_THREAD* fStart();
    // Main-thread work while loading, supplied by the derived loader.
    virtual int32_t fDraw() = 0;
    virtual int32_t fUpdate() = 0;

    void fSetProgress(int32_t value);
    int32_t fGetProgress();
    // The thread's exit code; 0 before it was started.
    int32_t fGetExitCode() const;
    KC_THREAD* fGetThread() const { return mThread; }

    // Item kind from its first letter: I 0, S 1, M 2, V 3, X 4, else 5.
    static int32_t fKindFromLetter(const char* text);
    // Appends one item per child element of node ("TYPE", "PATH").
    void fReadItems(const pugi::xml_node& node);
    // Walks the items, setting progress to each one's share; 1, or -1 for a
    // missing loader.
    static uint32_t fItemListBody(void* loader);

    uint32_t fGetItemCount() const { return mItemCount; }
    const std::vector<KS_ITEM>& fGetItems() const { return mItems; }

protected:
    KC_LOCK mLock;
    std::atomic<int32_t> mProgress{0};
    uint32_t mItemCount = 0;
    std::vector<KS_ITEM> mItems;
    KF_THREAD mThreadFunction = nullptr;
    KC_THREAD* mThread = nullptr;
};

}  // namespace KEL
