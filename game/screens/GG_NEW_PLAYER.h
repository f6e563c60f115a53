#pragma once

#include <cstdint>
#include <string>

#include "engine/util/Closure.h"

namespace KEL {
class G_WINDOW_MANAGER;
}

namespace game {

// The road to a first player: the name entry "Players_EditBox" opens; a
// name no player has yet makes a new player, who becomes current and is
// saved, and then the continuation runs (play, options, the player list).
// Names are at most kMAX_NAME characters, whichever screen asks.
class GG_NEW_PLAYER {
public:
    static constexpr uint32_t kMAX_NAME = 15;

    // False when the name entry cannot be opened.
    bool fStart(KEL::G_WINDOW_MANAGER* manager, const KEL::Closure<void()>& then);

    // The answer of the name entry: the name and 1 for OK, 0 for cancel.
    void fOnAnswer(const std::wstring& name, int32_t answer);
    // True for a name no player has.
    static bool fIsFree(const std::wstring& name);

private:
    static void fAnswerStub(void* user, const std::wstring& name, int32_t answer);
    static bool fCheckStub(void* user, const std::wstring& name);

    KEL::Closure<void()> mThen;
};

}  // namespace game
