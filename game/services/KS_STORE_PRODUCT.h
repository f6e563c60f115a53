#pragma once

#include <cstdint>
#include <string>

namespace KEL {

// One in-app product; available once the provider has sent its data.
struct KS_STORE_PRODUCT {
    enum : int32_t { kCONSUMABLE = 0, kNON_CONSUMABLE = 1, kUNDEFINED = 2 };

    uint8_t mAvailable = 0;
    int32_t mType = kUNDEFINED;
    std::string mName;
    std::string mProductId;
    std::string mPriceText;
    double mPrice = 0.0;

    // From the first letter: C consumable, N non-consumable, else undefined.
    static int32_t fTypeFromText(const char* text);
};

}  // namespace KEL
