#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "game/product/GG_EDITION.h"

namespace KEL {
class G_SPRITE;
class KC_REPOSITORY;
}  // namespace KEL

namespace game {

// The product settings: who makes the game and which edition runs, read from
// the product's "game.xml", "editions.xml" and "data.xml" and from the
// user's own "game.xml", plus the resource folders mounted for the edition
// and the side-bar sprites. Main thread only: everything here is read before
// the loader thread starts and changed only by the main thread afterwards.
//
// The state outlives the game object on purpose: the folders are unmounted
// after the game object is gone.
class GG_SETTINGS {
public:
    static constexpr uint32_t kOLD_VERSION = 0x10000;  // user file absent or without a version
    static constexpr uint32_t kVERSION = 0x10100;      // what every save writes
    // Set by the build from the content's own definition.
    static constexpr const char* kARCHIVE_PASSWORD = NONOGRAM_ARCHIVE_PASSWORD;
    static constexpr const char* kRESOURCE_LIST = "data/share/main/other resource_list.xml";
    // Far above what the game writes there; anything larger is not read.
    static constexpr uint64_t kMAX_USER_FILE_SIZE = 1u << 20;

    GG_SETTINGS();
    ~GG_SETTINGS();
    GG_SETTINGS(const GG_SETTINGS&) = delete;
    GG_SETTINGS& operator=(const GG_SETTINGS&) = delete;

    // The program's one instance.
    static GG_SETTINGS& fGetInstance();

    // "game.xml", "editions.xml", "data.xml", then the user's "game.xml"
    // (absent is fine); false when a product file is missing or incomplete.
    bool fLoad(KEL::KC_REPOSITORY& repository);
    // The product file's document element; false when a required key is missing.
    bool fReadProduct(const pugi::xml_node& root);
    bool fReadEditions(const pugi::xml_node& root);
    // Builds the side-bar sprites from the element holding "ear".
    bool fReadData(const pugi::xml_node& root);
    // Reads the user's "game.xml" when it is a regular file within
    // kMAX_USER_FILE_SIZE; false when it is not read. One that does not
    // parse, or is no regular file, is kept beside it ("game.xml.1.bak",
    // the first free number) before a save writes the defaults; what was
    // found waits in fTakeUserNotice for standard error (which start-up may
    // have silenced meanwhile).
    bool fReadUserSettings();
    // What the user file's reading or keeping found, once; empty for nothing.
    std::string fTakeUserNotice() const { return std::exchange(mUserNotice, std::string()); }
    // Writes the user's "game.xml" beside the old one, then swaps it in
    // (through a link, to where it points); false (old file kept) when
    // anything failed, or while the unreadable one could not be kept aside
    // yet (each save tries again).
    bool fSaveSettings() const;

    // Mounts every folder the list names and the language folder; false when
    // the list or, on the PC, the language folder is missing.
    bool fMountResources(KEL::KC_REPOSITORY& repository, const std::string& listName = kRESOURCE_LIST);
    void fUnmountResources(KEL::KC_REPOSITORY& repository);

    // The application-data folder + company + product, ending with "/".
    std::string fGetUserFolder() const;

    const std::string& fGetCompany() const { return mCompany; }
    const std::string& fGetProduct() const { return mProduct; }
    const std::string& fGetEditionType() const { return mEditionType; }
    const std::string& fGetLanguage() const { return mLanguage; }
    const std::string& fGetCurrentLanguage() const { return mCurrentLanguage; }
    const GG_EDITION& fGetEdition() const { return mEdition; }
    uint32_t fGetVersion() const { return mVersion; }
    bool fHasInApp() const { return !mEdition.mInApp.empty(); }
    bool fIsMobilePlatform() const;
    bool fIsFullscreen() const { return mFullscreen != 0; }
    void fSetFullscreen(bool value) { mFullscreen = value ? 1 : 0; }
    const std::vector<std::string>& fGetMountedFolders() const { return mMounted; }
    KEL::G_SPRITE* fGetEarTile() const { return mEarTile.get(); }
    KEL::G_SPRITE* fGetEarLine() const { return mEarLine.get(); }

    // For tests: drops what was read.
    void fReset();

private:
    bool fReadResource(KEL::KC_REPOSITORY& repository, const std::string& name,
                       bool (GG_SETTINGS::*reader)(const pugi::xml_node&));
    static std::string fSafeFolderName(const std::string& name);
    // Keeps the unreadable user file aside; true once nothing holds saves.
    bool fKeepUserFile() const;

    std::string mCompany;
    std::string mProduct;
    std::string mEditionType;
    std::string mLanguage;
    std::string mCurrentLanguage;
    uint8_t mFullscreen = 0;
    uint32_t mVersion = kOLD_VERSION;
    GG_EDITION mEdition;
    std::vector<std::string> mMounted;
    std::unique_ptr<KEL::G_SPRITE> mEarTile;
    std::unique_ptr<KEL::G_SPRITE> mEarLine;
    // The user file read but not taken: kept aside before a save replaces
    // it. Its bytes to copy, or whether the file itself is to be moved.
    enum class KS_USER_HOLD { kNONE, kKEEP_COPY, kKEEP_MOVE };
    mutable KS_USER_HOLD mUserHold = KS_USER_HOLD::kNONE;
    mutable std::string mUserOriginal;
    mutable std::string mUserNotice;
};

}  // namespace game
