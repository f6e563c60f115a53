#include "game/board/GG_TUTORIAL_STEP.h"

#include <cstring>
#include <iterator>
#include <string>

#include "engine/gui/KF_GUI_READER.h"

namespace game {

namespace {

const char* const kTYPES[] = {"CELL",        "CELL_EMPTY",         "TOOL", "HINT", "MAKERROR", "ENDLESS", "CLICK_BONUS",
                              "CLICK_STORE", "USE_RESET_SELECTION"};

uint8_t fBlockFlag(const pugi::xml_node& step, const char* name) { return step.attribute(name).as_bool(true) ? 1 : 0; }

// "row column" as a cell; false unless the text holds two numbers.
bool fReadCell(const char* text, KEL::KS_POINT& cell) {
    const std::vector<std::string> numbers = KEL::fGuiNumbers(text);
    if (numbers.size() < 2) return false;
    cell = {KEL::fGuiInt(numbers[1].c_str()), KEL::fGuiInt(numbers[0].c_str())};
    return true;
}

}  // namespace

GG_TUTORIAL_STEP::GG_TUTORIAL_STEP() { mArrow.fSetPosition(kARROW_PARK, kARROW_PARK, 0.0f); }

GG_TUTORIAL_STEP::~GG_TUTORIAL_STEP() = default;

int32_t GG_TUTORIAL_STEP::fTypeFromString(const char* keyword) {
    for (int32_t code = 0; code < static_cast<int32_t>(std::size(kTYPES)); ++code)
        if (keyword && std::strcmp(keyword, kTYPES[code]) == 0) return code;
    return kCELL;
}

void GG_TUTORIAL_STEP::fRead(const pugi::xml_node& step, int32_t levelId) {
    mLevelId = levelId;
    mReadType = fTypeFromString(step.attribute("type").value());
    mBlockElements = fBlockFlag(step, "blockelements");
    mBlockHint = fBlockFlag(step, "blockhint");
    mBlockTool = fBlockFlag(step, "blocktool");
    mBlockStore = fBlockFlag(step, "blockstore");
    mBlockReset = fBlockFlag(step, "blockreset");
    mReadCells.clear();
    for (const pugi::xml_node& cell : step.child("cells").children()) {
        KEL::KS_POINT place;
        if (cell.type() == pugi::node_element && fReadCell(cell.child_value(), place)) mReadCells.push_back(place);
    }
    if (const pugi::xml_node sprite = step.child("sprite_cells")) {
        mCellSprite = KEL::G_ANIMATION(sprite);
        mHasCellSprite = 1;
    }
    if (const pugi::xml_node arrow = step.child("sprite_arrow")) {
        mArrow = KEL::G_ANIMATION(arrow);
        mHasArrow = 1;
    }
    if (const pugi::xml_node gui = step.child("GUI")) {
        KEL::fReadGuiLayout(mGui, gui);
        mHasGui = 1;
    }
    fReset();
}

void GG_TUTORIAL_STEP::fReset() {
    mType = mReadType;
    mCells = mReadCells;
    mMarkers.clear();
    mErrorsAtStart = 0;
}

void GG_TUTORIAL_STEP::fLoadResources() {
    if (mHasCellSprite) mCellSprite.fReloadTexture();
    if (mHasArrow) mArrow.fReloadTexture();
    mGui.fReloadResources();
}

void GG_TUTORIAL_STEP::fReleaseResources() {
    mCellSprite.fUnloadTexture();
    mArrow.fUnloadTexture();
    mGui.fReleaseResources();
}

void GG_TUTORIAL_STEP::fStartAnimations() {
    if (mHasCellSprite) mCellSprite.fPlay();
    if (mHasArrow) mArrow.fPlay();
}

void GG_TUTORIAL_STEP::fUpdateAnimations() {
    if (mHasCellSprite) mCellSprite.fUpdate();
    if (mHasArrow) mArrow.fUpdate();
}

void GG_TUTORIAL_STEP::fDraw() {
    if (mHasCellSprite && fShowsMarkers())
        for (const KEL::KS_VEC2& at : mMarkers) mCellSprite.fDrawAt(at.x, at.y, 0.0f, 1.0f, 1.0f);
    // Without an arrow of its own the step's arrow waits off the screen.
    if (mHasArrow) mArrow.fDraw();
    if (mHasGui) mGui.fDraw();
}

}  // namespace game
