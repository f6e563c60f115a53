#include "game/progress/KC_TROPHIES.h"

#include "engine/resources/KC_REPOSITORY.h"
#include "engine/util/KF_XML.h"

namespace KEL {

bool KC_TROPHIES::fLoad(KC_REPOSITORY& repository, const std::string& name) {
    pugi::xml_document* document = repository.fGetXml(name);
    if (!document) return false;
    const bool read = fRead(*document);
    repository.fReleaseXml(document);
    return read;
}

bool KC_TROPHIES::fRead(const pugi::xml_node& document) {
    mTrophies.clear();
    const pugi::xml_node trophies = fFindElement(document, "trophies");
    for (pugi::xml_node child : trophies.children()) {
        if (!fIsElement(child)) continue;
        auto trophy = std::make_unique<KC_TROPHY>();
        trophy->fRead(child);
        mTrophies.push_back(std::move(trophy));
    }
    return !mTrophies.empty();
}

KC_TROPHY* KC_TROPHIES::fGetTrophy(uint32_t index) const {
    return index < mTrophies.size() ? mTrophies[index].get() : nullptr;
}

KC_TROPHY* KC_TROPHIES::fFind(const std::string& name) const {
    for (const auto& trophy : mTrophies)
        if (trophy->fGetName() == name) return trophy.get();
    return nullptr;
}

bool KC_TROPHIES::fIsUnlocked(const std::string& name) const {
    const KC_TROPHY* trophy = fFind(name);
    return trophy && trophy->fIsUnlocked();
}

bool KC_TROPHIES::fUpdateValue(const std::string& name, const KS_TROPHY_VALUE& value) {
    KC_TROPHY* trophy = fFind(name);
    return trophy && trophy->fUpdateValue(value);
}

void KC_TROPHIES::fLockAll() {
    for (const auto& trophy : mTrophies) trophy->fLock();
}

}  // namespace KEL
