#pragma once

#include <cstdint>
#include <string>

namespace KEL {

class G_SPRITE;

// The game's own mouse cursor: a sprite named in a small XML resource (its
// document element's child "file"), drawn with its upper-left corner at the
// mouse position.
class KC_CURSOR {
public:
    KC_CURSOR() = default;
    KC_CURSOR(const KC_CURSOR&) = delete;
    KC_CURSOR& operator=(const KC_CURSOR&) = delete;
    ~KC_CURSOR();

    // False when the resource is missing (nothing changed).
    bool fLoad(const std::string& name);
    void fSetVisible(bool visible) { mVisible = visible ? 1 : 0; }
    bool fIsVisible() const { return mVisible != 0; }
    void fDraw();
    void fReloadTexture();
    void fUnloadTexture();
    G_SPRITE* fGetSprite() const { return mSprite; }

private:
    uint8_t mVisible = 1;
    G_SPRITE* mSprite = nullptr;
};

}  // namespace KEL
