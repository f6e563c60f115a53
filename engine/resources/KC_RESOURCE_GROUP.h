#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace KEL {

class KC_RESOURCE;

// The records mounted from one resource list (an archive or a folder).
class KC_RESOURCE_GROUP {
public:
    KC_RESOURCE_GROUP(const std::string& name, const std::string& password);
    // Deletes its records.
    ~KC_RESOURCE_GROUP();
    KC_RESOURCE_GROUP(const KC_RESOURCE_GROUP&) = delete;
    KC_RESOURCE_GROUP& operator=(const KC_RESOURCE_GROUP&) = delete;

    // True when one of its records holds converted data.
    bool fAnyLoaded() const;

    std::string mName;
    std::string mPassword;
    std::map<std::string, KC_RESOURCE*> mResources;
    uint8_t mMark = 0;
};

}  // namespace KEL
