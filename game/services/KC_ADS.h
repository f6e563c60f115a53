#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "game/services/KS_AD_PLACEMENT.h"

namespace KEL {

class KC_AD_DELEGATE;

// The ad placements of a free edition on a mobile platform. No ad service
// exists behind them here: nothing enables the layer on this platform and
// no placement is ever loaded, so every query answers no.
class KC_ADS {
public:
    KC_ADS();
    ~KC_ADS();
    KC_ADS(const KC_ADS&) = delete;
    KC_ADS& operator=(const KC_ADS&) = delete;

    // True and nothing read while the layer is not enabled; otherwise one
    // placement per child with a known provider and location.
    bool fLoad(const pugi::xml_node& node);
    void fSetDelegate(KC_AD_DELEGATE* delegate) { mDelegate = delegate; }
    KC_AD_DELEGATE* fGetDelegate() const { return mDelegate; }
    // The platform layer's switch.
    void fSetEnabled(bool enabled) { mEnabled = enabled ? 1 : 0; }

    const KS_AD_PLACEMENT* fFind(const std::string& name) const;
    bool fIsEnabled() const { return mEnabled != 0; }
    bool fHas(const std::string& name) const;
    bool fIsReady(const std::string& name) const;
    uint32_t fGetCount() const { return static_cast<uint32_t>(mPlacements.size()); }

private:
    uint8_t mEnabled = 0;
    uint8_t mLoaded = 0;  // an ad has arrived; no service here sets it
    std::vector<std::unique_ptr<KS_AD_PLACEMENT>> mPlacements;
    KC_AD_DELEGATE* mDelegate = nullptr;  // not owned
};

}  // namespace KEL
