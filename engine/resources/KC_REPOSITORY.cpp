#include "engine/resources/KC_REPOSITORY.h"

#include <algorithm>
#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KF_SYSTEM.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/resources/KC_RESOURCE.h"
#include "engine/resources/KC_RESOURCE_GROUP.h"
#include "engine/resources/KS_RESOURCE_CONVERTERS.h"

namespace KEL {

namespace {

using KT_GUARD = std::lock_guard<std::recursive_mutex>;

KC_TEXTURE* fDefaultTexture() {
    KS_RESOURCE_CONVERTERS& services = KS_RESOURCE_CONVERTERS::fGet();
    return services.fDefaultTexture ? services.fDefaultTexture() : nullptr;
}

}  // namespace

KC_REPOSITORY::KC_REPOSITORY() = default;

KC_REPOSITORY::~KC_REPOSITORY() {
    for (auto& entry : mMain) delete entry.second;
    for (KC_RESOURCE_GROUP* group : mGroups) delete group;
    for (KC_RESOURCE* record : mOrphans) delete record;
}

int32_t KC_REPOSITORY::fLoad(const char* name, const char* password) {
    if (!name) return KS_RESULT::kFAILED;
    KT_GUARD guard(mLock);
    if (name[0] == '\0') return fLoadMain();
    return fLoadList(name, password ? password : "");
}

void KC_REPOSITORY::fDelete(KC_RESOURCE* record) {
    if (record == mLastHit) mLastHit = nullptr;
    delete record;
}

void KC_REPOSITORY::fRetire(KC_RESOURCE* record) {
    // Users may still hold what a loaded record handed out.
    if (record->mLoaded) mOrphans.push_back(record);
    else fDelete(record);
}

void KC_REPOSITORY::fStore(std::map<std::string, KC_RESOURCE*>& map, KC_RESOURCE* record) {
    auto it = map.find(record->mName);
    if (it == map.end()) {
        map.emplace(record->mName, record);
        return;
    }
    if (it->second != record) fRetire(it->second);
    it->second = record;
}

int32_t KC_REPOSITORY::fLoadList(const std::string& name, const std::string& password) {
    KT_GUARD guard(mLock);
    KC_FILESYSTEM& files = KC_FILESYSTEM::fGetInstance();
    const std::string path = files.fGetResourcesPath() + name;
    std::vector<std::string> names;
    const KE_PATH_KIND kind = fFileExists(path);
    if (kind == KE_PATH_KIND::kFILE) files.fListArchive(path, names);
    else if (kind == KE_PATH_KIND::kFOLDER) fListFolder(path, names, false, "*");
    if (names.empty()) return KS_RESULT::kFAILED;

    KC_RESOURCE_GROUP* group = fFindGroup(name);
    if (!group) {
        group = new KC_RESOURCE_GROUP(name, password);
        mGroups.push_back(group);
    }
    // Mounting again means the list is wanted: a pending unload is cancelled.
    group->mMark = 0;
    if (group->mResources.size() == names.size()) return KS_RESULT::kDEVICE_RESET;

    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        KC_RESOURCE* record = KC_RESOURCE::fCreate(*it);
        record->mLocation = name;
        record->mPassword = group->mPassword;
        fStore(group->mResources, record);
    }
    return KS_RESULT::kOK;
}

int32_t KC_REPOSITORY::fLoadMain() {
    KT_GUARD guard(mLock);
    std::vector<std::string> names;
    fListFolder(KC_FILESYSTEM::fGetInstance().fGetResourcesPath(), names, false, "*");
    for (auto it = names.rbegin(); it != names.rend(); ++it) fStore(mMain, KC_RESOURCE::fCreate(*it));
    if (mMain.empty()) {
        fRaiseError("Main repository is empty");
        return KS_RESULT::kNOTHING;
    }
    return names.empty() ? KS_RESULT::kNOTHING : KS_RESULT::kOK;
}

KC_RESOURCE_GROUP* KC_REPOSITORY::fFindGroup(const std::string& name) {
    for (KC_RESOURCE_GROUP* group : mGroups)
        if (group->mName == name) return group;
    return nullptr;
}

