// Closed windows keep their pictures within the manager's budget and give
// them back past it, the one used longest ago first; a window reopened while
// within the budget decodes nothing again.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "WindowsFixture.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/windows/G_WINDOW_MANAGER.h"

using KEL::G_WINDOW_MANAGER;
using windowstest::KC_LOG_WINDOW;

namespace {

// Decodes per picture name, counted by the fake decoder below.
std::map<std::string, int> gDecodes;

// Holds one picture of the repository while loaded, as a window's widgets do.
class KC_PICTURE_WINDOW : public KC_LOG_WINDOW {
public:
    KC_PICTURE_WINDOW(const pugi::xml_node& node, std::vector<std::string>& log, std::string picture)
        : KC_LOG_WINDOW(node, log), mPicture(std::move(picture)) {}
    void fOnLoad() override {
        mTexture = KEL::kcREPOSITORY->fGetTexture(mPicture);
        KC_LOG_WINDOW::fOnLoad();
    }
    void fOnUnload() override {
        KEL::kcREPOSITORY->fReleaseTexture(mTexture);
        mTexture = nullptr;
        KC_LOG_WINDOW::fOnUnload();
    }

private:
    std::string mPicture;
    KEL::KC_TEXTURE* mTexture = nullptr;
};

constexpr size_t kMB = size_t(1) << 20;

class WindowBudgetTest : public windowstest::WindowsTest {
protected:
    void SetUp() override {
        WindowsTest::SetUp();
        gDecodes.clear();
        KEL::KS_RESOURCE_CONVERTERS::fGet().fLoadTexture = &fCountedDecode;
        // 512 x 512 pictures, 1 MB each; the decoder reads the size and the
        // count is kept by the whole text, which names the picture.
        for (const char* name : {"a.png", "b.png", "c.png", "d.png", "shared.png"})
            fWrite(name, std::string("512 512 ") + name);
        fMount();
    }
    static KEL::KC_TEXTURE* fCountedDecode(const uint8_t* bytes, uint32_t size) {
        // Files from folders come with a 0 byte after them.
        gDecodes[std::string(reinterpret_cast<const char*>(bytes), size).c_str()] += 1;
        return fDecode(bytes, size);
    }
    KC_PICTURE_WINDOW* fAdd(const std::string& name, const std::string& picture) {
        return static_cast<KC_PICTURE_WINDOW*>(mManager.fAddWindow(std::make_unique<KC_PICTURE_WINDOW>(
            fNode("<window _name='" + name + "' _timeShow='0.25' _timeHide='0.25'/>"), mLog, "data " + picture)));
    }
    void fFrames(int count) {
        KEL::kfFRAME_DELTA = kDT;
        for (int i = 0; i < count; ++i) mManager.fUpdate();
    }
    // Opens the window, lets it come to rest, closes it and lets it leave.
    void fVisit(const std::string& name) {
        ASSERT_NE(mManager.fShowWindow(name), nullptr);
        fFrames(4);
        mManager.fHideWindow(name);
        fFrames(4);
        ASSERT_FALSE(mManager.fIsOpen(name));
    }
    int fTotalDecodes() const {
        int total = 0;
        for (const auto& [name, count] : gDecodes) total += count;
        return total;
    }
    size_t fHeld() { return mRepository->fGetTextureBytes(); }

    G_WINDOW_MANAGER mManager;
};

}  // namespace

TEST_F(WindowBudgetTest, ClosedWindowsWithinTheBudgetKeepTheirPicturesAndReopenWithoutDecoding) {
    mManager.fSetPictureBudget(3 * kMB);
    fAdd("A", "a.png");
    fAdd("B", "b.png");
    fAdd("C", "c.png");
    for (int round = 0; round < 3; ++round)
        for (const char* name : {"A", "B", "C"}) fVisit(name);
    EXPECT_EQ(fTotalDecodes(), 3) << "each picture decoded once over three rounds";
    EXPECT_EQ(fHeld(), 3 * kMB);
    for (const char* name : {"A", "B", "C"}) EXPECT_TRUE(mManager.fFindWindow(name)->fIsLoaded()) << name;
}

