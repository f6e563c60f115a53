#include "engine/scene/G_PARTICLES.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/scene/KF_SCENE_TEXTURES.h"

namespace KEL {

namespace {
KC_TEXTURE* fDefaultTexture() { return fSceneDefaultTexture(); }
}  // namespace

G_PARTICLES::G_PARTICLES() : mSystem(new KC_PARTICLE_SYSTEM_EX(fDefaultTexture())) {}

G_PARTICLES::G_PARTICLES(const G_PARTICLES& other)
    : mTextureName(other.mTextureName), mSystem(new KC_PARTICLE_SYSTEM_EX(fDefaultTexture())) {
    mSystem->fCopyParameters(*other.mSystem);
    if (other.fHasOwnTexture()) fReloadTexture();
}

G_PARTICLES::~G_PARTICLES() {
    fUnloadTexture();
    delete mSystem;
}

bool G_PARTICLES::fHasOwnTexture() const {
    return mSystem->fGetTexture() && mSystem->fGetTexture() != fDefaultTexture();
}

void G_PARTICLES::fUnloadTexture() {
    if (!fHasOwnTexture()) return;
    fGiveBackTexture(mSystem->fGetTexture());
    mSystem->fSetTexture(fDefaultTexture());
}

void G_PARTICLES::fReloadTexture() {
    if (fHasOwnTexture() || mTextureName.empty()) return;
    mSystem->fSetTexture(fAcquireTexture(mTextureName));
}

void G_PARTICLES::fRead(const pugi::xml_node& node) {
    if (!node.attribute("texture")) return;
    // A description read over an own texture would lose track of it.
    fUnloadTexture();
    mSystem->fRead(node);
    mTextureName = node.attribute("texture").value();
}

void G_PARTICLES::fLoad(const std::string& name) {
    if (!kcREPOSITORY) return;
    pugi::xml_document* document = kcREPOSITORY->fGetXml(name);
    if (!document) return;
    fRead(document->document_element());
    kcREPOSITORY->fReleaseXml(document);
}

void G_PARTICLES::fReload(const std::string& name) {
    if (fHasOwnTexture()) {
        fUnloadTexture();
        fLoad(name);
        fReloadTexture();
    } else {
        fLoad(name);
    }
}

}  // namespace KEL
