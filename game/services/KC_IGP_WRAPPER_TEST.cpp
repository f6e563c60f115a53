#include "game/services/KC_IGP_WRAPPER_TEST.h"

#include "game/services/KC_IGP_DELEGATE.h"
#include "game/services/KC_STORE.h"

namespace KEL {

void KC_IGP_WRAPPER_TEST::fRequestProducts() {
    if (!mStore) return;
    for (KS_STORE_PRODUCT& product : mStore->fGetProducts()) {
        product.mAvailable = 1;
        product.mPriceText = "TEST";
        product.mPrice = 0.0;
    }
    if (KC_IGP_DELEGATE* delegate = mStore->fGetDelegate()) delegate->fOnProductsReady();
}

void KC_IGP_WRAPPER_TEST::fPurchase(const std::string& productId) {
    if (!mStore) return;
    KC_IGP_DELEGATE* delegate = mStore->fGetDelegate();
    const int32_t index = mStore->fFindByProductId(productId);
    if (index < 0 || !delegate) return;
    // A copy: the delegate may reload the store while it handles the purchase.
    const KS_STORE_PRODUCT product = mStore->fGetProducts()[static_cast<size_t>(index)];
    delegate->fOnPurchaseStarted();
    delegate->fOnPurchaseSuccess(product);
    delegate->fOnPurchaseResult(nullptr, 1);
}

}  // namespace KEL
