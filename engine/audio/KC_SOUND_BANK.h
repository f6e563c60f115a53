#pragma once

#include <map>
#include <string>

namespace pugi {
class xml_document;
class xml_node;
}  // namespace pugi

namespace KEL {

class KC_SOUND;

// A flat list of named sounds read from one repository XML document: an
// element "sounds" whose children each name a sound ("name", "path",
// "buffcount", "streamed"). Simpler than KC_SOUND_LIST: no groups, no volume,
// no playlist; a sound is looked up by name and played by its user.
// The bank holds one use of its document and of every sound it got, and
// gives them back to the repository when destroyed.
class KC_SOUND_BANK {
public:
    KC_SOUND_BANK() = default;
    ~KC_SOUND_BANK();
    KC_SOUND_BANK(const KC_SOUND_BANK&) = delete;
    KC_SOUND_BANK& operator=(const KC_SOUND_BANK&) = delete;

    // Takes the named document from the repository and adds its sounds:
    // false (document given back) when it is missing or has no "sounds".
    // A child lacking any of the four attributes is skipped, and a name
    // already in the bank keeps its sound.
    bool fRead(const std::string& resource);
    // The sound stored under the name, or null.
    KC_SOUND* fFind(const std::string& name) const;

private:
    void fReadSounds(const pugi::xml_node& sounds);
    void fReleaseDocument();

    pugi::xml_document* mDocument = nullptr;   // the repository's; one use held
    std::map<std::string, KC_SOUND*> mSounds;  // the repository's; one use each
};

}  // namespace KEL
