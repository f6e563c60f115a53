// The widget tree's walks: which widget a pass reaches, what it does to the
// activity of the others, and the tree operations owners use.
#include <gtest/gtest.h>

#include <memory>

#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/gui/KC_GUI_ROOT.h"

using namespace KEL;

namespace {

// A widget whose handlers answer preset codes and count their calls.
class Probe : public KC_GUI_OBJECT {
public:
    explicit Probe(int32_t id, int* deaths = nullptr) : KC_GUI_OBJECT(id), mDeaths(deaths) {}
    ~Probe() override {
        if (mDeaths) ++*mDeaths;
    }
    KS_MOUSE_RESULT fGetEvent() override { return fAnswer(mPollCode, mPolls); }
    KS_MOUSE_RESULT fOnMouseUp() override { return fAnswer(mUpCode, mUps); }
    KS_MOUSE_RESULT fOnMouseDown() override { return fAnswer(mDownCode, mDowns); }
    KS_MOUSE_RESULT fOnMouseMove() override { return fAnswer(mMoveCode, mMoves); }
    void fDraw() override { ++mDraws; }

    int32_t mPollCode = 0, mUpCode = 0, mDownCode = 0, mMoveCode = 0;
    int mPolls = 0, mUps = 0, mDowns = 0, mMoves = 0, mDraws = 0;

private:
    KS_MOUSE_RESULT fAnswer(int32_t code, int& calls) {
        ++calls;
        mEvent.mCode = code;
        return fReport();
    }
    int* mDeaths;
};

Probe* fAdd(KC_GUI_OBJECT& parent, int32_t id, int* deaths = nullptr) {
    return static_cast<Probe*>(parent.fAddChild(std::make_unique<Probe>(id, deaths)));
}

}  // namespace

TEST(KC_GUI_OBJECT, DisabledSubtreesTakeNoPassAndInvisibleOnesStillDo) {
    KC_GUI_ROOT root;
    Probe* hidden = fAdd(root.fGetRootWidget(), 1);
    Probe* box = fAdd(root.fGetRootWidget(), 2);
    Probe* inner = fAdd(*box, 3);
    inner->mDownCode = KS_GUI_EVENT::kPRESSED;

    box->fSetEnabled(false);
    EXPECT_FALSE(root.fMouseDown().fTaken());
    EXPECT_FALSE(root.fPollEvent().fTaken());
    EXPECT_EQ(inner->mDowns + inner->mPolls + box->mDowns, 0) << "nothing below a disabled widget is called";

    hidden->fSetVisible(false);
    hidden->mUpCode = KS_GUI_EVENT::kCLICK;
    const KS_MOUSE_RESULT up = root.fMouseUp();
    EXPECT_EQ(up.mEvent, (KS_GUI_EVENT{1, KS_GUI_EVENT::kCLICK})) << "an invisible widget still takes input";
    root.fDraw();
    EXPECT_EQ(hidden->mDraws, 0);
    EXPECT_EQ(box->mDraws + inner->mDraws, 2) << "a disabled widget is still drawn";
}

TEST(KC_GUI_OBJECT, ThePassStopsAtTheFirstReportChildrenBeforeParents) {
    KC_GUI_ROOT root;
    Probe* parent = fAdd(root.fGetRootWidget(), 1);
    Probe* first = fAdd(*parent, 2);
    Probe* second = fAdd(*parent, 3);
    Probe* later = fAdd(root.fGetRootWidget(), 4);
    first->mDownCode = second->mDownCode = parent->mDownCode = KS_GUI_EVENT::kPRESSED;

    EXPECT_EQ(root.fMouseDown().mEvent.mId, 2) << "overlapping siblings: the earlier one wins";
    EXPECT_EQ(second->mDowns + parent->mDowns + later->mDowns, 0);

    // A move pass ends at the first enter, but a leave does not hide the
    // move from the widgets after it: moving onto the next widget is seen.
    first->mMoveCode = KS_GUI_EVENT::kLEFT;
    second->mMoveCode = KS_GUI_EVENT::kENTERED;
    EXPECT_EQ(root.fMouseMove().mEvent, (KS_GUI_EVENT{3, KS_GUI_EVENT::kENTERED}));
    EXPECT_EQ(second->mMoves, 1);
    EXPECT_EQ(parent->mMoves + later->mMoves, 0);

    // A leave alone is the pass's report; the parent's own handler is not
    // run, its later siblings still are.
    second->mMoveCode = 0;
    EXPECT_EQ(root.fMouseMove().mEvent, (KS_GUI_EVENT{2, KS_GUI_EVENT::kLEFT}));
    EXPECT_EQ(parent->mMoves, 0);
    EXPECT_EQ(later->mMoves, 1);
    later->mMoveCode = KS_GUI_EVENT::kENTERED;
    EXPECT_EQ(root.fMouseMove().mEvent, (KS_GUI_EVENT{4, KS_GUI_EVENT::kENTERED})) << "also across subtrees";

    first->mMoveCode = later->mMoveCode = 0;
    EXPECT_FALSE(root.fMouseMove().fTaken());
    EXPECT_EQ(root.fGetEventCode(), 0) << "a pass that found nothing leaves no current event";
    EXPECT_EQ(root.fGetEventId(), 0);
    EXPECT_EQ(parent->mMoves + later->mMoves, 1 + 3) << "with no report every handler runs";
}

