#pragma once

#include <map>
#include <string>

#include <pugixml.hpp>

namespace KEL {

class KC_REPOSITORY;

// Leaderboard ids by the names the game submits under ("Score", "Stars").
class KC_LEADERBOARD_LIST {
public:
    // The repository XML's document element; false when it is missing.
    bool fLoad(KC_REPOSITORY& repository, const std::string& name);
    // Each child's "name" and "leaderboard_id".
    void fLoad(const pugi::xml_node& node);
    // The id, or an empty text.
    std::string fGetId(const std::string& name) const;

private:
    std::map<std::string, std::string> mIds;
};

}  // namespace KEL
