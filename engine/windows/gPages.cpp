#include "engine/windows/gPages.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/bots/KC_BOT_MOVE_ON.h"
#include "engine/bots/KT_BOT_SLEEP.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/windows/G_PAGES_ITEM.h"

namespace KEL {

namespace {
constexpr const char* kEXAMPLE = "gEXAMPLE";

// Page files beyond these are refused: a page has at most kMAX_CELLS cells a
// side, cells are at most kMAX_INTERVAL apart.
constexpr int32_t kMAX_CELLS = 1024;
constexpr int32_t kMAX_INTERVAL = 16384;

int32_t fClampToInt(int64_t value) { return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

bool fInRange(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }
}  // namespace

gPages::~gPages() { mTurns.fDeleteAll(); }

int32_t gPages::fTurnTypeFromName(const char* name) {
    if (!name) return kUNKNOWN_TURN;
    if (std::strcmp(name, "MOMENTAL") == 0) return kMOMENTAL;
    if (std::strcmp(name, "SLIDE_HORIZONTAL") == 0) return kSLIDE_HORIZONTAL;
    if (std::strcmp(name, "SLIDE_VERTICAL") == 0) return kSLIDE_VERTICAL;
    if (std::strcmp(name, "SLIDE_TO_POINT") == 0) return kSLIDE_TO_POINT;
    return kUNKNOWN_TURN;
}

KC_BASE* gPages::fGetItem(int32_t index) const {
    if (index < 0 || index >= fGetItemCount()) return nullptr;
    return mItems[static_cast<size_t>(index)].get();
}

void gPages::fSetCols(int32_t cols) {
    mCols = std::max(cols, 0);
    mPerPage = fClampToInt(int64_t(mCols) * mRows);
}

void gPages::fSetRows(int32_t rows) {
    mRows = std::max(rows, 0);
    mPerPage = fClampToInt(int64_t(mCols) * mRows);
}

void gPages::fSetPosition(float x, float y) { mStrip.fSetPos(x, y, 0.0f); }

// Loading: settings from the root's attributes, one item per child element.
void gPages::fLoad(const std::string& fileName) {
    pugi::xml_document* document = kcREPOSITORY ? kcREPOSITORY->fGetXml(fileName) : nullptr;
    if (!document) return;
    fRead(document->document_element(), fileName);
    kcREPOSITORY->fReleaseXml(document);
}

void gPages::fRead(const pugi::xml_node& root, const std::string& fileName) {
    mTurns.fDeleteAll();
    mItems.clear();
    mPageCount = 0;
    const std::string refused = fRefusal(root);
    if (!refused.empty()) {
        fRaiseError("Page file " + fileName + ": " + refused);
        fSetCols(0);
        fSetRows(0);
        return;
    }
    fReadSettings(root);
    fCreateItems(root);
    if (const pugi::xml_node example = root.child(kEXAMPLE)) fOnExample(example);
    if (mPerPage > 0) mPageCount = fClampToInt((int64_t(fGetItemCount()) + mPerPage - 1) / mPerPage);
    fRefresh();
}

std::string gPages::fRefusal(const pugi::xml_node& root) {
    if (!fInRange(root.attribute("cols").as_int(0), 0, kMAX_CELLS) ||
        !fInRange(root.attribute("rows").as_int(0), 0, kMAX_CELLS))
        return "cols and rows must lie in 0.." + std::to_string(kMAX_CELLS);
    if (!fInRange(root.attribute("interval_x").as_int(0), -kMAX_INTERVAL, kMAX_INTERVAL) ||
        !fInRange(root.attribute("interval_y").as_int(0), -kMAX_INTERVAL, kMAX_INTERVAL))
        return "interval_x and interval_y must lie within " + std::to_string(kMAX_INTERVAL);
    for (const char* name : {"turn_speed", "turn_time"})
        if (!std::isfinite(root.attribute(name).as_float(0.0f))) return std::string(name) + " is not a number";
    KS_VEC2 offset(0, 0);
    if (const pugi::xml_attribute text = root.attribute("turn_offset")) offset.fFromString(text.value());
    if (!std::isfinite(offset.x) || !std::isfinite(offset.y)) return "turn_offset is not a number";
    return {};
}

void gPages::fReadSettings(const pugi::xml_node& root) {
    fSetCols(root.attribute("cols").as_int(0));
    fSetRows(root.attribute("rows").as_int(0));
    mIntervalX = root.attribute("interval_x").as_int(0);
    mIntervalY = root.attribute("interval_y").as_int(0);
    mTurnType = fTurnTypeFromName(root.attribute("turn_type").as_string("MOMENTAL"));
    mTurnSpeed = root.attribute("turn_speed").as_float(0.0f);
    if (const pugi::xml_attribute time = root.attribute("turn_time")) {
        mTurnTime = time.as_float(0.0f);
        mTurnSpeed = 0.0f;
    }
    mPageStep = kcGAME ? KS_VEC2(float(kcGAME->mResolution.x), float(kcGAME->mResolution.y)) : KS_VEC2(1024, 768);
    if (const pugi::xml_attribute offset = root.attribute("turn_offset")) mPageStep.fFromString(offset.value());
}

void gPages::fCreateItems(const pugi::xml_node& root) {
    int32_t index = 0;
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element || std::strcmp(child.name(), kEXAMPLE) == 0) continue;
        std::unique_ptr<KC_BASE> item = fCreateItem(child, index);
        if (!item) continue;
        // The list is never sorted; the key only records the document order.
        item->mSortKey = static_cast<float>(index);
        item->fMessage(G_PAGES_ITEM::kMSG_PARENT, 0, 0, 0, &mStrip);
        mItems.push_back(std::move(item));
        ++index;
    }
}

