#pragma once

#include <cstdint>
#include <map>
#include <string>

#include <pugixml.hpp>

namespace KEL {

class KC_BIN_FILE;

// A player profile as the engine knows it: a name, volumes, the cursor
// choice, the tutorial flag and a small inventory of counted items. The
// game's player adds its records and overrides the four stored forms.
class gPlayer {
public:
    gPlayer() = default;
    virtual ~gPlayer() = default;

    // Absent keys keep their values.
    virtual bool fLoadXml(const pugi::xml_node& node);
    virtual void fSaveXml(pugi::xml_node& node) const;
    // Reads until the file fails; the caller checks the file afterwards.
    virtual void fLoadBinary(KC_BIN_FILE& file);
    virtual void fSaveBinary(KC_BIN_FILE& file) const;

    // 0 for an item the player does not hold.
    int32_t fGetItemCount(const std::string& name) const;
    // A negative count is ignored.
    void fSetItemCount(const std::string& name, int32_t count);
    const std::map<std::string, int32_t>& fGetItems() const { return mItems; }

    const std::wstring& fGetName() const { return mName; }
    void fSetName(const std::wstring& name) { mName = name; }
    float fGetSoundVolume() const { return mSoundVolume; }
    float fGetMusicVolume() const { return mMusicVolume; }
    // Volumes are percent, 0 to 100.
    void fSetSoundVolume(float volume);
    void fSetMusicVolume(float volume);
    bool fGetGameCursor() const { return mGameCursor != 0; }
    void fSetGameCursor(bool value) { mGameCursor = value ? 1 : 0; }
    bool fGetPassedTutorial() const { return mPassedTutorial != 0; }
    void fSetPassedTutorial(bool value) { mPassedTutorial = value ? 1 : 0; }

protected:
    std::map<std::string, int32_t> mItems;
    uint8_t mPassedTutorial = 0;
    float mSoundVolume = 50.0f;
    float mMusicVolume = 50.0f;
    uint8_t mGameCursor = 1;
    std::wstring mName;
};

// Item names the game uses.
inline constexpr const char* kITEM_START_HINT = "start_hint";
inline constexpr const char* kITEM_REFILL_HINT = "refill_hint";
inline constexpr const char* kITEM_HEALTH = "health";
inline constexpr const char* kITEM_REFILL_HEALTH = "refill_health";
inline constexpr const char* kITEM_ERRORS = "errors";
inline constexpr const char* kITEM_SECOND_CHANCE = "second_chance";

}  // namespace KEL
