#pragma once

#include <cstdint>

#include <pugixml.hpp>

#include "engine/scene/KS_PARTICLE.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/KS_COLOR.h"
#include "engine/util/KS_RENDER_STATE.h"
#include "engine/util/KS_VEC3.h"

namespace KEL {

class KC_TEXTURE;

// Emits textured point-sprite particles from a circle or a rectangle at a
// fixed frequency (at most one per frame), moves them under gravity, fades
// their colour start -> average -> end over their life and draws them in one
// renderer call.
class KC_PARTICLE_SYSTEM {
public:
    enum class KE_AREA : uint8_t { CIRCLE, RECTANGLE };

    static constexpr int32_t kMAX_PARTICLES = 100000;
    static constexpr float kMAX_AREA = 1.0e6f;

    // The template, when given, is copied into the template particle.
    KC_PARTICLE_SYSTEM(KC_TEXTURE* texture, const KS_PARTICLE* particleTemplate = nullptr);
    KC_PARTICLE_SYSTEM(const KC_PARTICLE_SYSTEM&) = delete;
    KC_PARTICLE_SYSTEM& operator=(const KC_PARTICLE_SYSTEM&) = delete;
    virtual ~KC_PARTICLE_SYSTEM();

    // Step, free the dead, count down a limited emission.
    virtual void fUpdate();
    virtual void fOnEmit(KS_PARTICLE* particle) {}
    virtual void fOnMove(KS_PARTICLE* particle) {}
    // Reads the particle XML (nothing without the attribute "texture").
    // Hostile numbers are clamped: "maxCount" into [0, kMAX_PARTICLES], the
    // area's extents into [-kMAX_AREA, kMAX_AREA].
    virtual void fRead(const pugi::xml_node& node);
    // Appends a "particles" element describing this system.
    virtual void fWrite(pugi::xml_node parent, const char* textureName) const;
    // Every emitter parameter of another system (not its particles).
    virtual void fCopyParameters(const KC_PARTICLE_SYSTEM& other);

    void fSetTexture(KC_TEXTURE* texture);
    KC_TEXTURE* fGetTexture() const { return mTexture; }
    // Particles per second; 0 or less emits nothing.
    void fSetFrequency(float frequency);
    // Emits without a time limit, one particle at once.
    void fStart();
    void fStartAt(float x, float y);
    // Emits for t seconds (0 or less: 0.1 s), nothing at once.
    void fSetDuration(float t);
    void fStop() { mEmitting = 0; }
    bool fIsEmitting() const { return mEmitting != 0; }

    void fSetAreaCircle(float x, float y, float radius);
    void fSetAreaRect(float x, float y, float w, float h);
    // Same kind and size, centred at (x, y).
    void fSetAreaCentre(float x, float y);
    void fMoveArea(float dx, float dy);
    // Centres the area at (x, y), whatever its kind.
    void fMoveTo(float x, float y) { fSetAreaCentre(x, y); }

    void fStep();
    // The live particles with the system transform (identity without one).
    void fDraw();
    void fSetTransform(KS_TRANSFORM3* transform) { mTransform = transform; }
    KS_TRANSFORM3* fGetTransform() const { return mTransform; }
    int32_t fCount() const;
    void fClear();
    const KS_PARTICLE* fFirst() const { return mLive; }

    int32_t mLiveCount = 0;
    int32_t mMaxCount = 8096;
    KS_VEC3 mGravity{0.0f, 140.0f, 0.0f};
    KS_VEC3 mVelocity{0.0f, 150.0f, 0.0f};
    float mSpreadAngle = 0.0f;
    KS_COLORF mStartColor, mAverColor, mEndColor;
    KS_RENDER_STATE mState;
    KS_PARTICLE mTemplate;
    KS_TRANSFORM3* mTransform = nullptr;
    float mEmitTimeLeft = 0.0f;
    uint8_t mEmitting = 0;
    float mFrequency = 1.0f;
    float mPeriod = 1.0f;
    float mClock = 0.0f;
    KE_AREA mAreaKind = KE_AREA::CIRCLE;
    float mAreaX = 0.0f, mAreaY = 0.0f, mAreaRight = 0.0f, mAreaBottom = 0.0f, mAreaRadius = 0.0f;

protected:
    void fEmit();
    void fFreeList(KS_PARTICLE*& head);

    KS_PARTICLE* mLive = nullptr;
    KS_PARTICLE* mFree = nullptr;
    KC_TEXTURE* mTexture = nullptr;
    int32_t mTextureHeight = 0;
};

}  // namespace KEL
