#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/scene/KC_MESH.h"
#include "engine/scene/KE_ANCHOR.h"

namespace KEL {

// The scene's textured rectangle: a texture addressed by its repository
// name, a hot spot, an owned transform, a colour and a size, read from XML.
// Releasing the texture (fUnloadTexture) shows the renderer's default
// texture and keeps name, size and anchor; reloading (fReloadTexture)
// fetches it again by name.
class G_SPRITE : public KC_MESH {
public:
    static constexpr float kAUTO_SIZE = -1.0f;

    G_SPRITE();
    explicit G_SPRITE(const std::string& textureName);
    explicit G_SPRITE(const pugi::xml_node& node);
    G_SPRITE(const G_SPRITE& other);
    G_SPRITE& operator=(const G_SPRITE& other);
    virtual ~G_SPRITE();

    // The sprite XML: children "FILE", "HOT_SPOT", "POS", "TRANSFORM",
    // "COLOR", "SIZE", each optional, applied in that order.
    virtual void fRead(const pugi::xml_node& node);
    // Only while on the default texture and with a name.
    virtual void fReloadTexture();
    // Only while holding an own texture.
    virtual void fUnloadTexture();

    void fSetup(KC_TEXTURE* texture);
    bool fHasOwnTexture() const;
    void fSetTextureName(const std::string& name);
    const std::string& fGetTextureName() const { return mTextureName; }

    void fSetHotSpot(int32_t anchor, float dx = 0.0f, float dy = 0.0f);
    int32_t fGetHotSpot() const { return mHotSpot; }
    void fSetWidth(float w);
    void fSetHeight(float h);
    void fSetSize(float w, float h);
    float fGetWidth() const { return mWidth; }
    float fGetHeight() const { return mHeight; }
    void fSetX(float x);
    void fSetY(float y);

    void fSetCornerUV(float a, float b, float c, float d);
    void fResetUV();
    // Texture coordinates of a grid cell; the size is not changed. A grid
    // with no columns or rows changes nothing.
    void fSetFrame(int32_t columns, int32_t rows, int32_t index);
    void fSetUVPixels(int32_t x0, int32_t y0, int32_t x1, int32_t y1);

    // The absolute transform as world matrix, then queued.
    void fDrawWith();
    // Whether the mouse lies in the sprite's unrotated, unscaled box.
    bool fHitTest() const;
    // Frees the current transform when owned; the new one is borrowed.
    void fReplaceTransform(KS_TRANSFORM3* t);

    // The renderer's default texture (null without a renderer).
    static KC_TEXTURE* fDefaultTexture();

protected:
    void fCopyFrom(const G_SPRITE& other);
    void fRelease();
    void fApplyHotSpot();
    void fSetVertexBox(float w, float h);

    std::string mTextureName;
    float mWidth = kAUTO_SIZE;
    float mHeight = kAUTO_SIZE;
    int32_t mHotSpot = kANCHOR_CENTRE;
    uint8_t mOwnsTransform = 1;
};

}  // namespace KEL
