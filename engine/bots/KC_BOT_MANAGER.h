#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "engine/bots/KC_BASE.h"

namespace KEL {

// Owns a list of KC_BASE objects and drives them once per frame, in
// ascending sort-key order. Objects that finish, or that a callback removes
// or deletes while a pass runs, are only unlinked during the pass and deleted
// when it ends, so a completion callback may stop or delete other objects of
// the same manager (or all of them) safely.
class KC_BOT_MANAGER {
public:
    KC_BOT_MANAGER() = default;
    KC_BOT_MANAGER(KC_BOT_MANAGER&& other) noexcept;
    KC_BOT_MANAGER& operator=(KC_BOT_MANAGER&& other) noexcept;
    KC_BOT_MANAGER(const KC_BOT_MANAGER&) = delete;
    KC_BOT_MANAGER& operator=(const KC_BOT_MANAGER&) = delete;
    // Frees the list only; owners call fDeleteAll first.
    ~KC_BOT_MANAGER();

    // Appends; the manager owns the object from then on. Null is ignored.
    void fAdd(KC_BASE* object);
    // Update pass: message 1 to every object the update filter lets through.
    void fUpdate();
    // Draw pass: message 2 from the last object to the first.
    void fDraw();

    // Message to every matching object (null name / last name and tag 0 match
    // all; a non-zero filter excludes every object). Returns the last answer,
    // 0 when nobody was messaged.
    int32_t fSendMessage(int32_t message, float a = 0, float b = 0, float c = 0, void* data = nullptr,
                         const char* name = nullptr, const char* lastName = nullptr, uintptr_t tag = 0,
                         int32_t filterA = 0, int32_t filterB = 0);
    // As fSendMessage, but kFINISHED deletes the object and kSTOP ends the call.
    int32_t fSendMessageAndReap(int32_t message, float a = 0, float b = 0, float c = 0, void* data = nullptr,
                                const char* name = nullptr, const char* lastName = nullptr, uintptr_t tag = 0,
                                int32_t filterA = 0, int32_t filterB = 0);

    KC_BASE* fFindByTarget(uintptr_t tag) const;
    // Takes the first match out of the list (not deleted) and returns it.
    KC_BASE* fFind(const std::string& name, const std::string& lastName, uintptr_t tag);
    // Deletes the first object of that name and tag.
    void fRemove(const std::string& name, uintptr_t tag);
    void fDeleteAll();
    // Empties the list without deleting the objects.
    void fReset();
    void fSort();
    void fResetFilters();

    // Live objects (those unlinked in a running pass are not counted).
    int32_t fCount() const;
    bool fIsEmpty() const { return fCount() == 0; }
    KC_BASE* fAt(int32_t index) const;

    uint8_t mUpdateFilter = 1;
    int32_t mFilterMode = 5;
    uint8_t mDrawFilter = 1;
    uint8_t mInDraw = 0;

private:
    static bool fSkips(int32_t mode, uint8_t value, uint8_t filter);
    // Unlinks entry i; deletes the object now, or at the end of a running pass.
    void fDispose(size_t index, bool destroy);
    void fEndPass();

    std::deque<KC_BASE*> mObjects;  // null entries only while a pass runs
    std::vector<KC_BASE*> mGraveyard;
    KC_BASE* mCurrent = nullptr;
    KC_BASE* mPrevious = nullptr;
    int32_t mPassDepth = 0;
    uint8_t mNeedsSort = 0;
};

}  // namespace KEL
