#include "game/board/GG_AMBIENT_EAR.h"

#include "engine/scene/KE_ANCHOR.h"
#include "game/board/GG_AMBIENT_READER.h"

namespace game {

namespace {

// Background: lower left corner on the frame's origin, so the strip stands
// outside the board. Sticks: middle of their lower edge on the board edge.
constexpr int32_t kBACKGROUND_ANCHOR = KEL::kANCHOR_BOTTOM_LEFT;
constexpr int32_t kSTICK_ANCHOR = KEL::kANCHOR_BOTTOM;

void fReadSprite(const pugi::xml_node& node, KEL::G_SPRITE& sprite, uint8_t& present, int32_t anchor,
                 KEL::KS_TRANSFORM3* frame) {
    present = node ? 1 : 0;
    sprite = node ? KEL::G_SPRITE(node) : KEL::G_SPRITE();
    sprite.fSetHotSpot(anchor);
    sprite.fGetTransform()->mParent = frame;
}

}  // namespace

GG_AMBIENT_EAR::GG_AMBIENT_EAR() {
    for (KEL::G_SPRITE* sprite : {&mBackground, &mStick, &mStickBlock}) sprite->fGetTransform()->mParent = &mFrame;
}

bool GG_AMBIENT_EAR::fLoad(const pugi::xml_node& node, const char* name) {
    if (!node) return GG_AMBIENT_READER::fFail(name, "missing");
    mSize = kDEFAULT_SIZE;
    if (!GG_AMBIENT_READER::fInt(node, "size", 0, kMAX_SIZE, mSize)) return false;
    fReadSprite(node.child("background"), mBackground, mHasBackground, kBACKGROUND_ANCHOR, &mFrame);
    fReadSprite(node.child("stick"), mStick, mHasStick, kSTICK_ANCHOR, &mFrame);
    fReadSprite(node.child("stickBlock"), mStickBlock, mHasStickBlock, kSTICK_ANCHOR, &mFrame);
    fSizeBackground();
    return true;
}

void GG_AMBIENT_EAR::fSetLines(int32_t blockShift, int32_t step, int32_t count, int32_t blockSize) {
    mBlockShift = blockShift;
    mStep = step;
    mCount = count < 0 ? 0 : count;
    mBlockSize = blockSize;
}

void GG_AMBIENT_EAR::fPlace(float x, float y, float angle, float length, bool mirrored) {
    mFrame.fSetPos(x, y, 0.0f);
    mFrame.fSetAngle(angle);
    mLength = length;
    mMirrored = mirrored ? 1 : 0;
    fSizeBackground();
}

// Sized after every reload too: a sprite without a size takes its texture's.
void GG_AMBIENT_EAR::fSizeBackground() {
    if (!mHasBackground) return;
    mBackground.fSetSize(mLength, static_cast<float>(mSize));
    mBackground.fSetHotSpot(kBACKGROUND_ANCHOR);
}

void GG_AMBIENT_EAR::fLoadResources() {
    if (mHasBackground) mBackground.fReloadTexture();
    if (mHasStick) mStick.fReloadTexture();
    if (mHasStickBlock) mStickBlock.fReloadTexture();
    fSizeBackground();
}

void GG_AMBIENT_EAR::fReleaseResources() {
    mBackground.fUnloadTexture();
    mStick.fUnloadTexture();
    mStickBlock.fUnloadTexture();
}

bool GG_AMBIENT_EAR::fIsBlockLine(int32_t index) const {
    return index == 0 || (mBlockSize != 0 && index % mBlockSize == 0);
}

// The walk along the edge: a block line stands in the middle of the block
// shift (of the gap, when the shift is negative), any other line one cell
// step after the previous. Visits (index, x, block) for every line.
template <class F>
void GG_AMBIENT_EAR::fWalk(F visit) const {
    const float half = static_cast<float>(mBlockShift) * 0.5f;
    float x = 0.0f;
    for (int32_t i = 0; i <= mCount; ++i) {
        const bool block = fIsBlockLine(i);
        if (block) x -= half;
        if (!visit(i, mMirrored ? mLength - x : x, block)) return;
        if (block) x -= half;
        x += static_cast<float>(mStep);
    }
}

float GG_AMBIENT_EAR::fGetStickX(int32_t index, bool* block) const {
    float at = 0.0f;
    fWalk([&](int32_t i, float x, bool isBlock) {
        at = x;
        if (block) *block = isBlock;
        return i < index;
    });
    return at;
}

void GG_AMBIENT_EAR::fDraw() {
    if (mHasBackground && mBackground.fHasOwnTexture()) mBackground.fDrawWith();
    fWalk([this](int32_t, float x, bool block) {
        KEL::G_SPRITE& stick = block ? mStickBlock : mStick;
        if (!stick.fHasOwnTexture()) return true;
        stick.fGetTransform()->fSetPos(x, 0.0f, 0.0f);
        stick.fDrawWith();
        return true;
    });
}

}  // namespace game
