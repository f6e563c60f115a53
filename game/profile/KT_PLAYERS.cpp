#include "game/profile/KT_PLAYERS.h"

#include <map>
#include <set>

#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/resources/KC_BIN_FILE.h"
#include "engine/util/KF_UTF8.h"
#include "host/Files.h"

namespace KEL {

namespace {

std::string fInFolder(const std::string& folder, const char* name) {
    if (folder.empty() || folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// The other layouts a file may have been written with, the running one first.
std::vector<game::GG_SAVE_LAYOUT> fLayoutsToTry(const game::GG_SAVE_LAYOUT& running) {
    std::vector<game::GG_SAVE_LAYOUT> layouts{running};
    for (bool inApp : {running.mInApp, !running.mInApp})
        for (uint32_t version : {game::GG_SAVE_LAYOUT::kVERSION, game::GG_SAVE_LAYOUT::kOLD_VERSION}) {
            const game::GG_SAVE_LAYOUT layout{inApp, version};
            if (!(layout == running)) layouts.push_back(layout);
        }
    return layouts;
}

// The name itself when free, else the first of "name (2)", "name (3)"...
// that is: a player the list refuses keeps a name of its own, the name cut
// short where the number would make it too long. Next holds, per name, the
// number to try first: the ones below it were taken already, so a file of
// many equal names reads in linear time, not quadratic.
std::wstring fFreeName(const std::wstring& name, const std::set<std::wstring>& taken,
                       std::map<std::wstring, uint64_t>& next) {
    if (!taken.count(name)) return name;
    uint64_t& n = next.try_emplace(name, 2).first->second;
    for (;; ++n) {
        const std::wstring number = L" (" + std::to_wstring(n) + L")";
        const size_t room = KT_PLAYERS::kMAX_NAME > number.size() ? KT_PLAYERS::kMAX_NAME - number.size() : 0;
        std::wstring candidate = name.substr(0, room) + number;
        if (!taken.count(candidate)) return candidate;
    }
}

std::string fPlayersRecovered(size_t count) {
    if (count == 0) return "no player was recovered";
    if (count == 1) return "1 player was recovered";
    return std::to_string(count) + " players were recovered";
}

constexpr const char* kRETRY = "The game tries again at every save.";

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
        // A name no player could type is mended; two stored names can be
        // equal, or mend to the same text: the later player is kept under a
        // free name rather than dropped.
        const std::wstring name = fFreeName(fMendName(player->fGetName()), taken, next);
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
    if (!current.empty()) fSelect(fMendName(fFromUtf8(current)));
    const bool whole = !file.fFailed() && hasCurrent <= 1;
    uint8_t extra = 0;
    file.fRead1(extra);
    return whole && file.fFailed();  // the last read must find the end
}

bool KT_PLAYERS::fLoad(const std::string& folder) {
    const std::string path = fInFolder(folder, kFILE);
    mLoadRan = true;
    mLoaded = false;
    mDamaged = false;
    mHold = KS_HOLD::kNONE;
    mKept.clear();
    mNotice.clear();
    std::string bytes;
    const host::FileRead found = host::fReadRegularFile(path, kMAX_FILE_SIZE, bytes);
    if (found != host::FileRead::kREAD) {
        fClear();
        fNoteUnread(found, folder);
        return false;
    }
    if (fLoadBytes(bytes)) {
        mLoaded = true;
        return true;
    }
    // Damaged, or a name had to change: the file is kept as it was before
    // a save can replace it.
    mOriginal.swap(bytes);
    mHold = KS_HOLD::kKEEP_COPY;
    fLiftHold(folder);
    mNotice = fDamageNotice(path, "was damaged");
    return false;
}

void KT_PLAYERS::fNoteUnread(host::FileRead found, const std::string& folder) {
    const std::string path = fInFolder(folder, kFILE);
    switch (found) {
        case host::FileRead::kMISSING: mLoaded = true; return;
        case host::FileRead::kDANGLING_LINK:
            // Saves go through the link and make the file it names.
            mLoaded = true;
            mNotice = "The players file \"" + path + "\"\nlinks to \"" + host::fFollowLinks(path) +
                      "\", which is missing.\nThe game starts without saved players and will save them there.";
            return;
        case host::FileRead::kFOLDER:
            mHold = KS_HOLD::kFOLDER;
            mToldSaveFailed = true;
            mNotice = "The players file \"" + path +
                      "\" is a folder: no player was read,\nand nothing can be saved "
                      "until it is moved away.\n" +
                      std::string(kRETRY);
            return;
        default: break;
    }
    // Not read at all: what is there is moved aside, never opened.
    mDamaged = true;
    mHold = KS_HOLD::kKEEP_MOVE;
    fLiftHold(folder);
    const char* reason = found == host::FileRead::kNOT_REGULAR ? "is not a regular file"
                         : found == host::FileRead::kTOO_LARGE ? "is too large to be a save"
                                                               : "cannot be read";
    mNotice = fDamageNotice(path, reason);
}

std::string KT_PLAYERS::fDamageNotice(const std::string& path, const char* reason) {
    std::string text = std::string("The players file ") + reason + ": " + fPlayersRecovered(mPlayers.size()) + ".";
    if (mLoaded) return mKept.empty() ? text : text + "\nThe original is kept as \"" + mKept + "\".";
    // The save notice would say the same again.
    mToldSaveFailed = true;
    return text + "\nThe original \"" + path + "\" could not be kept aside,\nso nothing is saved until it can be. " +
           kRETRY;
}

bool KT_PLAYERS::fLiftHold(const std::string& folder) {
    const std::string path = fInFolder(folder, kFILE);
    const bool gone = host::fPathKind(path) == host::KE_PATH_KIND::kNONE && !host::fIsLink(path);
    switch (mHold) {
        case KS_HOLD::kNONE: break;
        case KS_HOLD::kKEEP_COPY: mKept = host::fKeepCopy(path, mOriginal); break;
        // Whatever is there is moved as it is; nothing there is nothing to keep.
        case KS_HOLD::kKEEP_MOVE:
            if (!gone) mKept = host::fKeepByMove(path);
            if (gone || !mKept.empty()) mHold = KS_HOLD::kNONE;
            break;
        // A save may write once the folder is gone.
        case KS_HOLD::kFOLDER:
            if (gone) mHold = KS_HOLD::kNONE;
            break;
    }
    if (mHold == KS_HOLD::kKEEP_COPY && !mKept.empty()) mHold = KS_HOLD::kNONE;
    if (mHold != KS_HOLD::kNONE) return false;
    mOriginal.clear();
    mOriginal.shrink_to_fit();
    mLoaded = true;
    return true;
}

bool KT_PLAYERS::fMaySave(const std::string& folder) {
    if (mLoaded) return true;
    if (!mLoadRan || !fLiftHold(folder)) return false;
    // Told at the start that nothing could be saved: now it can.
    if (!mKept.empty()) {
        if (!mNotice.empty()) mNotice += "\n";
        mNotice += "The damaged players file is now kept as \"" + mKept + "\".";
    }
    return true;
}

void KT_PLAYERS::fNoteSaveFailed(const std::string& folder) {
    if (!mLoadRan || mToldSaveFailed) return;
    mToldSaveFailed = true;
    if (!mNotice.empty()) mNotice += "\n";
    mNotice += "The game could not save your progress to \"" + fInFolder(folder, kFILE) +
               "\"\n(is the disk full, or the folder read-only?).\nIt goes on and tries again at every save.";
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

bool KT_PLAYERS::fSave(const std::string& folder) {
    if (!fMaySave(folder)) return false;
    if (fFileExists(folder) != KEL::KE_PATH_KIND::kFOLDER && !fCreateDirectories(folder)) return false;
    // A link stays a link: the file it names is the one replaced.
    const std::string target = host::fFollowLinks(fInFolder(folder, kFILE));
    KC_BIN_FILE file;
    if (target.empty() || !file.fOpenSave(target)) return false;
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

std::wstring KT_PLAYERS::fMendName(const std::wstring& name) {
    std::wstring mended;
    for (const wchar_t c : name) {
        if (mended.size() == kMAX_NAME) break;
        const uint32_t code = static_cast<uint32_t>(c);
        const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
        // What no decoder gives for typed text: a replaced byte, a
        // surrogate, a unit outside Unicode.
        const bool undecodable = code == 0xFFFD || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF;
        if (control || undecodable || c == L'/' || c == L'\\') continue;
        mended += c;
    }
    return mended.empty() ? std::wstring(L"player") : mended;
}

std::vector<std::wstring> KT_PLAYERS::fGetNames() const {
    std::vector<std::wstring> names;
    for (const auto& player : mPlayers) names.push_back(player->fGetName());
    return names;
}

}  // namespace KEL
