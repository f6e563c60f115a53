#include "engine/bots/KC_BOT_MANAGER.h"

#include <algorithm>
#include <utility>

#include "SERVICE/KS_RESULT.h"

namespace KEL {

KC_BOT_MANAGER::KC_BOT_MANAGER(KC_BOT_MANAGER&& other) noexcept { *this = std::move(other); }

KC_BOT_MANAGER& KC_BOT_MANAGER::operator=(KC_BOT_MANAGER&& other) noexcept {
    if (this == &other) return *this;
    std::swap(mObjects, other.mObjects);
    std::swap(mGraveyard, other.mGraveyard);
    std::swap(mCurrent, other.mCurrent);
    std::swap(mPrevious, other.mPrevious);
    std::swap(mPassDepth, other.mPassDepth);
    std::swap(mNeedsSort, other.mNeedsSort);
    std::swap(mUpdateFilter, other.mUpdateFilter);
    std::swap(mFilterMode, other.mFilterMode);
    std::swap(mDrawFilter, other.mDrawFilter);
    std::swap(mInDraw, other.mInDraw);
    return *this;
}

KC_BOT_MANAGER::~KC_BOT_MANAGER() {
    // Objects that finished in a pass that never got to its end are ours.
    for (KC_BASE* dead : mGraveyard) delete dead;
}

bool KC_BOT_MANAGER::fSkips(int32_t mode, uint8_t value, uint8_t filter) {
    switch (mode) {
        case 2: return value > filter;
        case 3: return value != filter;
        case 5: return value < filter;
        case 6: return value == filter;
        default: return false;
    }
}

void KC_BOT_MANAGER::fAdd(KC_BASE* object) {
    if (object) mObjects.push_back(object);
}

void KC_BOT_MANAGER::fDispose(size_t index, bool destroy) {
    KC_BASE* object = mObjects[index];
    if (!object) return;
    if (mCurrent == object) mCurrent = nullptr;
    if (mPrevious == object) mPrevious = nullptr;
    if (mPassDepth > 0) {
        mObjects[index] = nullptr;
        if (destroy) mGraveyard.push_back(object);
    } else {
        mObjects.erase(mObjects.begin() + static_cast<std::ptrdiff_t>(index));
        if (destroy) delete object;
    }
}

void KC_BOT_MANAGER::fEndPass() {
    if (--mPassDepth > 0) return;
    mObjects.erase(std::remove(mObjects.begin(), mObjects.end(), nullptr), mObjects.end());
    // Deleting may run destructors that touch this manager; take the list first.
    std::vector<KC_BASE*> dead;
    dead.swap(mGraveyard);
    for (KC_BASE* object : dead) delete object;
}

void KC_BOT_MANAGER::fUpdate() {
    mInDraw = 0;
    if (mObjects.empty()) return;
    ++mPassDepth;
    mCurrent = nullptr;
    mPrevious = nullptr;
    for (size_t i = 0; i < mObjects.size(); ++i) {
        KC_BASE* object = mObjects[i];
        if (!object) continue;
        mPrevious = mCurrent ? mCurrent : object;
        mCurrent = object;
        if (mCurrent->mSortKey < mPrevious->mSortKey) mNeedsSort = 1;
        if (fSkips(mFilterMode, object->mActive, mUpdateFilter)) continue;
        const int32_t answer = object->fMessage(KC_BASE::kMSG_UPDATE, 0, 0, 0, nullptr);
        // A callback may have unlinked this object already.
        if (i >= mObjects.size() || mObjects[i] != object) continue;
        if (answer == KC_BASE::kANSWER_FINISHED) {
            fDispose(i, true);
            mCurrent = nullptr;
        } else if (answer == KS_RESULT::kSTOP) {
            fEndPass();
            return;
        }
    }
    fEndPass();
    if (mPassDepth == 0) {
        if (mNeedsSort) {
            mNeedsSort = 0;
            fSort();
        }
        mNeedsSort = 0;
    }
}

void KC_BOT_MANAGER::fDraw() {
    mInDraw = 1;
    ++mPassDepth;
    for (size_t i = mObjects.size(); i-- > 0;) {
        if (i >= mObjects.size()) continue;
        KC_BASE* object = mObjects[i];
        if (!object || fSkips(mFilterMode, object->mDrawable, mDrawFilter)) continue;
        if (object->fMessage(KC_BASE::kMSG_DRAW, 0, 0, 0, nullptr) == KS_RESULT::kSTOP) break;
    }
    fEndPass();
}

namespace {
bool fMatches(const KC_BASE* object, const char* name, const char* lastName, uintptr_t tag) {
    if (name && object->mName != name) return false;
    if (lastName && object->mLastName != lastName) return false;
    if (tag != 0 && object->mId != tag) return false;
    return true;
}
}  // namespace

int32_t KC_BOT_MANAGER::fSendMessage(int32_t message, float a, float b, float c, void* data, const char* name,
                                     const char* lastName, uintptr_t tag, int32_t filterA, int32_t filterB) {
    if (filterA != 0 || filterB != 0) return KS_RESULT::kNOTHING;
    int32_t answer = KS_RESULT::kNOTHING;
    ++mPassDepth;
    for (size_t i = 0; i < mObjects.size(); ++i) {
        KC_BASE* object = mObjects[i];
        if (!object || !fMatches(object, name, lastName, tag)) continue;
        answer = object->fMessage(message, a, b, c, data);
    }
    fEndPass();
    return answer;
}

int32_t KC_BOT_MANAGER::fSendMessageAndReap(int32_t message, float a, float b, float c, void* data, const char* name,
                                            const char* lastName, uintptr_t tag, int32_t filterA, int32_t filterB) {
    if (filterA != 0 || filterB != 0) return KS_RESULT::kNOTHING;
    int32_t answer = KS_RESULT::kNOTHING;
    ++mPassDepth;
    for (size_t i = 0; i < mObjects.size(); ++i) {
        KC_BASE* object = mObjects[i];
        if (!object || !fMatches(object, name, lastName, tag)) continue;
        answer = object->fMessage(message, a, b, c, data);
        if (i >= mObjects.size() || mObjects[i] != object) continue;
        if (answer == KC_BASE::kANSWER_FINISHED) fDispose(i, true);
        else if (answer == KS_RESULT::kSTOP) break;
    }
    fEndPass();
    return answer;
}

KC_BASE* KC_BOT_MANAGER::fFindByTarget(uintptr_t tag) const {
    for (KC_BASE* object : mObjects)
        if (object && object->mId == tag) return object;
    return nullptr;
}

KC_BASE* KC_BOT_MANAGER::fFind(const std::string& name, const std::string& lastName, uintptr_t tag) {
    for (size_t i = 0; i < mObjects.size(); ++i) {
        KC_BASE* object = mObjects[i];
        if (!object || object->mName != name) continue;
        if (!lastName.empty() && object->mLastName != lastName) continue;
        if (tag != 0 && object->mId != tag) continue;
        fDispose(i, false);
        return object;
    }
    return nullptr;
}

void KC_BOT_MANAGER::fRemove(const std::string& name, uintptr_t tag) {
    for (size_t i = 0; i < mObjects.size(); ++i) {
        KC_BASE* object = mObjects[i];
        if (object && object->mName == name && object->mId == tag) {
            fDispose(i, true);
            return;
        }
    }
}

void KC_BOT_MANAGER::fDeleteAll() {
    if (mPassDepth > 0) {
        for (size_t i = 0; i < mObjects.size(); ++i) fDispose(i, true);
        return;
    }
    std::deque<KC_BASE*> all;
    all.swap(mObjects);
    mCurrent = mPrevious = nullptr;
    for (KC_BASE* object : all) delete object;
}

void KC_BOT_MANAGER::fReset() {
    if (mPassDepth > 0) {
        for (size_t i = 0; i < mObjects.size(); ++i) fDispose(i, false);
        return;
    }
    mObjects.clear();
    mCurrent = mPrevious = nullptr;
}

void KC_BOT_MANAGER::fSort() {
    if (mPassDepth > 0) {
        // Reordering under a running pass would skip or repeat objects.
        mNeedsSort = 1;
        return;
    }
    std::stable_sort(mObjects.begin(), mObjects.end(),
                     [](const KC_BASE* a, const KC_BASE* b) { return a && b && a->mSortKey < b->mSortKey; });
}

void KC_BOT_MANAGER::fResetFilters() {
    mUpdateFilter = 1;
    mDrawFilter = 1;
}

int32_t KC_BOT_MANAGER::fCount() const {
    int32_t count = 0;
    for (const KC_BASE* object : mObjects)
        if (object) ++count;
    return count;
}

KC_BASE* KC_BOT_MANAGER::fAt(int32_t index) const {
    for (KC_BASE* object : mObjects) {
        if (!object) continue;
        if (index-- == 0) return object;
    }
    return nullptr;
}

}  // namespace KEL
