#include "engine/resources/KC_FONT_LIST.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/resources/KC_FONT.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KS_RESOURCE_CONVERTERS.h"

namespace KEL {

KC_FONT_LIST::~KC_FONT_LIST() { fDeleteAll(); }

int32_t KC_FONT_LIST::fRead(const std::string& resource) {
    if (!kcREPOSITORY) return KS_RESULT::kNOTHING;
    pugi::xml_document* document = kcREPOSITORY->fGetXml(resource);
    if (!document) return KS_RESULT::kNOTHING;
    const pugi::xml_node fonts = document->child("fonts");
    if (!fonts) {
        kcREPOSITORY->fReleaseXml(document);
        return KS_RESULT::kNOTHING;
    }
    const int32_t result = fReadFont(fonts);
    kcREPOSITORY->fReleaseXml(document);
    return result;
}

int32_t KC_FONT_LIST::fReadFont(const pugi::xml_node& fonts) {
    if (!kcREPOSITORY) return KS_RESULT::kOK;
    for (pugi::xml_node child : fonts.children()) {
        if (child.type() != pugi::node_element) continue;
        const pugi::xml_attribute name = child.attribute("name");
        const pugi::xml_attribute texture = child.attribute("texture");
        const pugi::xml_attribute xml = child.attribute("xml");
        if (!name || !texture || !xml) continue;
        if (mFonts.count(name.as_string())) continue;
        pugi::xml_document* description = kcREPOSITORY->fGetXml(xml.as_string());
        if (!description) continue;
        KC_TEXTURE* page = kcREPOSITORY->fGetTexture(texture.as_string());
        mFonts[name.as_string()] = new KC_FONT(description->child("font"), page, 600);
        kcREPOSITORY->fReleaseXml(description);
    }
    return KS_RESULT::kOK;
}

KC_FONT* KC_FONT_LIST::fGet(const std::string& name) const {
    auto it = mFonts.find(name);
    return it == mFonts.end() ? nullptr : it->second;
}

bool KC_FONT_LIST::fHas(const std::string& name) const { return mFonts.count(name) != 0; }

void KC_FONT_LIST::fUnload() {
    if (!kcREPOSITORY) return;
    KS_RESOURCE_CONVERTERS& services = KS_RESOURCE_CONVERTERS::fGet();
    KC_TEXTURE* fallback = services.fDefaultTexture ? services.fDefaultTexture() : nullptr;
    for (auto& [name, font] : mFonts) {
        kcREPOSITORY->fReleaseTexture(font->fGetTexture());
        // A font must never keep drawing with a texture the sweep frees.
        font->fSetTexture(fallback);
    }
    kcREPOSITORY->fCountLoaded();
}

void KC_FONT_LIST::fDeleteAll() {
    for (auto& [name, font] : mFonts) delete font;
    mFonts.clear();
}

}  // namespace KEL
