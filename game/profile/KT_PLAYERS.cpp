#include "game/profile/KT_PLAYERS.h"

#include <filesystem>
#include <map>
#include <set>

#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/resources/KC_BIN_FILE.h"
#include "engine/util/KF_UTF8.h"

namespace KEL {

namespace {

std::string fInFolder(const std::string& folder, const char* name) {
    if (folder.empty() || folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// The other layouts a file may have been written with, the running one first.
std::vector<game::GG_SAVE_LAYOUT> fLayoutsToTry(const game::GG_SAVE_LAYOUT& running) {
    std::vector<game::GG_SAVE_LAYOUT> layouts {running};
    for (bool inApp : {running.mInApp, !running.mInApp})
        for (uint32_t version : {game::GG_SAVE_LAYOUT::kVERSION, game::GG_SAVE_LAYOUT::kOLD_VERSION}) {
            const game::GG_SAVE_LAYOUT layout {inApp, version};
            if (!(layout == running)) layouts.push_back(layout);
        }
    return layouts;
}

// The name itself when free, else the first of "name (2)", "name (3)"...
// that is: a player the list refuses keeps a name of its own. Next holds,
// per name, the number to try first: the ones below it were taken already,
// so a file of many equal names reads in linear time, not quadratic.
std::wstring fFreeName(const std::wstring& name, const std::set<std::wstring>& taken,
                       std::map<std::wstring, uint64_t>& next) {
    if (!taken.count(name)) return name;
    uint64_t& n = next.try_emplace(name, 2).first->second;
    for (;; ++n) {
        std::wstring candidate = name + L" (" + std::to_wstring(n) + L")";
        if (!taken.count(candidate)) return candidate;
    }
}

bool fCopyAside(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

}  // namespace

void KT_PLAYERS::fClear() {
    mCurrent = nullptr;
    mPlayers.clear();
}

bool KT_PLAYERS::fRead(KC_BIN_FILE& file, const game::GG_SAVE_LAYOUT& layout, uint32_t& renamed) {
    fClear();
    renamed = 0;
    file.fRewind();
    uint8_t hasCurrent = 0;
    std::string current;
    uint32_t count = 0;
    file.fRead1(hasCurrent);
    if (hasCurrent) file.fReadString(current);
    file.fRead4b(count);
    std::set<std::wstring> taken;
    std::map<std::wstring, uint64_t> next;
    for (uint32_t i = 0; i < count && !file.fFailed(); ++i) {
        auto player = std::make_unique<game::GG_PLAYER>(layout);
        player->fLoadBinary(file);
        if (file.fFailed()) break;
        player->fSetLayout(mLayout);
        // Two stored names can be equal, or decode to the same text: the
        // later player is kept under a free name rather than dropped.
        const std::wstring name = fFreeName(player->fGetName(), taken, next);
        if (name != player->fGetName()) {
            player->fSetName(name);
            ++renamed;
        }
        taken.insert(name);
        // Free by construction: no walk of the list (that would make a
        // file of many players quadratic).
        mPlayers.push_back(std::move(player));
        if (mPlayers.size() == 1) mCurrent = mPlayers.front().get();
    }
    if (!current.empty()) fSelect(fFromUtf8(current));
    const bool whole = !file.fFailed() && hasCurrent <= 1;
    uint8_t extra = 0;
    file.fRead1(extra);
    return whole && file.fFailed();  // the last read must find the end
}

bool KT_PLAYERS::fLoad(const std::string& folder) {
    const std::string path = fInFolder(folder, kFILE);
    mDamaged = false;
    const KEL::KE_PATH_KIND kind = fFileExists(path);
    if (kind == KEL::KE_PATH_KIND::kNONE) {
        fClear();
        mLoaded = true;
        return false;
    }
    // A folder in its place, or a file that cannot be read: leave it alone
    // and save nothing over it.
    std::string bytes;
    if (kind != KEL::KE_PATH_KIND::kFILE || !KC_BIN_FILE::fReadWhole(path, bytes)) return false;
    if (fLoadBytes(std::move(bytes))) {
        mLoaded = true;
        return true;
    }
    // Damaged, or a player had to be renamed: the file is kept as written
    // before a save can replace it.
    fSetAside(folder);
    return false;
}

bool KT_PLAYERS::fLoadBytes(std::string bytes) {
    mDamaged = false;
    uint32_t renamed = 0;
    KC_BIN_FILE file;
    file.fOpenMemory(std::move(bytes));
    // What the running layout (tried first) read whole is put by, so that a
    // file no layout reads cleanly is not read a second time.
    std::vector<std::unique_ptr<game::GG_PLAYER>> firstPlayers;
    game::GG_PLAYER* firstCurrent = nullptr;
    bool first = true;
    for (const game::GG_SAVE_LAYOUT& layout : fLayoutsToTry(mLayout)) {
        if (fRead(file, layout, renamed)) {
            // Read whole, but a rename changed what was stored: damage too.
            mDamaged = renamed != 0;
            return !mDamaged;
        }
        if (first) {
            firstPlayers.swap(mPlayers);
            firstCurrent = mCurrent;
            first = false;
        }
    }
    // Nothing read cleanly: keep what the running layout read whole.
    mPlayers.swap(firstPlayers);
    mCurrent = firstCurrent;
    mDamaged = true;
    return false;
}

void KT_PLAYERS::fSetAside(const std::string& folder) {
    mDamaged = true;
    mLoaded = fCopyAside(fInFolder(folder, kFILE), fInFolder(folder, kBACKUP));
}

bool KT_PLAYERS::fSave(const std::string& folder) {
    if (!mLoaded) return false;
    if (fFileExists(folder) != KEL::KE_PATH_KIND::kFOLDER && !fCreateDirectories(folder)) return false;
    KC_BIN_FILE file;
    if (!file.fOpenSave(fInFolder(folder, kFILE))) return false;
    fWrite(file);
    return file.fCommit();
}

std::string KT_PLAYERS::fSaveBytes() const {
    KC_BIN_FILE file;
    file.fOpenMemory();
    fWrite(file);
    return file.fGetMemory();
}

void KT_PLAYERS::fWrite(KC_BIN_FILE& file) const {
    file.fWrite1(mCurrent ? 1 : 0);
    if (mCurrent) file.fWriteString(fToUtf8(mCurrent->fGetName()));
    file.fWrite4b(static_cast<uint32_t>(mPlayers.size()));
    for (const auto& player : mPlayers) {
        player->fSetLayout(mLayout);
        player->fSaveBinary(file);
    }
}

bool KT_PLAYERS::fAddPlayer(std::unique_ptr<game::GG_PLAYER> player) {
    if (!player || fFind(player->fGetName())) return false;
    mPlayers.push_back(std::move(player));
    if (mPlayers.size() == 1) mCurrent = mPlayers.front().get();
    return true;
}

bool KT_PLAYERS::fRemovePlayer(const std::wstring& name) {
    for (auto it = mPlayers.begin(); it != mPlayers.end(); ++it) {
        if ((*it)->fGetName() != name) continue;
        if (mCurrent == it->get()) mCurrent = nullptr;
        mPlayers.erase(it);
        return true;
    }
    return false;
}

game::GG_PLAYER* KT_PLAYERS::fFind(const std::wstring& name) const {
    for (const auto& player : mPlayers)
        if (player->fGetName() == name) return player.get();
    return nullptr;
}

bool KT_PLAYERS::fSelect(const std::wstring& name) {
    game::GG_PLAYER* player = fFind(name);
    if (!player) return false;
    mCurrent = player;
    return true;
}

bool KT_PLAYERS::fSetCurrent(const game::GG_PLAYER* player) {
    if (!player) {
        mCurrent = nullptr;
        return false;
    }
    return fSelect(player->fGetName());
}

std::vector<std::wstring> KT_PLAYERS::fGetNames() const {
    std::vector<std::wstring> names;
    for (const auto& player : mPlayers) names.push_back(player->fGetName());
    return names;
}

}  // namespace KEL
