#include "engine/audio/KC_SOUND_BANK.h"

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/resources/KC_REPOSITORY.h"

namespace KEL {

KC_SOUND_BANK::~KC_SOUND_BANK() {
    fReleaseDocument();
    if (!kcREPOSITORY) return;
    for (auto& [name, sound] : mSounds) kcREPOSITORY->fReleaseSound(sound);
}

void KC_SOUND_BANK::fReleaseDocument() {
    if (mDocument && kcREPOSITORY) kcREPOSITORY->fReleaseXml(mDocument);
    mDocument = nullptr;
}

bool KC_SOUND_BANK::fRead(const std::string& resource) {
    if (!kcREPOSITORY) return false;
    pugi::xml_document* document = kcREPOSITORY->fGetXml(resource);
    if (!document) return false;
    const pugi::xml_node sounds = document->child("sounds");
    if (!sounds) {
        kcREPOSITORY->fReleaseXml(document);
        return false;
    }
    // Reading a second document keeps one use, of the latest.
    if (document != mDocument) fReleaseDocument();
    else kcREPOSITORY->fReleaseXml(document);
    mDocument = document;
    fReadSounds(sounds);
    return true;
}

void KC_SOUND_BANK::fReadSounds(const pugi::xml_node& sounds) {
    for (pugi::xml_node child : sounds.children()) {
        const pugi::xml_attribute name = child.attribute("name");
        const pugi::xml_attribute path = child.attribute("path");
        const pugi::xml_attribute buffers = child.attribute("buffcount");
        const pugi::xml_attribute streamed = child.attribute("streamed");
        if (!name || !path || !buffers || !streamed) continue;
        if (mSounds.count(name.as_string())) continue;
        KC_SOUND* sound = kcREPOSITORY->fGetSound(path.as_string(), streamed.as_bool(), buffers.as_int());
        // Nothing is stored for a sound the repository cannot give, so a
        // later read may try it again.
        if (sound) mSounds[name.as_string()] = sound;
    }
}

KC_SOUND* KC_SOUND_BANK::fFind(const std::string& name) const {
    auto it = mSounds.find(name);
    return it == mSounds.end() ? nullptr : it->second;
}

}  // namespace KEL
