#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <pugixml.hpp>

#include "engine/scene/G_ANIMATION.h"
#include "engine/util/KS_POINT.h"
#include "engine/util/KS_VEC2.h"

namespace game {

// The error panel: a grid of places, one icon per error made, the places
// beyond the player's error limit shown locked. A new error's icon waits
// in a queue and shows up "ping" seconds later, at most one per "ping", so
// a burst of errors in one drag pops in one after another.
class GG_ICON_GRID {
public:
    // Largest grid side; a panel has at most this many places per row and rows.
    static constexpr int32_t kMAX_SIDE = 32;
    static constexpr float kMAX_PING = 60.0f;

    // Reads "pos", "grid", "interval", "ping" and the animations "sprite",
    // "sprite_lock" (both required) and "background" (optional). False, with
    // the error text set, on a missing part or a value out of range.
    bool fLoad(const pugi::xml_node& node);

    // How many errors may be made: that many places stay free for icons,
    // the rest of the grid shows locks. Negative counts as 0.
    void fSetLimit(int32_t limit);
    // One more error; its icon is queued while the errors do not exceed the
    // limit (nor the places of the grid).
    void fAdd();
    // No errors, no icons.
    void fReset();
    // Advances the background and the shown icons and lets one queued icon
    // in when its wait is over.
    void fUpdate();
    void fDraw();
    // Seconds until every queued icon has shown up and played.
    float fGetPendingTime() const;

    void fLoadResources();
    void fReleaseResources();

    int32_t fGetLimit() const { return mLimit; }
    int32_t fGetErrors() const { return mErrors; }
    int32_t fGetShownCount() const { return static_cast<int32_t>(mShown.size()); }
    int32_t fGetQueuedCount() const { return static_cast<int32_t>(mQueued.size()); }
    int32_t fGetPlaceCount() const { return mGrid.x * mGrid.y; }
    // The top-left of place i (row by row), where its icon or lock is drawn.
    KEL::KS_VEC2 fGetPlace(int32_t index) const;
    // Places drawn locked: from the limit to the last.
    int32_t fGetLockedCount() const;

private:
    KEL::KS_POINT mPos;
    KEL::KS_POINT mGrid{1, 1};
    KEL::KS_POINT mInterval;
    float mPing = 0.0f;
    float mIconFps = 1.0f;
    KEL::G_ANIMATION mIcon;
    KEL::G_ANIMATION mLock;
    KEL::G_ANIMATION mBackground;
    uint8_t mHasBackground = 0;

    int32_t mLimit = 0;
    int32_t mErrors = 0;
    float mClock = 0.0f;
    std::vector<std::unique_ptr<KEL::G_ANIMATION>> mQueued;
    std::vector<std::unique_ptr<KEL::G_ANIMATION>> mShown;
};

}  // namespace game
