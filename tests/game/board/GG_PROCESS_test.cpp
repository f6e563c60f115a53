#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

#include <pugixml.hpp>

#include "BoardFixture.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_RESOURCE.h"
#include "game/board/GG_PROCESS.h"
#include "support/TestEnvironment.h"

using game::GG_ELEMENT;
using game::GG_PROCESS;

namespace {

const char* const kTEN = R"(elSize="30 30" grid="10 10" block="5 5" shiftBlock="-4 -4" position="512 400")";

// A level read from text the way the gameplay reads it: settings, geometry,
// then the board with numbers.xml.
struct Level {
    bool fLoad(const std::string& settings, const std::vector<std::string>& rows) {
        const std::string xml = boardtest::fLevel(settings, rows);
        if (!doc.load_string(xml.c_str()) || !numbers.load_string(boardtest::kNUMBERS)) return false;
        const pugi::xml_node root = doc.document_element();
        if (!layout.fLoad(root.child("settings"))) return false;
        return board.fLoad(root.child("gElements"), &layout, numbers.document_element());
    }
    pugi::xml_document doc;
    pugi::xml_document numbers;
    game::GG_BOARD_LAYOUT layout;
    GG_PROCESS board;
};

std::vector<std::string> fSquare(int size, char fill) {
    return std::vector<std::string>(size, std::string(size, fill));
}

}  // namespace

TEST(GG_PROCESS, PlacesCellCentresWithTheShiftBeforeEveryBlock) {
    Level level;
    ASSERT_TRUE(level.fLoad(std::string(kTEN) + R"( bonuses="0")", fSquare(10, '#')));
    GG_PROCESS& b = level.board;
    ASSERT_EQ(b.fGetCells().size(), 100u);
    EXPECT_FLOAT_EQ(b.fGetCell(0, 0)->fGetPosition().x, 375.0f);
    EXPECT_FLOAT_EQ(b.fGetCell(0, 4)->fGetPosition().x, 495.0f);
    EXPECT_FLOAT_EQ(b.fGetCell(0, 5)->fGetPosition().x, 529.0f);
    EXPECT_FLOAT_EQ(b.fGetCell(0, 9)->fGetPosition().x, 649.0f);
    EXPECT_FLOAT_EQ(b.fGetCell(0, 0)->fGetPosition().y, 263.0f);
    EXPECT_FLOAT_EQ(b.fGetCell(5, 0)->fGetPosition().y, 417.0f);
    EXPECT_FLOAT_EQ(b.fGetCell(9, 9)->fGetPosition().y, 537.0f);
    EXPECT_EQ(b.fGetCell(3, 7)->fGetRow(), 3);
    EXPECT_EQ(b.fGetCell(3, 7)->fGetColumn(), 7);
    EXPECT_EQ(b.fGetCell(10, 0), nullptr);
    EXPECT_EQ(b.fGetCell(0, -1), nullptr);

    Level tall;
    ASSERT_TRUE(
        tall.fLoad(R"(elSize="28 28" grid="15 20" block="5 5" shiftBlock="-3 -3" position="600 450" bonuses="0")",
                   std::vector<std::string>(20, std::string(15, '#'))));
    EXPECT_FLOAT_EQ(tall.board.fGetCell(0, 0)->fGetPosition().x, 401.0f);
    EXPECT_FLOAT_EQ(tall.board.fGetCell(0, 5)->fGetPosition().x, 544.0f);
    EXPECT_FLOAT_EQ(tall.board.fGetCell(0, 14)->fGetPosition().x, 799.0f);
    EXPECT_FLOAT_EQ(tall.board.fGetCell(10, 0)->fGetPosition().y, 465.5f);
    EXPECT_FLOAT_EQ(tall.board.fGetCell(19, 0)->fGetPosition().y, 720.5f);
    EXPECT_EQ(tall.board.fGetCell(19, 14)->fGetRectPosition().y, 706);
}

