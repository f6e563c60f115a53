#pragma once

#include <cstdint>
#include <string>

namespace KEL {

// One named resource: its bytes once loaded, or the object made from them.
// The data pointer is the key users hand back when they release it.
class KC_RESOURCE {
public:
    enum : uint32_t { kNothing = 0, kBytes = 1, kTexture = 2, kSound = 3, kXml = 4, kRaw = 5 };

    KC_RESOURCE() = default;
    ~KC_RESOURCE();
    KC_RESOURCE(const KC_RESOURCE&) = delete;
    KC_RESOURCE& operator=(const KC_RESOURCE&) = delete;

    static KC_RESOURCE* fCreate(const std::string& name);

    // Frees the data (nothing while uses remain); answers 1 when the record
    // is unloaded afterwards, 0 when it is still in use.
    int32_t fUnload();
    // Marks the record for unloading; true when it holds nothing converted.
    bool fTouch();
    // One use less; true when none is left.
    bool fRelease();

    // Frees loaded bytes that were not converted (kind 1) and clears the
    // record, so a failed conversion leaves nothing dangling.
    void fDropBytes();

    std::string mName;
    std::string mLocation;
    std::string mPassword;
    uint32_t mSize = 0;
    void* mData = nullptr;
    int32_t mUses = 0;
    uint32_t mKind = kNothing;
    uint8_t mLoaded = 0;
    uint8_t mMarked = 0;
    // The bytes a sound decodes from; they must outlive the sound.
    uint8_t* mSoundBytes = nullptr;
};

}  // namespace KEL
