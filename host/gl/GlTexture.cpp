// GL backend: managed textures; see GlTexture.h.
#include "host/gl/GlTexture.h"

#include <atomic>

#include "host/gl/GlDeviceImpl.h"
#include "host/gl/GlSurface.h"

namespace host {

namespace {

// Every content a texture holds gets a number no other texture's content
// ever had, so that a frame may be compared with the one on screen.
std::atomic<uint64_t> gNextStamp{1};

}  // namespace

GlTexture::GlTexture(GlDevice* device, int32_t w, int32_t h, uint32_t usage, GFormat format)
    : mDevice(device),
      mWidth(w),
      mHeight(h),
      mUsage(usage),
      mFormat(format),
      mPixels(size_t(w) * h * 4, 0),
      mStamp(gNextStamp++) {}

GlTexture::~GlTexture() {
    if (mName || mFramebuffer)
        mDevice->fQueueDelete(mName, 0, mFramebuffer, mAllocated ? size_t(mWidth) * size_t(mHeight) * 4 : 0);
}

void* GlTexture::fLock(int32_t* pitch) {
    std::lock_guard<std::mutex> guard(mLock);
    if (mLocked) return nullptr;
    mLocked = true;
    // The copy went with the last upload: the caller writes afresh.
    if (mPixels.empty()) mPixels.assign(size_t(mWidth) * size_t(mHeight) * 4, 0);
    if (pitch) *pitch = mWidth * 4;
    return mPixels.data();
}

bool GlTexture::fUnlock() {
    std::lock_guard<std::mutex> guard(mLock);
    const bool was = mLocked;
    mLocked = false;
    if (was) {
        mDirty = true;
        mStamp = gNextStamp++;
    }
    return was;
}

GSurface* GlTexture::fGetSurface() { return (mUsage & kUSAGE_RENDERTARGET) ? new GlSurface(this) : nullptr; }

uint64_t GlTexture::fStamp() {
    std::lock_guard<std::mutex> guard(mLock);
    return mStamp;
}

// The copy is given back after the upload: the driver keeps the pixels.
uint32_t GlTexture::fName() {
    std::lock_guard<std::mutex> guard(mLock);
    if (!mName) {
        glGenTextures(1, &mName);
        glBindTexture(GL_TEXTURE_2D, mName);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
        mDirty = true;
        mAllocated = false;
    } else {
        glBindTexture(GL_TEXTURE_2D, mName);
    }
    if (mDirty && !mLocked) {
        const GLenum layout = mFormat == GFormat::ARGB8 ? GL_BGRA : GL_RGBA;
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        if (!mAllocated) {
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, mWidth, mHeight, 0, layout, GL_UNSIGNED_BYTE,
                         mPixels.empty() ? nullptr : mPixels.data());
            mAllocated = true;
        } else {
            glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, mWidth, mHeight, layout, GL_UNSIGNED_BYTE, mPixels.data());
        }
        mDirty = false;
        // Alpha is the fourth byte in both layouts.
        mOpaque = !mPixels.empty() && !(mUsage & kUSAGE_RENDERTARGET);
        for (size_t i = 3; mOpaque && i < mPixels.size(); i += 4) mOpaque = mPixels[i] == 0xFF;
        std::vector<uint8_t>().swap(mPixels);
    }
    return mName;
}

bool GlTexture::fIsOpaque() {
    std::lock_guard<std::mutex> guard(mLock);
    return mOpaque;
}

uint32_t GlTexture::fFramebuffer() {
    if (!mFramebuffer) {
        const GLuint colour = fName();
        glGenFramebuffers(1, &mFramebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
    }
    return mFramebuffer;
}

}  // namespace host
