#pragma once

#include <string>

#include <pugixml.hpp>

#include "engine/scene/KC_PARTICLE_SYSTEM_EX.h"

namespace KEL {

// A particle effect of the scene: an extended particle system with its
// texture's repository name and its XML description. A copy takes its own
// use of the texture, so every copy gives back exactly what it took.
class G_PARTICLES {
public:
    G_PARTICLES();
    G_PARTICLES(const G_PARTICLES& other);
    G_PARTICLES& operator=(const G_PARTICLES&) = delete;
    virtual ~G_PARTICLES();

    void fUpdate() { mSystem->fUpdate(); }
    void fDraw() { mSystem->fDraw(); }
    void fSetAreaCentre(float x, float y) { mSystem->fSetAreaCentre(x, y); }
    // Gives the own texture back; the system shows the default texture.
    void fUnloadTexture();
    // Fetches the texture by name while on the default texture.
    void fReloadTexture();
    bool fHasOwnTexture() const;
    void fRead(const pugi::xml_node& node);
    // Reads the document element of the named XML resource, when it exists.
    void fLoad(const std::string& name);
    void fReload(const std::string& name);

    KC_PARTICLE_SYSTEM_EX* fGetSystem() const { return mSystem; }
    const std::string& fGetTextureName() const { return mTextureName; }

private:
    std::string mTextureName;
    KC_PARTICLE_SYSTEM_EX* mSystem;
};

}  // namespace KEL
