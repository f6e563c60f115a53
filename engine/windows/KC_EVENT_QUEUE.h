#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <boost/any.hpp>

#include "engine/util/Closure.h"

namespace KEL {

// Named events, queued and then delivered to listener tables. A listener
// maps event names to type-erased values that hold closures; an event
// reaches every listener that has its name, in the order listeners were
// added. Main thread only.
class KC_EVENT_QUEUE {
public:
    using KT_LISTENER = std::map<std::string, boost::any>;

    // A new, empty listener; answers its index.
    int32_t fAddListener();
    // Sets what the listener holds for a name (normally a Closure<void()>).
    // False for a listener that does not exist.
    bool fListen(int32_t listener, const std::string& name, const boost::any& value);
    void fPost(const std::string& name) { mQueue.push_back(name); }

    bool fHas(int32_t listener, const std::string& name) const;
    // kOK when the listener's closure for the name ran; kNOTHING when it
    // has no such name; kFAILED when what it holds is not a closure (that
    // entry is skipped).
    int32_t fCall(int32_t listener, const std::string& name);
    // Every queued name to every listener, in queue order. Names posted
    // while dispatching wait for the next dispatch.
    void fDispatch();

    size_t fGetQueued() const { return mQueue.size(); }

private:
    const KT_LISTENER* fFind(int32_t listener) const;

    std::vector<std::string> mQueue;
    std::vector<KT_LISTENER> mListeners;
};

}  // namespace KEL
