#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <pugixml.hpp>

#include "engine/render/KS_VERTEX.h"
#include "engine/scene/G_ANIMATION.h"
#include "engine/scene/G_EFFECT_T.h"
#include "engine/scene/G_PARTICLES.h"
#include "engine/scene/KC_MESH.h"
#include "engine/scene/KS_TRANSFORM3.h"
#include "engine/util/Closure.h"
#include "engine/util/KS_COLOR.h"
#include "engine/util/KS_VEC2.h"

namespace KEL {
class KC_FONT;
class KC_FONT_LIST;
class KC_STRING_TABLE;
}  // namespace KEL

namespace game {

// Bonus points flying from a cell to the score counter. The gameplay object
// keeps one as the template read from effects.xml and launches a copy per
// flight. A flight shows its picture at the cell for one run of its
// animation, flies along a curve that dips by "deflection" to "endpos" with
// a particle trail, and lands: the amount goes to whoever was given the
// landing closure, and the amount's text drifts by "endoffset" while fading
// out. Then the flight is done and its owner deletes it.
//
// Reading stores texture names only, so the template may be read on the
// loader thread; its textures, font and text are taken on the main thread
// by fLoadResources, and flights run on the main thread only.
class GG_SUNIME_EFFECT {
public:
    enum class KE_PHASE : uint8_t { kIDLE, kSHOWING, kFLYING, kLANDED, kDONE };

    static constexpr const char* kELEMENT = "bonus_effect";
    // Longest landed text, in characters.
    static constexpr uint32_t kTEXT_LIMIT = 500;
    // Pixels per second when the file gives no usable speed.
    static constexpr float kDEFAULT_SPEED = 500.0f;
    static constexpr float kMAX_TIME = 60.0f;

    GG_SUNIME_EFFECT();
    // A copy of a template: its settings and pictures, idle.
    GG_SUNIME_EFFECT(const GG_SUNIME_EFFECT& other);
    GG_SUNIME_EFFECT& operator=(const GG_SUNIME_EFFECT&) = delete;
    ~GG_SUNIME_EFFECT();

    // Reads "bonus_effect": "speed", "deflection", "endpos", the animation
    // "sprite_sunime", the font description "font", "motion" and "text"
    // (under "font", else beside it) and "particles_follow". False, with the
    // error text set, when the element is missing or a number is out of
    // range.
    bool fRead(const pugi::xml_node& node);
    // Finds the font in the list and the landed text's format in the string
    // table (either may be null: no text, or a bare number).
    void fLoadResources(const KEL::KC_FONT_LIST* fonts, const KEL::KC_STRING_TABLE* strings);
    void fReleaseResources();

    // Starts this effect's flight from a cell's centre; `landed` is called
    // with the amount when the flight lands. It must not delete the effect.
    void fStart(const KEL::KS_VEC2& from, int32_t amount, KEL::Closure<void()> landed);
    // A started copy of this template.
    std::unique_ptr<GG_SUNIME_EFFECT> fLaunch(const KEL::KS_VEC2& from, int32_t amount,
                                              KEL::Closure<void()> landed) const;
    void fUpdate();
    void fDraw();

    KE_PHASE fGetPhase() const { return mPhase; }
    bool fIsDone() const { return mPhase == KE_PHASE::kDONE; }
    int32_t fGetAmount() const { return mAmount; }
    const std::wstring& fGetText() const { return mText; }
    KEL::KS_VEC2 fGetSpritePos() const;
    KEL::KS_VEC2 fGetTextPos() const { return mTextPlace.fGetPos2(); }
    uint32_t fGetTextColor() const { return mTextColorStore.color; }
    const KEL::KS_VEC2& fGetEndPos() const { return mEndPos; }
    // Seconds the picture shows at the cell before it flies.
    float fGetShowTime() const;

    // The landed text: the format with its first integer conversion filled
    // with the amount; nothing in the format is read as anything else.
    static std::wstring fFormatAmount(const std::wstring& format, int32_t amount);

private:
    bool fReadNumbers(const pugi::xml_node& node);
    void fReadFont(const pugi::xml_node& node);
    void fQueueSteps();
    static void fOnShown(void* argument, GG_SUNIME_EFFECT* self);
    static void fOnLanded(void* argument, GG_SUNIME_EFFECT* self);
    static void fOnFaded(void* argument, GG_SUNIME_EFFECT* self);

    // Shared by every flight of one template.
    float mSpeed = kDEFAULT_SPEED;
    int32_t mDeflection = 0;
    KEL::KS_VEC2 mEndPos;
    float mTime = 1.0f;
    KEL::KS_VEC2 mTextStart;
    KEL::KS_VEC2 mTextOffset;
    KEL::G_ANIMATION mSprite;
    float mSpriteFps = 1.0f;
    KEL::G_PARTICLES mParticles;
    uint8_t mHasParticles = 0;
    std::string mFontName;
    KEL::KS_COLOR mFontColor;
    std::string mTextKey;
    KEL::KC_FONT* mFont = nullptr;
    std::wstring mFormat = L"%i";

    // This flight.
    KE_PHASE mPhase = KE_PHASE::kIDLE;
    int32_t mAmount = 0;
    KEL::Closure<void()> mLanded;
    std::wstring mText;
    KEL::KS_TRANSFORM3 mTextPlace;
    KEL::KS_VERTEX mTextColorStore{};
    // The text's colour as a one-vertex mesh, so a colour animator fades it.
    KEL::KC_MESH mTextColor{&mTextColorStore, 1, nullptr, nullptr, nullptr, 0};
    KEL::G_EFFECT_T<GG_SUNIME_EFFECT*> mSteps;
};

}  // namespace game
