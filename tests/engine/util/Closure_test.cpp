#include <gtest/gtest.h>

#include <vector>

#include "engine/util/Closure.h"

using KEL::Closure;
using KT_CLOSURE = Closure<void()>;

namespace {

struct KS_TARGET {
    virtual ~KS_TARGET() = default;
    void fPlain() { mCalls.push_back(1000); }
    void fAnswer(int32_t answer) { mCalls.push_back(answer); }
    void fByte(uint8_t answer) { mCalls.push_back(answer); }
    void fFlag(bool yes) { mCalls.push_back(yes ? 1 : 0); }
    virtual void fPause() { mCalls.push_back(-50); }
    // Clears the closure it was reached through, as a fade's end does.
    void fClearSlot() {
        mSlot->fClear();
        mCalls.push_back(7);
    }
    std::vector<int32_t> mCalls;
    KT_CLOSURE* mSlot = nullptr;
};

struct KS_DERIVED : KS_TARGET {
    void fPause() override { mCalls.push_back(-51); }
};

}  // namespace

TEST(Closure, EmptyClosuresDoNothing) {
    KT_CLOSURE empty;
    EXPECT_TRUE(empty.fIsEmpty());
    EXPECT_EQ(empty.fKind(), KT_CLOSURE::KE_KIND::kEMPTY);
    empty();
    empty(5);
    const KT_CLOSURE unbound = KT_CLOSURE::fBind<&KS_TARGET::fPlain>(static_cast<KS_TARGET*>(nullptr));
    EXPECT_FALSE(unbound);
    unbound();
}

TEST(Closure, StubsForwardWhatTheirTargetTakes) {
    KS_TARGET target;
    const KT_CLOSURE plain = KT_CLOSURE::fBind<&KS_TARGET::fPlain>(&target);
    const KT_CLOSURE answer = KT_CLOSURE::fBind<&KS_TARGET::fAnswer>(&target);
    const KT_CLOSURE byte = KT_CLOSURE::fBind<&KS_TARGET::fByte>(&target);
    const KT_CLOSURE flag = KT_CLOSURE::fBind<&KS_TARGET::fFlag>(&target);
    EXPECT_EQ(plain.fKind(), KT_CLOSURE::KE_KIND::kNO_ARGUMENT);
    EXPECT_EQ(answer.fKind(), KT_CLOSURE::KE_KIND::kINTEGER);
    EXPECT_EQ(byte.fKind(), KT_CLOSURE::KE_KIND::kBYTE);
    EXPECT_EQ(flag.fKind(), KT_CLOSURE::KE_KIND::kBYTE);

    plain(3);
    answer(-1);
    answer(1);
    answer(0);
    byte(1);
    byte(0);
    byte(0x102);  // only the low byte travels
    flag(0x100);  // ... so this is "no"
    flag(1);
    EXPECT_EQ(target.mCalls, (std::vector<int32_t>{1000, -1, 1, 0, 1, 0, 2, 0, 1}));
}

TEST(Closure, VirtualTargetsAndCopies) {
    KS_DERIVED derived;
    KS_TARGET* base = &derived;
    const KT_CLOSURE pause = KT_CLOSURE::fBind<&KS_TARGET::fPause>(base);
    KT_CLOSURE copy = pause;
    EXPECT_TRUE(copy == pause);
    copy();
    EXPECT_EQ(derived.mCalls, std::vector<int32_t>{-51});
    copy.fClear();
    copy();
    pause();
    EXPECT_EQ(derived.mCalls, (std::vector<int32_t>{-51, -51}));
    EXPECT_FALSE(copy == pause);
}

TEST(Closure, ATargetMayClearItsOwnSlotWhileRunning) {
    KS_TARGET target;
    KT_CLOSURE slot = KT_CLOSURE::fBind<&KS_TARGET::fClearSlot>(&target);
    target.mSlot = &slot;
    slot();
    EXPECT_TRUE(slot.fIsEmpty());
    slot();
    EXPECT_EQ(target.mCalls, std::vector<int32_t>{7});
}