KC_RESOURCE* KC_REPOSITORY::fFindInMap(std::map<std::string, KC_RESOURCE*>& map, const std::string& name) {
    auto it = map.find(name);
    return it == map.end() ? nullptr : it->second;
}

KC_RESOURCE* KC_REPOSITORY::fFindPlain(const std::string& name) {
    if (KC_RESOURCE* record = fFindInMap(mMain, name)) return record;
    for (KC_RESOURCE_GROUP* group : mGroups)
        if (KC_RESOURCE* record = fFindInMap(group->mResources, name)) return record;
    return nullptr;
}

KC_RESOURCE* KC_REPOSITORY::fFindByName(const std::string& name) {
    KT_GUARD guard(mLock);
    const auto blanks = std::count(name.begin(), name.end(), ' ');
    KC_RESOURCE* found = nullptr;
    if (blanks == 0) {
        found = fFindPlain(name);
    } else if (blanks == 1) {
        const size_t at = name.find(' ');
        if (KC_RESOURCE_GROUP* group = fFindGroup(name.substr(0, at)))
            found = fFindInMap(group->mResources, name.substr(at + 1));
        else found = fFindPlain(name);
    }
    if (found) mLastHit = found;
    return found;
}

KC_RESOURCE* KC_REPOSITORY::fFindByKey(const void* key) {
    KT_GUARD guard(mLock);
    // An unloaded record has no key; null never matches.
    if (!key) return nullptr;
    if (mLastHit && mLastHit->mData == key) return mLastHit;
    KC_RESOURCE* found = nullptr;
    for (auto& entry : mMain)
        if (entry.second->mData == key) {
            found = entry.second;
            break;
        }
    for (size_t i = 0; !found && i < mGroups.size(); ++i)
        for (auto& entry : mGroups[i]->mResources)
            if (entry.second->mData == key) {
                found = entry.second;
                break;
            }
    for (size_t i = 0; !found && i < mOrphans.size(); ++i)
        if (mOrphans[i]->mData == key) found = mOrphans[i];
    if (found) mLastHit = found;
    return found;
}

bool KC_REPOSITORY::fLoadBytes(KC_RESOURCE* record) {
    const int32_t result = KC_FILESYSTEM::fGetInstance().fLoad(record);
    if (result == KS_RESULT::kOK && record->mKind == KC_RESOURCE::kBytes && record->mData) return true;
    record->fDropBytes();
    fRaiseError("Cant load res ");
    return false;
}

pugi::xml_document* KC_REPOSITORY::fGetXml(const std::string& name) {
    KT_GUARD guard(mLock);
    KC_RESOURCE* record = fFindByName(name);
    if (!record) return nullptr;
    if (record->mLoaded) {
        // Another kind already handed out stays as it is.
        if (record->mKind != KC_RESOURCE::kXml) return nullptr;
        record->mUses += 1;
        return static_cast<pugi::xml_document*>(record->mData);
    }
    if (!fLoadBytes(record)) return nullptr;
    auto* document = new pugi::xml_document();
    const pugi::xml_parse_result parsed = document->load_buffer(record->mData, record->mSize, 116, pugi::encoding_auto);
    record->fDropBytes();
    if (!parsed) {
        delete document;
        return nullptr;
    }
    record->mData = document;
    record->mKind = KC_RESOURCE::kXml;
    record->mLoaded = 1;
    record->mUses = 1;
    return document;
}

namespace {
thread_local bool tDeferDecoding = false;
}  // namespace

void KC_REPOSITORY::fSetDeferDecoding(bool defer) { tDeferDecoding = defer; }

