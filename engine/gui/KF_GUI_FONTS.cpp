#include "engine/gui/KF_GUI_FONTS.h"

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/resources/KC_FONT.h"
#include "engine/resources/KC_REPOSITORY.h"

namespace KEL {

std::unique_ptr<KC_FONT> fBuildGuiFont(const std::string& descriptionName, KC_TEXTURE* texture, uint32_t capacity) {
    if (!kcREPOSITORY) return nullptr;
    pugi::xml_document* description = kcREPOSITORY->fGetXml(descriptionName);
    if (!description) return nullptr;
    std::unique_ptr<KC_FONT> font;
    const pugi::xml_node element = description->child("font");
    if (element) font = std::make_unique<KC_FONT>(element, texture, capacity);
    kcREPOSITORY->fReleaseXml(description);
    return font;
}

}  // namespace KEL
