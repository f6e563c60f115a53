#include "engine/resources/KS_RESOURCE_CONVERTERS.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/audio/KC_AUDIO.h"

namespace KEL {

namespace {

KC_SOUND* fAudioCreateSound(const uint8_t* bytes, uint32_t size, int32_t bufferCount, bool whole) {
    return kcAUDIO ? kcAUDIO->fCreateSound(bytes, size, bufferCount, whole) : nullptr;
}

int32_t fAudioRemoveSound(KC_SOUND* sound) { return kcAUDIO ? kcAUDIO->fRemoveSound(sound) : -1; }

}  // namespace

KS_RESOURCE_CONVERTERS::KS_RESOURCE_CONVERTERS()
    : fCreateSound(&fAudioCreateSound), fRemoveSound(&fAudioRemoveSound) {}

KS_RESOURCE_CONVERTERS& KS_RESOURCE_CONVERTERS::fGet() {
    // Tests put their own functions here.
    static KS_RESOURCE_CONVERTERS converters;
    return converters;
}

}  // namespace KEL
