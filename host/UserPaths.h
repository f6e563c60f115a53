#pragma once

#include <string>

// Where per-user data lives (the application-data folder).
namespace host {

// The user's data folder: $XDG_DATA_HOME when it is an absolute path, else
// $HOME/.local/share, else the password database's home + "/.local/share",
// else the current folder. Never empty and never the file-system root.
std::string fUserDataPath();

// The rule above over given values (null or empty means unknown), for tests.
std::string fResolveUserDataPath(const char* xdgDataHome, const char* home, const char* passwdHome,
                                 const char* currentFolder);

}  // namespace host
