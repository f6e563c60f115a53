#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/profile/GG_PLAYER.h"
#include "game/profile/GG_SAVE_LAYOUT.h"

namespace KEL {

class KC_BIN_FILE;

// The player profiles and which of them is current: the one place that says
// who plays (the game object asks it rather than keeping its own copy).
// Kept in "players.save" in the user folder.
//
// Loading never trusts the file: only players read whole are kept, a player
// whose name is already listed is kept under a free name ("Ann (2)"), a file
// that does not read cleanly or needed such a rename is copied to "players.save.bak" before anything
// can overwrite it, and a file written with the other layout (edition with
// or without in-app store, old or new settings version) is still read.
// Saving writes aside and swaps the new file in, and does nothing until the
// list was loaded or its file was found missing, so a failed start never
// overwrites profiles it did not read. Main thread only, except that the
// loader thread loads the list before the main thread uses it.
class KT_PLAYERS {
public:
    static constexpr const char* kFILE = "players.save";
    static constexpr const char* kBACKUP = "players.save.bak";

    KT_PLAYERS() = default;
    KT_PLAYERS(const KT_PLAYERS&) = delete;
    KT_PLAYERS& operator=(const KT_PLAYERS&) = delete;

    // The layout the running edition reads and writes.
    void fSetLayout(const game::GG_SAVE_LAYOUT& layout) { mLayout = layout; }
    const game::GG_SAVE_LAYOUT& fGetLayout() const { return mLayout; }

    // Reads folder + "players.save" into an empty list; false when the file
    // is missing, cannot be read or did not read cleanly.
    bool fLoad(const std::string& folder);
    // Creates the folder and writes the list; false when nothing was written.
    bool fSave(const std::string& folder);
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
    // Marks the load damaged and copies the file to the backup; saving is
    // allowed only once the copy is made.
    void fSetAside(const std::string& folder);
    void fClear();

    game::GG_SAVE_LAYOUT mLayout;
    game::GG_PLAYER* mCurrent = nullptr;
    std::vector<std::unique_ptr<game::GG_PLAYER>> mPlayers;
    bool mLoaded = false;
    bool mDamaged = false;
};

}  // namespace KEL
