#include "engine/platform/KC_LOADER.h"

#include <cmath>

namespace KEL {

KC_LOADER::KC_LOADER(KF_THREAD threadFunction) : mThreadFunction(threadFunction) {}

KC_LOADER::~KC_LOADER() {
    // A derived loader whose thread still touches its own members must stop
    // it in its own destructor; by now only base members are left.
    if (mThread) KC_THREAD::fTerminate(mThread);
    mThread = nullptr;
}

KC_THREAD* KC_LOADER::fStart() {
    if (!mThread) mThread = KC_THREAD::fCreate(mThreadFunction, this);
    return mThread;
}

void KC_LOADER::fSetProgress(int32_t value) { mProgress.store(value); }

int32_t KC_LOADER::fGetProgress() {
    KC_LOCK::KS_SCOPE scope(mLock);
    return mProgress.load();
}

int32_t KC_LOADER::fGetExitCode() const { return mThread ? KC_THREAD::fGetExitCode(mThread) : 0; }

int32_t KC_LOADER::fKindFromLetter(const char* text) {
    if (!text) return 5;
    switch (text[0]) {
        case 'I': return 0;
        case 'S': return 1;
        case 'M': return 2;
        case 'V': return 3;
        case 'X': return 4;
        default: return 5;
    }
}

void KC_LOADER::fReadItems(const pugi::xml_node& node) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) continue;
        KS_ITEM item;
        item.mKind = fKindFromLetter(child.attribute("TYPE").as_string());
        item.mPath = child.attribute("PATH").as_string();
        mItems.push_back(std::move(item));
        ++mItemCount;
    }
}

uint32_t KC_LOADER::fItemListBody(void* argument) {
    auto* loader = static_cast<KC_LOADER*>(argument);
    if (!loader) return static_cast<uint32_t>(-1);
    const uint32_t count = loader->mItemCount;
    for (uint32_t index = 1; index <= count; ++index) {
        KC_LOCK::KS_SCOPE scope(loader->mLock);
        loader->mProgress.store(static_cast<int32_t>(std::lround(100.0 * index / count)));
    }
    // Items are done with once walked.
    {
        KC_LOCK::KS_SCOPE scope(loader->mLock);
        loader->mItems.clear();
    }
    return 1;
}

}  // namespace KEL
