#include "game/board/GG_ELEMENT.h"

namespace game {

GG_ELEMENT::GG_ELEMENT(int32_t type, int32_t row, int32_t column)
    : mRow(row), mColumn(column), mType(type), mShownState(type == kFIXED ? kFIXED : kCLOSED) {}

GG_ELEMENT::~GG_ELEMENT() = default;

void GG_ELEMENT::fPlace(const KEL::KS_VEC2& centre, const KEL::KS_VEC2& size) {
    mTransform.fSetPos(centre.x, centre.y, 0.0f);
    mRectSize = size;
    mRectPosition.x = static_cast<int32_t>(centre.x - size.x * 0.5f);
    mRectPosition.y = static_cast<int32_t>(centre.y - size.y * 0.5f);
}

int32_t GG_ELEMENT::fRevealWithFill(float delay) { return fReveal(true, delay); }

int32_t GG_ELEMENT::fRevealWithCross(float delay) { return fReveal(false, delay); }

int32_t GG_ELEMENT::fReveal(bool fill, float delay) {
    if (fIsRevealed() || mType == kFIXED) return 0;
    mRevealDelay = delay;
    mShownState = mType;
    if (delay == 0.0f) fSetShownState(mType);
    const bool right = fill ? mType == kFULL : mType == kEMPTY;
    return right ? 1 : 2;
}

bool GG_ELEMENT::fContains(const KEL::KS_POINT& pointer) const {
    const float x = static_cast<float>(pointer.x);
    const float y = static_cast<float>(pointer.y);
    const float left = static_cast<float>(mRectPosition.x);
    const float top = static_cast<float>(mRectPosition.y);
    return x >= left && x <= left + mRectSize.x && y >= top && y <= top + mRectSize.y;
}

int32_t GG_ELEMENT::fHitTestAt(int32_t button, const KEL::KS_POINT& pointer) const {
    if (mBlocked || (button != 1 && button != 2)) return 0;
    return fContains(pointer) ? -109 : 0;
}

void GG_ELEMENT::fStartShine() { mShineStarted = 1; }

void GG_ELEMENT::fSetShownState(int32_t state) { mShownState = state; }

void GG_ELEMENT::fUpdate(float delta) {
    if (mRevealDelay <= 0.0f) return;
    mRevealDelay -= delta;
    if (mRevealDelay <= 0.0f) fSetShownState(mType);
}

}  // namespace game
