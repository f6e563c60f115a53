#pragma once

#include <string>

namespace KEL {

class KC_STORE;

// A purchase provider behind the in-app store. A platform store would sit
// behind this; the program itself carries only the test provider.
class KC_IGP_WRAPPER_I {
public:
    virtual ~KC_IGP_WRAPPER_I() = default;
    // Keeps the key and the store; the window handle is the platform's.
    virtual bool fInit(const std::string& key, void* window, KC_STORE* store);
    // Fills in the products' data, then tells the store's delegate.
    virtual void fRequestProducts() = 0;
    // A provider's own extra action (a restore of purchases, say).
    virtual void fSlot4() {}
    virtual void fPurchase(const std::string& productId) = 0;
    // Drawing while the purchase overlay is up, and the per-frame step.
    virtual void fDrawStep() {}
    virtual void fFrameStep() {}

    const std::string& fGetKey() const { return mKey; }

protected:
    KC_STORE* mStore = nullptr;
    std::string mKey;
};

}  // namespace KEL