TEST(GG_PROCESS, HitRectanglesIncludeTheirEdgesAndGapsHitNothing) {
    Level level;
    ASSERT_TRUE(level.fLoad(std::string(kTEN) + R"( bonuses="0")", fSquare(10, '#')));
    GG_PROCESS& b = level.board;
    const GG_ELEMENT* first = b.fGetCell(0, 0);
    EXPECT_EQ(first->fGetRectPosition().x, 360);
    EXPECT_EQ(first->fGetRectPosition().y, 248);
    EXPECT_TRUE(first->fHitTestAt(KEL::KC_INPUT::kMOUSE_LEFT, {360, 248}));
    EXPECT_TRUE(first->fHitTestAt(KEL::KC_INPUT::kMOUSE_RIGHT, {390, 278}));
    EXPECT_FALSE(first->fHitTestAt(KEL::KC_INPUT::kMOUSE_LEFT, {391, 263}));
    EXPECT_FALSE(first->fHitTestAt(KEL::KC_INPUT::kMOUSE_LEFT, {359, 263}));
    EXPECT_FALSE(first->fHitTestAt(4, {375, 263})) << "only buttons 1 and 2 press cells";

    // Columns 4 and 5 lie either side of the 4-pixel block gap.
    const KEL::KS_POINT gap{512, 263};
    EXPECT_FALSE(b.fGetCell(0, 4)->fHitTestAt(KEL::KC_INPUT::kMOUSE_LEFT, gap));
    EXPECT_FALSE(b.fGetCell(0, 5)->fHitTestAt(KEL::KC_INPUT::kMOUSE_LEFT, gap));
    EXPECT_TRUE(b.fGetCell(0, 5)->fHitTestAt(KEL::KC_INPUT::kMOUSE_LEFT, {514, 263}));

    b.fSetCellsBlocked(1);
    EXPECT_FALSE(first->fHitTestAt(KEL::KC_INPUT::kMOUSE_LEFT, {375, 263})) << "a blocked cell ignores presses";
    b.fSetCellsBlocked(0);
    EXPECT_TRUE(first->fHitTestAt(KEL::KC_INPUT::kMOUSE_LEFT, {375, 263}));
}

TEST(GG_PROCESS, RejectsLevelsThatCannotBePlayed) {
    const std::string settings = std::string(kTEN) + R"( bonuses="0")";
    Level fewer;
    auto rows = fSquare(10, '#');
    rows.back().pop_back();
    EXPECT_FALSE(fewer.fLoad(settings, rows));
    EXPECT_TRUE(fewer.board.fGetCells().empty());
    EXPECT_EQ(fewer.board.fGetCell(0, 0), nullptr);

    Level more;
    rows = fSquare(10, '#');
    rows.push_back("#");
    EXPECT_FALSE(more.fLoad(settings, rows));

    Level blank;
    EXPECT_FALSE(blank.fLoad(settings, fSquare(10, '.'))) << "a picture needs a full cell";
    EXPECT_TRUE(blank.board.fGetCells().empty());
    EXPECT_EQ(blank.board.fGetProgress(), 0.0);

    Level noCells;
    ASSERT_TRUE(noCells.doc.load_string("<level><settings/></level>"));
    noCells.layout.mGrid = {1, 1};
    ASSERT_TRUE(noCells.numbers.load_string(boardtest::kNUMBERS));
    EXPECT_FALSE(noCells.board.fLoad(pugi::xml_node(), &noCells.layout, noCells.numbers.document_element()));

    Level noNumbers;
    pugi::xml_document partial;
    ASSERT_TRUE(partial.load_string(
        R"(<numbers><numbersLeft font="a" font_color="FF000000" font_cross="FF000000" interval="3" shift_first="1 1"/></numbers>)"));
    ASSERT_TRUE(noNumbers.doc.load_string(boardtest::fLevel(settings, fSquare(10, '#')).c_str()));
    ASSERT_TRUE(noNumbers.layout.fLoad(noNumbers.doc.document_element().child("settings")));
    EXPECT_FALSE(noNumbers.board.fLoad(noNumbers.doc.document_element().child("gElements"), &noNumbers.layout,
                                       partial.document_element()));
}

