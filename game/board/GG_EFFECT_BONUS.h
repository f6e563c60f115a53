#pragma once

#include <cstdint>
#include <memory>

#include "engine/util/Closure.h"
#include "engine/util/KS_VEC2.h"
#include "game/board/GG_SUNIME_EFFECT.h"

namespace game {

// One bonus in flight: a copy of the flying-score template launched from a
// bonus cell. It shows at the cell, flies to the score counter, lands (the
// landing closure receives the amount) and fades; then it is done and its
// owner deletes it.
class GG_EFFECT_BONUS {
public:
    GG_EFFECT_BONUS(const GG_SUNIME_EFFECT& flyingScore, const KEL::KS_VEC2& from, int32_t amount,
                    KEL::Closure<void()> landed);

    void fUpdate() { mFlight->fUpdate(); }
    void fDraw() { mFlight->fDraw(); }
    bool fIsDone() const { return mFlight->fIsDone(); }
    void fReleaseResources() { mFlight->fReleaseResources(); }
    const GG_SUNIME_EFFECT& fGetFlight() const { return *mFlight; }

private:
    std::unique_ptr<GG_SUNIME_EFFECT> mFlight;
};

}  // namespace game
