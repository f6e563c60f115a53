#include "engine/windows/G_PAGES_DOTS.h"

#include "engine/render/KC_TEXTURE.h"
#include "engine/scene/KE_ANCHOR.h"

namespace KEL {

namespace {
constexpr int32_t kFRAMES = 2;
constexpr int32_t kFRAME_CURRENT = 0;
constexpr int32_t kFRAME_OTHER = 1;
}  // namespace

G_PAGES_DOTS::G_PAGES_DOTS(const pugi::xml_node& element) : mSprite(element.attribute("file").as_string("")) {
    if (const pugi::xml_node transform = element.child("TRANSFORM")) mTransform.fFromString(transform.child_value());
}

G_PAGES_DOTS::G_PAGES_DOTS(const std::string& textureName) : mSprite(textureName) {}

void G_PAGES_DOTS::fSetCount(uint32_t count) {
    mCount = count;
    if (mCurrent >= mCount) mCurrent = mCount > 0 ? mCount - 1 : 0;
}

void G_PAGES_DOTS::fNext() {
    if (mCurrent + 1 < mCount) ++mCurrent;
}

void G_PAGES_DOTS::fPrev() {
    if (mCurrent > 0) --mCurrent;
}

void G_PAGES_DOTS::fReloadResources() {
    mSprite.fReloadTexture();
    if (const KC_TEXTURE* texture = mSprite.fGetTexture(); texture && mSprite.fHasOwnTexture())
        mSprite.fSetWidth(float(texture->fGetWidth() / kFRAMES));
    mSprite.fSetHotSpot(kANCHOR_LEFT);
}

void G_PAGES_DOTS::fReleaseResources() { mSprite.fUnloadTexture(); }

void G_PAGES_DOTS::fDraw() {
    if (mCount < 2) return;
    KS_TRANSFORM3 absolute;
    mTransform.fGetAbsolute(absolute);
    const float w = mSprite.fGetWidth();
    const float start = absolute.mPosition.x - w * static_cast<float>(mCount / 2);
    for (uint32_t i = 0; i < mCount; ++i) {
        mSprite.fSetFrame(kFRAMES, 1, i == mCurrent ? kFRAME_CURRENT : kFRAME_OTHER);
        mSprite.fDrawAt(start + static_cast<float>(i) * w, absolute.mPosition.y, 0.0f, 1.0f, 1.0f);
    }
}

}  // namespace KEL
