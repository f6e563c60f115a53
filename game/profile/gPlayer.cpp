#include "game/profile/gPlayer.h"

#include <algorithm>
#include <cmath>

#include "engine/resources/KC_BIN_FILE.h"
#include "engine/util/KF_UTF8.h"

namespace KEL {

namespace {

float fVolume(float volume, float fallback) {
    if (!std::isfinite(volume)) return fallback;
    return std::clamp(volume, 0.0f, 100.0f);
}

}  // namespace

int32_t gPlayer::fGetItemCount(const std::string& name) const {
    const auto found = mItems.find(name);
    return found == mItems.end() ? 0 : found->second;
}

void gPlayer::fSetItemCount(const std::string& name, int32_t count) {
    if (count >= 0) mItems[name] = count;
}

void gPlayer::fSetSoundVolume(float volume) { mSoundVolume = fVolume(volume, mSoundVolume); }
void gPlayer::fSetMusicVolume(float volume) { mMusicVolume = fVolume(volume, mMusicVolume); }

bool gPlayer::fLoadXml(const pugi::xml_node& node) {
    if (const pugi::xml_attribute name = node.attribute("name")) mName = fFromUtf8(name.as_string());
    fSetSoundVolume(node.attribute("sound_volume").as_float(mSoundVolume));
    fSetMusicVolume(node.attribute("music_volume").as_float(mMusicVolume));
    mPassedTutorial = node.attribute("passed_tutorial").as_bool(mPassedTutorial != 0) ? 1 : 0;
    mGameCursor = node.attribute("game_cursor").as_bool(mGameCursor != 0) ? 1 : 0;
    for (pugi::xml_node item : node.child("playeritems").children("item"))
        fSetItemCount(item.attribute("name").as_string(), item.attribute("count").as_int());
    return true;
}

void gPlayer::fSaveXml(pugi::xml_node& node) const {
    node.append_attribute("name").set_value(fToUtf8(mName).c_str());
    node.append_attribute("sound_volume").set_value(mSoundVolume);
    node.append_attribute("music_volume").set_value(mMusicVolume);
    node.append_attribute("passed_tutorial").set_value(mPassedTutorial != 0);
    node.append_attribute("game_cursor").set_value(mGameCursor != 0);
    pugi::xml_node items = node.append_child("playeritems");
    for (const auto& [name, count] : mItems) {
        pugi::xml_node item = items.append_child("item");
        item.append_attribute("name").set_value(name.c_str());
        item.append_attribute("count").set_value(count);
    }
}

void gPlayer::fLoadBinary(KC_BIN_FILE& file) {
    std::string name;
    file.fReadString(name);
    mName = fFromUtf8(name);
    float sound = 0.0f, music = 0.0f;
    file.fRead4c(sound);
    file.fRead4c(music);
    fSetSoundVolume(sound);
    fSetMusicVolume(music);
    file.fRead1(mPassedTutorial);
    file.fRead1(mGameCursor);
    mPassedTutorial = mPassedTutorial ? 1 : 0;
    mGameCursor = mGameCursor ? 1 : 0;
    uint32_t count = 0;
    file.fRead4b(count);
    mItems.clear();
    for (uint32_t i = 0; i < count && !file.fFailed(); ++i) {
        std::string item;
        int32_t value = 0;
        file.fReadString(item);
        file.fRead4a(value);
        if (!file.fFailed()) fSetItemCount(item, value);
    }
}

void gPlayer::fSaveBinary(KC_BIN_FILE& file) const {
    file.fWriteString(fToUtf8(mName));
    file.fWrite4c(mSoundVolume);
    file.fWrite4c(mMusicVolume);
    file.fWrite1(mPassedTutorial);
    file.fWrite1(mGameCursor);
    file.fWrite4b(static_cast<uint32_t>(mItems.size()));
    for (const auto& [name, count] : mItems) {
        file.fWriteString(name);
        file.fWrite4a(count);
    }
}

}  // namespace KEL