TEST(GG_PROCESS, CellsFromTypesAndNonElementNodesAreSkipped) {
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(
        "<gElements><a type=\"100\"/><!-- note --><![CDATA[text]]><b type=\"103\"/><c/><d type=\"101\"/></gElements>",
        pugi::parse_default | pugi::parse_comments));
    game::GG_BOARD_LAYOUT layout;
    layout.mGrid = {2, 2};
    layout.mElSize = {10, 10};
    GG_PROCESS b;
    pugi::xml_document numbers;
    ASSERT_TRUE(numbers.load_string(boardtest::kNUMBERS));
    ASSERT_TRUE(b.fLoad(doc.child("gElements"), &layout, numbers.document_element()));
    EXPECT_EQ(b.fGetFullCells().size(), 1u);
    EXPECT_TRUE(b.fGetCell(0, 1)->fIsRevealed()) << "a fixed cell is open from the start";
    EXPECT_EQ(b.fGetCell(0, 1)->fGetShownState(), 103);
    EXPECT_EQ(b.fGetCell(1, 0)->fGetType(), 0) << "a cell without a type";
    EXPECT_EQ(b.fGetCell(1, 0)->fRevealWithFill(0.0f), GG_ELEMENT::kREVEAL_WRONG) << "is wrong for either tool";
    EXPECT_EQ(b.fGetCell(1, 1)->fRevealWithCross(0.0f), GG_ELEMENT::kREVEAL_RIGHT);
    EXPECT_EQ(b.fGetCell(0, 1)->fRevealWithCross(0.0f), GG_ELEMENT::kREVEAL_NONE);
}

TEST(GG_PROCESS, BonusesNeverExceedTheFullCells) {
    KEL::KC_RANDOM random(0);
    Level many;
    ASSERT_TRUE(many.fLoad(R"(elSize="30 30" grid="3 2" block="5 5" shiftBlock="-4 -4" position="0 0" bonuses="9")",
                           {"#.#", ".#."}));
    int bonuses = 0;
    for (const auto& cell : many.board.fGetCells()) {
        bonuses += cell->fIsBonus();
        if (cell->fIsBonus()) {
            EXPECT_TRUE(cell->fIsFull());
        }
    }
    EXPECT_EQ(bonuses, 3);

    Level two;
    ASSERT_TRUE(two.fLoad(std::string(kTEN) + R"( bonuses="2")", fSquare(10, '#')));
    bonuses = 0;
    for (const auto& cell : two.board.fGetCells()) bonuses += cell->fIsBonus();
    EXPECT_EQ(bonuses, 2);

    // Seeded alike, two loads place the same bonus cells.
    random.fSetSeed(5);
    Level again;
    ASSERT_TRUE(again.fLoad(std::string(kTEN) + R"( bonuses="2")", fSquare(10, '#')));
    random.fSetSeed(5);
    Level twin;
    ASSERT_TRUE(twin.fLoad(std::string(kTEN) + R"( bonuses="2")", fSquare(10, '#')));
    for (size_t i = 0; i < 100; ++i)
        EXPECT_EQ(again.board.fGetCells()[i]->fIsBonus(), twin.board.fGetCells()[i]->fIsBonus());
}

TEST(GG_PROCESS, RevealsBookProgressAndCrossings) {
    Level level;
    ASSERT_TRUE(level.fLoad(R"(elSize="30 30" grid="4 2" block="5 5" shiftBlock="-4 -4" position="0 0" bonuses="0")",
                            {"##.#", "...#"}));
    GG_PROCESS& b = level.board;
    ASSERT_EQ(b.fGetFullCells().size(), 4u);
    EXPECT_EQ(b.fGetProgress(), 0.0);

    EXPECT_EQ(b.fRevealCell(*b.fGetCell(0, 3), false, 0.0f), GG_ELEMENT::kREVEAL_WRONG)
        << "a full cell crossed is wrong";
    EXPECT_DOUBLE_EQ(b.fGetProgress(), 0.25) << "but counts as open";
    EXPECT_TRUE(b.fGetClues().fGetRows()[0][1]->mCrossed);
    EXPECT_EQ(b.fGetCell(0, 3)->fGetShownState(), 100) << "it shows its true content";

    EXPECT_EQ(b.fRevealCell(*b.fGetCell(0, 3), true, 0.0f), GG_ELEMENT::kREVEAL_NONE) << "open cells stay as they are";
    EXPECT_EQ(b.fGetRevealedFull().size(), 1u);

    EXPECT_EQ(b.fRevealCell(*b.fGetCell(1, 0), false, 0.0f), GG_ELEMENT::kREVEAL_RIGHT);
    EXPECT_EQ(b.fRevealCell(*b.fGetCell(1, 1), true, 0.0f), GG_ELEMENT::kREVEAL_WRONG);
    EXPECT_DOUBLE_EQ(b.fGetProgress(), 0.25) << "empty cells do not count";

    for (auto [r, c] : {std::pair{0, 0}, {0, 1}, {1, 3}})
        EXPECT_EQ(b.fRevealCell(*b.fGetCell(r, c), true, 0.0f), GG_ELEMENT::kREVEAL_RIGHT);
    EXPECT_DOUBLE_EQ(b.fGetProgress(), 1.0);
    ASSERT_EQ(b.fGetRevealedFull().size(), 4u);
    EXPECT_EQ(b.fGetRevealedFull()[0], b.fGetCell(0, 3)) << "in the order they were opened";
    for (const auto& line : b.fGetClues().fGetRows())
        for (const auto* clue : line) EXPECT_TRUE(clue->mCrossed);
}