TEST_F(WindowBudgetTest, PastTheBudgetTheWindowUsedLongestAgoGivesItsPicturesBackFirst) {
    mManager.fSetPictureBudget(2 * kMB);
    KC_PICTURE_WINDOW* a = fAdd("A", "a.png");
    KC_PICTURE_WINDOW* b = fAdd("B", "b.png");
    KC_PICTURE_WINDOW* c = fAdd("C", "c.png");
    fVisit("A");
    fVisit("B");
    fVisit("A");  // A is now the one used last
    EXPECT_TRUE(a->fIsLoaded());
    EXPECT_TRUE(b->fIsLoaded());
    fVisit("C");
    EXPECT_FALSE(b->fIsLoaded()) << "B was used longest ago";
    EXPECT_TRUE(a->fIsLoaded());
    EXPECT_TRUE(c->fIsLoaded());
    EXPECT_EQ(fHeld(), 2 * kMB);
    EXPECT_EQ(fUses("data b.png"), 0);
    // Shown again, B decodes its picture once more and the next oldest goes.
    fVisit("B");
    EXPECT_EQ(gDecodes["512 512 b.png"], 2);
    EXPECT_EQ(gDecodes["512 512 a.png"], 1);
    EXPECT_FALSE(a->fIsLoaded());
    EXPECT_TRUE(b->fIsLoaded());
    EXPECT_LE(fHeld(), 2 * kMB);
}

TEST_F(WindowBudgetTest, OpenClosingAndQueuedWindowsKeepTheirPicturesOverTheBudget) {
    mManager.fSetPictureBudget(kMB);
    KC_PICTURE_WINDOW* a = fAdd("A", "a.png");
    KC_PICTURE_WINDOW* b = fAdd("B", "b.png");
    KC_PICTURE_WINDOW* c = fAdd("C", "c.png");
    KC_PICTURE_WINDOW* d = fAdd("D", "d.png");
    mManager.fShowWindow("A");
    mManager.fShowWindow("B");
    fFrames(4);
    EXPECT_TRUE(a->fIsLoaded());
    EXPECT_TRUE(b->fIsLoaded()) << "both open: over the budget, nothing to give back";
    mManager.fHideWindow("B");
    mManager.fShowWindow("C");
    EXPECT_TRUE(b->fIsLoaded()) << "B is still closing";
    fFrames(4);
    EXPECT_FALSE(mManager.fIsOpen("B"));
    EXPECT_FALSE(b->fIsLoaded()) << "gone once it has left";
    EXPECT_TRUE(a->fIsLoaded());
    EXPECT_TRUE(c->fIsLoaded());
    // A queued window waits for its turn with its pictures.
    mManager.fLoadWindow("D");
    mManager.fQueueWindow("C");
    mManager.fQueueWindow("D");
    mManager.fHideWindow("A");
    fFrames(4);
    EXPECT_FALSE(a->fIsLoaded());
    EXPECT_TRUE(d->fIsLoaded());
    EXPECT_EQ(mManager.fGetQueueLength(), 2);
}

TEST_F(WindowBudgetTest, PicturesSharedWithAnOpenWindowStayAndTheNextWindowGoes) {
    mManager.fSetPictureBudget(2 * kMB + kMB / 2);
    KC_PICTURE_WINDOW* first = fAdd("First", "shared.png");
    KC_PICTURE_WINDOW* second = fAdd("Second", "b.png");
    KC_PICTURE_WINDOW* third = fAdd("Third", "c.png");
    fAdd("Open", "shared.png");
    mManager.fShowWindow("Open");
    fFrames(4);
    fVisit("First");
    fVisit("Second");
    fVisit("Third");
    // Letting First go frees nothing, as Open holds the same picture: Second
    // goes as well.
    EXPECT_FALSE(first->fIsLoaded());
    EXPECT_FALSE(second->fIsLoaded());
    EXPECT_TRUE(third->fIsLoaded());
    EXPECT_EQ(fHeld(), 2 * kMB);
    EXPECT_EQ(fUses("data shared.png"), 1);
    EXPECT_EQ(gDecodes["512 512 shared.png"], 1);
}

TEST_F(WindowBudgetTest, AZeroBudgetKeepsEveryClosedWindowLoaded) {
    mManager.fSetPictureBudget(0);
    for (const char* name : {"A", "B", "C", "D"}) fAdd(name, std::string(1, char(name[0] + 32)) + ".png");
    for (const char* name : {"A", "B", "C", "D"}) fVisit(name);
    EXPECT_EQ(fHeld(), 4 * kMB);
    EXPECT_EQ(mManager.fTrimClosed(), 0);
    mManager.fSetPictureBudget(2 * kMB);
    EXPECT_EQ(mManager.fTrimClosed(), 2);
    EXPECT_FALSE(mManager.fFindWindow("A")->fIsLoaded());
    EXPECT_FALSE(mManager.fFindWindow("B")->fIsLoaded());
    EXPECT_TRUE(mManager.fFindWindow("D")->fIsLoaded());
}
