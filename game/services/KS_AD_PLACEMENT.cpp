#include "game/services/KS_AD_PLACEMENT.h"

#include <cstring>

namespace KEL {

int32_t KS_AD_PLACEMENT::fProviderFromText(const char* text) {
    if (!text) return kNO_PROVIDER;
    if (std::strcmp(text, "apple") == 0) return kAPPLE;
    if (std::strcmp(text, "flurry") == 0) return kFLURRY;
    if (std::strcmp(text, "tolvanery") == 0) return kTOLVANERY;
    return kNO_PROVIDER;
}

int32_t KS_AD_PLACEMENT::fLocationFromText(const char* text) {
    switch (text ? text[0] : '\0') {
        case 't': return kTOP;
        case 'b': return kBOTTOM;
        case 'f': return kFULL_SCREEN;
        default: return kNO_LOCATION;
    }
}

}  // namespace KEL
