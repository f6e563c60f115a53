#pragma once

#include <cstdint>

namespace KEL {

struct KS_STORE_PRODUCT;

// Who hears what the purchase provider reports.
class KC_IGP_DELEGATE {
public:
    virtual ~KC_IGP_DELEGATE() = default;
    virtual void fOnProductsReady() = 0;
    virtual void fOnPurchaseStarted() = 0;
    // product may be null; flag 1 means the purchase went through.
    virtual void fOnPurchaseResult(const KS_STORE_PRODUCT* product, int32_t flag) = 0;
    virtual void fOnPurchaseSuccess(const KS_STORE_PRODUCT& product) = 0;
};

}  // namespace KEL
