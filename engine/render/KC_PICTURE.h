#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace KEL {

class KC_RENDER;
class KC_TEXTURE;

// A picture decoded from a plain file before it becomes a texture: decoding
// needs no renderer, so a start-up may decode on a thread of its own while
// the window and the renderer are still being made, and make the texture
// once they exist. Holds the pixels as packed colours (0xAARRGGBB).
class KC_PICTURE {
public:
    // Any thread. False (and no pixels) for a missing or unreadable file.
    bool fDecodeFile(const std::string& path);
    // A texture of the picture's size and pixels, made by the renderer (on
    // any thread, as the renderer allows); null without pixels or when the
    // renderer cannot make one.
    KC_TEXTURE* fMakeTexture(KC_RENDER& render) const;

    bool fIsDecoded() const { return !mPixels.empty(); }
    int32_t fGetWidth() const { return mWidth; }
    int32_t fGetHeight() const { return mHeight; }

private:
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    std::vector<uint32_t> mPixels;
};

}  // namespace KEL
