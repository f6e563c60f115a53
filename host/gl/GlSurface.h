#pragma once

// GL backend: a render target of host/IGraphicsDevice.h.
// Provides: the texture drawn into, or none for the window's picture.
// Does not provide: ownership of the texture, or depth and stencil of its own.

#include "host/IGraphicsDevice.h"

namespace host {

class GlTexture;

class GlSurface : public GSurface {
public:
    explicit GlSurface(GlTexture* texture) : mTexture(texture) {}
    GlTexture* mTexture;  // null: the window's back buffer
};

}  // namespace host
