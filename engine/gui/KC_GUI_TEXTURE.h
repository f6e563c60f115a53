#pragma once

#include <string>

namespace KEL {

class KC_TEXTURE;

// A texture a widget knows by its repository name and holds at most one use
// of: taken on the widget's reload pass, given back on its release pass and
// at destruction, so reload and release may alternate any number of times.
class KC_GUI_TEXTURE {
public:
    KC_GUI_TEXTURE() = default;
    explicit KC_GUI_TEXTURE(std::string name) : mName(std::move(name)) {}
    KC_GUI_TEXTURE(const KC_GUI_TEXTURE&) = delete;
    KC_GUI_TEXTURE& operator=(const KC_GUI_TEXTURE&) = delete;
    ~KC_GUI_TEXTURE() { fRelease(); }

    const std::string& fGetName() const { return mName; }
    // Gives a held use back first.
    void fSetName(const std::string& name);

    // One use by name unless one is held already; the renderer's default
    // texture when the name is unknown (or null without a renderer).
    KC_TEXTURE* fAcquire();
    // Gives the held use back; true when one was held.
    bool fRelease();
    // The held texture, else the renderer's default texture.
    KC_TEXTURE* fGet() const;
    bool fHolds() const { return mTexture != nullptr; }

private:
    std::string mName;
    KC_TEXTURE* mTexture = nullptr;  // one use of the repository's record
};

}  // namespace KEL
