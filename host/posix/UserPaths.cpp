// The user's data folder on POSIX systems, following the XDG base-directory
// rule with the password database as last resort. Does not provide: roaming
// profiles, or creation of the folder (callers create what they need).
#include "host/UserPaths.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

#include "host/Files.h"

namespace host {

namespace {

bool fUsable(const char* text) { return text && text[0] == '/' && std::string(text) != "/"; }

std::string fTrimmed(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string fPasswdHome() {
    long hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(hint > 0 ? static_cast<size_t>(hint) : 16384);
    passwd entry{};
    passwd* result = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &result) != 0 || !result || !result->pw_dir)
        return std::string();
    return result->pw_dir;
}

}  // namespace

std::string fResolveUserDataPath(const char* xdgDataHome, const char* home, const char* passwdHome,
                                 const char* currentFolder) {
    // XDG asks to ignore relative values.
    if (fUsable(xdgDataHome)) return fTrimmed(xdgDataHome);
    if (fUsable(home)) return fTrimmed(home) + "/.local/share";
    if (fUsable(passwdHome)) return fTrimmed(passwdHome) + "/.local/share";
    // Never the root itself: "" + "/Company" would write at the top of the disk.
    if (fUsable(currentFolder)) return fTrimmed(currentFolder);
    return "/tmp";
}

std::string fUserDataPath() {
    const std::string passwd = fPasswdHome();
    const std::string current = fCurrentFolder();
    return fResolveUserDataPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), passwd.c_str(), current.c_str());
}

}  // namespace host
