#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/bots/KC_BOT_MANAGER.h"

using KEL::KC_BASE;
using KEL::KC_BOT_MANAGER;

namespace {

// A scripted object: records every message it gets into a shared log,
// answers from a script, and may run a hook while handling message 1.
struct Probe : KC_BASE {
    Probe(std::vector<std::string>* log, std::string tag, int* alive = nullptr)
        : mLog(log), mTag(std::move(tag)), mAlive(alive) {
        if (mAlive) ++*mAlive;
    }
    ~Probe() override {
        if (mAlive) --*mAlive;
    }
    int32_t fMessage(int32_t message, float, float, float, void*) override {
        mLog->push_back(mTag + ":" + std::to_string(message));
        if (message == 1 && mHook) mHook();
        return mAnswer;
    }
    std::vector<std::string>* mLog;
    std::string mTag;
    int* mAlive;
    int32_t mAnswer = 0;
    std::function<void()> mHook;
};

}  // namespace

TEST(KC_BOT_MANAGER, FinishedObjectIsDeletedAndTheNextOneRunsInTheSamePass) {
    std::vector<std::string> log;
    int alive = 0;
    KC_BOT_MANAGER manager;
    auto* a = new Probe(&log, "a", &alive);
    auto* b = new Probe(&log, "b", &alive);
    a->mAnswer = -113;
    manager.fAdd(a);
    manager.fAdd(b);
    manager.fUpdate();
    EXPECT_EQ(log, (std::vector<std::string>{"a:1", "b:1"}));
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(manager.fCount(), 1);
    EXPECT_EQ(manager.fAt(0), b);
    manager.fDeleteAll();
    EXPECT_EQ(alive, 0);
}

TEST(KC_BOT_MANAGER, StopAnswerEndsThePassAndSkipsTheSort) {
    std::vector<std::string> log;
    KC_BOT_MANAGER manager;
    auto* a = new Probe(&log, "a");
    auto* b = new Probe(&log, "b");
    auto* c = new Probe(&log, "c");
    a->mSortKey = 5;
    b->mSortKey = 1;
    b->mAnswer = -109;
    manager.fAdd(a);
    manager.fAdd(b);
    manager.fAdd(c);
    manager.fUpdate();
    EXPECT_EQ(log, (std::vector<std::string>{"a:1", "b:1"}));
    EXPECT_EQ(manager.fAt(0), a) << "no re-sort after -109";
    manager.fDeleteAll();
}

TEST(KC_BOT_MANAGER, UnsortedKeysRunInListOrderOnceThenAscending) {
    std::vector<std::string> log;
    KC_BOT_MANAGER manager;
    for (auto [tag, key] : {std::pair{"5", 5.0f}, {"3", 3.0f}, {"9", 9.0f}}) {
        auto* p = new Probe(&log, tag);
        p->mSortKey = key;
        manager.fAdd(p);
    }
    manager.fUpdate();
    manager.fUpdate();
    EXPECT_EQ(log, (std::vector<std::string>{"5:1", "3:1", "9:1", "3:1", "5:1", "9:1"}));
    manager.fDeleteAll();
}

TEST(KC_BOT_MANAGER, UpdateFilterModes) {
    std::vector<std::string> log;
    KC_BOT_MANAGER manager;
    auto* on = new Probe(&log, "on");
    auto* off = new Probe(&log, "off");
    off->mActive = 0;
    manager.fAdd(on);
    manager.fAdd(off);

    manager.fUpdate();  // default mode 5, value 1: byte 0 is skipped
    EXPECT_EQ(log, (std::vector<std::string>{"on:1"}));

    log.clear();
    manager.mFilterMode = 3;
    manager.mUpdateFilter = 0;
    manager.fUpdate();
    EXPECT_EQ(log, (std::vector<std::string>{"off:1"}));

    log.clear();
    manager.mFilterMode = 6;
    manager.mUpdateFilter = 1;
    manager.fUpdate();
    EXPECT_EQ(log, (std::vector<std::string>{"off:1"}));

    log.clear();
    manager.mFilterMode = 2;
    manager.mUpdateFilter = 0;
    manager.fUpdate();
    EXPECT_EQ(log, (std::vector<std::string>{"off:1"}));

    log.clear();
    manager.mFilterMode = 7;  // any other mode lets everything through
    manager.fUpdate();
    EXPECT_EQ(log, (std::vector<std::string>{"on:1", "off:1"}));

    log.clear();
    manager.mFilterMode = 5;
    manager.mUpdateFilter = 9;
    manager.fResetFilters();
    manager.fUpdate();
    EXPECT_EQ(log, (std::vector<std::string>{"on:1"}));
    manager.fDeleteAll();
}

TEST(KC_BOT_MANAGER, DrawPassRunsBackwardsOverDrawableObjects) {
    std::vector<std::string> log;
    KC_BOT_MANAGER manager;
    auto* a = new Probe(&log, "a");
    auto* hidden = new Probe(&log, "h");
    auto* b = new Probe(&log, "b");
    hidden->mDrawable = 0;
    manager.fAdd(a);
    manager.fAdd(hidden);
    manager.fAdd(b);
    manager.fDraw();
    EXPECT_EQ(manager.mInDraw, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"b:2", "a:2"}));
    manager.fUpdate();
    EXPECT_EQ(manager.mInDraw, 0);
    manager.fDeleteAll();
}

