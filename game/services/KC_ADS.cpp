#include "game/services/KC_ADS.h"

#include "engine/util/KF_XML.h"

namespace KEL {

KC_ADS::KC_ADS() = default;
KC_ADS::~KC_ADS() = default;

bool KC_ADS::fLoad(const pugi::xml_node& node) {
    if (!mEnabled) return true;
    for (pugi::xml_node child : node.children()) {
        if (!fIsElement(child)) continue;
        auto placement = std::make_unique<KS_AD_PLACEMENT>();
        placement->mName = child.attribute("name").as_string();
        placement->mProvider = KS_AD_PLACEMENT::fProviderFromText(child.attribute("provider").as_string());
        placement->mLocation = KS_AD_PLACEMENT::fLocationFromText(child.attribute("location").as_string());
        if (placement->mProvider == KS_AD_PLACEMENT::kNO_PROVIDER ||
            placement->mLocation == KS_AD_PLACEMENT::kNO_LOCATION)
            continue;
        mPlacements.push_back(std::move(placement));
    }
    return true;
}

const KS_AD_PLACEMENT* KC_ADS::fFind(const std::string& name) const {
    for (const auto& placement : mPlacements)
        if (placement->mName == name) return placement.get();
    return nullptr;
}

bool KC_ADS::fHas(const std::string& name) const { return mEnabled && fFind(name); }

bool KC_ADS::fIsReady(const std::string& name) const { return fHas(name) && mLoaded; }

}  // namespace KEL
