#include "engine/resources/KS_RESOURCE_CONVERTERS.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/audio/KC_AUDIO.h"
#include "engine/render/KC_RENDER.h"

namespace KEL {

namespace {

KC_SOUND* fAudioCreateSound(const uint8_t* bytes, uint32_t size, int32_t bufferCount, bool whole) {
    return kcAUDIO ? kcAUDIO->fCreateSound(bytes, size, bufferCount, whole) : nullptr;
}

int32_t fAudioRemoveSound(KC_SOUND* sound) { return kcAUDIO ? kcAUDIO->fRemoveSound(sound) : -1; }

KC_TEXTURE* fRenderLoadTexture(const uint8_t* bytes, uint32_t size) {
    return kcRENDER ? kcRENDER->fLoadTexture(bytes, size) : nullptr;
}

KC_TEXTURE* fRenderLoadTextureLater(const uint8_t* bytes, uint32_t size) {
    return kcRENDER ? kcRENDER->fLoadTextureLater(bytes, size) : nullptr;
}

int32_t fRenderReleaseTexture(KC_TEXTURE* texture) { return kcRENDER ? kcRENDER->fReleaseTexture(texture) : -1; }

KC_TEXTURE* fRenderDefaultTexture() { return kcRENDER ? kcRENDER->fGetDefaultTexture() : nullptr; }

}  // namespace

KS_RESOURCE_CONVERTERS::KS_RESOURCE_CONVERTERS()
    : fLoadTexture(&fRenderLoadTexture),
      fLoadTextureLater(&fRenderLoadTextureLater),
      fReleaseTexture(&fRenderReleaseTexture),
      fDefaultTexture(&fRenderDefaultTexture),
      fCreateSound(&fAudioCreateSound),
      fRemoveSound(&fAudioRemoveSound) {}

KS_RESOURCE_CONVERTERS& KS_RESOURCE_CONVERTERS::fGet() {
    // Tests put their own functions here.
    static KS_RESOURCE_CONVERTERS converters;
    return converters;
}

}  // namespace KEL
