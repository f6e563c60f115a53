#include "engine/resources/KC_RESOURCE.h"

#include <pugixml.hpp>

#include "SERVICE/KS_RESULT.h"
#include "engine/resources/KS_RESOURCE_CONVERTERS.h"

namespace KEL {

KC_RESOURCE::~KC_RESOURCE() {
    // Only the repository's own memory: the renderer and the audio system may
    // already be gone when the last records die at shutdown.
    if (mKind == kBytes || mKind == kRaw) {
        delete[] static_cast<uint8_t*>(mData);
    } else if (mKind == kXml) {
        delete static_cast<pugi::xml_document*>(mData);
    }
    delete[] mSoundBytes;
}

KC_RESOURCE* KC_RESOURCE::fCreate(const std::string& name) {
    KC_RESOURCE* record = new KC_RESOURCE();
    record->mName = name;
    return record;
}

void KC_RESOURCE::fDropBytes() {
    if (mKind == kBytes) delete[] static_cast<uint8_t*>(mData);
    mData = nullptr;
    mSize = 0;
    mKind = kNothing;
    mLoaded = 0;
}

int32_t KC_RESOURCE::fUnload() {
    if (mUses > 0) return KS_RESULT::kNOTHING;
    if (mLoaded) {
        KS_RESOURCE_CONVERTERS& services = KS_RESOURCE_CONVERTERS::fGet();
        switch (mKind) {
            case kTexture:
                if (services.fReleaseTexture) services.fReleaseTexture(static_cast<KC_TEXTURE*>(mData));
                break;
            case kSound:
                // The sound first: it still reads its bytes until removed.
                if (services.fRemoveSound) services.fRemoveSound(static_cast<KC_SOUND*>(mData));
                delete[] mSoundBytes;
                mSoundBytes = nullptr;
                break;
            case kXml: delete static_cast<pugi::xml_document*>(mData); break;
            case kBytes:
            case kRaw: delete[] static_cast<uint8_t*>(mData); break;
            default: break;
        }
    } else if (mKind == kBytes) {
        delete[] static_cast<uint8_t*>(mData);
    }
    mKind = kNothing;
    mSize = 0;
    mUses = 0;
    mData = nullptr;
    mLoaded = 0;
    return KS_RESULT::kOK;
}

bool KC_RESOURCE::fTouch() {
    mMarked = 1;
    return !mLoaded;
}

bool KC_RESOURCE::fRelease() {
    mUses -= 1;
    return mUses < 1;
}

}  // namespace KEL
