#include "game/board/GG_PROCESS.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/audio/KC_SOUND_LIST.h"
#include "engine/bots/KC_BOT_MOVE_ON.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "game/product/GG_ERROR.h"
#include "game/product/GG_SOUND_GROUP.h"

namespace game {

namespace {

// An index in [0, count) from the engine's random generator; the first
// when the engine has none.
size_t fRandomIndex(size_t count) {
    if (!KEL::kcRANDOM || count < 2) return 0;
    return static_cast<size_t>(KEL::kcRANDOM->fRange(0, static_cast<int32_t>(count)));
}

}  // namespace

GG_PROCESS::GG_PROCESS() = default;

GG_PROCESS::~GG_PROCESS() { fClear(); }

bool GG_PROCESS::fLoad(const pugi::xml_node& gElements, GG_BOARD_LAYOUT* layout) {
    mSweepRunning = 0;
    mBots.fDeleteAll();
    mLayout = layout;
    if (!mLayout || !fLoadNumbers()) return false;
    return fBuild(gElements);
}

bool GG_PROCESS::fLoad(const pugi::xml_node& gElements, GG_BOARD_LAYOUT* layout, const pugi::xml_node& numbers) {
    mSweepRunning = 0;
    mBots.fDeleteAll();
    mLayout = layout;
    if (!mLayout || !fLoadNumbers(numbers)) return false;
    return fBuild(gElements);
}

bool GG_PROCESS::fLoadNumbers() {
    if (!KEL::kcREPOSITORY) return false;
    pugi::xml_document* doc = KEL::kcREPOSITORY->fGetXml(kNUMBERS_FILE);
    if (!doc) return false;
    const bool loaded = fLoadNumbers(doc->document_element());
    KEL::kcREPOSITORY->fReleaseXml(doc);
    return loaded;
}

bool GG_PROCESS::fBuild(const pugi::xml_node& gElements) {
    if (!fLoadCells(gElements)) return false;
    fPlaceBonuses();
    if (mHasShine) fSetShine(mShine);
    mClues.fInit(&mCells, mLayout->mGrid.x, mLayout->mGrid.y);
    mLeft.fSetLines(&mClues.fGetRows());
    mUp.fSetLines(&mClues.fGetColumns());
    return true;
}

bool GG_PROCESS::fLoadNumbers(const pugi::xml_node& numbers) {
    if (!mLayout || !numbers) return false;
    const GG_BOARD_LAYOUT& l = *mLayout;
    if (!mLeft.fLoad(numbers.child("numbersLeft"), l.mShiftBlock.y, static_cast<int32_t>(l.mElSize.y), l.mGrid.y,
                     l.mBlock.y))
        return false;
    if (!mUp.fLoad(numbers.child("numbersUp"), l.mShiftBlock.x, static_cast<int32_t>(l.mElSize.x), l.mGrid.x,
                   l.mBlock.x))
        return false;
    const float x = static_cast<float>(static_cast<int32_t>(l.mOrigin.x));
    const float y = static_cast<float>(static_cast<int32_t>(l.mOrigin.y));
    mLeft.fSetOrigin(x, y);
    mUp.fSetOrigin(x, y);
    return true;
}

bool GG_PROCESS::fLoadCells(const pugi::xml_node& gElements) {
    fClear();
    if (!gElements || !mLayout) return false;
    const GG_BOARD_LAYOUT& l = *mLayout;
    size_t count = 0;
    for (pugi::xml_node child = gElements.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) ++count;
    }
    if (l.mGrid.x <= 0 || l.mGrid.y <= 0 || count != static_cast<size_t>(l.mGrid.x) * static_cast<size_t>(l.mGrid.y)) {
        GG_ERROR::fFail("Level cell count does not match its grid");
        return false;
    }
    mCells.reserve(count);
    const float startX = l.mCellBase.x + l.mElSize.x * 0.5f;
    KEL::KS_VEC2 centre(startX, l.mCellBase.y + l.mElSize.y * 0.5f);
    int32_t c = 0;
    int32_t r = 0;
    for (pugi::xml_node child = gElements.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) continue;
        auto cell = std::make_unique<GG_ELEMENT>(child.attribute("type").as_int(), r, c);
        cell->fPlace(centre, l.mElSize);
        if (cell->fIsFull()) mFullCells.push_back(cell.get());
        mCells.push_back(std::move(cell));
        ++c;
        if (l.mBlock.x != 0 && c % l.mBlock.x == 0) centre.x -= static_cast<float>(l.mShiftBlock.x);
        centre.x += l.mElSize.x;
        if (c == l.mGrid.x) {
            ++r;
            centre.x = startX;
            if (l.mBlock.y != 0 && r % l.mBlock.y == 0) centre.y -= static_cast<float>(l.mShiftBlock.y);
            centre.y += l.mElSize.y;
            c = 0;
        }
    }
    if (mFullCells.empty()) {
        fClear();
        GG_ERROR::fFail("Level has no full cell");
        return false;
    }
    return true;
}

