#include "game/product/GG_SETTINGS.h"

#include <sstream>

#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KF_SYSTEM.h"
#include "engine/resources/KC_BIN_FILE.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/util/KF_XML.h"
#include "host/Files.h"

namespace game {

namespace {

constexpr const char* kPRODUCT_FILE = "game.xml";
constexpr const char* kEDITIONS_FILE = "data/share/main/other editions.xml";
constexpr const char* kDATA_FILE = "data data.xml";
constexpr const char* kUSER_FILE = "game.xml";
// Used in place of a company or product name that could leave the folder.
constexpr const char* kFALLBACK_FOLDER = "nonogram";

bool fExistsUnderResources(const std::string& relative) {
    return KEL::fFileExists(KEL::KC_FILESYSTEM::fGetInstance().fGetResourcesPath() + relative) !=
           KEL::KE_PATH_KIND::kNONE;
}

}  // namespace

GG_SETTINGS::GG_SETTINGS() = default;
GG_SETTINGS::~GG_SETTINGS() = default;

GG_SETTINGS& GG_SETTINGS::fGetInstance() {
    // Never destroyed: its sprites need the engine, which an exit() from
    // inside a library may have torn down before static destructors run.
    static GG_SETTINGS& instance = *new GG_SETTINGS();
    return instance;
}

void GG_SETTINGS::fReset() {
    mCompany.clear();
    mProduct.clear();
    mEditionType.clear();
    mLanguage.clear();
    mCurrentLanguage.clear();
    mFullscreen = 0;
    mVersion = kOLD_VERSION;
    mEdition = GG_EDITION();
    mMounted.clear();
    mEarTile.reset();
    mEarLine.reset();
    mUserHold = KS_USER_HOLD::kNONE;
    mUserOriginal.clear();
    mUserNotice.clear();
}

bool GG_SETTINGS::fIsMobilePlatform() const {
    const int32_t kind = KEL::fGetDeviceKind();
    return kind != 0 && kind != 1;
}

bool GG_SETTINGS::fReadResource(KEL::KC_REPOSITORY& repository, const std::string& name,
                                bool (GG_SETTINGS::*reader)(const pugi::xml_node&)) {
    pugi::xml_document* document = repository.fGetXml(name);
    if (!document) return false;
    const bool read = (this->*reader)(document->document_element());
    repository.fReleaseXml(document);
    return read;
}

bool GG_SETTINGS::fLoad(KEL::KC_REPOSITORY& repository) {
    mVersion = kOLD_VERSION;
    if (!fReadResource(repository, kPRODUCT_FILE, &GG_SETTINGS::fReadProduct)) return false;
    if (!fReadResource(repository, kEDITIONS_FILE, &GG_SETTINGS::fReadEditions)) return false;
    if (!fReadResource(repository, kDATA_FILE, &GG_SETTINGS::fReadData)) return false;
    fReadUserSettings();
    return true;
}

bool GG_SETTINGS::fReadProduct(const pugi::xml_node& root) {
    const pugi::xml_node company = root.child("company");
    const pugi::xml_node product = root.child("product");
    const pugi::xml_node edition = root.child("edition");
    const pugi::xml_node lang = root.child("lang");
    if (!company || !product || !edition || !lang) return false;
    mCompany = company.attribute("value").as_string();
    mProduct = product.attribute("value").as_string();
    mEditionType = edition.attribute("value").as_string();
    mLanguage = lang.attribute("value").as_string();
    mCurrentLanguage = mLanguage;
    mFullscreen = root.child("fullscreen").attribute("value").as_bool() ? 1 : 0;
    const int32_t kind = KEL::fGetDeviceKind();
    if (kind == 1 || kind == 2) mCurrentLanguage = KEL::fGetLocale();
    return true;
}

bool GG_SETTINGS::fReadEditions(const pugi::xml_node& root) { return mEdition.fRead(root, mEditionType); }

bool GG_SETTINGS::fReadData(const pugi::xml_node& root) {
    const pugi::xml_node ear = root.child("ear");
    mEarTile = std::make_unique<KEL::G_SPRITE>(ear.child("ear_tile"));
    mEarLine = std::make_unique<KEL::G_SPRITE>(ear.child("ear_line"));
    // The bar pictures repeat: the tile both ways, the line only downwards.
    mEarTile->mState.wrapU = 1;
    mEarTile->mState.wrapV = 1;
    mEarLine->mState.wrapU = 0;
    mEarLine->mState.wrapV = 1;
    mEarTile->fReloadTexture();
    mEarLine->fReloadTexture();
    return true;
}

bool GG_SETTINGS::fReadUserSettings() {
    const std::string path = fGetUserFolder() + kUSER_FILE;
    mUserHold = KS_USER_HOLD::kNONE;
    mUserOriginal.clear();
    std::string bytes;
    pugi::xml_document document;
    switch (host::fReadRegularFile(path, kMAX_USER_FILE_SIZE, bytes)) {
        case host::FileRead::kMISSING: return false;
        case host::FileRead::kDANGLING_LINK:
            mUserNotice = path + " links to " + host::fFollowLinks(path) +
                          ", which is missing: the settings will be saved there";
            return false;
        case host::FileRead::kFOLDER:
            mUserNotice = path + " is a folder: the settings cannot be read or saved";
            return false;
        case host::FileRead::kREAD:
            if (document.load_buffer(bytes.data(), bytes.size())) break;
            mUserHold = KS_USER_HOLD::kKEEP_COPY;
            mUserOriginal.swap(bytes);
            fKeepUserFile();
            return false;
        default:
            mUserHold = KS_USER_HOLD::kKEEP_MOVE;
            fKeepUserFile();
            return false;
    }
    const pugi::xml_node root = document.document_element();
    mFullscreen = root.child("fullscreen").attribute("value").as_bool() ? 1 : 0;
    if (pugi::xml_node version = root.child("version")) mVersion = version.attribute("value").as_uint();
    return true;
}

bool GG_SETTINGS::fKeepUserFile() const {
    if (mUserHold == KS_USER_HOLD::kNONE) return true;
    const std::string path = fGetUserFolder() + kUSER_FILE;
    const bool gone = KEL::fFileExists(path) == KEL::KE_PATH_KIND::kNONE && !host::fIsLink(path);
    std::string kept;
    if (mUserHold == KS_USER_HOLD::kKEEP_COPY) kept = host::fKeepCopy(path, mUserOriginal);
    else if (!gone) kept = host::fKeepByMove(path);
    if (kept.empty() && !gone) return false;
    if (!kept.empty())
        mUserNotice = path + " is not a settings file the game can read: kept as " + kept + ", the defaults are used";
    mUserHold = KS_USER_HOLD::kNONE;
    mUserOriginal.clear();
    return true;
}

bool GG_SETTINGS::fSaveSettings() const {
    const std::string folder = fGetUserFolder();
    if (!fKeepUserFile()) return false;
    if (KEL::fFileExists(folder) != KEL::KE_PATH_KIND::kFOLDER && !KEL::fCreateDirectories(folder)) return false;
    pugi::xml_document document;
    pugi::xml_node game = document.append_child("game");
    game.append_child("fullscreen").append_attribute("value").set_value(mFullscreen != 0);
    game.append_child("version").append_attribute("value").set_value(kVERSION);
    std::ostringstream text;
    document.save(text, "\t", pugi::format_indent | pugi::format_write_bom);

    // A link stays a link: the file it names is the one replaced.
    const std::string target = host::fFollowLinks(folder + kUSER_FILE);
    KEL::KC_BIN_FILE file;
    if (target.empty() || !file.fOpenSave(target)) return false;
    for (char c : text.str()) file.fWrite1(static_cast<uint8_t>(c));
    return file.fCommit();
}

std::string GG_SETTINGS::fSafeFolderName(const std::string& name) {
    const bool unsafe = name.empty() || name == "." || name.find("..") != std::string::npos ||
                        name.find('/') != std::string::npos || name.find('\\') != std::string::npos;
    return unsafe ? std::string(kFALLBACK_FOLDER) : name;
}

std::string GG_SETTINGS::fGetUserFolder() const {
    std::string base = KEL::fGetAppDataPath();
    if (base.empty() || base.back() != '/') base += '/';
    return base + fSafeFolderName(mCompany) + "/" + fSafeFolderName(mProduct) + "/";
}

bool GG_SETTINGS::fMountResources(KEL::KC_REPOSITORY& repository, const std::string& listName) {
    pugi::xml_document* list = repository.fGetXml(listName);
    if (!list) return false;
    if (!mMounted.empty()) fUnmountResources(repository);
    for (pugi::xml_node child : list->document_element().children()) {
        const pugi::xml_attribute value = child.attribute("value");
        if (!KEL::fIsElement(child) || !value) continue;
        if (repository.fLoad(value.as_string(), kARCHIVE_PASSWORD) != -1) mMounted.push_back(value.as_string());
    }
    repository.fReleaseXml(list);

    std::string language = "data/" + mCurrentLanguage;
    if (!fExistsUnderResources(language)) {
        const int32_t kind = KEL::fGetDeviceKind();
        if (kind != 1 && kind != 2) return false;
        language = "data/" + mLanguage;
        if (!fExistsUnderResources(language)) return false;
    }
    repository.fLoad(language.c_str(), kARCHIVE_PASSWORD);
    return true;
}

void GG_SETTINGS::fUnmountResources(KEL::KC_REPOSITORY& repository) {
    if (!fIsMobilePlatform()) {
        if (mEarTile) mEarTile->fUnloadTexture();
        if (mEarLine) mEarLine->fUnloadTexture();
        repository.fCountLoaded();
        mEarTile.reset();
        mEarLine.reset();
    }
    for (const std::string& folder : mMounted) repository.fUnloadGroup(folder);
    repository.fUnloadGroup("data/" + mCurrentLanguage);
    mMounted.clear();
}

}  // namespace game
