#include "game/board/GG_BASE_CONTROL.h"

#include <string>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "game/product/GG_ERROR.h"

namespace game {

GG_BASE_CONTROL::GG_BASE_CONTROL() = default;

GG_BASE_CONTROL::~GG_BASE_CONTROL() = default;

void GG_BASE_CONTROL::fDraw() {
    if (mBackground) mBackground->fDrawWith();
}

KEL::KS_MOUSE_RESULT GG_BASE_CONTROL::fOnMouseDown(int32_t) { return KEL::KS_MOUSE_RESULT::fNotTaken(); }

KEL::KS_MOUSE_RESULT GG_BASE_CONTROL::fOnMouseUp(int32_t) { return KEL::KS_MOUSE_RESULT::fNotTaken(); }

void GG_BASE_CONTROL::fOnResize() {
    if (mHasAuto) mTransform.fSetAuto(mTransform.mAutoX, mTransform.mAutoY);
}

void GG_BASE_CONTROL::fLoadResources() {
    if (mResourcesLoaded) return;
    if (mBackground) mBackground->fReloadTexture();
    mResourcesLoaded = 1;
}

void GG_BASE_CONTROL::fReleaseResources() {
    if (mBackground) mBackground->fUnloadTexture();
    mResourcesLoaded = 0;
}

bool GG_BASE_CONTROL::fLoad(const pugi::xml_node& node) {
    if (!node) return false;
    if (const pugi::xml_node transform = node.child("TRANSFORM")) {
        mTransform.fLoad(transform);
        mHasAuto = transform.attribute("auto_x") || transform.attribute("auto_y") ? 1 : 0;
    }
    mBackground.reset();
    if (const pugi::xml_node background = node.child("background")) {
        mBackground = std::make_unique<KEL::G_SPRITE>(background);
        fAttach(*mBackground);
    }
    return true;
}

bool GG_BASE_CONTROL::fLoadFile(const char* file) {
    const std::string name = std::string(kFOLDER) + " " + file;
    pugi::xml_document* doc = KEL::kcREPOSITORY ? KEL::kcREPOSITORY->fGetXml(name) : nullptr;
    if (!doc) {
        GG_ERROR::fFail("Board control file missing: " + name);
        return false;
    }
    const bool loaded = fLoad(doc->document_element());
    KEL::kcREPOSITORY->fReleaseXml(doc);
    if (!loaded) GG_ERROR::fFail("Board control file unreadable: " + name);
    return loaded;
}

void GG_BASE_CONTROL::fAttach(KEL::G_SPRITE& sprite) {
    if (KEL::KS_TRANSFORM3* t = sprite.fGetTransform()) t->mParent = &mTransform;
}

}  // namespace game
