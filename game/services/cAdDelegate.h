#pragma once

#include "game/services/KC_AD_DELEGATE.h"

namespace KEL {
class KC_ADS;
}

namespace game {

// The game's answer to ad reports: it asks the ad layer about the
// placements it shows. With no ad service behind the layer these queries
// change nothing.
class cAdDelegate : public KEL::KC_AD_DELEGATE {
public:
    explicit cAdDelegate(const KEL::KC_ADS& ads) : mAds(ads) {}

    void fOnAdState(const KEL::KS_AD_PLACEMENT* placement, int32_t state) override;
    void fOnAdEnable(const KEL::KS_AD_PLACEMENT* placement, int32_t state) override;
    void fOnAdFallback(const KEL::KS_AD_PLACEMENT* placement, int32_t state) override;

private:
    const KEL::KC_ADS& mAds;
};

}  // namespace game