void GG_PROCESS::fPlaceBonuses() {
    if (!mLayout) return;
    std::vector<GG_ELEMENT*> candidates = mFullCells;
    for (uint32_t i = 0; i < mLayout->mBonuses && !candidates.empty(); ++i) {
        const size_t index = fRandomIndex(candidates.size());
        candidates[index]->fSetBonus();
        candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

GG_ELEMENT* GG_PROCESS::fGetCell(int32_t row, int32_t column) const {
    if (mCells.empty() || !mLayout) return nullptr;
    if (row < 0 || row >= mLayout->mGrid.y || column < 0 || column >= mLayout->mGrid.x) return nullptr;
    const size_t index = static_cast<size_t>(column) + static_cast<size_t>(row) * static_cast<size_t>(mLayout->mGrid.x);
    return index < mCells.size() ? mCells[index].get() : nullptr;
}

double GG_PROCESS::fGetProgress() const {
    if (mFullCells.empty()) return 0.0;
    return static_cast<double>(mRevealedFull.size()) / static_cast<double>(mFullCells.size());
}

GG_ELEMENT* GG_PROCESS::fPickHintCell() const {
    std::vector<GG_ELEMENT*> candidates;
    for (GG_ELEMENT* cell : mFullCells) {
        if (!cell->fIsRevealed() && !cell->mBlocked) candidates.push_back(cell);
    }
    if (candidates.empty()) return nullptr;
    return candidates[fRandomIndex(candidates.size())];
}

std::pair<int32_t, int32_t> GG_PROCESS::fMakeBonusCell() {
    for (GG_ELEMENT* cell : mFullCells) {
        if (cell->fIsRevealed()) continue;
        cell->fSetBonus();
        return {cell->fGetRow(), cell->fGetColumn()};
    }
    return {-1, -1};
}

void GG_PROCESS::fSetCellsBlocked(uint8_t flag) {
    for (auto& cell : mCells) cell->mBlocked = flag;
}

std::vector<GG_ELEMENT*> GG_PROCESS::fCellsOnPath(int32_t pressRow, int32_t pressColumn, int32_t endRow,
                                                  int32_t endColumn) const {
    std::vector<GG_ELEMENT*> path;
    const int32_t dr = endRow - pressRow;
    const int32_t dc = endColumn - pressColumn;
    const bool alongRow = std::abs(dr) <= std::abs(dc);
    const int32_t from = alongRow ? pressColumn : pressRow;
    const int32_t to = alongRow ? endColumn : endRow;
    const int32_t step = to >= from ? 1 : -1;
    for (int32_t i = from;; i += step) {
        GG_ELEMENT* cell = alongRow ? fGetCell(pressRow, i) : fGetCell(i, pressColumn);
        if (cell) path.push_back(cell);
        if (i == to) break;
    }
    return path;
}

GG_ELEMENT::KE_REVEAL GG_PROCESS::fRevealCell(GG_ELEMENT& cell, bool fill, float delay) {
    const GG_ELEMENT::KE_REVEAL result = fill ? cell.fRevealWithFill(delay) : cell.fRevealWithCross(delay);
    if (result == GG_ELEMENT::kREVEAL_NONE) return result;
    if (cell.fIsFull()) mRevealedFull.push_back(&cell);
    mClues.fUpdateCrossing(cell.fGetRow(), cell.fGetColumn());
    return result;
}

void GG_PROCESS::fOnClick(int32_t pressRow, int32_t pressColumn, int32_t endRow, int32_t endColumn, bool fill) {
    float delay = 0.0f;
    for (GG_ELEMENT* cell : fCellsOnPath(pressRow, pressColumn, endRow, endColumn)) {
        const GG_ELEMENT::KE_REVEAL result = fRevealCell(*cell, fill, delay);
        if (result == GG_ELEMENT::kREVEAL_NONE) continue;
        const bool right = result == GG_ELEMENT::kREVEAL_RIGHT;
        cell->mRevealSound = !right ? kSOUND_ERROR : cell->fIsFull() ? kSOUND_FULL : kSOUND_EMPTY;
        if (mJudge) {
            if (right) mJudge->fOnCellRight(*cell);
            else mJudge->fOnCellWrong(*cell);
        }
        // A later cell plays its sound itself when its wait is over.
        if (!cell->fIsWaiting() && mSounds) mSounds->fPlaySound(GG_SOUND_GROUP::kSOUNDS, cell->mRevealSound);
        delay += mRevealStep;
    }
    if (mJudge) mJudge->fCheckWin();
}

void GG_PROCESS::fRevealAllFull() {
    // A copy: a judge may end the level, but never rebuilds the cells here.
    const std::vector<GG_ELEMENT*> full = mFullCells;
    for (GG_ELEMENT* cell : full)
        if (!cell->fIsRevealed())
            fOnClick(cell->fGetRow(), cell->fGetColumn(), cell->fGetRow(), cell->fGetColumn(), true);
}

float GG_PROCESS::fStartSweep(float speed, const KEL::KC_CALLBACK* finish) {
    mSweepRunning = 1;
    for (GG_ELEMENT* cell : mFullCells) cell->mShineStarted = 0;
    mBots.fDeleteAll();
    const int32_t side = mLayout ? std::max(mLayout->mWidth, mLayout->mHeight) : 0;
    const float half = static_cast<float>(side / 2);
    const KEL::KS_VEC2 base = mLayout ? mLayout->mCellBase : KEL::KS_VEC2();
    mSweepA.fReset();
    mSweepB.fReset();
    mSweepA.fSetPos(base.x + half, base.y - half, 0.0f);
    mSweepB.fSetPos(base.x - half, base.y + half, 0.0f);
    const float length = static_cast<float>(side);
    mBots.fAdd(KEL::fCreateBotMoveOn(&mSweepA, 0.0f, speed, length, length));
    KEL::KC_BOT_MOVE_ON* last = KEL::fCreateBotMoveOn(&mSweepB, 0.0f, speed, length, length);
    if (finish) last->fMessage(KEL::KC_BASE::kMSG_SET_CALLBACK, 0, 0, 0, const_cast<KEL::KC_CALLBACK*>(finish));
    mBots.fAdd(last);
    return std::sqrt(2.0f * length * length) / speed;
}

void GG_PROCESS::fUpdateSweep() {
    mBots.fUpdate();
    const KEL::KS_VEC2 a = mSweepA.fGetPos2();
    const KEL::KS_VEC2 b = mSweepB.fGetPos2();
    const float reach = 1.005f * (a - b).fLength();
    for (GG_ELEMENT* cell : mFullCells) {
        if (cell->mShineStarted) continue;
        const KEL::KS_VEC2 p = cell->fGetPosition();
        if ((a - p).fLength() + (b - p).fLength() <= reach) {
            cell->fStartShine();
        }
    }
}

void GG_PROCESS::fUpdate() {
    mLeft.fUpdate();
    mUp.fUpdate();
    if (mSweepRunning) fUpdateSweep();
    for (auto& cell : mCells) cell->fUpdate(KEL::kfFRAME_DELTA, mSounds);
}

void GG_PROCESS::fDraw() {
    for (auto& cell : mCells) {
        if (cell->fGetShownState() == GG_ELEMENT::kFULL) cell->fDrawFill();
    }
    for (auto& cell : mCells) {
        if (cell->fGetShownState() == GG_ELEMENT::kEMPTY) cell->fDrawCross();
    }
    for (auto& cell : mCells) {
        if (cell->fGetShownState() == GG_ELEMENT::kFIXED || cell->mBlocked) cell->fDrawLocked();
    }
    const int passes = mSweepRunning ? 2 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        for (auto& cell : mCells) {
            if (cell->fGetShownState() == GG_ELEMENT::kFULL && cell->fIsShinePlaying()) cell->fDrawShine();
        }
    }
    mLeft.fDraw();
    mUp.fDraw();
    mLeft.fDrawMarks();
    mUp.fDrawMarks();
}

void GG_PROCESS::fLoadResources(const KEL::KC_FONT_LIST* fonts) {
    if (mLayout) {
        for (auto& cell : mCells) cell->fLoadResources(*mLayout);
    }
    mLeft.fLoadResources(fonts);
    mUp.fLoadResources(fonts);
}

void GG_PROCESS::fReleaseResources() {
    for (auto& cell : mCells) cell->fReleaseResources();
    mLeft.fReleaseResources();
    mUp.fReleaseResources();
}

void GG_PROCESS::fReadEffects(const pugi::xml_node& effects, GG_BOARD_LAYOUT& layout) {
    if (const pugi::xml_node open = effects.child("effect_open_cell")) {
        if (open.attribute("anim_delay")) mRevealStep = open.attribute("anim_delay").as_float();
        if (open.child("yes")) layout.mFill.fRead(open.child("yes"));
        if (open.child("no")) layout.mCross.fRead(open.child("no"));
        if (open.child("locked")) layout.mLocked.fRead(open.child("locked"));
    }
    if (const pugi::xml_node end = effects.child("end_level_effect")) {
        if (end.attribute("speed")) mSweepSpeed = end.attribute("speed").as_float();
        if (end.child("sprite_anim")) {
            mShine.fRead(end.child("sprite_anim"));
            mHasShine = 1;
        }
    }
}

void GG_PROCESS::fSetShine(const KEL::G_ANIMATION& shine) {
    for (GG_ELEMENT* cell : mFullCells) cell->fSetShine(shine);
}

void GG_PROCESS::fClear() {
    mBots.fDeleteAll();
    mCells.clear();
    mFullCells.clear();
    mRevealedFull.clear();
    mClues.fClear();
}

}  // namespace game
