#pragma once

#include <string>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"

// How scene objects get textures by name from the repository and give them
// back, with or without the services.
namespace KEL {

// The renderer's default texture; null without a renderer.
inline KC_TEXTURE* fSceneDefaultTexture() {
    KC_RENDER* render = KC_RENDER::fCurrent();
    return render ? render->fGetDefaultTexture() : nullptr;
}

// One use of the named texture; the default texture when it is unknown or
// there is no repository.
inline KC_TEXTURE* fAcquireTexture(const std::string& name) {
    KC_TEXTURE* texture = kcREPOSITORY ? kcREPOSITORY->fGetTexture(name) : nullptr;
    return texture ? texture : fSceneDefaultTexture();
}

// Gives one use back (the repository ignores the default texture).
inline void fGiveBackTexture(KC_TEXTURE* texture) {
    if (kcREPOSITORY && texture) kcREPOSITORY->fReleaseTexture(texture);
}

}  // namespace KEL
