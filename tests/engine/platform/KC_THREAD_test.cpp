#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "engine/platform/KC_LOADER.h"
#include "engine/platform/KC_LOCK.h"
#include "engine/platform/KC_THREAD.h"

using KEL::KC_LOADER;
using KEL::KC_LOCK;
using KEL::KC_THREAD;

namespace {

std::atomic<bool> gRelease{false};

uint32_t fWaitThenOne(void*) {
    while (!gRelease.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return 1;
}

uint32_t fLoopUntilStopped(void* counter) {
    while (!KC_THREAD::fStopRequested()) {
        static_cast<std::atomic<int>*>(counter)->fetch_add(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 7;
}

void fWaitForExit(KC_THREAD* record) {
    for (int i = 0; i < 2000 && KC_THREAD::fGetExitCode(record) == KC_THREAD::kSTILL_ACTIVE; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

class TestLoader : public KC_LOADER {
public:
    TestLoader() : KC_LOADER(&KC_LOADER::fItemListBody) {}
    int32_t fDraw() override { return 1; }
    int32_t fUpdate() override { return 1; }
};

}  // namespace

TEST(KC_THREAD, ExitCodeIsStillActiveWhileRunningThenTheResult) {
    gRelease = false;
    KC_THREAD* record = KC_THREAD::fCreate(&fWaitThenOne, nullptr);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(KC_THREAD::fGetExitCode(record), 259);
    gRelease = true;
    fWaitForExit(record);
    EXPECT_EQ(KC_THREAD::fGetExitCode(record), 1);
    // Terminating a thread that already ended keeps its own exit code until freed.
    EXPECT_TRUE(KC_THREAD::fTerminate(record));
    EXPECT_EQ(KC_THREAD::fGetExitCode(nullptr), -1);
    EXPECT_EQ(KC_THREAD::fCreate(nullptr, nullptr), nullptr);
}

TEST(KC_THREAD, StoppingALoopingThreadJoinsItWithExitCodeMinus113) {
    std::atomic<int> counter{0};
    KC_THREAD* record = KC_THREAD::fCreate(&fLoopUntilStopped, &counter);
    while (counter.load() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(KC_THREAD::fStop(record));
    EXPECT_EQ(KC_THREAD::fGetExitCode(record), -113);
    const int after = counter.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(counter.load(), after) << "a stopped thread no longer runs";
    EXPECT_TRUE(KC_THREAD::fTerminate(record));
    EXPECT_FALSE(KC_THREAD::fTerminate(nullptr));
}

TEST(KC_THREAD, TerminatingTheSecondOfTwoKeepsTheFirstInOrder) {
    std::atomic<int> a{0}, b{0};
    KC_THREAD* first = KC_THREAD::fCreate(&fLoopUntilStopped, &a);
    KC_THREAD* second = KC_THREAD::fCreate(&fLoopUntilStopped, &b);
    auto list = KC_THREAD::fList();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], first);
    EXPECT_EQ(list[1], second);
    EXPECT_NE(first->fGetId(), second->fGetId());

    EXPECT_TRUE(KC_THREAD::fTerminate(second));
    list = KC_THREAD::fList();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], first);
    EXPECT_EQ(KC_THREAD::fGetExitCode(first), 259);
    EXPECT_TRUE(KC_THREAD::fTerminate(first));
    EXPECT_TRUE(KC_THREAD::fList().empty());
}

TEST(KC_LOCK, IsReentrantAndExcludesOtherThreads) {
    KC_LOCK lock;
    lock.fLock();
    lock.fLock();  // the holder takes it again without deadlock
    std::atomic<bool> entered{false};
    std::thread other([&] {
        lock.fLock();
        entered = true;
        lock.fUnlock();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(entered.load());
    lock.fUnlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(entered.load()) << "one unlock of two still holds the lock";
    lock.fUnlock();
    other.join();
    EXPECT_TRUE(entered.load());
}

TEST(KC_LOADER, KindLettersItemsAndProgress) {
    EXPECT_EQ(KC_LOADER::fKindFromLetter(""), 5);
    EXPECT_EQ(KC_LOADER::fKindFromLetter(nullptr), 5);
    EXPECT_EQ(KC_LOADER::fKindFromLetter("Image"), 0);
    EXPECT_EQ(KC_LOADER::fKindFromLetter("S"), 1);
    EXPECT_EQ(KC_LOADER::fKindFromLetter("M"), 2);
    EXPECT_EQ(KC_LOADER::fKindFromLetter("V"), 3);
    EXPECT_EQ(KC_LOADER::fKindFromLetter("X"), 4);
    EXPECT_EQ(KC_LOADER::fKindFromLetter("i"), 5);

    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string("<list><a TYPE='Image' PATH='p1'/><b TYPE='Sound' PATH='p2'/><c PATH='p3'/></list>"));
    TestLoader loader;
    EXPECT_EQ(loader.fGetExitCode(), 0) << "0 before the thread starts";
    loader.fReadItems(doc.child("list"));
    ASSERT_EQ(loader.fGetItemCount(), 3u);
    EXPECT_EQ(loader.fGetItems()[1].mKind, 1);
    EXPECT_EQ(loader.fGetItems()[2].mKind, 5);
    EXPECT_EQ(loader.fGetItems()[2].mPath, "p3");

    KC_THREAD* record = loader.fStart();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(loader.fStart(), record) << "a second start keeps the running thread";
    fWaitForExit(record);
    EXPECT_EQ(loader.fGetExitCode(), 1);
    EXPECT_EQ(loader.fGetProgress(), 100);
    EXPECT_EQ(KC_LOADER::fItemListBody(nullptr), static_cast<uint32_t>(-1));
}
