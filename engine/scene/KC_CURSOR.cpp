#include "engine/scene/KC_CURSOR.h"

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_INPUT.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/scene/KE_ANCHOR.h"

namespace KEL {

KC_CURSOR::~KC_CURSOR() { delete mSprite; }

bool KC_CURSOR::fLoad(const std::string& name) {
    if (!kcREPOSITORY) return false;
    pugi::xml_document* document = kcREPOSITORY->fGetXml(name);
    if (!document) return false;
    const std::string file = document->document_element().child("file").child_value();
    if (mSprite) {
        mSprite->fSetTextureName(file);
    } else {
        mSprite = new G_SPRITE(file);
        mSprite->fSetHotSpot(kANCHOR_TOP_LEFT, 0.0f, 0.0f);
    }
    kcREPOSITORY->fReleaseXml(document);
    return true;
}

void KC_CURSOR::fDraw() {
    if (!mVisible || !mSprite || !kcINPUT) return;
    const KS_POINT& mouse = kcINPUT->fGetMousePosition();
    mSprite->fDrawAt(float(mouse.x), float(mouse.y), 0.0f, 1.0f, 1.0f);
}

void KC_CURSOR::fReloadTexture() {
    if (mSprite) mSprite->fReloadTexture();
}

void KC_CURSOR::fUnloadTexture() {
    if (mSprite) mSprite->fUnloadTexture();
}

}  // namespace KEL
