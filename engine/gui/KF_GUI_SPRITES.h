#pragma once

#include <cstdint>
#include <memory>

#include "engine/scene/KC_QUAD.h"
#include "engine/scene/KE_ANCHOR.h"

// Sprite building and texture swapping shared by the textured widgets.
namespace KEL {

class KC_GUI_TEXTURE;
class KC_TEXTURE;
struct KS_HIT_AREA;
struct KS_TRANSFORM3;

// A quad over the whole texture, drawn with the given transform (its own
// when null). Without a texture the quad is empty but placed.
std::unique_ptr<KC_QUAD> fMakeSprite(KC_TEXTURE* texture, KS_TRANSFORM3* transform);
// A quad showing one of `frames` equal frames laid side by side: one frame
// in size (width truncated to whole pixels), anchored at its centre.
std::unique_ptr<KC_QUAD> fMakeStripSprite(KC_TEXTURE* texture, KS_TRANSFORM3* transform, int32_t frames, int32_t index);
// Shows frame index of a strip of frames, the size unchanged.
void fShowFrame(KC_QUAD* sprite, int32_t frames, int32_t index);
// A rectangle of the sprite's size on the sprite's transform.
void fFitArea(KS_HIT_AREA& area, const KC_QUAD& sprite);

// The reload and release steps of a built sprite: the texture is taken
// again, or given back with the renderer's default texture shown instead.
void fReloadSprite(KC_QUAD* sprite, KC_GUI_TEXTURE& texture);
void fReleaseSprite(KC_QUAD* sprite, KC_GUI_TEXTURE& texture);

// The sprite's box (0 without a sprite).
float fSpriteWidth(const KC_QUAD* sprite);
float fSpriteHeight(const KC_QUAD* sprite);

}  // namespace KEL
