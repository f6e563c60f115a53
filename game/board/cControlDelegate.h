#pragma once

namespace game {

// Told which board control the player used; the tutorial registers one to
// follow the player's steps. Each call comes after the control did its work.
class cControlDelegate {
public:
    virtual ~cControlDelegate() = default;
    virtual void fOnStoreUsed() = 0;
    virtual void fOnHintUsed() = 0;
    virtual void fOnToolSwitched() = 0;
    virtual void fOnPauseUsed() = 0;
    virtual void fOnResetSelectionUsed() = 0;
};

}  // namespace game
