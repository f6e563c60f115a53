#pragma once

#include <cstdint>
#include <string>

namespace KEL {

// Where an ad may show and which service fills it.
struct KS_AD_PLACEMENT {
    enum : int32_t { kAPPLE = 0, kFLURRY = 1, kTOLVANERY = 2, kNO_PROVIDER = 3 };
    enum : int32_t { kTOP = 1, kBOTTOM = 2, kFULL_SCREEN = 3, kNO_LOCATION = 4 };

    std::string mName;
    int32_t mProvider = kNO_PROVIDER;
    int32_t mLocation = kNO_LOCATION;

    static int32_t fProviderFromText(const char* text);
    // From the first letter: t top, b bottom, f full screen.
    static int32_t fLocationFromText(const char* text);
};

}  // namespace KEL
