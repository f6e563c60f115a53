#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/scene/G_ANIMATION.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/KS_POINT.h"
#include "engine/util/KS_VEC2.h"

namespace KEL {
class KC_SOUND_LIST;
}

namespace game {

class GG_BOARD_LAYOUT;

// One board cell: its place, its hidden type and what is shown of it.
class GG_ELEMENT {
public:
    // Cell types, and the shown states they lead to.
    static constexpr int32_t kFULL = 100;
    static constexpr int32_t kEMPTY = 101;
    static constexpr int32_t kCLOSED = 102;
    static constexpr int32_t kFIXED = 103;

    GG_ELEMENT(int32_t type, int32_t row, int32_t column);
    GG_ELEMENT(const GG_ELEMENT&) = delete;
    GG_ELEMENT& operator=(const GG_ELEMENT&) = delete;
    ~GG_ELEMENT();

    // Centre and size of the cell; the hit rectangle starts at the truncated
    // top-left corner.
    void fPlace(const KEL::KS_VEC2& centre, const KEL::KS_VEC2& size);

    // What opening a cell with a tool came to.
    enum KE_REVEAL : int32_t {
        kREVEAL_NONE = 0,   // already revealed or fixed: nothing changes
        kREVEAL_RIGHT = 1,  // the tool matches the type
        kREVEAL_WRONG = 2,  // it does not
    };

    // Open the cell with a tool. The cell counts as revealed at once; its
    // picture and sound wait for the delay.
    KE_REVEAL fRevealWithFill(float delay);
    KE_REVEAL fRevealWithCross(float delay);

    bool fIsRevealed() const { return mShownState == mType; }
    bool fIsFull() const { return mType == kFULL; }
    bool fIsBonus() const { return mBonus != 0; }
    void fSetBonus() { mBonus = 1; }
    KEL::KS_VEC2 fGetPosition() const { return mTransform.fGetPos2(); }
    // The cell centre; parent of the cell's images.
    KEL::KS_TRANSFORM3& fGetTransform() { return mTransform; }
    // The pointer lies in the hit rectangle, all four edges included.
    bool fContains(const KEL::KS_POINT& pointer) const;
    // True (the cell takes the press) for the left or right button over an
    // unblocked cell.
    bool fHitTestAt(int32_t button, const KEL::KS_POINT& pointer) const;
    // The same at the input's mouse position; false without input.
    bool fHitTest(int32_t button) const;
    // Shows the cell's picture for the state: the fill or cross animation
    // (by type) back in place and played from its first frame.
    void fSetShownState(int32_t state);
    // Per frame: counts the reveal delay down, then shows the cell and plays
    // its reveal sound from the group of every other sound; after that, advances the
    // cell's animations. The frame the delay runs out advances nothing.
    void fUpdate(float delta, KEL::KC_SOUND_LIST* sounds);

    // The end-of-level shine reached the cell: play it from the start.
    void fStartShine();
    bool fIsShinePlaying() const { return mShine && mShine->fIsPlaying(); }
    // Takes a copy of the shine animation, placed on the cell.
    void fSetShine(const KEL::G_ANIMATION& shine);

    // Copies the fill, cross and locked images from the layout's templates
    // (once) and fetches their textures; releasing gives the textures back.
    void fLoadResources(const GG_BOARD_LAYOUT& layout);
    void fReleaseResources();
    void fDrawFill();
    void fDrawCross();
    void fDrawLocked();
    void fDrawShine();
    KEL::G_ANIMATION* fGetFill() const { return mFill.get(); }
    KEL::G_ANIMATION* fGetCross() const { return mCross.get(); }

    int32_t fGetType() const { return mType; }
    int32_t fGetShownState() const { return mShownState; }
    int32_t fGetRow() const { return mRow; }
    int32_t fGetColumn() const { return mColumn; }
    float fGetRevealDelay() const { return mRevealDelay; }
    // Waiting for its delay: revealed, but nothing of it shown yet.
    bool fIsWaiting() const { return mRevealDelay > 0.0f; }
    const KEL::KS_POINT& fGetRectPosition() const { return mRectPosition; }
    const KEL::KS_VEC2& fGetRectSize() const { return mRectSize; }

    uint8_t mBlocked = 0;
    uint8_t mShineStarted = 0;
    std::string mRevealSound;

private:
    KE_REVEAL fReveal(bool fill, float delay);
    // Puts an image under the cell's transform at the given offset.
    void fAttach(KEL::G_SPRITE& image, float x, float y);
    void fFitImages(const KEL::KS_VEC2& cellSize);

    int32_t mRow = 0;
    int32_t mColumn = 0;
    KEL::KS_TRANSFORM3 mTransform;
    KEL::KS_POINT mRectPosition;
    KEL::KS_VEC2 mRectSize;
    int32_t mType = 0;
    int32_t mShownState = kCLOSED;
    uint8_t mBonus = 0;
    float mRevealDelay = 0.0f;
    std::unique_ptr<KEL::G_ANIMATION> mFill;
    std::unique_ptr<KEL::G_ANIMATION> mCross;
    std::unique_ptr<KEL::G_SPRITE> mLocked;
    std::unique_ptr<KEL::G_ANIMATION> mShine;
};

// The board's cells, row-major; the board owns them.
using GG_CELL_LIST = std::vector<std::unique_ptr<GG_ELEMENT>>;

}  // namespace game
