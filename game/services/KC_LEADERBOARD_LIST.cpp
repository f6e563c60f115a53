#include "game/services/KC_LEADERBOARD_LIST.h"

#include "engine/resources/KC_REPOSITORY.h"
#include "engine/util/KF_XML.h"

namespace KEL {

bool KC_LEADERBOARD_LIST::fLoad(KC_REPOSITORY& repository, const std::string& name) {
    pugi::xml_document* document = repository.fGetXml(name);
    if (!document) return false;
    fLoad(fFindElement(*document));
    repository.fReleaseXml(document);
    return true;
}

void KC_LEADERBOARD_LIST::fLoad(const pugi::xml_node& node) {
    for (pugi::xml_node child : node.children())
        if (fIsElement(child))
            mIds[child.attribute("name").as_string()] = child.attribute("leaderboard_id").as_string();
}

std::string KC_LEADERBOARD_LIST::fGetId(const std::string& name) const {
    const auto found = mIds.find(name);
    return found == mIds.end() ? std::string() : found->second;
}

}  // namespace KEL
