#pragma once

#include <cstdint>
#include <map>
#include <string>

#include <pugixml.hpp>

#include "engine/audio/KS_SOUND_GROUP.h"

namespace KEL {

// The game's sound manager: named groups of named sounds read from
// "sound.xml", each group with its own volume, played by name; a playing
// group moves through its tracks whenever the current one has ended.
class KC_SOUND_LIST {
public:
    KC_SOUND_LIST() = default;
    ~KC_SOUND_LIST();
    KC_SOUND_LIST(const KC_SOUND_LIST&) = delete;
    KC_SOUND_LIST& operator=(const KC_SOUND_LIST&) = delete;

    // Reads one group per child element of node; 1. Sounds are not loaded.
    int32_t fRead(const pugi::xml_node& node);
    static void fReadSound(const pugi::xml_node& node, KS_SOUND_ENTRY& entry);
    // 1, or 0 when the group is missing.
    int32_t fLoadGroup(const std::string& name);
    int32_t fUnloadGroup(const std::string& name);
    int32_t fClearGroup(const std::string& name);
    void fDeleteAll();
    // Switches the playlist on and plays the group's first entry: 1, or -1
    // for a missing or empty group.
    int32_t fPlayGroup(const std::string& name, float period);
    // Volume in percent for the group's sounds: 1, or -1 when missing.
    int32_t fSetGroupVolume(const std::string& name, float percent);
    // Restarts the sound: 1 (also when muted), -1 when missing or not loaded.
    int32_t fPlaySound(const std::string& group, const std::string& sound);
    int32_t fPlaySoundAt(const std::string& group, const std::string& sound, float delay);
    // Seconds, 0 when missing or not loaded.
    double fGetLength(const std::string& group, const std::string& sound);
    // The playlist step, once per frame.
    void fStep();

    KS_SOUND_GROUP* fGetGroup(const std::string& name);
    KS_SOUND_ENTRY* fGetEntry(const std::string& group, const std::string& sound);
    bool fIsPlaylistOn() const { return mPlaylist; }
    float fGetPeriod() const { return mPeriod; }

private:
    static void fDeleteGroup(KS_SOUND_GROUP* group);
    static void fReleaseSound(KS_SOUND_ENTRY* entry);
    static int32_t fPlayEntry(KS_SOUND_GROUP* group, KS_SOUND_ENTRY* entry);

    std::map<std::string, KS_SOUND_GROUP*> mGroups;
    bool mPlaylist = false;
    float mPeriod = 1.0f;
    float mTimer = 0.0f;
};

}  // namespace KEL
