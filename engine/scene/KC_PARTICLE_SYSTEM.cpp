#include "engine/scene/KC_PARTICLE_SYSTEM.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/render/KC_RENDER.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/scene/KS_TRANSFORM3_AUTO.h"
#include "engine/util/KF_CURVES.h"
#include "engine/util/KF_SMALL_HELPERS.h"
#include "engine/util/KF_TEXT.h"
#include "engine/util/KS_VEC2.h"

namespace KEL {

namespace {
constexpr float kTWO_PI = 6.2831855f;

KS_COLORF fColorF(uint32_t argb) {
    KS_COLORF c;
    c.fSetARGB(argb);
    return c;
}

float fRandomFloat(float low, float high) { return kcRANDOM ? kcRANDOM->fRangeFloat(low, high) : low; }

// Uniform integer in [low, high], both ends included.
int32_t fRandomInt(int32_t low, int32_t high) {
    if (!kcRANDOM || high <= low) return low;
    return high == INT32_MAX ? kcRANDOM->fRange(low, high) : kcRANDOM->fRange(low, high + 1);
}

// The area's extents as read from a description: a number beyond the
// largest screen by far is damage, clamped so that placing a particle stays
// within the int range.
float fAreaExtent(const std::string& text) { return fClampFloat(fTextToFloat(text), KC_PARTICLE_SYSTEM::kMAX_AREA); }

uint32_t fHex(const char* text) { return KS_COLOR::fFromHex(text).fGetARGB(); }
}  // namespace

KC_PARTICLE_SYSTEM::KC_PARTICLE_SYSTEM(KC_TEXTURE* texture, const KS_PARTICLE* particleTemplate)
    : mStartColor(fColorF(0xFFFFFFFFu)), mAverColor(fColorF(0xFF00FF00u)), mEndColor(fColorF(0x88FFF700u)) {
    mState.blend = 1;
    mState.additive = 1;
    mState.filter = KS_RENDER_STATE::kFILTER_POINT;
    mState.textured = 1;
    mState.primitive = KS_RENDER_STATE::kPOINT_SPRITES;
    fSetTexture(texture);
    if (particleTemplate) {
        mTemplate = *particleTemplate;
    } else {
        mTemplate.size = float(mTextureHeight);
        mTemplate.color = mStartColor.fToARGB();
        mTemplate.life = 1.0f;
        mTemplate.lifetime = 2.0f;
        mTemplate.velocity = mVelocity;
    }
    mTemplate.mNext = mTemplate.mPrev = nullptr;
}

KC_PARTICLE_SYSTEM::~KC_PARTICLE_SYSTEM() {
    fFreeList(mLive);
    fFreeList(mFree);
}

void KC_PARTICLE_SYSTEM::fFreeList(KS_PARTICLE*& head) {
    while (head) {
        KS_PARTICLE* next = head->mNext;
        delete head;
        head = next;
    }
}

void KC_PARTICLE_SYSTEM::fCopyParameters(const KC_PARTICLE_SYSTEM& other) {
    mMaxCount = other.mMaxCount;
    mGravity = other.mGravity;
    mVelocity = other.mVelocity;
    mSpreadAngle = other.mSpreadAngle;
    mStartColor = other.mStartColor;
    mAverColor = other.mAverColor;
    mEndColor = other.mEndColor;
    mState = other.mState;
    mTemplate = other.mTemplate;
    mTemplate.mNext = mTemplate.mPrev = nullptr;
    mTransform = other.mTransform;
    mEmitTimeLeft = other.mEmitTimeLeft;
    mEmitting = other.mEmitting;
    mFrequency = other.mFrequency;
    mPeriod = other.mPeriod;
    mAreaKind = other.mAreaKind;
    mAreaX = other.mAreaX;
    mAreaY = other.mAreaY;
    mAreaRight = other.mAreaRight;
    mAreaBottom = other.mAreaBottom;
    mAreaRadius = other.mAreaRadius;
}

void KC_PARTICLE_SYSTEM::fSetTexture(KC_TEXTURE* texture) {
    mTexture = texture;
    mTextureHeight = texture ? texture->fGetHeight() : 0;
}

void KC_PARTICLE_SYSTEM::fSetFrequency(float frequency) {
    mFrequency = frequency;
    mPeriod = frequency > 0.0f ? 1.0f / frequency : std::numeric_limits<float>::infinity();
}

void KC_PARTICLE_SYSTEM::fStart() {
    mEmitting = 1;
    mEmitTimeLeft = 0.0f;
    mClock = mPeriod;
    if (mLiveCount < mMaxCount) fEmit();
}

void KC_PARTICLE_SYSTEM::fStartAt(float x, float y) {
    fSetAreaCircle(x, y, mAreaKind == KE_AREA::CIRCLE ? mAreaRadius : 0.0f);
    fStart();
}

void KC_PARTICLE_SYSTEM::fSetDuration(float t) {
    mEmitTimeLeft = t > 0.0f ? t : 0.1f;
    mEmitting = 1;
}

void KC_PARTICLE_SYSTEM::fSetAreaCircle(float x, float y, float radius) {
    mAreaKind = KE_AREA::CIRCLE;
    mAreaX = x;
    mAreaY = y;
    mAreaRight = mAreaBottom = 0.0f;
    mAreaRadius = radius;
}

void KC_PARTICLE_SYSTEM::fSetAreaRect(float x, float y, float w, float h) {
    mAreaKind = KE_AREA::RECTANGLE;
    mAreaX = x - w / 2.0f;
    mAreaY = y - h / 2.0f;
    mAreaRight = x + w / 2.0f;
    mAreaBottom = y + h / 2.0f;
    mAreaRadius = 0.0f;
}

void KC_PARTICLE_SYSTEM::fSetAreaCentre(float x, float y) {
    if (mAreaKind == KE_AREA::CIRCLE) fSetAreaCircle(x, y, mAreaRadius);
    else fSetAreaRect(x, y, mAreaRight - mAreaX, mAreaBottom - mAreaY);
}

void KC_PARTICLE_SYSTEM::fMoveArea(float dx, float dy) {
    mAreaX += dx;
    mAreaY += dy;
    if (mAreaKind == KE_AREA::RECTANGLE) {
        mAreaRight += dx;
        mAreaBottom += dy;
    }
}

void KC_PARTICLE_SYSTEM::fEmit() {
    auto* p = new KS_PARTICLE(mTemplate);
    p->mNext = p->mPrev = nullptr;
    p->color = mStartColor.fToARGB();
    if (mAreaKind == KE_AREA::CIRCLE) {
        const float r = fRandomFloat(0.0f, mAreaRadius);
        const float a = fRandomFloat(0.0f, kTWO_PI);
        p->x = mAreaX + r * std::cos(a);
        p->y = mAreaY + r * std::sin(a);
    } else {
        p->x = float(fRandomInt(fClampToInt(mAreaX), fClampToInt(mAreaRight)));
        p->y = float(fRandomInt(fClampToInt(mAreaY), fClampToInt(mAreaBottom)));
    }
    float vx = mVelocity.x, vy = mVelocity.y;
    fRotatePoint(0.0f, 0.0f, vx, vy, mSpreadAngle / 2.0f);
    fRotatePoint(0.0f, 0.0f, vx, vy, -fRandomFloat(0.0f, mSpreadAngle));
    p->velocity.x = vx;
    p->velocity.y = vy;
    fOnEmit(p);
    p->mNext = mLive;
    if (mLive) mLive->mPrev = p;
    mLive = p;
    ++mLiveCount;
}

void KC_PARTICLE_SYSTEM::fStep() {
    const float dt = kfFRAME_DELTA;
    KS_PARTICLE* p = mLive;
    while (p) {
        KS_PARTICLE* next = p->mNext;
        if (p->life >= 0.0f) {
            // A lifetime of 0 or less ends the particle at once.
            p->life = p->lifetime > 0.0f ? p->life - dt / p->lifetime : -1.0f;
            KS_COLORF c;
            if (p->life <= 0.5f) {
                const float t = std::clamp(1.0f - 2.0f * p->life, 0.0f, 1.0f);
                c = mAverColor + (mEndColor - mAverColor) * t;
            } else {
                const float t = std::clamp(2.0f * (1.0f - p->life), 0.0f, 1.0f);
                c = mStartColor + (mAverColor - mStartColor) * t;
            }
            p->color = c.fToARGB();
            p->velocity += mGravity * dt;
            p->x += p->velocity.x * dt;
            p->y += p->velocity.y * dt;
            p->z += p->velocity.z * dt;
            fOnMove(p);
        }
        if (p->life < 0.0f) {
            if (p->mPrev) p->mPrev->mNext = p->mNext;
            else mLive = p->mNext;
            if (p->mNext) p->mNext->mPrev = p->mPrev;
            --mLiveCount;
            p->mPrev = nullptr;
            p->mNext = mFree;
            mFree = p;
        }
        p = next;
    }
    mClock += dt;
    if (mEmitting && mLiveCount < mMaxCount && mPeriod <= mClock) {
        fEmit();
        mClock = 0.0f;
    }
}

void KC_PARTICLE_SYSTEM::fUpdate() {
    fStep();
    fFreeList(mFree);
    if (mEmitTimeLeft != 0.0f) {
        mEmitTimeLeft -= kfFRAME_DELTA;
        if (mEmitTimeLeft <= 0.0f) {
            mEmitting = 0;
            mEmitTimeLeft = 0.0f;
        }
    }
}

void KC_PARTICLE_SYSTEM::fDraw() {
    KC_RENDER* render = KC_RENDER::fCurrent();
    if (!render || !mLive) return;
    // Particle positions are in screen space: whatever was drawn before
    // must not place them.
    if (mTransform) {
        KS_TRANSFORM3 absolute;
        render->fSetWorldMatrix(mTransform->fGetAbsolute(absolute).fGetWorldMatrix());
    } else {
        render->fSetWorldMatrix(KS_MATRIX());
    }
    render->fDrawBuffer(mLive, mTexture, &mState, mLiveCount);
}

int32_t KC_PARTICLE_SYSTEM::fCount() const {
    int32_t count = 0;
    for (const KS_PARTICLE* p = mLive; p; p = p->mNext) ++count;
    return count;
}

void KC_PARTICLE_SYSTEM::fClear() {
    fFreeList(mLive);
    mLiveCount = 0;
}

void KC_PARTICLE_SYSTEM::fRead(const pugi::xml_node& node) {
    if (!node.attribute("texture")) return;
    fSetTexture(KC_RENDER::fCurrent() ? KC_RENDER::fCurrent()->fGetDefaultTexture() : nullptr);
    if (pugi::xml_attribute a = node.attribute("multiply")) mState.additive = a.as_bool() ? 1 : 0;
    if (pugi::xml_attribute a = node.attribute("maxCount")) mMaxCount = std::clamp(a.as_int(), 0, kMAX_PARTICLES);
    if (pugi::xml_attribute a = node.attribute("spreadAngle")) mSpreadAngle = a.as_float();
    if (pugi::xml_attribute a = node.attribute("frequency")) fSetFrequency(a.as_float());
    if (pugi::xml_attribute a = node.attribute("gravity")) {
        KS_VEC2 g(mGravity.x, mGravity.y);
        g.fFromString(a.value());
        mGravity.fSet(g.x, g.y, 0.0f);
    }
    if (pugi::xml_attribute a = node.attribute("area")) {
        const std::vector<std::string> pieces = fSplit(a.value(), " ");
        const float cx = float(KS_TRANSFORM3_AUTO::fScreenWidth() / 2);
        const float cy = float(KS_TRANSFORM3_AUTO::fScreenHeight() / 2);
        if (pieces.size() == 1 && !pieces[0].empty()) fSetAreaCircle(cx, cy, fAreaExtent(pieces[0]));
        else if (pieces.size() >= 2) fSetAreaRect(cx, cy, fAreaExtent(pieces[0]), fAreaExtent(pieces[1]));
    }
    if (pugi::xml_node n = node.child("lifetime")) mTemplate.lifetime = fTextToFloat(n.child_value());
    if (pugi::xml_node n = node.child("velocity")) {
        KS_VEC2 v(mVelocity.x, mVelocity.y);
        v.fFromString(n.child_value());
        mVelocity.fSet(v.x, v.y, 0.0f);
        mTemplate.velocity = mVelocity;
    }
    if (pugi::xml_node n = node.child("startColor")) mStartColor.fSetARGB(fHex(n.child_value()));
    if (pugi::xml_node n = node.child("averColor")) mAverColor.fSetARGB(fHex(n.child_value()));
    if (pugi::xml_node n = node.child("endColor")) mEndColor.fSetARGB(fHex(n.child_value()));
}

void KC_PARTICLE_SYSTEM::fWrite(pugi::xml_node parent, const char* textureName) const {
    pugi::xml_node node = parent.append_child("particles");
    char text[64];
    node.append_attribute("texture") = textureName ? textureName : "";
    node.append_attribute("multiply") = mState.additive ? true : false;
    node.append_attribute("maxCount") = mMaxCount;
    node.append_attribute("spreadAngle") = mSpreadAngle;
    node.append_attribute("frequency") = mFrequency;
    std::snprintf(text, sizeof text, "%f %f", mGravity.x, mGravity.y);
    node.append_attribute("gravity") = text;
    if (mAreaKind == KE_AREA::CIRCLE) std::snprintf(text, sizeof text, "%f", mAreaRadius);
    else std::snprintf(text, sizeof text, "%f %f", mAreaRight - mAreaX, mAreaBottom - mAreaY);
    node.append_attribute("area") = text;
    node.append_child("lifetime").text() = mTemplate.lifetime;
    std::snprintf(text, sizeof text, "%f %f", mVelocity.x, mVelocity.y);
    node.append_child("velocity").text() = text;
    const std::pair<const char*, const KS_COLORF*> colors[] = {{"startColor", &mStartColor},
                                                               {"averColor", &mAverColor},
                                                               {"endColor", &mEndColor}};
    for (const auto& [name, color] : colors) {
        std::snprintf(text, sizeof text, "%08X", color->fToARGB());
        node.append_child(name).text() = text;
    }
}

}  // namespace KEL
