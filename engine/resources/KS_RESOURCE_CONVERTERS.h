#pragma once

#include <cstdint>

namespace KEL {

class KC_TEXTURE;
class KC_SOUND;

// How the repository turns bytes into textures and sounds, and gives them
// back. Filled by default from the renderer and audio services when they
// exist; tests fill it with their own functions. A null function means the
// service is absent: textures then stay the default, sounds stay null.
struct KS_RESOURCE_CONVERTERS {
    // A texture from image bytes; the default texture (or null) on failure.
    KC_TEXTURE* (*fLoadTexture)(const uint8_t* bytes, uint32_t size) = nullptr;
    // A texture that keeps the bytes and decodes them when first drawn; null
    // means pictures are always decoded at once.
    KC_TEXTURE* (*fLoadTextureLater)(const uint8_t* bytes, uint32_t size) = nullptr;
    int32_t (*fReleaseTexture)(KC_TEXTURE* texture) = nullptr;
    KC_TEXTURE* (*fDefaultTexture)() = nullptr;
    // A sound that reads from the bytes without copying them; null on failure.
    KC_SOUND* (*fCreateSound)(const uint8_t* bytes, uint32_t size, int32_t bufferCount, bool whole);
    int32_t (*fRemoveSound)(KC_SOUND* sound);

    // Sounds go to the audio service (kcAUDIO) while it exists.
    KS_RESOURCE_CONVERTERS();

    // Back to the defaults.
    void fReset() { *this = KS_RESOURCE_CONVERTERS(); }

    // The converters in use (one per process).
    static KS_RESOURCE_CONVERTERS& fGet();
};

}  // namespace KEL
