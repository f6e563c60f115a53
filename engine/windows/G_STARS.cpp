#include "engine/windows/G_STARS.h"

#include "engine/bots/KC_BOT_BLOB.h"

namespace KEL {

G_STARS::G_STARS(const std::string& fullTexture, const std::string& emptyTexture)
    : mFull(fullTexture), mEmpty(emptyTexture) {
    mRow.mParent = &mPosition;
}

G_STARS::~G_STARS() { mPops.fDeleteAll(); }

bool G_STARS::fLoad(const pugi::xml_node& element) {
    struct KS_FLOAT_KEY {
        const char* mName;
        float* mTarget;
    };
    const KS_FLOAT_KEY floats[] = {
        {"time", &mSettings.mTime},   {"amplitude", &mSettings.mAmplitude},  {"frequency", &mSettings.mFrequency},
        {"decay", &mSettings.mDecay}, {"start_size", &mSettings.mStartSize}, {"end_size", &mSettings.mEndSize}};
    for (const KS_FLOAT_KEY& key : floats) {
        const pugi::xml_attribute attribute = element.attribute(key.mName);
        if (!attribute) return false;
        *key.mTarget = attribute.as_float();
    }
    const pugi::xml_attribute drawEmpty = element.attribute("draw_empty");
    if (!drawEmpty) return false;
    mSettings.mDrawEmpty = drawEmpty.as_bool();
    const pugi::xml_attribute starsMax = element.attribute("stars_max");
    if (!starsMax) return false;
    mSettings.mStarsMax = starsMax.as_int();
    const pugi::xml_node transform = element.child("TRANSFORM");
    if (!transform) return false;
    mRow.fFromString(transform.child_value());
    mRow.mParent = &mPosition;
    return true;
}

void G_STARS::fBuild(int32_t earned) {
    mPops.fDeleteAll();
    mStars.clear();
    const float width = mFull.fGetWidth() > 0.0f ? mFull.fGetWidth() : 0.0f;
    for (int32_t i = 0; i < mSettings.mStarsMax; ++i) {
        KS_STAR star;
        star.mFull = i < earned;
        star.mSprite = std::make_unique<G_SPRITE>(star.mFull ? mFull : mEmpty);
        KS_TRANSFORM3* transform = star.mSprite->fGetTransform();
        transform->fSetPos(static_cast<float>(i) * width, 0.0f, 0.0f);
        transform->mParent = &mRow;
        if (star.mFull)
            mPops.fAdd(new KC_BOT_BLOB(transform, mSettings.mTime, mSettings.mFrequency, mSettings.mAmplitude,
                                       mSettings.mDecay, mSettings.mStartSize, mSettings.mEndSize,
                                       static_cast<float>(i) * mSettings.mTime, false));
        mStars.push_back(std::move(star));
    }
}

void G_STARS::fDraw() {
    for (const KS_STAR& star : mStars)
        if (star.mFull || mSettings.mDrawEmpty) star.mSprite->fDrawWith();
}

void G_STARS::fReloadResources() {
    mFull.fReloadTexture();
    mEmpty.fReloadTexture();
    for (const KS_STAR& star : mStars) star.mSprite->fReloadTexture();
}

void G_STARS::fReleaseResources() {
    mFull.fUnloadTexture();
    mEmpty.fUnloadTexture();
    for (const KS_STAR& star : mStars) star.mSprite->fUnloadTexture();
}

const KS_TRANSFORM3* G_STARS::fGetStarTransform(int32_t index) const {
    if (index < 0 || index >= fGetStarCount()) return nullptr;
    return mStars[static_cast<size_t>(index)].mSprite->fGetTransform();
}

}  // namespace KEL
