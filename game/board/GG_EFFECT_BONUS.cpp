#include "game/board/GG_EFFECT_BONUS.h"

namespace game {

GG_EFFECT_BONUS::GG_EFFECT_BONUS(const GG_SUNIME_EFFECT& flyingScore, const KEL::KS_VEC2& from, int32_t amount,
                                 KEL::Closure<void()> landed)
    : mFlight(flyingScore.fLaunch(from, amount, landed)) {}

}  // namespace game
