#include "engine/windows/KC_EVENT_QUEUE.h"

#include "SERVICE/KS_RESULT.h"

namespace KEL {

int32_t KC_EVENT_QUEUE::fAddListener() {
    mListeners.emplace_back();
    return static_cast<int32_t>(mListeners.size() - 1);
}

const KC_EVENT_QUEUE::KT_LISTENER* KC_EVENT_QUEUE::fFind(int32_t listener) const {
    if (listener < 0 || static_cast<size_t>(listener) >= mListeners.size()) return nullptr;
    return &mListeners[static_cast<size_t>(listener)];
}

bool KC_EVENT_QUEUE::fListen(int32_t listener, const std::string& name, const boost::any& value) {
    if (!fFind(listener)) return false;
    mListeners[static_cast<size_t>(listener)][name] = value;
    return true;
}

bool KC_EVENT_QUEUE::fHas(int32_t listener, const std::string& name) const {
    const KT_LISTENER* table = fFind(listener);
    return table && table->count(name) > 0;
}

int32_t KC_EVENT_QUEUE::fCall(int32_t listener, const std::string& name) {
    const KT_LISTENER* table = fFind(listener);
    if (!table) return KS_RESULT::kNOTHING;
    const auto entry = table->find(name);
    if (entry == table->end()) return KS_RESULT::kNOTHING;
    const Closure<void()>* held = boost::any_cast<Closure<void()>>(&entry->second);
    if (!held) return KS_RESULT::kFAILED;
    // A copy: the closure may change this listener's table while it runs.
    const Closure<void()> closure = *held;
    closure();
    return KS_RESULT::kOK;
}

void KC_EVENT_QUEUE::fDispatch() {
    std::vector<std::string> queued;
    queued.swap(mQueue);
    for (const std::string& name : queued)
        for (size_t listener = 0; listener < mListeners.size(); ++listener) fCall(static_cast<int32_t>(listener), name);
}

}  // namespace KEL
