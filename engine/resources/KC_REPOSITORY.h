#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace pugi {
class xml_document;
}

namespace KEL {

class KC_RESOURCE;
class KC_RESOURCE_GROUP;
class KC_TEXTURE;
class KC_SOUND;

// The one place the program gets its data files from. Records are mounted
// from the resources folder itself (the main map) and from resource lists
// (archives or folders below it), and are turned into documents, textures,
// sounds or raw bytes on first use. Users count their uses and give them back
// by the object they got (its key); a sweep frees what nobody uses.
//
// Names: "file" is searched in the main map, then in every group in mount
// order; "list file" searches only the group "list" when it is mounted.
//
// Every public operation takes one re-entrant lock: the loader thread fills
// the repository while the main thread draws.
class KC_REPOSITORY {
public:
    KC_REPOSITORY();
    // Frees the repository's own memory only: the renderer and the audio
    // system free their textures and sounds themselves.
    ~KC_REPOSITORY();
    KC_REPOSITORY(const KC_REPOSITORY&) = delete;
    KC_REPOSITORY& operator=(const KC_REPOSITORY&) = delete;

    // -1 for a null name; "" mounts the main repository, anything else a list.
    int32_t fLoad(const char* name, const char* password = "");
    // 1 mounted; -1 the list is missing or lists nothing; -110 a group of that
    // name already holds as many records as the list has names.
    int32_t fLoadList(const std::string& name, const std::string& password);
    // 1, or 0 when the resources folder holds no files.
    int32_t fLoadMain();

    // Getters: convert on first use and count one use on success.
    pugi::xml_document* fGetXml(const std::string& name);
    // The default texture when the name is unknown or the image unreadable.
    KC_TEXTURE* fGetTexture(const std::string& name);
    // While set, pictures this thread loads keep their file and are decoded
    // when first drawn: screens loaded ahead of need hold no pixels until
    // they are shown. Per thread; off by default.
    static void fSetDeferDecoding(bool defer);
    // streamed is handed to the audio system as its "whole" flag.
    KC_SOUND* fGetSound(const std::string& name, bool streamed, int32_t bufferCount);
    // The bytes (folder files end with an extra 0 byte, counted in size).
    uint8_t* fGetRaw(const std::string& name, uint32_t* size = nullptr);
    // The record, after one use through the texture path (none when its image
    // is unreadable); null when no record has the name.
    KC_RESOURCE* fGetResource(const std::string& name);

    // Releases by key: one use less. 1 done; 0 nothing to drop (the default
    // texture, or a record without uses); -1 no record of that kind holds it.
    int32_t fReleaseXml(const pugi::xml_document* key);
    int32_t fReleaseTexture(const KC_TEXTURE* key);
    int32_t fReleaseSound(const KC_SOUND* key);
    int32_t fReleaseRaw(const void* key);

    KC_RESOURCE* fFindByName(const std::string& name);
    KC_RESOURCE* fFindByKey(const void* key);

    // "" marks every record of the main map; a list name marks that group and
    // deletes it at once when none of its records is loaded. -1 when no such
    // group is mounted.
    int32_t fUnloadGroup(const std::string& name);
    // The sweep: unloads every record nobody uses, in the groups and the main
    // map; answers how many it unloaded, counting those that held nothing.
    int32_t fCountLoaded();

    // Records whose last use was given back.
    uint32_t fGetFreedCount();
    // Bytes of the pictures the loaded texture records hold (four a pixel
    // once decoded, the file while waiting to be drawn), whether or not
    // anything uses them.
    size_t fGetTextureBytes();
    // Groups in mount order (names), for inspection.
    std::vector<std::string> fGetGroupNames();

private:
    KC_RESOURCE* fFindInMap(std::map<std::string, KC_RESOURCE*>& map, const std::string& name);
    KC_RESOURCE* fFindPlain(const std::string& name);
    KC_RESOURCE_GROUP* fFindGroup(const std::string& name);
    // Puts a record into a map, retiring the one it replaces.
    void fStore(std::map<std::string, KC_RESOURCE*>& map, KC_RESOURCE* record);
    void fRetire(KC_RESOURCE* record);
    void fDelete(KC_RESOURCE* record);
    // Loads the record's bytes; on failure the record stays empty and the
    // error text is set.
    bool fLoadBytes(KC_RESOURCE* record);
    int32_t fReleaseKind(const void* key, uint32_t kind);
    // Unloads when unused; true when it did (whether or not it held data).
    bool fSweepRecord(KC_RESOURCE* record);

    std::recursive_mutex mLock;
    std::string mName;
    std::map<std::string, KC_RESOURCE*> mMain;
    std::vector<KC_RESOURCE_GROUP*> mGroups;
    KC_RESOURCE* mLastHit = nullptr;
    uint32_t mFreed = 0;
    // The sweep under way freed data a record held.
    bool mSweptData = false;
    // Replaced by a re-mount while in use: kept until a sweep frees them.
    std::vector<KC_RESOURCE*> mOrphans;
};

}  // namespace KEL