TEST(GG_PROCESS, DelayedRevealShowsItselfWhenTheDelayRunsOut) {
    Level level;
    ASSERT_TRUE(level.fLoad(R"(elSize="30 30" grid="4 1" block="5 5" shiftBlock="-4 -4" position="0 0" bonuses="0")",
                            {"####"}));
    GG_PROCESS& b = level.board;
    b.mRevealStep = 0.05f;
    float delay = 0.0f;
    for (GG_ELEMENT* cell : b.fCellsOnPath(0, 0, 0, 3)) {
        b.fRevealCell(*cell, true, delay);
        delay += b.mRevealStep;
    }
    GG_ELEMENT* fourth = b.fGetCell(0, 3);
    EXPECT_TRUE(fourth->fIsRevealed()) << "open for the logic at once";
    EXPECT_DOUBLE_EQ(b.fGetProgress(), 1.0);
    EXPECT_FALSE(b.fGetCell(0, 0)->fIsWaiting());

    KEL::kfFRAME_DELTA = 0.1f;
    b.fUpdate();
    EXPECT_FALSE(b.fGetCell(0, 2)->fIsWaiting());
    EXPECT_TRUE(fourth->fIsWaiting()) << "the fourth cell shows 0.15 s after the press";
    KEL::kfFRAME_DELTA = 0.06f;
    b.fUpdate();
    EXPECT_FALSE(fourth->fIsWaiting());
    KEL::kfFRAME_DELTA = 0.0f;
}

TEST(GG_PROCESS, HintPickAndBonusCellSkipOpenAndBlockedCells) {
    Level level;
    ASSERT_TRUE(level.fLoad(R"(elSize="30 30" grid="3 3" block="5 5" shiftBlock="-4 -4" position="0 0" bonuses="0")",
                            {"#.#", "###", "..#"}));
    GG_PROCESS& b = level.board;
    b.fRevealCell(*b.fGetCell(0, 0), true, 0.0f);
    b.fRevealCell(*b.fGetCell(1, 1), false, 0.0f);
    b.fGetCell(2, 2)->mBlocked = 1;
    const std::set<GG_ELEMENT*> allowed{b.fGetCell(0, 2), b.fGetCell(1, 0), b.fGetCell(1, 2)};
    KEL::KC_RANDOM random(0);
    std::set<GG_ELEMENT*> picked;
    for (int i = 0; i < 60; ++i) {
        GG_ELEMENT* pick = b.fPickHintCell();
        ASSERT_NE(pick, nullptr);
        EXPECT_TRUE(allowed.count(pick));
        picked.insert(pick);
    }
    EXPECT_EQ(picked, allowed) << "the pick is spread over every candidate";

    const auto first = b.fMakeBonusCell();
    EXPECT_EQ(first, (std::pair<int32_t, int32_t>{0, 2}));
    EXPECT_TRUE(b.fGetCell(0, 2)->fIsBonus());

    for (GG_ELEMENT* cell : allowed) b.fRevealCell(*cell, true, 0.0f);
    EXPECT_EQ(b.fPickHintCell(), nullptr) << "only a blocked full cell is left";
    EXPECT_EQ(b.fMakeBonusCell(), (std::pair<int32_t, int32_t>{2, 2})) << "blocking does not matter here";
    b.fRevealCell(*b.fGetCell(2, 2), true, 0.0f);
    EXPECT_EQ(b.fMakeBonusCell(), (std::pair<int32_t, int32_t>{-1, -1}));
}

