#pragma once

#include "engine/scene/KC_PARTICLE_SYSTEM.h"

namespace KEL {

// A particle system whose particles grow from a start to an end size over
// their life and accelerate along (radial) and across (tangent) their
// direction of flight.
class KC_PARTICLE_SYSTEM_EX : public KC_PARTICLE_SYSTEM {
public:
    explicit KC_PARTICLE_SYSTEM_EX(KC_TEXTURE* texture, const KS_PARTICLE* particleTemplate = nullptr)
        : KC_PARTICLE_SYSTEM(texture, particleTemplate) {}

    void fOnEmit(KS_PARTICLE* particle) override;
    void fOnMove(KS_PARTICLE* particle) override;
    // Also "tangent", "radial", "startSize" and "endSize".
    void fRead(const pugi::xml_node& node) override;
    void fWrite(pugi::xml_node parent, const char* textureName) const override;
    void fCopyParameters(const KC_PARTICLE_SYSTEM& other) override;

    float mStartSize = 4.0f;
    float mEndSize = 20.0f;
    float mTangent = 0.0f;
    float mRadial = 0.0f;
};

}  // namespace KEL
