#include "game/services/KC_IGP_WRAPPER_I.h"

namespace KEL {

bool KC_IGP_WRAPPER_I::fInit(const std::string& key, void*, KC_STORE* store) {
    mKey = key;
    mStore = store;
    return true;
}

}  // namespace KEL
