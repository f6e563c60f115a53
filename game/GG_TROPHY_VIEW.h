#pragma once

namespace KEL {
class KC_TROPHY;
}

namespace game {

// A window that shows one trophy just won; the game object hands it each
// queued trophy before showing it.
class GG_TROPHY_VIEW {
public:
    virtual ~GG_TROPHY_VIEW() = default;
    virtual void fSetTrophy(KEL::KC_TROPHY* trophy) = 0;
};

}  // namespace game