void gPages::fSendAll(int32_t message) {
    for (const std::unique_ptr<KC_BASE>& item : mItems) item->fMessage(message, 0, 0, 0, nullptr);
}

void gPages::fRefresh() { fSendAll(G_PAGES_ITEM::kMSG_REFRESH); }

void gPages::fReloadResources() {
    fSendAll(G_PAGES_ITEM::kMSG_RELOAD);
    fLayoutItems();
}

void gPages::fReleaseResources() { fSendAll(G_PAGES_ITEM::kMSG_RELEASE); }

// In 64 bits: an item may answer any size.
void gPages::fLayoutItems() {
    if (mItems.empty()) return;
    const int64_t w = mItems.front()->fMessage(G_PAGES_ITEM::kMSG_WIDTH, 0, 0, 0, nullptr);
    const int64_t h = mItems.front()->fMessage(G_PAGES_ITEM::kMSG_HEIGHT, 0, 0, 0, nullptr);
    const int64_t blockWidth = mCols * w + (mCols - 1) * int64_t(mIntervalX);
    const int64_t blockHeight = mRows * h + (mRows - 1) * int64_t(mIntervalY);
    mBlockWidth = fClampToInt(blockWidth);
    mBlockHeight = fClampToInt(blockHeight);
    const int64_t x0 = w / 2 - blockWidth / 2;
    const int64_t y0 = h / 2 - blockHeight / 2;
    int64_t c = 0, r = 0;
    for (const std::unique_ptr<KC_BASE>& item : mItems) {
        if (c == mCols) {
            c = 0;
            ++r;
        }
        if (r == mRows) r = 0;  // the next page starts again at the upper left
        item->fMessage(G_PAGES_ITEM::kMSG_POSITION, float(x0 + c * (w + mIntervalX)), float(y0 + r * (h + mIntervalY)),
                       0, nullptr);
        item->fMessage(G_PAGES_ITEM::kMSG_ANCHOR, 0, 0, 0, G_PAGES_ITEM::fValue(kCELL_ANCHOR));
        ++c;
    }
}

void gPages::fPageRange(int32_t page, size_t& first, size_t& end) const {
    first = end = 0;
    if (page < 0 || mPerPage <= 0) return;
    const size_t start = static_cast<size_t>(page) * static_cast<size_t>(mPerPage);
    if (start >= mItems.size()) return;
    first = start;
    end = std::min(mItems.size(), start + static_cast<size_t>(mPerPage));
}

void gPages::fDrawPage(int32_t page) {
    size_t first = 0, end = 0;
    fPageRange(page, first, end);
    for (size_t i = first; i < end; ++i) mItems[i]->fMessage(KC_BASE::kMSG_DRAW, 0, 0, 0, nullptr);
}

KS_VEC2 gPages::fShift(int32_t direction) const {
    const float s = static_cast<float>(direction);
    switch (mTurnType) {
        case kSLIDE_HORIZONTAL: return {s * mPageStep.x, 0.0f};
        case kSLIDE_VERTICAL: return {0.0f, s * mPageStep.y};
        case kSLIDE_TO_POINT: return {s * mPageStep.x, s * mPageStep.y};
        default: return {0.0f, 0.0f};
    }
}

void gPages::fDraw() {
    fDrawPage(mCurrentPage);
    if (mTargetPage == mCurrentPage) return;
    const KS_VEC2 shift = fShift(mTargetPage < mCurrentPage ? -1 : 1);
    if (shift.x == 0.0f && shift.y == 0.0f) return;
    const KS_VEC3 rest = mStrip.mPosition;
    mStrip.fMove(shift.x, shift.y);
    fDrawPage(mTargetPage);
    mStrip.mPosition = rest;
}

