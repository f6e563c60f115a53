#pragma once

#include <string>

namespace pugi {
class xml_document;
}

namespace KEL {

class KC_REPOSITORY;

// A language's resources in a folder of its own (base folder + language),
// mounted as a resource list, with two fallback languages.
class KC_STRINGS_FOLDER {
public:
    // The repository defaults to the global one.
    KC_STRINGS_FOLDER(const std::string& baseFolder, const std::string& password, const std::string& firstFallback,
                      const std::string& secondFallback, KC_REPOSITORY* repository = nullptr);

    // Mounts base folder + language when it exists and makes it current.
    bool fTryLoad(const std::string& language);
    // The requested language, else the first fallback, else the second.
    bool fChoose(const std::string& language);
    // Gives back the document, sweeps and unmounts the current language.
    void fUnload();

    const std::string& fGetCurrent() const { return mCurrent; }

    std::string mFirstFallback;
    std::string mSecondFallback;
    std::string mCurrent;
    std::string mBaseFolder;
    std::string mPassword;
    // The strings document taken from the current language, if any.
    pugi::xml_document* mDocument = nullptr;

private:
    KC_REPOSITORY* fRepository() const;

    KC_REPOSITORY* mRepository;
};

}  // namespace KEL
