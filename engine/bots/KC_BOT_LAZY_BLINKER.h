#pragma once

#include <cstdint>

#include "engine/bots/KC_BOT.h"

namespace KEL {

class KC_MESH;

// Swings a mesh's vertex colour between two colours: each swing fades over
// a fade time and holds for a hold time; a swing count of 0 is endless.
class KC_BOT_LAZY_BLINKER : public KC_BOT {
public:
    KC_BOT_LAZY_BLINKER(KC_MESH* target, uint32_t first, uint32_t second, float fadeTime, float holdTime,
                        int32_t swings);

protected:
    int32_t fStep(float dt) override;

    KC_MESH* mTarget;
    uint32_t mFrom;
    uint32_t mTo;
    float mFadeTime;
    float mHoldTime;
    int32_t mSwingsLeft;
    bool mEndless;
    float mClock = 0.0f;
};

KC_BOT_LAZY_BLINKER* fCreateBotLazyBlinker(KC_MESH* target, uint32_t first, uint32_t second, float fadeTime,
                                           float holdTime, int32_t swings);

}  // namespace KEL
