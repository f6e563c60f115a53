#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include <pugixml.hpp>

#include "SERVICE/KC_CALLBACK.h"
#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/util/KS_VEC2.h"
#include "engine/windows/G_WINDOW.h"
#include "game/board/GG_LEVEL_RESULT.h"
#include "game/profile/GG_LEVEL_RECORD.h"

namespace game {

// The result of a won level, "GP_Finish": time, hints used, mistakes,
// points, the player's best time and total score, the level's number, and
// three stars that pop in one after another (the result's stars); after
// the earned ones a second's pause, then the rest show plainly. Buttons:
// next level (1), play again (2, after a question), back to the level
// list (3).
//
// XML: "settings" > "star_sprite" (a sprite of a two-frame strip,
// unearned then earned, plus "shift", the first star's place) and
// "settings" > "star_effect" ("time", "amplitude", "frequency", "decay").
class GG_WINDOW_FINISH : public KEL::G_WINDOW {
public:
    static constexpr int32_t kNEXT = 1;
    static constexpr int32_t kRESTART = 2;
    static constexpr int32_t kBACK = 3;
    static constexpr int32_t kLABEL_TIME = 4;
    static constexpr int32_t kLABEL_HINTS = 5;
    static constexpr int32_t kLABEL_ERRORS = 6;
    static constexpr int32_t kLABEL_SCORE = 7;
    static constexpr int32_t kLABEL_BEST_TIME = 8;
    static constexpr int32_t kLABEL_LEVEL = 9;
    static constexpr int32_t kLABEL_TOTAL = 10;
    static constexpr int32_t kSTARS = GG_LEVEL_RECORD::kMAX_STARS;
    static constexpr int32_t kSTAR_FRAMES = 2;
    static constexpr float kPAUSE = 1.0f;
    static constexpr uint32_t kLEVEL_CAPACITY = 512;

    explicit GG_WINDOW_FINISH(const pugi::xml_node& node);
    ~GG_WINDOW_FINISH() override;

    // Keeps a copy of the result and writes the labels; before the window
    // is shown.
    void fShowResult(const GG_LEVEL_RESULT& result);
    const GG_LEVEL_RESULT& fGetResult() const { return mResult; }

    void fOnClick(int32_t widgetId) override;
    void fOnLoad() override;
    void fOnUnload() override;
    void fOnShown() override;
    void fOnDraw() override;

    // The next star pops in (or the pause runs); 0 when none is waiting.
    int32_t fRevealNext();
    // The result's stars, 0 to kSTARS.
    int32_t fEarnedStars() const;
    size_t fGetShownStars() const { return mShown.size(); }
    size_t fGetPendingStars() const { return mPending.size(); }
    const KEL::G_SPRITE* fGetShownStar(size_t index) const { return mShown[index]; }
    KEL::KC_BOT_MANAGER& fGetBots() { return mBots; }

    void fOnRestartAnswer(int32_t answer);
    // The fade has covered the screen: the level ends and a list returns.
    void fOnBackFaded();
    void fOnLastLevelFaded();

private:
    void fReadSettings(const pugi::xml_node& settings);
    void fSetLabel(int32_t id, const std::wstring& text);
    void fNextLevel();
    void fBack();
    void fClose();
    static int32_t fOnEffectFinished(void* window);

    KEL::KC_BOT_MANAGER mBots;
    std::wstring mLevelFormat;
    bool mLevelFormatTaken = false;
    std::unique_ptr<KEL::G_SPRITE> mStarPrototype;
    KEL::KS_VEC2 mShift;
    GG_LEVEL_RESULT mResult;
    std::unique_ptr<KEL::G_SPRITE> mStars[kSTARS];
    std::deque<KEL::G_SPRITE*> mPending;  // point into mStars
    std::deque<KEL::G_SPRITE*> mShown;
    KEL::KC_CALLBACK mFinished;
    float mEffectTime = 1.0f;
    float mEffectAmplitude = 2.0f;
    float mEffectFrequency = 4.0f;
    float mEffectDecay = 1.0f;
};

}  // namespace game
