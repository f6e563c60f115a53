#pragma once

#include <string>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"

// How scene objects get textures by name from the repository and give them
// back. The repository hands textures out as opaque keys; these helpers are
// the one place that turns them into the renderer's texture records.
namespace KEL {

namespace detail {
template <class R, class K>
K fKeyOf(R (KC_REPOSITORY::*)(K));
using KS_TEXTURE_KEY = decltype(fKeyOf(&KC_REPOSITORY::fReleaseTexture));
}  // namespace detail

// The renderer's default texture; null without a renderer.
inline KS_TEXTURE* fSceneDefaultTexture() {
    KC_RENDER* render = KC_RENDER::fCurrent();
    return render ? render->fGetDefaultTexture() : nullptr;
}

// One use of the named texture; the default texture when it is unknown or
// there is no repository.
inline KS_TEXTURE* fAcquireTexture(const std::string& name) {
    KS_TEXTURE* texture = kcREPOSITORY ? reinterpret_cast<KS_TEXTURE*>(kcREPOSITORY->fGetTexture(name)) : nullptr;
    return texture ? texture : fSceneDefaultTexture();
}

// Gives one use back (the repository ignores the default texture).
inline void fGiveBackTexture(KS_TEXTURE* texture) {
    if (kcREPOSITORY && texture) kcREPOSITORY->fReleaseTexture(reinterpret_cast<detail::KS_TEXTURE_KEY>(texture));
}

}  // namespace KEL