TEST(GG_PROCESS, PathRunsAlongTheDominantAxisWithBothEnds) {
    Level level;
    ASSERT_TRUE(level.fLoad(R"(elSize="30 30" grid="6 6" block="5 5" shiftBlock="-4 -4" position="0 0" bonuses="0")",
                            fSquare(6, '#')));
    auto places = [&](int pr, int pc, int er, int ec) {
        std::vector<std::pair<int, int>> out;
        for (GG_ELEMENT* cell : level.board.fCellsOnPath(pr, pc, er, ec))
            out.push_back({cell->fGetRow(), cell->fGetColumn()});
        return out;
    };
    using P = std::vector<std::pair<int, int>>;
    EXPECT_EQ(places(2, 3, 5, 4), (P{{2, 3}, {3, 3}, {4, 3}, {5, 3}})) << "down the press column";
    EXPECT_EQ(places(2, 3, 4, 5), (P{{2, 3}, {2, 4}, {2, 5}})) << "a tie runs along the row";
    EXPECT_EQ(places(2, 3, 2, 1), (P{{2, 3}, {2, 2}, {2, 1}})) << "in press order";
    EXPECT_EQ(places(1, 1, 1, 1), (P{{1, 1}}));
    EXPECT_EQ(places(0, 4, 0, 8), (P{{0, 4}, {0, 5}})) << "cells outside are left out";
}

