#include "SERVICE/KC_CALLBACK.h"

#include <utility>

#include "SERVICE/KS_RESULT.h"

namespace KEL {

KC_CALLBACK::KC_CALLBACK(KF_CALLBACK function, std::string name, void* user)
    : mUser(user), mName(std::move(name)), mFunction(function) {}

KC_CALLBACK* KC_CALLBACK::fCreate(KF_CALLBACK function, const char* name, void* user) {
    return new KC_CALLBACK(function, name ? name : "", user);
}

int32_t KC_CALLBACK::fCall(const KC_CALLBACK* record, void* argument) {
    if (!record) return KS_RESULT::kMISSING;
    if (!record->mFunction) return KS_RESULT::kNOTHING;
    return record->mFunction(argument ? argument : record->mUser);
}

}  // namespace KEL
