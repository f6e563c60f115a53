#pragma once

// GL backend: vertex and index buffers of host/IGraphicsDevice.h.
// Provides: buffers that live in memory, locked one range at a time; each
// draw takes a copy of the bytes it uses into the frame's record, which
// alone goes to GL.
// Does not provide: GL buffer objects of their own, or usage hints.

#include <cstdint>
#include <vector>

#include "host/IGraphicsDevice.h"

namespace host {

class GlBuffer : public GBuffer {
public:
    explicit GlBuffer(uint32_t bytes) : mBytes(bytes, 0) {}
    void* fLock(uint32_t offset, uint32_t size, uint32_t) override {
        if (mLocked || uint64_t(offset) + size > mBytes.size()) return nullptr;
        mLocked = true;
        return mBytes.data() + offset;
    }
    bool fUnlock() override {
        const bool was = mLocked;
        mLocked = false;
        return was;
    }
    uint32_t fSize() const override { return uint32_t(mBytes.size()); }
    const uint8_t* fBytes() const { return mBytes.data(); }
    // An index buffer's contents; its bytes start on the heap's alignment.
    const uint16_t* fIndices() const { return reinterpret_cast<const uint16_t*>(mBytes.data()); }

private:
    std::vector<uint8_t> mBytes;
    bool mLocked = false;
};

}  // namespace host
