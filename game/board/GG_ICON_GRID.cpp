#include "game/board/GG_ICON_GRID.h"

#include <algorithm>
#include <limits>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "game/board/GG_AMBIENT_READER.h"

namespace game {

namespace {

constexpr int32_t kCOORD = static_cast<int32_t>(GG_AMBIENT_READER::kCOORD_LIMIT);

void fPlaceAndDraw(KEL::G_ANIMATION& sprite, const KEL::KS_VEC2& place) {
    if (KEL::KS_TRANSFORM3* transform = sprite.fGetTransform()) transform->fSetPos(place.x, place.y, 0.0f);
    sprite.fDrawWith();
}

}  // namespace

bool GG_ICON_GRID::fLoad(const pugi::xml_node& node) {
    fReset();
    if (!node) return GG_AMBIENT_READER::fFail("error_panel", "missing");
    if (!GG_AMBIENT_READER::fPoint(node, "pos", -kCOORD, kCOORD, mPos) ||
        !GG_AMBIENT_READER::fPoint(node, "grid", 1, kMAX_SIDE, mGrid) ||
        !GG_AMBIENT_READER::fPoint(node, "interval", -kCOORD, kCOORD, mInterval) ||
        !GG_AMBIENT_READER::fFloat(node, "ping", 0.0f, kMAX_PING, mPing))
        return false;
    const pugi::xml_node icon = node.child("sprite");
    const pugi::xml_node lock = node.child("sprite_lock");
    if (!icon || !lock) return GG_AMBIENT_READER::fFail("error_panel", "needs \"sprite\" and \"sprite_lock\"");
    mIcon = KEL::G_ANIMATION(icon);
    // The animation keeps its rate to itself; the wait before a confirm
    // window needs it too.
    const pugi::xml_attribute fps = icon.child("ANIMATION").attribute("fps");
    mIconFps = fps ? static_cast<float>(fps.as_int()) : 1.0f;
    mLock = KEL::G_ANIMATION(lock);
    const pugi::xml_node background = node.child("background");
    mBackground = background ? KEL::G_ANIMATION(background) : KEL::G_ANIMATION();
    mHasBackground = background ? 1 : 0;
    return true;
}

void GG_ICON_GRID::fSetLimit(int32_t limit) { mLimit = std::max(0, limit); }

void GG_ICON_GRID::fAdd() {
    if (mErrors < std::numeric_limits<int32_t>::max()) ++mErrors;
    if (mErrors > std::min(mLimit, fGetPlaceCount())) return;
    if (mQueued.empty()) mClock = 0.0f;
    mQueued.push_back(std::make_unique<KEL::G_ANIMATION>(mIcon));
}

void GG_ICON_GRID::fReset() {
    mErrors = 0;
    mClock = 0.0f;
    mQueued.clear();
    mShown.clear();
}

void GG_ICON_GRID::fUpdate() {
    if (mHasBackground) mBackground.fUpdate();
    for (auto& icon : mShown) icon->fUpdate();
    if (mQueued.empty()) return;
    mClock += KEL::kfFRAME_DELTA;
    if (mClock < mPing) return;
    mClock = 0.0f;
    mQueued.front()->fPlay(0.0f);
    mShown.push_back(std::move(mQueued.front()));
    mQueued.erase(mQueued.begin());
}

KEL::KS_VEC2 GG_ICON_GRID::fGetPlace(int32_t index) const {
    const float stepX = std::max(0.0f, mIcon.fGetWidth()) + static_cast<float>(mInterval.x);
    const float stepY = std::max(0.0f, mIcon.fGetHeight()) + static_cast<float>(mInterval.y);
    const int32_t column = index % mGrid.x, row = index / mGrid.x;
    return KEL::KS_VEC2(static_cast<float>(mPos.x) + static_cast<float>(column) * stepX,
                        static_cast<float>(mPos.y) + static_cast<float>(row) * stepY);
}

int32_t GG_ICON_GRID::fGetLockedCount() const { return std::max(0, fGetPlaceCount() - mLimit); }

// Background, then the icons of the errors made from the first place on,
// then the locks from the last place backwards; the places between the
// errors made and the limit stay empty.
void GG_ICON_GRID::fDraw() {
    if (mHasBackground) mBackground.fDrawWith();
    for (size_t i = 0; i < mShown.size(); ++i) fPlaceAndDraw(*mShown[i], fGetPlace(static_cast<int32_t>(i)));
    const int32_t places = fGetPlaceCount();
    for (int32_t p = places - 1; p >= places - fGetLockedCount(); --p) fPlaceAndDraw(mLock, fGetPlace(p));
}

float GG_ICON_GRID::fGetPendingTime() const {
    const float play = mIconFps > 0.0f ? static_cast<float>(mIcon.fGetFrames()) / mIconFps : 0.0f;
    return static_cast<float>(mQueued.size()) * (play + mPing);
}

void GG_ICON_GRID::fLoadResources() {
    mIcon.fReloadTexture();
    mLock.fReloadTexture();
    if (mHasBackground) mBackground.fReloadTexture();
    for (auto& icon : mQueued) icon->fReloadTexture();
    for (auto& icon : mShown) icon->fReloadTexture();
}

void GG_ICON_GRID::fReleaseResources() {
    mIcon.fUnloadTexture();
    mLock.fUnloadTexture();
    mBackground.fUnloadTexture();
    for (auto& icon : mQueued) icon->fUnloadTexture();
    for (auto& icon : mShown) icon->fUnloadTexture();
}

}  // namespace game
