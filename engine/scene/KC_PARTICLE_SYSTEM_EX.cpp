#include "engine/scene/KC_PARTICLE_SYSTEM_EX.h"

#include <cstdlib>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/util/KF_TEXT.h"

namespace KEL {

void KC_PARTICLE_SYSTEM_EX::fOnEmit(KS_PARTICLE* particle) { particle->size = mStartSize; }

void KC_PARTICLE_SYSTEM_EX::fOnMove(KS_PARTICLE* particle) {
    const float dt = kfFRAME_DELTA;
    if (particle->lifetime > 0.0f) particle->size += (mEndSize - mStartSize) * dt / particle->lifetime;
    KS_VEC3 unit = particle->velocity;
    unit.z = 0.0f;
    unit.fNormalize();
    const KS_VEC3 across(-unit.y, unit.x, 0.0f);
    particle->velocity += unit * (mRadial * dt) + across * (mTangent * dt);
}

void KC_PARTICLE_SYSTEM_EX::fRead(const pugi::xml_node& node) {
    if (!node.attribute("texture")) return;
    KC_PARTICLE_SYSTEM::fRead(node);
    if (pugi::xml_node n = node.child("tangent")) mTangent = fTextToFloat(n.child_value());
    if (pugi::xml_node n = node.child("radial")) mRadial = fTextToFloat(n.child_value());
    if (pugi::xml_node n = node.child("startSize")) mStartSize = fTextToFloat(n.child_value());
    if (pugi::xml_node n = node.child("endSize")) mEndSize = fTextToFloat(n.child_value());
}

void KC_PARTICLE_SYSTEM_EX::fWrite(pugi::xml_node parent, const char* textureName) const {
    KC_PARTICLE_SYSTEM::fWrite(parent, textureName);
    pugi::xml_node node = parent.last_child();
    node.append_child("tangent").text() = mTangent;
    node.append_child("radial").text() = mRadial;
    node.append_child("startSize").text() = mStartSize;
    node.append_child("endSize").text() = mEndSize;
}

void KC_PARTICLE_SYSTEM_EX::fCopyParameters(const KC_PARTICLE_SYSTEM& other) {
    KC_PARTICLE_SYSTEM::fCopyParameters(other);
    if (const auto* ex = dynamic_cast<const KC_PARTICLE_SYSTEM_EX*>(&other)) {
        mStartSize = ex->mStartSize;
        mEndSize = ex->mEndSize;
        mTangent = ex->mTangent;
        mRadial = ex->mRadial;
    }
}

}  // namespace KEL
