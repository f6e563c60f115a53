#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "game/services/KC_IGP_WRAPPER_I.h"
#include "game/services/KS_STORE_PRODUCT.h"

namespace KEL {

class KC_IGP_DELEGATE;

// The in-app store: the products the edition sells and the provider that
// sells them. Set the delegate before loading: the provider reports the
// products' data during the load. Main thread only, apart from the load on
// the loader thread before the main thread uses the store.
class KC_STORE {
public:
    // Starts with the test provider.
    KC_STORE();
    ~KC_STORE();
    KC_STORE(const KC_STORE&) = delete;
    KC_STORE& operator=(const KC_STORE&) = delete;

    static KC_STORE& fGetInstance();

    // One product per child element ("name", "product_id", "type"); then the
    // provider is given the key and asked for the products' data.
    bool fLoad(const pugi::xml_node& node, const std::string& key, void* window);
    void fSetDelegate(KC_IGP_DELEGATE* delegate) { mDelegate = delegate; }
    KC_IGP_DELEGATE* fGetDelegate() const { return mDelegate; }
    // Replaces the provider (null leaves the store without one).
    void fSetProvider(std::unique_ptr<KC_IGP_WRAPPER_I> provider);

    // Index of the product, or -1.
    int32_t fFindByName(const std::string& name) const;
    int32_t fFindByProductId(const std::string& productId) const;
    const KS_STORE_PRODUCT* fGetProduct(int32_t index) const;
    std::vector<KS_STORE_PRODUCT>& fGetProducts() { return mProducts; }
    // False for a product that is not listed or not available yet.
    bool fPurchase(const std::string& name);

    bool fHasProvider() const { return mProvider != nullptr; }
    void fProviderSlot4();
    void fProviderSlot6();
    // The provider's per-frame step.
    void fUpdate();

private:
    std::vector<KS_STORE_PRODUCT> mProducts;
    KC_IGP_DELEGATE* mDelegate = nullptr;  // not owned
    std::unique_ptr<KC_IGP_WRAPPER_I> mProvider;
};

}  // namespace KEL