KC_TEXTURE* KC_REPOSITORY::fGetTexture(const std::string& name) {
    KT_GUARD guard(mLock);
    KC_RESOURCE* record = fFindByName(name);
    KC_TEXTURE* fallback = fDefaultTexture();
    if (!record) return fallback;
    if (record->mLoaded) {
        if (record->mKind != KC_RESOURCE::kTexture) return fallback;
        record->mUses += 1;
        return static_cast<KC_TEXTURE*>(record->mData);
    }
    KS_RESOURCE_CONVERTERS& services = KS_RESOURCE_CONVERTERS::fGet();
    if (!services.fLoadTexture || !fLoadBytes(record)) return fallback;
    const auto* bytes = static_cast<const uint8_t*>(record->mData);
    KC_TEXTURE* texture = tDeferDecoding && services.fLoadTextureLater
                              ? services.fLoadTextureLater(bytes, record->mSize)
                              : services.fLoadTexture(bytes, record->mSize);
    record->fDropBytes();
    // An unreadable image gives the shared default: nothing to own.
    if (!texture || texture == fallback) return fallback;
    record->mData = texture;
    record->mKind = KC_RESOURCE::kTexture;
    record->mLoaded = 1;
    record->mUses = 1;
    return texture;
}

KC_SOUND* KC_REPOSITORY::fGetSound(const std::string& name, bool streamed, int32_t bufferCount) {
    KT_GUARD guard(mLock);
    KC_RESOURCE* record = fFindByName(name);
    if (!record) return nullptr;
    if (record->mLoaded) {
        if (record->mKind != KC_RESOURCE::kSound) return nullptr;
        record->mUses += 1;
        return static_cast<KC_SOUND*>(record->mData);
    }
    KS_RESOURCE_CONVERTERS& services = KS_RESOURCE_CONVERTERS::fGet();
    if (!services.fCreateSound || !fLoadBytes(record)) return nullptr;
    KC_SOUND* sound = services.fCreateSound(static_cast<const uint8_t*>(record->mData), record->mSize, bufferCount,
                                            streamed);
    if (!sound) {
        record->fDropBytes();
        return nullptr;
    }
    // The sound reads these bytes for as long as it lives.
    record->mSoundBytes = static_cast<uint8_t*>(record->mData);
    record->mData = sound;
    record->mKind = KC_RESOURCE::kSound;
    record->mLoaded = 1;
    record->mUses = 1;
    return sound;
}

uint8_t* KC_REPOSITORY::fGetRaw(const std::string& name, uint32_t* size) {
    KT_GUARD guard(mLock);
    if (size) *size = 0;
    KC_RESOURCE* record = fFindByName(name);
    if (!record) return nullptr;
    if (record->mLoaded) {
        if (record->mKind != KC_RESOURCE::kRaw) return nullptr;
    } else {
        if (!fLoadBytes(record)) return nullptr;
        record->mKind = KC_RESOURCE::kRaw;
        record->mLoaded = 1;
        record->mUses = 0;
    }
    record->mUses += 1;
    if (size) *size = record->mSize;
    return static_cast<uint8_t*>(record->mData);
}

KC_RESOURCE* KC_REPOSITORY::fGetResource(const std::string& name) {
    KT_GUARD guard(mLock);
    KC_RESOURCE* record = fFindByName(name);
    if (!record) return nullptr;
    // The use goes through the texture path; the record is the answer even
    // when its image could not be read (it then holds nothing and no use).
    fGetTexture(name);
    return record;
}

int32_t KC_REPOSITORY::fReleaseKind(const void* key, uint32_t kind) {
    KT_GUARD guard(mLock);
    KC_RESOURCE* record = fFindByKey(key);
    if (!record || !record->mLoaded || record->mKind != kind) return KS_RESULT::kFAILED;
    // Never below zero: a later getter would then count from a debt and the
    // sweep would free what is still in use.
    if (record->mUses <= 0) return KS_RESULT::kNOTHING;
    if (record->fRelease()) mFreed += 1;
    return KS_RESULT::kOK;
}

int32_t KC_REPOSITORY::fReleaseXml(const pugi::xml_document* key) { return fReleaseKind(key, KC_RESOURCE::kXml); }

int32_t KC_REPOSITORY::fReleaseTexture(const KC_TEXTURE* key) {
    KT_GUARD guard(mLock);
    if (key && key == fDefaultTexture()) return KS_RESULT::kNOTHING;
    return fReleaseKind(key, KC_RESOURCE::kTexture);
}

