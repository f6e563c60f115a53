#include "game/services/KC_STORE.h"

#include "engine/util/KF_XML.h"
#include "game/services/KC_IGP_WRAPPER_TEST.h"

namespace KEL {

KC_STORE::KC_STORE() : mProvider(std::make_unique<KC_IGP_WRAPPER_TEST>()) {}
KC_STORE::~KC_STORE() = default;

KC_STORE& KC_STORE::fGetInstance() {
    // Never destroyed: the loader thread may still fill it while exit() runs.
    static KC_STORE& instance = *new KC_STORE();
    return instance;
}

void KC_STORE::fSetProvider(std::unique_ptr<KC_IGP_WRAPPER_I> provider) { mProvider = std::move(provider); }

bool KC_STORE::fLoad(const pugi::xml_node& node, const std::string& key, void* window) {
    mProducts.clear();
    for (pugi::xml_node child : node.children()) {
        if (!fIsElement(child)) continue;
        KS_STORE_PRODUCT product;
        product.mName = child.attribute("name").as_string();
        product.mProductId = child.attribute("product_id").as_string();
        product.mType = KS_STORE_PRODUCT::fTypeFromText(child.attribute("type").as_string());
        mProducts.push_back(product);
    }
    if (!mProvider) return true;
    const bool ready = mProvider->fInit(key, window, this);
    mProvider->fRequestProducts();
    return ready;
}

int32_t KC_STORE::fFindByName(const std::string& name) const {
    for (size_t i = 0; i < mProducts.size(); ++i)
        if (mProducts[i].mName == name) return static_cast<int32_t>(i);
    return -1;
}

int32_t KC_STORE::fFindByProductId(const std::string& productId) const {
    for (size_t i = 0; i < mProducts.size(); ++i)
        if (mProducts[i].mProductId == productId) return static_cast<int32_t>(i);
    return -1;
}

const KS_STORE_PRODUCT* KC_STORE::fGetProduct(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= mProducts.size()) return nullptr;
    return &mProducts[static_cast<size_t>(index)];
}

bool KC_STORE::fPurchase(const std::string& name) {
    const KS_STORE_PRODUCT* product = fGetProduct(fFindByName(name));
    if (!product || !product->mAvailable || !mProvider) return false;
    // A copy of the id: the purchase may change the product list.
    const std::string productId = product->mProductId;
    mProvider->fPurchase(productId);
    return true;
}

void KC_STORE::fProviderSlot4() {
    if (mProvider) mProvider->fSlot4();
}

void KC_STORE::fProviderSlot6() {
    if (mProvider) mProvider->fDrawStep();
}

void KC_STORE::fUpdate() {
    if (mProvider) mProvider->fFrameStep();
}

}  // namespace KEL
