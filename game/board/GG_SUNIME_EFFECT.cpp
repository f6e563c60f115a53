#include "game/board/GG_SUNIME_EFFECT.h"

#include <vector>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/bots/KC_BOT_COLOR.h"
#include "engine/bots/KC_BOT_MOVE.h"
#include "engine/bots/KC_BOT_MOVE_QUADBEZIER.h"
#include "engine/bots/KC_BOT_SLEEP.h"
#include "engine/resources/KC_FONT.h"
#include "engine/resources/KC_FONT_LIST.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/scene/KE_ANCHOR.h"
#include "engine/util/KF_WFORMAT.h"
#include "game/board/GG_AMBIENT_READER.h"

namespace game {

namespace {

constexpr float kCOORD = GG_AMBIENT_READER::kCOORD_LIMIT;
// The landed text ends as white with no alpha.
constexpr uint32_t kFADED = 0x00FFFFFFu;
// A zero "time" still fades, in an instant, rather than for the movers'
// default second.
constexpr float kSHORTEST_FADE = 0.001f;

// "motion" and "text" sit under "font"; older files put them beside it.
pugi::xml_node fFontPart(const pugi::xml_node& node, const char* name) {
    const pugi::xml_node under = node.child("font").child(name);
    return under ? under : node.child(name);
}

}  // namespace

GG_SUNIME_EFFECT::GG_SUNIME_EFFECT() { mTextColor.fSetColor(0xFFFFFFFFu); }

GG_SUNIME_EFFECT::GG_SUNIME_EFFECT(const GG_SUNIME_EFFECT& other)
    : mSpeed(other.mSpeed),
      mDeflection(other.mDeflection),
      mEndPos(other.mEndPos),
      mTime(other.mTime),
      mTextStart(other.mTextStart),
      mTextOffset(other.mTextOffset),
      mSprite(other.mSprite),
      mSpriteFps(other.mSpriteFps),
      mParticles(other.mParticles),
      mHasParticles(other.mHasParticles),
      mFontName(other.mFontName),
      mFontColor(other.mFontColor),
      mTextKey(other.mTextKey),
      mFont(other.mFont),
      mFormat(other.mFormat) {
    mTextColor.fSetColor(mFontColor.fGetARGB());
}

GG_SUNIME_EFFECT::~GG_SUNIME_EFFECT() { mSteps.fClear(); }

bool GG_SUNIME_EFFECT::fRead(const pugi::xml_node& node) {
    if (!node) return GG_AMBIENT_READER::fFail(kELEMENT, "missing");
    if (!fReadNumbers(node)) return false;
    const pugi::xml_node sprite = node.child("sprite_sunime");
    mSprite = KEL::G_ANIMATION(sprite);
    // The animation keeps its rate to itself; the wait at the cell needs it.
    const pugi::xml_attribute fps = sprite.child("ANIMATION").attribute("fps");
    mSpriteFps = fps ? static_cast<float>(fps.as_int()) : 1.0f;
    const pugi::xml_node particles = node.child("particles_follow");
    mHasParticles = particles.attribute("texture") ? 1 : 0;
    if (mHasParticles) mParticles.fRead(particles);
    fReadFont(node);
    return true;
}

// A speed of 0 or less would never arrive: it takes the default instead.
bool GG_SUNIME_EFFECT::fReadNumbers(const pugi::xml_node& node) {
    const pugi::xml_node motion = fFontPart(node, "motion");
    float speed = mSpeed;
    if (!GG_AMBIENT_READER::fFloat(node, "speed", -1.0e6f, 1.0e6f, speed) ||
        !GG_AMBIENT_READER::fInt(node, "deflection", -static_cast<int32_t>(kCOORD), static_cast<int32_t>(kCOORD),
                                 mDeflection) ||
        !GG_AMBIENT_READER::fVec2(node, "endpos", -kCOORD, kCOORD, mEndPos) ||
        !GG_AMBIENT_READER::fFloat(motion, "time", 0.0f, kMAX_TIME, mTime) ||
        !GG_AMBIENT_READER::fVec2(motion, "start", -kCOORD, kCOORD, mTextStart) ||
        !GG_AMBIENT_READER::fVec2(motion, "endoffset", -kCOORD, kCOORD, mTextOffset))
        return false;
    mSpeed = speed > 0.0f ? speed : kDEFAULT_SPEED;
    return true;
}

void GG_SUNIME_EFFECT::fReadFont(const pugi::xml_node& node) {
    const pugi::xml_node font = node.child("font");
    mFontName = font.attribute("fntName").as_string();
    mFontColor = KEL::KS_COLOR();
    if (const pugi::xml_attribute color = font.attribute("fntColor"))
        mFontColor = GG_AMBIENT_READER::fColor(color.as_string());
    mTextColor.fSetColor(mFontColor.fGetARGB());
    mTextKey = fFontPart(node, "text").attribute("value").as_string();
}

void GG_SUNIME_EFFECT::fLoadResources(const KEL::KC_FONT_LIST* fonts, const KEL::KC_STRING_TABLE* strings) {
    mSprite.fReloadTexture();
    if (mHasParticles) mParticles.fReloadTexture();
    mFont = fonts ? fonts->fGet(mFontName) : nullptr;
    mFormat = strings && !mTextKey.empty() ? strings->fGetString(mTextKey) : std::wstring(L"%i");
}

void GG_SUNIME_EFFECT::fReleaseResources() {
    mSprite.fUnloadTexture();
    mParticles.fUnloadTexture();
    mFont = nullptr;
}

float GG_SUNIME_EFFECT::fGetShowTime() const {
    return mSpriteFps > 0.0f ? static_cast<float>(mSprite.fGetFrames()) / mSpriteFps : 0.0f;
}

KEL::KS_VEC2 GG_SUNIME_EFFECT::fGetSpritePos() const {
    const KEL::KS_TRANSFORM3* transform = mSprite.fGetTransform();
    return transform ? transform->fGetPos2() : KEL::KS_VEC2();
}

void GG_SUNIME_EFFECT::fStart(const KEL::KS_VEC2& from, int32_t amount, KEL::Closure<void()> landed) {
    mSteps.fClear();
    mAmount = amount;
    mLanded = landed;
    mText.clear();
    if (KEL::KS_TRANSFORM3* transform = mSprite.fGetTransform()) transform->fSetPos(from.x, from.y, 0.0f);
    mTextPlace.fSetPos(mEndPos.x + mTextStart.x, mEndPos.y + mTextStart.y, 0.0f);
    mTextColor.fSetColor(mFontColor.fGetARGB());
    mSprite.fPlay(0.0f);
    mPhase = KE_PHASE::kSHOWING;
    fQueueSteps();
}

std::unique_ptr<GG_SUNIME_EFFECT> GG_SUNIME_EFFECT::fLaunch(const KEL::KS_VEC2& from, int32_t amount,
                                                            KEL::Closure<void()> landed) const {
    auto flight = std::make_unique<GG_SUNIME_EFFECT>(*this);
    flight->fStart(from, amount, landed);
    return flight;
}

// Show at the cell, fly to the score, fade the landed text: each step's
// animators capture their start now, which the steps before do not move.
void GG_SUNIME_EFFECT::fQueueSteps() {
    mSteps.fAddEffect(&fOnShown, nullptr, this);
    mSteps.fBack()->fAdd(KEL::fCreateBotSleep(nullptr, nullptr, fGetShowTime(), 0.0f));

    const KEL::KS_VEC2 from = fGetSpritePos();
    const KEL::KS_VEC2 control((from.x + mEndPos.x) * 0.5f,
                               (from.y + mEndPos.y) * 0.5f + static_cast<float>(mDeflection));
    mSteps.fAddEffect(&fOnLanded, nullptr, this);
    mSteps.fBack()->fAdd(KEL::fCreateBotMoveQuadBezier(mSprite.fGetTransform(), control.x, control.y, 0.0f, mEndPos.x,
                                                       mEndPos.y, 0.0f, 0.0f, mSpeed, 0.0f));

    const float fade = mTime > kSHORTEST_FADE ? mTime : kSHORTEST_FADE;
    const KEL::KS_VEC2 textEnd = mTextPlace.fGetPos2() + mTextOffset;
    mSteps.fAddEffect(&fOnFaded, nullptr, this);
    mSteps.fBack()->fAdd(KEL::fCreateBotMove(&mTextPlace, fade, 0.0f, textEnd.x, textEnd.y, 0.0f, 0.0f));
    mSteps.fBack()->fAdd(KEL::fCreateBotColor(&mTextColor, fade, kFADED, 0.0f));
}

void GG_SUNIME_EFFECT::fOnShown(void*, GG_SUNIME_EFFECT* self) {
    self->mPhase = KE_PHASE::kFLYING;
    if (!self->mHasParticles) return;
    const KEL::KS_VEC2 at = self->fGetSpritePos();
    self->mParticles.fSetAreaCentre(at.x, at.y);
    self->mParticles.fGetSystem()->fStart();
}

void GG_SUNIME_EFFECT::fOnLanded(void*, GG_SUNIME_EFFECT* self) {
    self->mPhase = KE_PHASE::kLANDED;
    self->mParticles.fGetSystem()->fStop();
    self->mText = fFormatAmount(self->mFormat, self->mAmount);
    const KEL::Closure<void()> landed = self->mLanded;
    landed(self->mAmount);
}

void GG_SUNIME_EFFECT::fOnFaded(void*, GG_SUNIME_EFFECT* self) { self->mPhase = KE_PHASE::kDONE; }

void GG_SUNIME_EFFECT::fUpdate() {
    if (mPhase == KE_PHASE::kSHOWING || mPhase == KE_PHASE::kFLYING) mSprite.fUpdate();
    mSteps.fStepFront();
    if (mPhase == KE_PHASE::kFLYING && mHasParticles) {
        const KEL::KS_VEC2 at = fGetSpritePos();
        mParticles.fSetAreaCentre(at.x, at.y);
    }
    if (mHasParticles) mParticles.fUpdate();
}

void GG_SUNIME_EFFECT::fDraw() {
    if (mHasParticles && (mPhase == KE_PHASE::kFLYING || mPhase == KE_PHASE::kLANDED)) mParticles.fDraw();
    if (mPhase == KE_PHASE::kSHOWING || mPhase == KE_PHASE::kFLYING) {
        if (mSprite.fHasOwnTexture()) mSprite.fDrawWith();
        return;
    }
    if (mPhase != KE_PHASE::kLANDED || !mFont || mText.empty()) return;
    const int32_t anchor = mFont->fGetAnchor();
    mFont->fSetAnchor(KEL::kANCHOR_CENTRE);
    mFont->fSetColor(mTextColorStore.color);
    mFont->fDrawW(mTextPlace.mPosition.x, mTextPlace.mPosition.y, mText.c_str());
    mFont->fSetAnchor(anchor);
}

std::wstring GG_SUNIME_EFFECT::fFormatAmount(const std::wstring& format, int32_t amount) {
    std::vector<wchar_t> buffer(kTEXT_LIMIT + 1, L'\0');
    KEL::fWFormatTyped(buffer.data(), static_cast<uint32_t>(buffer.size()), format.c_str(), amount);
    return std::wstring(buffer.data());
}

}  // namespace game