TEST(GG_PROCESS, EffectsGiveTheRevealStepTemplatesSweepSpeedAndShine) {
    pugi::xml_document effects;
    ASSERT_TRUE(effects.load_string(R"(<effects>
        <effect_open_cell anim_delay="0.04"><yes><FILE>f.png</FILE></yes><locked><FILE>l.png</FILE></locked></effect_open_cell>
        <end_level_effect speed="600"><sprite_anim><FILE>s.png</FILE><ANIMATION loop="false" frames="2"/></sprite_anim></end_level_effect>
        </effects>)"));
    Level level;
    level.board.fReadEffects(effects.document_element(), level.layout);
    EXPECT_FLOAT_EQ(level.board.mRevealStep, 0.04f);
    EXPECT_FLOAT_EQ(level.board.mSweepSpeed, 600.0f);
    EXPECT_EQ(level.layout.mFill.fGetTextureName(), "f.png");
    EXPECT_EQ(level.layout.mCross.fGetTextureName(), "") << "an absent template stays empty";
    EXPECT_EQ(level.layout.mLocked.fGetTextureName(), "l.png");

    ASSERT_TRUE(level.fLoad(std::string(kTEN) + R"( bonuses="0")", fSquare(10, '#')));
    level.board.fLoadResources(nullptr);
    EXPECT_EQ(level.board.fGetCell(4, 4)->fGetFill()->fGetTextureName(), "f.png");
    GG_ELEMENT* corner = level.board.fGetCell(0, 0);
    EXPECT_FALSE(corner->fIsShinePlaying());
    level.board.fStartSweep(level.board.mSweepSpeed, nullptr);
    KEL::kfFRAME_DELTA = 0.01f;
    level.board.fUpdate();
    EXPECT_TRUE(corner->fIsShinePlaying()) << "every full cell got the shine at load";
    KEL::kfFRAME_DELTA = 0.0f;

    pugi::xml_document none;
    ASSERT_TRUE(none.load_string("<effects/>"));
    level.board.fReadEffects(none.document_element(), level.layout);
    EXPECT_FLOAT_EQ(level.board.mRevealStep, 0.04f) << "absent parts keep what was there";
}

TEST(GG_PROCESS, SweepShinesFullCellsFromTheTopLeftAndCallsBackOnce) {
    Level level;
    ASSERT_TRUE(level.fLoad(std::string(kTEN) + R"( bonuses="0")", fSquare(10, '#')));
    GG_PROCESS& b = level.board;
    int finished = 0;
    KEL::KC_CALLBACK finish(
        [](void* counter) -> int32_t {
            ++*static_cast<int*>(counter);
            return 0;
        },
        "sweep", &finished);
    const float duration = b.fStartSweep(100.0f, &finish);
    EXPECT_NEAR(duration, std::sqrt(2.0f) * 312.0f / 100.0f, 1e-3);
    EXPECT_TRUE(b.mSweepRunning);

    KEL::kfFRAME_DELTA = 0.1f;
    b.fUpdate();
    EXPECT_TRUE(b.fGetCell(0, 0)->mShineStarted);
    EXPECT_FALSE(b.fGetCell(0, 9)->mShineStarted);
    EXPECT_FALSE(b.fGetCell(9, 9)->mShineStarted);
    for (int frame = 0; frame < 25; ++frame) b.fUpdate();
    EXPECT_TRUE(b.fGetCell(0, 9)->mShineStarted) << "the line reaches the other corners half-way";
    EXPECT_TRUE(b.fGetCell(9, 0)->mShineStarted);
    EXPECT_FALSE(b.fGetCell(9, 9)->mShineStarted);
    EXPECT_EQ(finished, 0);
    for (int frame = 0; frame < 30; ++frame) b.fUpdate();
    for (const auto& cell : b.fGetCells()) EXPECT_TRUE(cell->mShineStarted);
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(b.mSweepRunning) << "stays set until the next load";
    KEL::kfFRAME_DELTA = 0.0f;

    // A restart of the sweep starts every shine again.
    b.fStartSweep(100.0f, nullptr);
    EXPECT_FALSE(b.fGetCell(9, 9)->mShineStarted);
    b.fClear();
    b.fUpdate();
}

namespace {

class BoardRepositoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        KEL::KC_FILESYSTEM::fGetInstance();
        testsupport::TestEnvironment::fEmptyFolder("Resources");
        KEL::kcREPOSITORY = &mRepository;
    }
    void TearDown() override { KEL::kcREPOSITORY = nullptr; }

    bool fLoadLevel(game::GG_PROCESS& board) {
        const std::string xml = boardtest::fLevel(
            R"(elSize="30 30" grid="2 2" block="5 5" shiftBlock="-4 -4" position="100 100" bonuses="0")", {"#.", "##"});
        if (!mLevel.load_string(xml.c_str())) return false;
        if (!mLayout.fLoad(mLevel.document_element().child("settings"))) return false;
        return board.fLoad(mLevel.document_element().child("gElements"), &mLayout);
    }

    KEL::KC_REPOSITORY mRepository;
    pugi::xml_document mLevel;
    game::GG_BOARD_LAYOUT mLayout;
};

}  // namespace

TEST_F(BoardRepositoryTest, NumbersComeFromTheGameProcessFolderAndAreGivenBack) {
    testsupport::TestEnvironment::fWriteFile("Resources/data/share/main/GameProcess/numbers.xml", boardtest::kNUMBERS);
    ASSERT_EQ(mRepository.fLoad("data/share/main/GameProcess"), 1);
    game::GG_PROCESS board;
    ASSERT_TRUE(fLoadLevel(board));
    EXPECT_EQ(board.fGetLeftView().fGetInterval(), 18);
    EXPECT_EQ(board.fGetUpView().fGetInterval(), 16);
    EXPECT_EQ(board.fGetClues().fGetRows()[1][0]->mLength, 2);
    KEL::KC_RESOURCE* record = mRepository.fFindByName(game::GG_PROCESS::kNUMBERS_FILE);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->mUses, 0) << "the document is released after reading";
}

TEST_F(BoardRepositoryTest, MissingNumbersFailTheLoad) {
    testsupport::TestEnvironment::fWriteFile("Resources/data/share/main/GameProcess/other.xml", "<x/>");
    ASSERT_EQ(mRepository.fLoad("data/share/main/GameProcess"), 1);
    game::GG_PROCESS board;
    EXPECT_FALSE(fLoadLevel(board));
    EXPECT_TRUE(board.fGetCells().empty());
    KEL::kcREPOSITORY = nullptr;
    EXPECT_FALSE(fLoadLevel(board)) << "no repository";
}

