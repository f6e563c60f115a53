#pragma once

// GL backend: a managed texture of host/IGraphicsDevice.h.
// Provides: a CPU copy that may be created, locked, filled and deleted on
// any thread, uploaded on the drawing thread when it changed and then given
// back (the driver keeps the pixels); a stamp no other content ever had, so
// that a frame may be compared with the one on screen; whether the last
// upload is opaque; a framebuffer for a render target's texture.
// Does not provide: mipmaps, formats other than 32-bit colour, or GL calls
// off the drawing thread (deletion is queued on the device).

#include <cstdint>
#include <mutex>
#include <vector>

#include "host/IGraphicsDevice.h"

namespace host {

class GlDevice;

class GlTexture : public GTexture {
public:
    GlTexture(GlDevice* device, int32_t w, int32_t h, uint32_t usage, GFormat format);
    ~GlTexture() override;
    void* fLock(int32_t* pitch) override;
    bool fUnlock() override;
    int32_t fWidth() const override { return mWidth; }
    int32_t fHeight() const override { return mHeight; }
    GFormat fFormat() const override { return mFormat; }
    // A new surface the caller owns; null unless made as a render target.
    GSurface* fGetSurface() override;
    uint64_t fStamp();

    // Drawing thread: the GL name, bound, with the CPU copy uploaded when it
    // changed.
    uint32_t fName();
    // Every texel of the last upload has full alpha.
    bool fIsOpaque();
    // Drawing thread: the framebuffer that draws into this texture.
    uint32_t fFramebuffer();

private:
    GlDevice* mDevice;
    int32_t mWidth, mHeight;
    uint32_t mUsage;
    GFormat mFormat;
    // The pixels, the flags, the GL name and the stamp: guarded by mLock.
    std::vector<uint8_t> mPixels;
    std::mutex mLock;
    bool mLocked = false;
    bool mDirty = true;
    bool mAllocated = false;
    bool mOpaque = false;
    uint32_t mName = 0;         // GL texture
    uint32_t mFramebuffer = 0;  // drawing thread only
    uint64_t mStamp;
};

}  // namespace host