int32_t gPages::fUpdate() {
    fSendAll(KC_BASE::kMSG_UPDATE);
    mTurns.fUpdate();
    return KS_RESULT::kOK;
}

KS_MOUSE_RESULT gPages::fMouse(int32_t message, int32_t button, KC_BASE*& taker, int32_t& index) {
    taker = nullptr;
    if (button != KC_INPUT::kMOUSE_LEFT && button != KC_INPUT::kMOUSE_RIGHT) return KS_MOUSE_RESULT::fNotTaken();
    size_t first = 0, end = 0;
    fPageRange(mCurrentPage, first, end);
    for (size_t i = first; i < end; ++i) {
        if (mItems[i]->fMessage(message, 0, 0, 0, G_PAGES_ITEM::fValue(button)) != KS_RESULT::kSTOP) continue;
        taker = mItems[i].get();
        index = static_cast<int32_t>(i);
        const int32_t code = message == G_PAGES_ITEM::kMSG_MOUSE_UP ? KS_GUI_EVENT::kCLICK : KS_GUI_EVENT::kPRESSED;
        return KS_MOUSE_RESULT::fEvent({index, code});
    }
    return KS_MOUSE_RESULT::fNotTaken();
}

KS_MOUSE_RESULT gPages::fOnMouseDown(int32_t button) {
    KC_BASE* taker = nullptr;
    int32_t index = 0;
    return fMouse(G_PAGES_ITEM::kMSG_MOUSE_DOWN, button, taker, index);
}

KS_MOUSE_RESULT gPages::fOnMouseUp(int32_t button) {
    KC_BASE* taker = nullptr;
    int32_t index = 0;
    const KS_MOUSE_RESULT result = fMouse(G_PAGES_ITEM::kMSG_MOUSE_UP, button, taker, index);
    if (taker) fOnItemClicked(taker);
    return result;
}

KS_MOUSE_RESULT gPages::fOnMouseMove() {
    fSendAll(G_PAGES_ITEM::kMSG_MOUSE_MOVE);
    return KS_MOUSE_RESULT::fNotTaken();
}

bool gPages::fTurnNext() { return fTurn(1); }

bool gPages::fTurnPrev() { return fTurn(-1); }

bool gPages::fTurn(int32_t direction) {
    if (fIsTurning()) return false;  // no queueing
    switch (mTurnType) {
        case kSLIDE_HORIZONTAL:
        case kSLIDE_VERTICAL:
        case kSLIDE_TO_POINT: return fSlide(direction);
        default: return fJump(direction);
    }
}

// Clamped to the pages there are; a set without pages stays on page 0.
bool gPages::fJump(int32_t direction) {
    const int32_t last = std::max(mPageCount - 1, 0);
    const int32_t page = std::clamp(mCurrentPage + direction, 0, last);
    if (page == mCurrentPage) return false;
    mCurrentPage = mTargetPage = page;
    return true;
}

// A move of the strip by one page, and two sleeps of the same length: one
// makes the target current, the other snaps the strip back to rest.
bool gPages::fSlide(int32_t direction) {
    const int32_t target = mCurrentPage + direction;
    if (target < 0 || target >= mPageCount) return false;
    const KS_VEC2 offset = fShift(-direction);
    float duration = mTurnTime;
    if (duration == 0.0f) {
        const float distance = mTurnType == kSLIDE_TO_POINT     ? std::hypot(mPageStep.x, mPageStep.y)
                               : mTurnType == kSLIDE_HORIZONTAL ? std::fabs(mPageStep.x)
                                                                : std::fabs(mPageStep.y);
        duration = distance / mTurnSpeed;
    }
    // Without a time or a speed the mover takes one second; so do the sleeps.
    if (!std::isfinite(duration) || duration < 0.0f) duration = 1.0f;
    mTargetPage = target;
    mRestStrip = mStrip;
    if (duration > 0.0f) mTurns.fAdd(new KC_BOT_MOVE_ON(&mStrip, duration, 0.0f, offset.x, offset.y));
    mTurns.fAdd(new KT_BOT_SLEEP<int32_t>(&mCurrentPage, target, duration));
    mTurns.fAdd(new KT_BOT_SLEEP<KS_TRANSFORM3>(&mStrip, mRestStrip, duration));
    return true;
}

void gPages::fResetPage() {
    if (!mTurns.fIsEmpty()) {
        mTurns.fDeleteAll();
        mStrip.mPosition = mRestStrip.mPosition;
    }
    mCurrentPage = mTargetPage = 0;
}

}  // namespace KEL
