#include "engine/resources/KC_STRINGS_FOLDER.h"

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/resources/KC_REPOSITORY.h"

namespace KEL {

KC_STRINGS_FOLDER::KC_STRINGS_FOLDER(const std::string& baseFolder, const std::string& password,
                                     const std::string& firstFallback, const std::string& secondFallback,
                                     KC_REPOSITORY* repository)
    : mFirstFallback(firstFallback),
      mSecondFallback(secondFallback),
      mBaseFolder(baseFolder),
      mPassword(password),
      mRepository(repository) {}

KC_REPOSITORY* KC_STRINGS_FOLDER::fRepository() const { return mRepository ? mRepository : kcREPOSITORY; }

bool KC_STRINGS_FOLDER::fTryLoad(const std::string& language) {
    KC_REPOSITORY* repository = fRepository();
    if (!repository || language.empty()) return false;
    const std::string list = mBaseFolder + language;
    if (fFileExists(KC_FILESYSTEM::fGetInstance().fGetResourcesPath() + list) == KE_PATH_KIND::kNONE) return false;
    repository->fLoad(list.c_str(), mPassword.c_str());
    mCurrent = language;
    return true;
}

bool KC_STRINGS_FOLDER::fChoose(const std::string& language) {
    return fTryLoad(language) || fTryLoad(mFirstFallback) || fTryLoad(mSecondFallback);
}

void KC_STRINGS_FOLDER::fUnload() {
    if (mCurrent.empty()) return;
    if (KC_REPOSITORY* repository = fRepository()) {
        if (mDocument) repository->fReleaseXml(mDocument);
        repository->fCountLoaded();
        repository->fUnloadGroup(mBaseFolder + mCurrent);
    }
    mCurrent.clear();
    mDocument = nullptr;
}

}  // namespace KEL