TEST(KC_BOT_MANAGER, MessagesSelectByNameLastNameTagAndFilters) {
    std::vector<std::string> log;
    KC_BOT_MANAGER manager;
    auto* a = new Probe(&log, "a");
    auto* b = new Probe(&log, "b");
    a->mName = "x";
    a->mAnswer = 4;
    b->mName = "x";
    b->mLastName = "second";
    b->mId = KC_BASE::fTag(&manager);
    b->mAnswer = 7;
    manager.fAdd(a);
    manager.fAdd(b);

    EXPECT_EQ(manager.fSendMessage(12, 0, 0, 0, nullptr, "x"), 7);
    EXPECT_EQ(manager.fSendMessage(12, 0, 0, 0, nullptr, nullptr, "nolastname"), 4);
    EXPECT_EQ(manager.fSendMessage(12, 0, 0, 0, nullptr, nullptr, nullptr, KC_BASE::fTag(&manager)), 7);
    EXPECT_EQ(manager.fSendMessage(12, 0, 0, 0, nullptr, "nobody"), 0);
    log.clear();
    EXPECT_EQ(manager.fSendMessage(12, 0, 0, 0, nullptr, nullptr, nullptr, 0, 1, 0), 0);
    EXPECT_TRUE(log.empty()) << "a non-zero filter reaches nobody";

    EXPECT_EQ(manager.fFindByTarget(KC_BASE::fTag(&manager)), b);
    EXPECT_EQ(manager.fFindByTarget(12345), nullptr);

    KC_BASE* taken = manager.fFind("x", "second", 0);
    EXPECT_EQ(taken, b);
    EXPECT_EQ(manager.fCount(), 1);
    delete taken;
    manager.fRemove("x", KC_BASE::kNO_ID);
    EXPECT_TRUE(manager.fIsEmpty());
}

TEST(KC_BOT_MANAGER, SendAndReapDeletesFinishedObjects) {
    std::vector<std::string> log;
    int alive = 0;
    KC_BOT_MANAGER manager;
    auto* a = new Probe(&log, "a", &alive);
    auto* b = new Probe(&log, "b", &alive);
    a->mAnswer = -113;
    manager.fAdd(a);
    manager.fAdd(b);
    manager.fSendMessageAndReap(9);
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(manager.fAt(0), b);
    manager.fDeleteAll();
}

// Completion callbacks run inside the pass; whatever they do to the manager
// must neither touch a deleted object nor delete one twice.
TEST(KC_BOT_MANAGER, CallbacksMayAddRemoveOrDeleteDuringThePass) {
    std::vector<std::string> log;
    int alive = 0;
    KC_BOT_MANAGER manager;

    auto* adder = new Probe(&log, "adder", &alive);
    adder->mAnswer = -113;
    adder->mHook = [&] { manager.fAdd(new Probe(&log, "late", &alive)); };
    manager.fAdd(adder);
    manager.fUpdate();
    EXPECT_EQ(log, (std::vector<std::string>{"adder:1", "late:1"})) << "an object added in a pass runs in it";
    EXPECT_EQ(alive, 1);

    log.clear();
    auto* killer = new Probe(&log, "killer", &alive);
    auto* victim = new Probe(&log, "victim", &alive);
    killer->mHook = [&] { manager.fDeleteAll(); };
    killer->mAnswer = -113;  // finishes after having deleted everybody, itself included
    manager.fAdd(killer);
    manager.fAdd(victim);
    manager.fUpdate();
    EXPECT_EQ(log, (std::vector<std::string>{"late:1", "killer:1"}));
    EXPECT_EQ(alive, 0);
    EXPECT_TRUE(manager.fIsEmpty());

    log.clear();
    auto* remover = new Probe(&log, "remover", &alive);
    auto* other = new Probe(&log, "other", &alive);
    other->mName = "other";
    remover->mHook = [&] {
        manager.fRemove("other", KC_BASE::kNO_ID);
        manager.fAdd(new Probe(&log, "fresh", &alive));
    };
    manager.fAdd(remover);
    manager.fAdd(other);
    manager.fUpdate();
    EXPECT_EQ(log, (std::vector<std::string>{"remover:1", "fresh:1"}));
    EXPECT_EQ(alive, 2);
    EXPECT_EQ(manager.fCount(), 2);

    // A reset inside the pass forgets the objects without deleting them.
    std::vector<KC_BASE*> kept;
    remover->mHook = [&] {
        kept = {manager.fAt(0), manager.fAt(1)};
        manager.fReset();
    };
    manager.fUpdate();
    EXPECT_TRUE(manager.fIsEmpty());
    EXPECT_EQ(alive, 2);
    for (KC_BASE* object : kept) delete object;
    EXPECT_EQ(alive, 0);
}
