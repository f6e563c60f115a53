#include "game/services/KS_STORE_PRODUCT.h"

namespace KEL {

int32_t KS_STORE_PRODUCT::fTypeFromText(const char* text) {
    switch (text ? text[0] : '\0') {
        case 'C':
        case 'c': return kCONSUMABLE;
        case 'N':
        case 'n': return kNON_CONSUMABLE;
        default: return kUNDEFINED;
    }
}

}  // namespace KEL
