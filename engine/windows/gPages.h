#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "engine/bots/KC_BASE.h"
#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/gui/KS_MOUSE_RESULT.h"
#include "engine/scene/KE_ANCHOR.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/KS_VEC2.h"

namespace KEL {

// A paged list: items read from a page file, laid out as pages of
// cols x rows cells centred on a strip transform, one page drawn at a time
// and turned by a jump or a slide. Items are KC_BASE objects driven only by
// the G_PAGES_ITEM messages; they stay in document order. Derived page sets
// create the items and hear their clicks.
//
// The owning window forwards its frame, draw and mouse calls and attaches
// the strip to its own transform. A turn reports whether it happened, so the
// window moves its page dots only then. No lock: like its window, one
// thread at a time uses it (the loader builds it before the main thread
// takes over).
class gPages {
public:
    // Turn types; the page file names them. 4 and unknown names jump like
    // kMOMENTAL.
    static constexpr int32_t kMOMENTAL = 0;
    static constexpr int32_t kSLIDE_HORIZONTAL = 1;
    static constexpr int32_t kSLIDE_VERTICAL = 2;
    static constexpr int32_t kSLIDE_TO_POINT = 3;
    static constexpr int32_t kUNKNOWN_TURN = 5;
    // Layout sends kMSG_ANCHOR with this value: cells are placed by centre.
    static constexpr int32_t kCELL_ANCHOR = kANCHOR_CENTRE;

    gPages() = default;
    gPages(const gPages&) = delete;
    gPages& operator=(const gPages&) = delete;
    // Deletes the items and any running turn.
    virtual ~gPages();

    // The current page, and the target page beside it while a slide runs.
    virtual void fDraw();
    // The items' frame, then the running turn's. Answers kOK.
    virtual int32_t fUpdate();
    // Buttons 1 and 2 only, to the items of the current page in order until
    // one takes it. Down: taken with a pressed event. Up: fOnItemClicked,
    // then taken with a click event. The event id is the item's index.
    virtual KS_MOUSE_RESULT fOnMouseUp(int32_t button);
    virtual KS_MOUSE_RESULT fOnMouseDown(int32_t button);
    // Every item hears it; never taken.
    virtual KS_MOUSE_RESULT fOnMouseMove();
    // Reads the page file from the repository; a missing file loads nothing.
    // Items of an earlier load are replaced. A file with numbers out of range
    // (cells a side, intervals, turn times) loads nothing and raises an error.
    virtual void fLoad(const std::string& fileName);
    // The same from a page file's root element already parsed; the name is
    // for the error.
    void fRead(const pugi::xml_node& root, const std::string& fileName);
    virtual void fRefresh();
    // Reloads every item, then lays them out.
    virtual void fReloadResources();
    virtual void fReleaseResources();
    // Only while idle. Slides need a page to go to; jumps clamp. True when
    // a slide started or the page changed.
    virtual bool fTurnNext();
    virtual bool fTurnPrev();
    virtual void fSetPosition(float x, float y);
    // The first "gEXAMPLE" child of the page file, after the items.
    virtual void fOnExample(const pugi::xml_node& example) {}
    // A new item for one child of the page file (index counts the items
    // made so far), or null to skip the child.
    virtual std::unique_ptr<KC_BASE> fCreateItem(const pugi::xml_node& element, int32_t index) = 0;
    virtual void fOnItemClicked(KC_BASE* item) = 0;
    virtual void fDrawPage(int32_t page);

    void fSetParent(KS_TRANSFORM3* parent) { mStrip.mParent = parent; }
    void fSetCols(int32_t cols);
    void fSetRows(int32_t rows);
    // They answer for the target page, so they hold during a slide.
    bool fHasNextPage() const { return mTargetPage + 1 < mPageCount; }
    bool fHasPrevPage() const { return mTargetPage > 0; }
    // Back to page 0 at once: a running turn is dropped and the strip put
    // back where it rests.
    void fResetPage();
    // Cells of the first item's size, every page's cells centred on the strip.
    void fLayoutItems();

    int32_t fGetCurrentPage() const { return mCurrentPage; }
    int32_t fGetTargetPage() const { return mTargetPage; }
    int32_t fGetPageCount() const { return mPageCount; }
    int32_t fGetPerPage() const { return mPerPage; }
    int32_t fGetItemCount() const { return static_cast<int32_t>(mItems.size()); }
    KC_BASE* fGetItem(int32_t index) const;
    bool fIsTurning() const { return mCurrentPage != mTargetPage || !mTurns.fIsEmpty(); }
    int32_t fGetTurnType() const { return mTurnType; }
    float fGetTurnSpeed() const { return mTurnSpeed; }
    float fGetTurnTime() const { return mTurnTime; }
    const KS_VEC2& fGetPageStep() const { return mPageStep; }
    KS_TRANSFORM3& fGetStrip() { return mStrip; }
    int32_t fGetBlockWidth() const { return mBlockWidth; }
    int32_t fGetBlockHeight() const { return mBlockHeight; }

    // The turn type a page file names.
    static int32_t fTurnTypeFromName(const char* name);

protected:
    // Why the page file's settings cannot be used; empty when they can.
    static std::string fRefusal(const pugi::xml_node& root);
    void fReadSettings(const pugi::xml_node& root);
    void fCreateItems(const pugi::xml_node& root);
    // Items [first, end) of a page; empty for a page that does not exist.
    void fPageRange(int32_t page, size_t& first, size_t& end) const;
    bool fTurn(int32_t direction);
    bool fJump(int32_t direction);
    bool fSlide(int32_t direction);
    // The strip's shift by one page in a direction, per turn type.
    KS_VEC2 fShift(int32_t direction) const;
    void fSendAll(int32_t message);
    KS_MOUSE_RESULT fMouse(int32_t message, int32_t button, KC_BASE*& taker, int32_t& index);

    int32_t mTurnType = kMOMENTAL;
    float mTurnSpeed = 0.0f;
    float mTurnTime = 0.0f;
    KS_VEC2 mPageStep{0.0f, 0.0f};
    KS_TRANSFORM3 mStrip;
    KS_TRANSFORM3 mRestStrip;  // the strip before the running slide
    std::vector<std::unique_ptr<KC_BASE>> mItems;
    KC_BOT_MANAGER mTurns;
    int32_t mCurrentPage = 0;
    int32_t mTargetPage = 0;
    int32_t mCols = 0;
    int32_t mRows = 0;
    int32_t mIntervalX = 0;
    int32_t mIntervalY = 0;
    int32_t mBlockWidth = 0;
    int32_t mBlockHeight = 0;
    int32_t mPerPage = 0;
    int32_t mPageCount = 0;
};

}  // namespace KEL
