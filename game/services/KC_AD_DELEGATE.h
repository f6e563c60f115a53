#pragma once

#include <cstdint>

namespace KEL {

struct KS_AD_PLACEMENT;

// Who hears what an ad service reports about a placement (which may be null).
class KC_AD_DELEGATE {
public:
    virtual ~KC_AD_DELEGATE() = default;
    virtual void fOnAdState(const KS_AD_PLACEMENT* placement, int32_t state) = 0;
    virtual void fOnAdEnable(const KS_AD_PLACEMENT* placement, int32_t state) = 0;
    virtual void fOnAdFallback(const KS_AD_PLACEMENT* placement, int32_t state) = 0;
};

}  // namespace KEL
