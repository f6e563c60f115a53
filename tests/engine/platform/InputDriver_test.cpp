// The input driver's clicks, drags and keys as the engine's input hears
// them through the real message pump: where the pointer was at each move,
// which button or key went down and up, in what order, and where the
// fixture's step passed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/platform/KC_INPUT.h"
#include "support/InputDriver.h"
#include "support/MessagePump.h"

using testsupport::InputDriver;

namespace {

class InputDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mPump.fOpen());
        mPump.fRoute(
            [this](int32_t) {
                const KEL::KS_POINT at = mPump.fInput().fGetMousePosition();
                mHeard.push_back("move " + std::to_string(at.x) + "," + std::to_string(at.y));
            },
            [this](int32_t key) { mHeard.push_back("down " + std::to_string(key)); },
            [this](int32_t key) { mHeard.push_back("up " + std::to_string(key)); });
    }

    testsupport::MessagePump mPump;
    InputDriver mDriver{mPump.fQueue(), [this] { mPump.fPump(); }};
    std::vector<std::string> mHeard;
};

}  // namespace

TEST_F(InputDriverTest, AClickFromAsideEntersThenPressesAndReleasesAtThePoint) {
    mDriver.fClick({100.0f, 50.0f});
    EXPECT_EQ(mHeard, (std::vector<std::string>{"move 102,50", "move 100,50", "down 1", "up 1"}));
    EXPECT_TRUE(mPump.fQueue().mQueue.empty()) << "each message was delivered";
}

TEST_F(InputDriverTest, AStraightClickMovesOnceAndAClickHereDoesNotMove) {
    mDriver.fClick({100.0f, 50.0f}, InputDriver::Approach::kSTRAIGHT);
    mDriver.fClickHere();
    EXPECT_EQ(mHeard, (std::vector<std::string>{"move 100,50", "down 1", "up 1", "down 1", "up 1"}));
}

TEST_F(InputDriverTest, ADragHoldsTheButtonThroughEvenStepsAndReleasesAtTheEnd) {
    mDriver.fDrag({0.0f, 10.0f}, {90.0f, 40.0f}, 3);
    EXPECT_EQ(mHeard,
              (std::vector<std::string>{"move 0,10", "down 1", "move 30,20", "move 60,30", "move 90,40", "up 1"}));
}

TEST_F(InputDriverTest, TypedLettersArriveAsTheirCapitalsKeysDownThenUp) {
    mDriver.fType("aZ1");
    EXPECT_EQ(mHeard, (std::vector<std::string>{"down 65", "up 65", "down 90", "up 90", "down 49", "up 49"}));
}

TEST_F(InputDriverTest, AGesturesStopsLetTheStepPassAndSingleMessagesDoNot) {
    InputDriver stepping{mPump.fQueue(), [this] { mPump.fPump(); }, [this] { mHeard.push_back("step"); }};
    stepping.fClick({100.0f, 50.0f});
    stepping.fPress(KEL::KC_INPUT::kMOUSE_RIGHT);
    stepping.fRelease('A');
    EXPECT_EQ(mHeard, (std::vector<std::string>{"move 102,50", "move 100,50", "step", "down 1", "step", "up 1", "step",
                                                "down 2", "up 65"}));
}
