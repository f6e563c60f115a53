#pragma once

#include "game/services/KC_IGP_WRAPPER_I.h"

namespace KEL {

// The provider this platform has: every product is available at the price
// text "TEST", and every purchase succeeds at once.
class KC_IGP_WRAPPER_TEST : public KC_IGP_WRAPPER_I {
public:
    void fRequestProducts() override;
    // Started, succeeded, then the result; nothing without a delegate.
    void fPurchase(const std::string& productId) override;
};

}  // namespace KEL
