#include "engine/gui/KF_GUI_SPRITES.h"

#include "engine/gui/KC_GUI_TEXTURE.h"
#include "engine/gui/KS_HIT_AREA.h"
#include "engine/scene/KF_SCENE_TEXTURES.h"

namespace KEL {

std::unique_ptr<KC_QUAD> fMakeSprite(KC_TEXTURE* texture, KS_TRANSFORM3* transform) {
    auto sprite = std::make_unique<KC_QUAD>();
    sprite->fInit(texture, transform);
    // Without a texture the set-up above leaves the quad unplaced.
    if (!sprite->fGetTransform() || (transform && sprite->fGetTransform() != transform))
        sprite->fSetTransform(transform);
    return sprite;
}

std::unique_ptr<KC_QUAD> fMakeStripSprite(KC_TEXTURE* texture, KS_TRANSFORM3* transform, int32_t frames,
                                          int32_t index) {
    auto sprite = fMakeSprite(texture, transform);
    if (frames < 1) frames = 1;
    const int32_t frameWidth = static_cast<int32_t>(sprite->fGetWidth() * (1.0f / static_cast<float>(frames)));
    sprite->fSetSizeF(static_cast<float>(frameWidth), sprite->fGetHeight());
    sprite->fSetHotSpot(kANCHOR_CENTRE);
    sprite->fSetFrame(frames, 1, index, false);
    return sprite;
}

void fShowFrame(KC_QUAD* sprite, int32_t frames, int32_t index) {
    if (sprite) sprite->fSetFrame(frames, 1, index, false);
}

void fFitArea(KS_HIT_AREA& area, const KC_QUAD& sprite) {
    area.fSet(KS_HIT_AREA::kRECT, sprite.fGetTransform(), sprite.fGetWidth(), sprite.fGetHeight());
}

void fReloadSprite(KC_QUAD* sprite, KC_GUI_TEXTURE& texture) {
    KC_TEXTURE* taken = texture.fAcquire();
    if (sprite && taken) sprite->fSetTexture(taken);
}

void fReleaseSprite(KC_QUAD* sprite, KC_GUI_TEXTURE& texture) {
    if (!sprite || !texture.fRelease()) return;
    if (KC_TEXTURE* fallback = fSceneDefaultTexture()) sprite->fSetTexture(fallback);
}

float fSpriteWidth(const KC_QUAD* sprite) { return sprite ? sprite->fGetWidth() : 0.0f; }
float fSpriteHeight(const KC_QUAD* sprite) { return sprite ? sprite->fGetHeight() : 0.0f; }

}  // namespace KEL
