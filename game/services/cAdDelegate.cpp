#include "game/services/cAdDelegate.h"

#include "game/services/KC_ADS.h"

namespace game {

namespace {
constexpr int32_t kSTATE_CLOSED = 0;
constexpr int32_t kSTATE_SHOWN = 2;
}  // namespace

void cAdDelegate::fOnAdState(const KEL::KS_AD_PLACEMENT*, int32_t state) {
    if (state != kSTATE_SHOWN) return;
    mAds.fIsEnabled();  // for "flurry_top"
    mAds.fIsEnabled();  // for "apple_top"
}

void cAdDelegate::fOnAdEnable(const KEL::KS_AD_PLACEMENT* placement, int32_t state) {
    if (!placement) {
        mAds.fHas("apple_top");
        mAds.fIsReady("apple_top");
        return;
    }
    if (state != kSTATE_SHOWN) return;
    mAds.fHas("apple_top");
    mAds.fHas("flurry_top");
    mAds.fHas("tolvanery_fs");
    mAds.fIsReady("apple_top");
}

void cAdDelegate::fOnAdFallback(const KEL::KS_AD_PLACEMENT* placement, int32_t state) {
    if (!placement) {
        fOnAdEnable(nullptr, state);
        return;
    }
    if (state != kSTATE_CLOSED) return;
    mAds.fIsEnabled();
    mAds.fHas("flurry_top");
    mAds.fIsReady("flurry_top");
}

}  // namespace game
