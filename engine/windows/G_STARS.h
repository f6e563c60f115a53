#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

// A rating shown as a row of stars: the earned ones pop in one after
// another, their scale growing from a start size to an end size and then
// settling with a damped wobble; the others show as empty stars when the
// settings ask for it. The row hangs under a position the owner sets.
class G_STARS {
public:
    struct KS_SETTINGS {
        float mTime = 0.0f;       // seconds of one star's pop
        float mAmplitude = 0.0f;  // of the wobble
        float mFrequency = 0.0f;
        float mDecay = 0.0f;
        float mStartSize = 0.0f;
        float mEndSize = 1.0f;
        bool mDrawEmpty = false;
        int32_t mStarsMax = 0;
    };

    G_STARS(const std::string& fullTexture, const std::string& emptyTexture);
    G_STARS(const G_STARS&) = delete;
    G_STARS& operator=(const G_STARS&) = delete;
    ~G_STARS();

    // Attributes "time", "amplitude", "frequency", "decay", "start_size",
    // "end_size", "draw_empty", "stars_max" and child "TRANSFORM", all
    // required: false at the first one missing, keeping what was read.
    bool fLoad(const pugi::xml_node& element);
    // A new row of stars_max stars, the first `earned` of them full and
    // popping in turn. Needs the textures loaded to know the star width.
    void fBuild(int32_t earned);
    void fSetPosition(float x, float y) { mPosition.fSetPos(x, y, 0.0f); }
    void fUpdate() { mPops.fUpdate(); }
    void fDraw();
    void fReloadResources();
    void fReleaseResources();

    const KS_SETTINGS& fGetSettings() const { return mSettings; }
    int32_t fGetStarCount() const { return static_cast<int32_t>(mStars.size()); }
    // Star i's transform; null past the row.
    const KS_TRANSFORM3* fGetStarTransform(int32_t index) const;

private:
    // A star of the row: a copy of the full or the empty star.
    struct KS_STAR {
        std::unique_ptr<G_SPRITE> mSprite;
        bool mFull = false;
    };

    KS_SETTINGS mSettings;
    KS_TRANSFORM3 mRow;  // placement of the row, under the position
    KS_TRANSFORM3 mPosition;
    KC_BOT_MANAGER mPops;
    G_SPRITE mFull;
    G_SPRITE mEmpty;
    std::vector<KS_STAR> mStars;
};

}  // namespace KEL
