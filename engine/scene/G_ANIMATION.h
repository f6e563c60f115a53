#pragma once

#include <cstdint>

#include "engine/scene/G_SPRITE.h"
#include "engine/util/KS_POINT.h"

namespace KEL {

// A sprite showing the cells of a sprite-sheet grid one after another at a
// frame rate, with loop, ping-pong, start-side ("reverese") and mirror
// options. Grid and frame counts below 1 count as 1; a grid side above
// kMAX_GRID counts as kMAX_GRID and a frame count above kMAX_FRAMES as
// kMAX_FRAMES, so that a damaged description cannot overflow the stepping.
class G_ANIMATION : public G_SPRITE {
public:
    static constexpr int32_t kMAX_GRID = 4096;
    static constexpr int32_t kMAX_FRAMES = 65536;

    G_ANIMATION();
    explicit G_ANIMATION(const std::string& textureName);
    explicit G_ANIMATION(const pugi::xml_node& node);
    G_ANIMATION(const G_ANIMATION& other);
    G_ANIMATION& operator=(const G_ANIMATION& other);

    // The sprite children plus "ANIMATION" with the attributes "loop",
    // "flip", "ping_pong", "reverese", "grid", "frames" and "fps".
    void fRead(const pugi::xml_node& node) override;
    // Fetches the texture, then sizes the quad to one cell of it.
    void fReloadTexture() override;

    void fReset();
    void fSetGrid(int32_t columns, int32_t rows);
    void fShowFrame(int32_t index);
    void fPlay(float delay = 0.0f);
    void fStop() { mPlaying = 0; }
    void fResume() { mPlaying = 1; }
    void fSetLoop(bool loop) { mLoop = loop ? 1 : 0; }
    // One frame step; 1 when a cell was shown in this call.
    int32_t fUpdate();

    bool fIsPlaying() const { return mPlaying != 0; }
    int32_t fGetFrame() const { return mFrame; }
    int32_t fGetFrames() const { return mFrames; }
    void fSetFrames(int32_t frames) { mFrames = frames < 1 ? 1 : (frames > kMAX_FRAMES ? kMAX_FRAMES : frames); }
    void fSetFps(float fps) { mFps = fps; }
    const KS_POINT& fGetGrid() const { return mGrid; }

    uint8_t mReverese = 1;
    uint8_t mPingPong = 0;
    uint8_t mLoop = 1;
    uint8_t mFlip = 0;
    uint8_t mPlaying = 0;

protected:
    void fCopyAnimation(const G_ANIMATION& other);

    KS_POINT mGrid{1, 1};
    int32_t mFrame = 0;
    int32_t mFrames = 1;
    int32_t mStep = 1;
    float mFps = 1.0f;
    float mClock = 0.0f;
    float mDelay = 0.0f;
    float mCellWidth = 1.0f;
    float mCellHeight = 1.0f;
};

}  // namespace KEL
