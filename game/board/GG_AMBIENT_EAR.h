#pragma once

#include <cstdint>

#include <pugixml.hpp>

#include "engine/scene/G_SPRITE.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace game {

// One clue strip of the board's frame: a background standing "size" pixels
// deep outside one board edge, with a line ("stick") between every two
// lines of clues and a stronger one ("stickBlock") at every block boundary.
// It is drawn in its own frame, x running along the board edge from the
// frame's origin and the strip standing above y = 0; the left strip's frame
// is turned a quarter so that the same drawing runs up the board's left
// edge.
class GG_AMBIENT_EAR {
public:
    static constexpr int32_t kDEFAULT_SIZE = 160;
    static constexpr int32_t kMAX_SIZE = 1024;

    GG_AMBIENT_EAR();
    // The sprites hang on this object's own frame.
    GG_AMBIENT_EAR(const GG_AMBIENT_EAR&) = delete;
    GG_AMBIENT_EAR& operator=(const GG_AMBIENT_EAR&) = delete;

    // "size" and the optional sprites "background", "stick", "stickBlock".
    // False, with the error text set, when the element is missing or its
    // size is out of range.
    bool fLoad(const pugi::xml_node& node, const char* name);
    // The lines the strip marks: the board's block shift, the cell step and
    // the number of cells along the edge, and the cells per block (0: none).
    void fSetLines(int32_t blockShift, int32_t step, int32_t count, int32_t blockSize);
    // The frame's origin and turn and the strip's length along the edge.
    // A mirrored strip counts its lines from the far end of its length, so
    // a turned strip still starts at the board's top.
    void fPlace(float x, float y, float angle, float length, bool mirrored);

    void fLoadResources();
    void fReleaseResources();
    void fDraw();

    int32_t fGetSize() const { return mSize; }
    // Where line i's stick stands along the strip (in the strip's own x)
    // and whether it is a block stick.
    float fGetStickX(int32_t index, bool* block = nullptr) const;
    int32_t fGetStickCount() const { return mCount + 1; }
    const KEL::G_SPRITE& fGetBackground() const { return mBackground; }
    KEL::KS_TRANSFORM3& fGetFrame() { return mFrame; }

private:
    bool fIsBlockLine(int32_t index) const;
    template <class F>
    void fWalk(F visit) const;
    void fSizeBackground();

    KEL::KS_TRANSFORM3 mFrame;
    KEL::G_SPRITE mBackground;
    KEL::G_SPRITE mStick;
    KEL::G_SPRITE mStickBlock;
    uint8_t mHasBackground = 0;
    uint8_t mHasStick = 0;
    uint8_t mHasStickBlock = 0;
    uint8_t mMirrored = 0;
    int32_t mSize = kDEFAULT_SIZE;
    float mLength = 0.0f;
    int32_t mBlockShift = 0;
    int32_t mStep = 0;
    int32_t mCount = 0;
    int32_t mBlockSize = 0;
};

}  // namespace game