int32_t KC_REPOSITORY::fReleaseSound(const KC_SOUND* key) { return fReleaseKind(key, KC_RESOURCE::kSound); }

int32_t KC_REPOSITORY::fReleaseRaw(const void* key) { return fReleaseKind(key, KC_RESOURCE::kRaw); }

int32_t KC_REPOSITORY::fUnloadGroup(const std::string& name) {
    KT_GUARD guard(mLock);
    if (name.empty()) {
        for (auto& entry : mMain) entry.second->fTouch();
        return KS_RESULT::kOK;
    }
    for (auto it = mGroups.begin(); it != mGroups.end(); ++it) {
        KC_RESOURCE_GROUP* group = *it;
        if (group->mName != name) continue;
        group->mMark = 1;
        if (!group->fAnyLoaded()) {
            for (auto& entry : group->mResources)
                if (entry.second == mLastHit) mLastHit = nullptr;
            delete group;
            mGroups.erase(it);
        }
        return KS_RESULT::kOK;
    }
    return KS_RESULT::kFAILED;
}

bool KC_REPOSITORY::fSweepRecord(KC_RESOURCE* record) {
    if (record->mLoaded && record->mUses <= 0) mSweptData = true;
    return record->fUnload() == KS_RESULT::kOK;
}

int32_t KC_REPOSITORY::fCountLoaded() {
    KT_GUARD guard(mLock);
    int32_t total = 0;
    mSweptData = false;
    for (size_t i = 0; i < mGroups.size();) {
        KC_RESOURCE_GROUP* group = mGroups[i];
        for (auto it = group->mResources.begin(); it != group->mResources.end();) {
            KC_RESOURCE* record = it->second;
            if (fSweepRecord(record)) total += 1;
            // A group being unloaded lets go of every record nobody uses.
            if (group->mMark && record->mUses <= 0) {
                fDelete(record);
                it = group->mResources.erase(it);
            } else {
                ++it;
            }
        }
        if (group->mMark && group->mResources.empty()) {
            delete group;
            mGroups.erase(mGroups.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    for (auto it = mMain.begin(); it != mMain.end();) {
        KC_RESOURCE* record = it->second;
        if (record->mUses <= 0) {
            if (fSweepRecord(record)) total += 1;
            if (record->mMarked) {
                fDelete(record);
                it = mMain.erase(it);
                continue;
            }
        }
        ++it;
    }
    // Records a re-mount replaced are no longer the repository's: freed, not counted.
    for (auto it = mOrphans.begin(); it != mOrphans.end();) {
        if ((*it)->mUses <= 0) {
            if ((*it)->mLoaded) mSweptData = true;
            (*it)->fUnload();
            fDelete(*it);
            it = mOrphans.erase(it);
        } else {
            ++it;
        }
    }
    // What the records held leaves free pages the allocator keeps, in the
    // heap of whichever thread made them: pictures let go with a screen are
    // megabytes. Hand them back to the system.
    if (mSweptData) fReturnFreeMemory();
    return total;
}

uint32_t KC_REPOSITORY::fGetFreedCount() {
    KT_GUARD guard(mLock);
    return mFreed;
}

size_t KC_REPOSITORY::fGetTextureBytes() {
    KT_GUARD guard(mLock);
    size_t bytes = 0;
    const auto add = [&bytes](const KC_RESOURCE* record) {
        if (!record->mLoaded || record->mKind != KC_RESOURCE::kTexture || !record->mData) return;
        bytes += static_cast<const KC_TEXTURE*>(record->mData)->fGetHeldBytes();
    };
    for (auto& entry : mMain) add(entry.second);
    for (KC_RESOURCE_GROUP* group : mGroups)
        for (auto& entry : group->mResources) add(entry.second);
    for (KC_RESOURCE* record : mOrphans) add(record);
    return bytes;
}

std::vector<std::string> KC_REPOSITORY::fGetGroupNames() {
    KT_GUARD guard(mLock);
    std::vector<std::string> names;
    for (KC_RESOURCE_GROUP* group : mGroups) names.push_back(group->mName);
    return names;
}

}  // namespace KEL
