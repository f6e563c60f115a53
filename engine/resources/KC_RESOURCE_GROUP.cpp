#include "engine/resources/KC_RESOURCE_GROUP.h"

#include "engine/resources/KC_RESOURCE.h"

namespace KEL {

KC_RESOURCE_GROUP::KC_RESOURCE_GROUP(const std::string& name, const std::string& password)
    : mName(name), mPassword(password) {}

KC_RESOURCE_GROUP::~KC_RESOURCE_GROUP() {
    for (auto& entry : mResources) delete entry.second;
}

bool KC_RESOURCE_GROUP::fAnyLoaded() const {
    for (const auto& entry : mResources)
        if (entry.second->mLoaded) return true;
    return false;
}

}  // namespace KEL