TEST(KC_GUI_OBJECT, ActivatingCodesActivateTheParentsAndDeactivateTheOthers) {
    KC_GUI_ROOT root;
    Probe* a = fAdd(root.fGetRootWidget(), 1);
    Probe* a1 = fAdd(*a, 11);
    Probe* a2 = fAdd(*a, 12);
    Probe* a2x = fAdd(*a2, 121);
    Probe* b = fAdd(root.fGetRootWidget(), 2);
    Probe* b1 = fAdd(*b, 21);
    for (Probe* p : {a, a1, a2, a2x, b, b1}) p->fSetActive(true);
    a1->fSetActive(true);

    // An enter changes nobody's activity.
    a2x->mMoveCode = KS_GUI_EVENT::kENTERED;
    root.fMouseMove();
    for (Probe* p : {a, a1, a2, b, b1}) EXPECT_TRUE(p->fIsActive());

    // A press of a grandchild: each level activates itself and deactivates
    // the other children (with their subtrees), before and after.
    a2->mDownCode = KS_GUI_EVENT::kPRESSED;
    EXPECT_EQ(root.fMouseDown().mEvent.mId, 12);
    EXPECT_TRUE(a->fIsActive());
    EXPECT_TRUE(root.fGetRootWidget().fIsActive());
    EXPECT_FALSE(a1->fIsActive());
    EXPECT_FALSE(b->fIsActive());
    EXPECT_FALSE(b1->fIsActive());

    // The poll deactivates only the children before the winner.
    for (Probe* p : {a, a1, a2, b, b1}) p->fSetActive(true);
    b->mPollCode = KS_GUI_EVENT::kCLICK;
    Probe* c = fAdd(root.fGetRootWidget(), 3);
    c->fSetActive(true);
    EXPECT_EQ(root.fPollEvent().mEvent.mId, 2);
    EXPECT_FALSE(a->fIsActive());
    EXPECT_FALSE(a2->fIsActive());
    EXPECT_TRUE(c->fIsActive());
    EXPECT_TRUE(b->fIsActive()) << "the winner keeps its own activity";
}

TEST(KC_GUI_OBJECT, AStickyPollEndsThePollWalk) {
    KC_GUI_ROOT root;
    Probe* sticky = fAdd(root.fGetRootWidget(), 1);
    Probe* after = fAdd(root.fGetRootWidget(), 2);
    sticky->mPollCode = KS_GUI_EVENT::kCLICK;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(root.fPollEvent().mEvent.mId, 1);
    EXPECT_EQ(after->mPolls, 0) << "widgets after a sticky report are never polled";
}

TEST(KC_GUI_OBJECT, FindRemoveAndInsertFollowTheTreeOrder) {
    int deaths = 0;
    KC_GUI_ROOT root;
    Probe* a = fAdd(root.fGetRootWidget(), 5, &deaths);
    fAdd(*a, 0, &deaths);
    fAdd(*a, 7, &deaths);
    Probe* b = fAdd(root.fGetRootWidget(), 7, &deaths);

    EXPECT_EQ(root.fFindChild(0), a->fGetChild(0)) << "id 0 finds a descendant, never the root widget";
    EXPECT_EQ(root.fFindChild(7), a->fGetChild(1)) << "pre-order: inside the first child before its sibling";
    EXPECT_EQ(root.fFindChild(99), nullptr);

    EXPECT_TRUE(root.fRemoveChildById(7));
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(root.fFindChild(7), b) << "only the first match goes";
    EXPECT_TRUE(root.fRemoveChild(a));
    EXPECT_EQ(deaths, 3) << "the subtree goes with it";
    EXPECT_FALSE(root.fRemoveChild(a));

    Probe* front = static_cast<Probe*>(root.fGetRootWidget().fInsertChild(std::make_unique<Probe>(1), 0));
    Probe* back = static_cast<Probe*>(root.fGetRootWidget().fInsertChild(std::make_unique<Probe>(2), 50));
    EXPECT_EQ(root.fGetRootWidget().fGetChild(0), front);
    EXPECT_EQ(root.fGetRootWidget().fGetChild(2), back) << "an index past the end appends";
    EXPECT_EQ(back->fGetTransform().mParent, &root.fGetRootWidget().fGetTransform());
    EXPECT_EQ(back->fGetParent(), &root.fGetRootWidget());

    root.fClear();
    EXPECT_EQ(deaths, 4);
    EXPECT_EQ(root.fGetRootWidget().fGetChildCount(), 0);
}

TEST(KC_GUI_OBJECT, TheRootKeepsACopyOfTheEventThatOutlivesTheWidget) {
    KC_GUI_ROOT root;
    Probe* button = fAdd(root.fGetRootWidget(), 9);
    button->mUpCode = KS_GUI_EVENT::kCLICK;
    root.fMouseUp();
    root.fRemoveChild(button);
    EXPECT_EQ(root.fGetEventId(), 9);
    EXPECT_EQ(root.fGetEventCode(), KS_GUI_EVENT::kCLICK);
    EXPECT_EQ(root.fGetChildEvent(9), 0) << "the widget itself is gone";
}

TEST(KC_GUI_OBJECT, MovingTheRootMovesTheTree) {
    KC_GUI_ROOT root;
    Probe* child = fAdd(root.fGetRootWidget(), 1);
    child->fSetPosition(10.0f, 20.0f, 0.0f);
    root.fSetPosition(512.0f, 384.0f, 0.0f);
    root.fMove(-2.0f, 6.0f);
    EXPECT_EQ(root.fGetPosition().x, 510.0f);
    const KS_TRANSFORM3 absolute = child->fGetTransform().fGetAbsolute();
    EXPECT_EQ(absolute.mPosition.x, 520.0f);
    EXPECT_EQ(absolute.mPosition.y, 410.0f);
}