TEST(GG_PROCESS, EveryDefaultLevelLoadsAndSolvesWithTheDefaultNumbers) {
    const std::filesystem::path resources = std::filesystem::path(NONOGRAM_BINARY_DIR) / "Resources";
    const std::filesystem::path levels = resources / "data/share/levels";
    if (!std::filesystem::exists(levels)) GTEST_SKIP() << "the default content is not built";
    pugi::xml_document numbers;
    ASSERT_TRUE(numbers.load_file((resources / "data/share/main/GameProcess/numbers.xml").c_str()));
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(levels)) {
        if (entry.path().extension() != ".xml") continue;
        SCOPED_TRACE(entry.path().string());
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_file(entry.path().c_str()));
        game::GG_BOARD_LAYOUT layout;
        ASSERT_TRUE(layout.fLoad(doc.document_element().child("settings")));
        GG_PROCESS board;
        ASSERT_TRUE(board.fLoad(doc.document_element().child("gElements"), &layout, numbers.document_element()));
        EXPECT_GE(layout.mOrigin.x, 0.0f);
        EXPECT_GE(layout.mOrigin.y, 0.0f);
        EXPECT_LE(layout.mOrigin.x + layout.mWidth, 1024.0f);
        EXPECT_LE(layout.mOrigin.y + layout.mHeight, 768.0f);
        for (GG_ELEMENT* cell : board.fGetFullCells()) board.fRevealCell(*cell, true, 0.0f);
        EXPECT_DOUBLE_EQ(board.fGetProgress(), 1.0);
        for (const auto* lines : {&board.fGetClues().fGetRows(), &board.fGetClues().fGetColumns()})
            for (const auto& line : *lines)
                for (const auto* clue : line)
                    if (clue->mLength > 0) {
                        EXPECT_TRUE(clue->mCrossed);
                    }
        ++count;
    }
    EXPECT_GT(count, 0);
}

TEST(GG_PROCESS, RevealAllOpensOnlyClosedFullCellsAndSettlesEveryClue) {
    Level level;
    ASSERT_TRUE(level.fLoad(R"(elSize="30 30" grid="4 2" block="5 5" shiftBlock="-4 -4" position="0 0" bonuses="0")",
                            {"##.#", "...#"}));
    GG_PROCESS& b = level.board;
    ASSERT_EQ(b.fRevealCell(*b.fGetCell(1, 3), true, 0.0f), 1);
    b.fRevealAllFull();
    EXPECT_DOUBLE_EQ(b.fGetProgress(), 1.0);
    ASSERT_EQ(b.fGetRevealedFull().size(), 4u) << "the cell already open is booked once";
    EXPECT_EQ(b.fGetRevealedFull()[0], b.fGetCell(1, 3));
    EXPECT_FALSE(b.fGetCell(0, 2)->fIsRevealed()) << "empty cells stay closed";
    for (const auto& line : b.fGetClues().fGetRows())
        for (const auto* clue : line) EXPECT_TRUE(clue->mCrossed);
}

TEST(GG_PROCESS, CellHitTestReadsTheInputsMousePosition) {
    Level level;
    ASSERT_TRUE(level.fLoad(std::string(kTEN) + R"( bonuses="0")", fSquare(10, '#')));
    const GG_ELEMENT* first = level.board.fGetCell(0, 0);
    ASSERT_EQ(KEL::kcINPUT, nullptr);
    EXPECT_FALSE(first->fHitTest(KEL::KC_INPUT::kMOUSE_LEFT)) << "no input, no press";
    {
        KEL::KC_INPUT input;
        input.fOnMouseMove(375, 263);
        EXPECT_TRUE(first->fHitTest(KEL::KC_INPUT::kMOUSE_LEFT));
        input.fOnMouseMove(600, 600);
        EXPECT_FALSE(first->fHitTest(KEL::KC_INPUT::kMOUSE_LEFT));
    }
    EXPECT_EQ(KEL::kcINPUT, nullptr);
}
