#include "engine/gui/KC_GUI_TEXTURE.h"

#include "engine/scene/KF_SCENE_TEXTURES.h"

namespace KEL {

void KC_GUI_TEXTURE::fSetName(const std::string& name) {
    fRelease();
    mName = name;
}

KC_TEXTURE* KC_GUI_TEXTURE::fAcquire() {
    if (mTexture) return mTexture;
    KC_TEXTURE* texture = fAcquireTexture(mName);
    // The default texture is nobody's use: nothing to hold or give back.
    if (texture != fSceneDefaultTexture()) mTexture = texture;
    return texture;
}

bool KC_GUI_TEXTURE::fRelease() {
    if (!mTexture) return false;
    fGiveBackTexture(mTexture);
    mTexture = nullptr;
    return true;
}

KC_TEXTURE* KC_GUI_TEXTURE::fGet() const { return mTexture ? mTexture : fSceneDefaultTexture(); }

}  // namespace KEL
