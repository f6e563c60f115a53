#pragma once

#include <gtest/gtest.h>

#include <functional>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "game/board/GG_BOARD_LAYOUT.h"
#include "game/board/GG_PROCESS.h"
#include "game/product/GG_ERROR.h"
#include "support/ContentScreenTest.h"

namespace boardtest {

// A level of the built content on the headless screen: fOpenBoard mounts
// the folders a board draws from and reads the fonts; fLoadLevel loads a
// level's layout and board as the gameplay object does.
class BoardScreenTest : public testsupport::ContentScreenTest {
protected:
    void TearDown() override {
        mFonts.fDeleteAll();
        ContentScreenTest::TearDown();
    }

    ::testing::AssertionResult fOpenBoard() {
        ::testing::AssertionResult step = fOpen("board");
        if (step) step = fContent().fMountLocked({"data/share/main/other"});
        if (step)
            step = fContent().fMount({"data/share/font", "data/share/main/GameProcess", "data/share/levels/pack0"});
        if (!step) return step;
        if (mFonts.fRead("data/share/font fonts.xml") != 1) return ::testing::AssertionFailure() << "no fonts";
        return ::testing::AssertionSuccess();
    }

    // The board's effects (also handed to readEffects, which may refuse
    // them) and the level "<group> <file>".
    ::testing::AssertionResult fLoadLevel(const char* name, game::GG_BOARD_LAYOUT& layout, game::GG_PROCESS& board,
                                          const std::function<bool(const pugi::xml_node&)>& readEffects = nullptr) {
        KEL::KC_REPOSITORY& repository = fRepository();
        pugi::xml_document* effects = repository.fGetXml("data/share/main/GameProcess effects.xml");
        if (!effects) return ::testing::AssertionFailure() << "no effects";
        board.fReadEffects(effects->document_element(), layout);
        const bool read = !readEffects || readEffects(effects->document_element());
        repository.fReleaseXml(effects);
        if (!read) return ::testing::AssertionFailure() << "effects refused: " << game::GG_ERROR::fText();
        pugi::xml_document* level = repository.fGetXml(name);
        if (!level) return ::testing::AssertionFailure() << name << " not read";
        const bool loaded = layout.fLoad(level->document_element().child("settings")) &&
                            board.fLoad(level->document_element().child("gElements"), &layout);
        repository.fReleaseXml(level);
        if (!loaded) return ::testing::AssertionFailure() << name << " not loaded";
        return ::testing::AssertionSuccess();
    }

    KEL::KC_RANDOM mRandom{0};
    KEL::KC_FONT_LIST mFonts;
};

}  // namespace boardtest
