#include "engine/audio/KC_SOUND_LIST.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/audio/KC_SOUND.h"
#include "engine/resources/KC_REPOSITORY.h"

namespace KEL {

KC_SOUND_LIST::~KC_SOUND_LIST() { fDeleteAll(); }

void KC_SOUND_LIST::fReleaseSound(KS_SOUND_ENTRY* entry) {
    if (entry->mSound && kcREPOSITORY) kcREPOSITORY->fReleaseSound(entry->mSound);
    entry->mSound = nullptr;
}

void KC_SOUND_LIST::fDeleteGroup(KS_SOUND_GROUP* group) {
    if (!group) return;
    for (auto& [name, entry] : group->mEntries) delete entry;
    delete group;
}

void KC_SOUND_LIST::fReadSound(const pugi::xml_node& node, KS_SOUND_ENTRY& entry) {
    entry.mName = node.attribute("name").as_string();
    entry.mPath = node.attribute("path").as_string();
    entry.mStreamed = node.attribute("streamed").as_bool();
    entry.mBufferCount = node.attribute("cnt_buffers").as_int();
    entry.mLooped = static_cast<bool>(node.attribute("looped"));
}

int32_t KC_SOUND_LIST::fRead(const pugi::xml_node& node) {
    for (pugi::xml_node child : node.children()) {
        if (child.type() != pugi::node_element) continue;
        auto* group = new KS_SOUND_GROUP();
        for (pugi::xml_node item : child.children()) {
            if (item.type() != pugi::node_element) continue;
            auto* entry = new KS_SOUND_ENTRY();
            fReadSound(item, *entry);
            KS_SOUND_ENTRY*& slot = group->mEntries[entry->mName];
            delete slot;  // a later sound of the same name replaces it
            slot = entry;
        }
        KS_SOUND_GROUP*& slot = mGroups[child.attribute("name").as_string()];
        if (slot) {
            // The replaced group gives its loaded sounds back.
            for (auto& [name, entry] : slot->mEntries) fReleaseSound(entry);
            fDeleteGroup(slot);
        }
        slot = group;
    }
    return KS_RESULT::kOK;
}

KS_SOUND_GROUP* KC_SOUND_LIST::fGetGroup(const std::string& name) {
    auto it = mGroups.find(name);
    return it == mGroups.end() ? nullptr : it->second;
}

KS_SOUND_ENTRY* KC_SOUND_LIST::fGetEntry(const std::string& group, const std::string& sound) {
    KS_SOUND_GROUP* found = fGetGroup(group);
    if (!found) return nullptr;
    auto it = found->mEntries.find(sound);
    return it == found->mEntries.end() ? nullptr : it->second;
}

int32_t KC_SOUND_LIST::fLoadGroup(const std::string& name) {
    KS_SOUND_GROUP* group = fGetGroup(name);
    if (!group) return KS_RESULT::kNOTHING;
    if (!kcREPOSITORY) return KS_RESULT::kOK;
    for (auto& [key, entry] : group->mEntries)
        if (!entry->mSound)
            entry->mSound = kcREPOSITORY->fGetSound(entry->mPath, entry->mStreamed, entry->mBufferCount);
    return KS_RESULT::kOK;
}

int32_t KC_SOUND_LIST::fUnloadGroup(const std::string& name) {
    KS_SOUND_GROUP* group = fGetGroup(name);
    if (!group) return KS_RESULT::kNOTHING;
    for (auto& [key, entry] : group->mEntries) fReleaseSound(entry);
    return KS_RESULT::kOK;
}

int32_t KC_SOUND_LIST::fClearGroup(const std::string& name) {
    KS_SOUND_GROUP* group = fGetGroup(name);
    if (!group) return KS_RESULT::kNOTHING;
    for (auto& [key, entry] : group->mEntries) delete entry;
    group->mEntries.clear();
    group->mCurrent.clear();
    return KS_RESULT::kOK;
}

void KC_SOUND_LIST::fDeleteAll() {
    for (auto& [name, group] : mGroups) fDeleteGroup(group);
    mGroups.clear();
}

int32_t KC_SOUND_LIST::fPlayEntry(KS_SOUND_GROUP* group, KS_SOUND_ENTRY* entry) {
    if (!entry || !entry->mSound) return KS_RESULT::kFAILED;
    if (group->mGain <= 0.0f) return KS_RESULT::kOK;
    entry->mSound->fRestart();
    // Only a sound that got a source takes the gain.
    entry->mSound->fSetGain(group->mGain);
    return KS_RESULT::kOK;
}

int32_t KC_SOUND_LIST::fPlayGroup(const std::string& name, float period) {
    mPlaylist = true;
    mPeriod = period;
    mTimer = 0.0f;
    KS_SOUND_GROUP* group = fGetGroup(name);
    if (!group || group->mEntries.empty()) return KS_RESULT::kFAILED;
    auto first = group->mEntries.begin();
    group->mCurrent = first->first;
    fPlayEntry(group, first->second);
    group->mPlaying = true;
    return KS_RESULT::kOK;
}

int32_t KC_SOUND_LIST::fSetGroupVolume(const std::string& name, float percent) {
    KS_SOUND_GROUP* group = fGetGroup(name);
    if (!group) return KS_RESULT::kFAILED;
    group->mGain = percent / 100.0f;
    for (auto& [key, entry] : group->mEntries)
        if (entry->mSound) entry->mSound->fSetGain(group->mGain);
    return KS_RESULT::kOK;
}

int32_t KC_SOUND_LIST::fPlaySound(const std::string& group, const std::string& sound) {
    KS_SOUND_ENTRY* entry = fGetEntry(group, sound);
    if (!entry || !entry->mSound) return KS_RESULT::kFAILED;
    return fPlayEntry(fGetGroup(group), entry);
}

int32_t KC_SOUND_LIST::fPlaySoundAt(const std::string& group, const std::string& sound, float delay) {
    KS_SOUND_ENTRY* entry = fGetEntry(group, sound);
    if (!entry || !entry->mSound) return KS_RESULT::kFAILED;
    KS_SOUND_GROUP* owner = fGetGroup(group);
    if (owner->mGain <= 0.0f) return KS_RESULT::kOK;
    entry->mSound->fPlayAfter(delay);
    entry->mSound->fSetGain(owner->mGain);
    return KS_RESULT::kOK;
}

double KC_SOUND_LIST::fGetLength(const std::string& group, const std::string& sound) {
    KS_SOUND_ENTRY* entry = fGetEntry(group, sound);
    if (!entry || !entry->mSound) return 0.0;
    return entry->mSound->fGetLength();
}

void KC_SOUND_LIST::fStep() {
    if (!mPlaylist) return;
    mTimer += kfFRAME_DELTA;
    if (mTimer < mPeriod) return;
    mTimer = 0.0f;
    for (auto& [name, group] : mGroups) {
        if (!group->mPlaying || group->mEntries.empty()) continue;
        auto current = group->mEntries.find(group->mCurrent);
        // An entry whose sound never loaded counts as not playing.
        if (current != group->mEntries.end() && current->second->mSound && current->second->mSound->fIsPlaying())
            continue;
        auto next = current == group->mEntries.end() ? group->mEntries.upper_bound(group->mCurrent)
                                                     : std::next(current);
        if (next == group->mEntries.end()) next = group->mEntries.begin();
        group->mCurrent = next->first;
        fPlayEntry(group, next->second);
    }
}

}  // namespace KEL
