#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SERVICE/KS_RESULT.h"
#include "engine/windows/KC_EVENT_QUEUE.h"

using KEL::KC_EVENT_QUEUE;
using KT_CLOSURE = KEL::Closure<void()>;

namespace {

struct KS_LISTENER {
    void fOnA() { mHeard.push_back(mName + "a"); }
    void fOnB() { mHeard.push_back(mName + "b"); }
    // Posts another event and drops its own entry while it runs.
    void fOnChain() {
        mHeard.push_back(mName + "chain");
        mQueue->fPost("a");
        mQueue->fListen(mSlot, "chain", KT_CLOSURE());
    }
    std::string mName;
    std::vector<std::string>& mHeard;
    KC_EVENT_QUEUE* mQueue = nullptr;
    int32_t mSlot = 0;
};

}  // namespace

TEST(KC_EVENT_QUEUE, EventsReachEveryListenerInOrder) {
    std::vector<std::string> heard;
    KC_EVENT_QUEUE queue;
    KS_LISTENER first{"1", heard}, second{"2", heard};
    const int32_t one = queue.fAddListener();
    const int32_t two = queue.fAddListener();
    queue.fListen(one, "a", KT_CLOSURE::fBind<&KS_LISTENER::fOnA>(&first));
    queue.fListen(one, "b", KT_CLOSURE::fBind<&KS_LISTENER::fOnB>(&first));
    queue.fListen(two, "a", KT_CLOSURE::fBind<&KS_LISTENER::fOnA>(&second));
    EXPECT_FALSE(queue.fListen(7, "a", KT_CLOSURE()));
    EXPECT_TRUE(queue.fHas(one, "b"));
    EXPECT_FALSE(queue.fHas(two, "b"));
    EXPECT_FALSE(queue.fHas(-1, "a"));

    queue.fPost("b");
    queue.fPost("nobody");
    queue.fPost("a");
    queue.fDispatch();
    EXPECT_EQ(heard, (std::vector<std::string>{"1b", "1a", "2a"}));
    EXPECT_EQ(queue.fGetQueued(), 0u);
    EXPECT_EQ(queue.fCall(two, "b"), KEL::KS_RESULT::kNOTHING);
}

TEST(KC_EVENT_QUEUE, ForeignValuesEmptyClosuresAndEventsPostedWhileDispatching) {
    std::vector<std::string> heard;
    KC_EVENT_QUEUE queue;
    KS_LISTENER listener{"x", heard, &queue};
    listener.mSlot = queue.fAddListener();
    queue.fListen(listener.mSlot, "chain", KT_CLOSURE::fBind<&KS_LISTENER::fOnChain>(&listener));
    queue.fListen(listener.mSlot, "a", KT_CLOSURE::fBind<&KS_LISTENER::fOnA>(&listener));
    queue.fListen(listener.mSlot, "number", 42);
    queue.fListen(listener.mSlot, "empty", KT_CLOSURE());

    EXPECT_EQ(queue.fCall(listener.mSlot, "number"), KEL::KS_RESULT::kFAILED) << "skipped, nothing thrown";
    EXPECT_EQ(queue.fCall(listener.mSlot, "empty"), KEL::KS_RESULT::kOK);
    queue.fPost("chain");
    queue.fPost("number");
    queue.fDispatch();
    EXPECT_EQ(heard, std::vector<std::string>{"xchain"});
    EXPECT_EQ(queue.fGetQueued(), 1u) << "the posted event waits";
    queue.fPost("chain");
    queue.fDispatch();
    EXPECT_EQ(heard, (std::vector<std::string>{"xchain", "xa"})) << "the chain entry was emptied";
}
