#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/profile/GG_PLAYER.h"
#include "game/profile/GG_SAVE_LAYOUT.h"
#include "host/Files.h"

namespace KEL {

class KC_BIN_FILE;

// The player profiles and which of them is current: the one place that says
// who plays (the game object asks it rather than keeping its own copy).
// Kept in "players.save" in the user folder.
//
// Loading never trusts the file. Only a regular file within kMAX_FILE_SIZE
// is read, so a FIFO or device in its place cannot hold the game. Only
// players read whole are kept; a name no player could type is mended and a
// name already listed gets a free one ("Ann (2)"); a file written with the
// other layout (edition with or without in-app store, old or new settings
// version) is still read. A file that does not read cleanly, or whose names
// had to change, is kept beside it as it was ("players.save.1.bak", the
// first free number, never overwritten) before any save may replace it, and
// the player hears of it through fTakeNotice.
//
// Saving writes aside and swaps the new file in (through a link, to where
// it points), and does nothing until the list was loaded or its file was
// found missing, so a failed start never overwrites profiles it did not
// read. What holds saves back after a load (the original not yet kept
// aside, a folder in the file's place) is tried again at every save.
// Main thread only, except that the loader thread loads the list (and its
// notice) before the main thread uses it.
class KT_PLAYERS {
public:
    static constexpr const char* kFILE = "players.save";
    // The longest name a player can type, and so the longest a file keeps.
    static constexpr uint32_t kMAX_NAME = 15;
    // No list of players comes near this; anything larger is not read.
    static constexpr uint64_t kMAX_FILE_SIZE = 64ull << 20;

    KT_PLAYERS() = default;
    KT_PLAYERS(const KT_PLAYERS&) = delete;
    KT_PLAYERS& operator=(const KT_PLAYERS&) = delete;

    // The layout the running edition reads and writes.
    void fSetLayout(const game::GG_SAVE_LAYOUT& layout) { mLayout = layout; }
    const game::GG_SAVE_LAYOUT& fGetLayout() const { return mLayout; }

    // Reads folder + "players.save" into an empty list; false when the file
    // is missing, cannot be read or did not read cleanly.
    bool fLoad(const std::string& folder);
    // Whether a save may write now; what held it back after the load is
    // tried again first. Always false before a load.
    bool fMaySave(const std::string& folder);
    // Creates the folder and writes the list; false when nothing was written.
    bool fSave(const std::string& folder);
    // A save of the game that wrote nothing: the player is told once per
    // list (nothing is told when no load ran yet).
    void fNoteSaveFailed(const std::string& folder);
    // Words for the player about the file, once each: what the load found,
    // then the first failed save. Empty when there is nothing new.
    std::string fTakeNotice() { return std::exchange(mNotice, std::string()); }
    // Where the last load kept the damaged original; empty when it did not.
    const std::string& fGetKeptPath() const { return mKept; }
    // The name as a typed one could be: at most kMAX_NAME characters, no
    // control characters, no "/" or "\", no undecodable bytes; "player"
    // when nothing is left.
    static std::wstring fMendName(const std::wstring& name);
    // The same reading and writing on the bytes of a "players.save" held in
    // memory. fLoadBytes answers whether they read cleanly (else the list
    // keeps what the running layout read whole, and fWasDamaged tells); it
    // touches no file and leaves whether fSave may write unchanged.
    bool fLoadBytes(std::string bytes);
    std::string fSaveBytes() const;
    // Whether a save may write: the list was loaded or its file was missing.
    bool fIsLoaded() const { return mLoaded; }
    // Whether the last load found a damaged file (kept as the backup).
    bool fWasDamaged() const { return mDamaged; }

    // False for a name already listed; the first player becomes current.
    bool fAddPlayer(std::unique_ptr<game::GG_PLAYER> player);
    bool fRemovePlayer(const std::wstring& name);
    game::GG_PLAYER* fFind(const std::wstring& name) const;
    bool fSelect(const std::wstring& name);
    // Makes the player current by name; null clears the current player (and
    // answers false), so "nobody" is saved too.
    bool fSetCurrent(const game::GG_PLAYER* player);
    game::GG_PLAYER* fGetCurrent() const { return mCurrent; }
    uint32_t fGetCount() const { return static_cast<uint32_t>(mPlayers.size()); }
    std::vector<std::wstring> fGetNames() const;
    const std::vector<std::unique_ptr<game::GG_PLAYER>>& fGetPlayers() const { return mPlayers; }

private:
    // One reading of the stream from its start with the given layout; true
    // when it read whole and to the last byte. Renamed counts the players
    // kept under a new name because theirs was already listed.
    bool fRead(KC_BIN_FILE& file, const game::GG_SAVE_LAYOUT& layout, uint32_t& renamed);
    void fWrite(KC_BIN_FILE& file) const;
    // What holds saves back after a load.
    enum class KS_HOLD { kNONE, kKEEP_COPY, kKEEP_MOVE, kFOLDER };
    // What a load that read no bytes found, and what follows from it.
    void fNoteUnread(host::FileRead found, const std::string& folder);
    // Tries to lift the hold; true once saves may write.
    bool fLiftHold(const std::string& folder);
    // The words for a file that was not read cleanly.
    std::string fDamageNotice(const std::string& path, const char* reason);
    void fClear();

    game::GG_SAVE_LAYOUT mLayout;
    game::GG_PLAYER* mCurrent = nullptr;
    std::vector<std::unique_ptr<game::GG_PLAYER>> mPlayers;
    bool mLoadRan = false;
    bool mLoaded = false;
    bool mDamaged = false;
    KS_HOLD mHold = KS_HOLD::kNONE;
    std::string mOriginal;  // the bytes to keep aside while kKEEP_COPY holds
    std::string mKept;
    std::string mNotice;
    bool mToldSaveFailed = false;
};

}  // namespace KEL
