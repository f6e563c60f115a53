#include "game/screens/GG_WINDOW_FINISH.h"

#include <algorithm>

#include "engine/bots/KC_BOT_BLOB.h"
#include "engine/bots/KC_BOT_SLEEP.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/render/KC_TEXTURE.h"
#include "engine/util/KF_SMALL_HELPERS.h"
#include "engine/util/KF_WFORMAT.h"
#include "engine/windows/G_WINDOW_CONFIRM.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/profile/GG_PACK_RECORD.h"
#include "game/profile/GG_PLAYER.h"
#include "game/screens/GG_SCREENS_GAME.h"
#include "game/screens/GG_SCREEN_STEPS.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

using KEL::Closure;

GG_WINDOW_FINISH::GG_WINDOW_FINISH(const pugi::xml_node& node)
    : G_WINDOW(node), mFinished(&GG_WINDOW_FINISH::fOnEffectFinished, "finish_star", this) {
    fReadSettings(node.child("settings"));
}

GG_WINDOW_FINISH::~GG_WINDOW_FINISH() { mBots.fDeleteAll(); }

void GG_WINDOW_FINISH::fReadSettings(const pugi::xml_node& settings) {
    if (const pugi::xml_node star = settings.child("star_sprite")) {
        mShift = fReadPair(star.attribute("shift"));
        mStarPrototype = std::make_unique<KEL::G_SPRITE>(star);
        for (auto& copy : mStars) {
            copy = std::make_unique<KEL::G_SPRITE>(*mStarPrototype);
            mPending.push_back(copy.get());
        }
    }
    if (const pugi::xml_node effect = settings.child("star_effect")) {
        mEffectTime = effect.attribute("time").as_float(0.0f);
        mEffectAmplitude = effect.attribute("amplitude").as_float(0.0f);
        mEffectFrequency = effect.attribute("frequency").as_float(0.0f);
        mEffectDecay = effect.attribute("decay").as_float(0.0f);
    }
}

void GG_WINDOW_FINISH::fSetLabel(int32_t id, const std::wstring& text) {
    if (auto* label = fFindWidget<KEL::KC_GUI_WLABEL>(*this, id)) label->fSetText(text);
}

// Numbers show whole, however many digits they have.
void GG_WINDOW_FINISH::fShowResult(const GG_LEVEL_RESULT& result) {
    mResult = result;
    fSetLabel(kLABEL_TIME, KEL::fTimeToString(result.mLevelTime));
    fSetLabel(kLABEL_HINTS, std::to_wstring(result.mHintsUsed));
    fSetLabel(kLABEL_ERRORS, std::to_wstring(result.mErrors));
    fSetLabel(kLABEL_SCORE, std::to_wstring(result.mScore));
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (!game) return;
    if (const GG_PLAYER* player = game->fGetCurrentPlayer()) {
        fSetLabel(kLABEL_TOTAL, player->fGetStatistic().fGetScoreText());
        if (const GG_LEVEL_RECORD* best = player->fFindLevel(result.mPackId, result.mLevelId))
            fSetLabel(kLABEL_BEST_TIME, KEL::fTimeToString(best->fGetBestTime()));
    }
    auto* number = fFindWidget<KEL::KC_GUI_WLABEL>(*this, kLABEL_LEVEL);
    if (!number) return;
    // The level's place in its pack, from the template that holds them all;
    // the result's own number when the template lacks the level.
    const GG_PLAYER* templ = game->fGetDefaultPlayer();
    const GG_LEVEL_RECORD* level = templ ? templ->fFindLevel(result.mPackId, result.mLevelId) : nullptr;
    const int32_t place = level ? level->fGetIndex() + 1 : result.mLevelNumber;
    if (!mLevelFormatTaken) {
        mLevelFormat = number->fGetText();
        mLevelFormatTaken = true;
    }
    wchar_t text[kLEVEL_CAPACITY];
    KEL::fWFormatTyped(text, kLEVEL_CAPACITY, mLevelFormat.c_str(), place);
    number->fSetText(text);
}

void GG_WINDOW_FINISH::fOnLoad() {
    if (!mStarPrototype) return;
    mStarPrototype->fReloadTexture();
    KEL::KC_TEXTURE* texture = mStarPrototype->fGetTexture();
    const float width = texture ? float(int32_t(texture->fGetWidth()) / kSTAR_FRAMES) : 0.0f;
    const float height = texture ? float(texture->fGetHeight()) : 0.0f;
    if (texture) mStarPrototype->fSetSize(width, height);
    for (auto& star : mStars) {
        star->fReloadTexture();
        if (texture) star->fSetSize(width, height);
    }
}

void GG_WINDOW_FINISH::fOnUnload() {
    if (mStarPrototype) mStarPrototype->fUnloadTexture();
    for (auto& star : mStars)
        if (star) star->fUnloadTexture();
}

// The board gave the result its stars when the level was won; a count out
// of range shows as many as there are stars to show.
int32_t GG_WINDOW_FINISH::fEarnedStars() const { return std::clamp(mResult.mStars, 0, kSTARS); }

// Every showing plays the stars again from the start.
void GG_WINDOW_FINISH::fOnShown() {
    if (!mStarPrototype) return;
    mBots.fDeleteAll();
    while (!mShown.empty()) {
        mPending.push_back(mShown.front());
        mShown.pop_front();
    }
    // The stars hang under the window, so they stay in place whenever the
    // window moves.
    float x = mShift.x;
    const int32_t earned = fEarnedStars();
    int32_t index = 0;
    for (KEL::G_SPRITE* star : mPending) {
        KEL::KS_TRANSFORM3* transform = star->fGetTransform();
        transform->mParent = &mTransform;
        transform->fSetPos(x, mShift.y, 0.0f);
        transform->fSetScale(1.0f, 1.0f, 1.0f);
        star->fSetFrame(kSTAR_FRAMES, 1, index < earned ? 1 : 0);
        x += mStarPrototype->fGetWidth();
        ++index;
    }
    fRevealNext();
}

int32_t GG_WINDOW_FINISH::fRevealNext() {
    if (mPending.empty()) return KEL::KS_RESULT::kNOTHING;
    KEL::G_SPRITE* star = mPending.front();
    if (int32_t(mShown.size()) != fEarnedStars()) {
        KEL::KC_BASE* blob = KEL::fCreateBotBlob(star->fGetTransform(), mEffectTime, mEffectFrequency, mEffectAmplitude,
                                                 mEffectDecay, 0.0f, 1.0f, 0.0f, false);
        blob->fMessage(KEL::KC_BASE::kMSG_SET_CALLBACK, 0, 0, 0, &mFinished);
        mBots.fAdd(blob);
    } else {
        mBots.fAdd(KEL::fCreateBotSleep(nullptr, &mFinished, kPAUSE, 0.0f));
    }
    mPending.pop_front();
    mShown.push_back(star);
    return KEL::KS_RESULT::kOK;
}

int32_t GG_WINDOW_FINISH::fOnEffectFinished(void* window) {
    return static_cast<GG_WINDOW_FINISH*>(window)->fRevealNext();
}

void GG_WINDOW_FINISH::fOnDraw() {
    mBots.fUpdate();
    for (KEL::G_SPRITE* star : mShown) star->fDrawWith();
}

void GG_WINDOW_FINISH::fOnClick(int32_t widgetId) {
    if (!mManager) return;
    switch (widgetId) {
        case kNEXT: fNextLevel(); break;
        case kRESTART: {
            const auto answer = Closure<void()>::fBind<&GG_WINDOW_FINISH::fOnRestartAnswer>(this);
            if (!mManager->fFindWindow(GG_WINDOW_NAME::kRESTART_IN_FINISH_QUESTION))
                fAsk(mManager, GG_WINDOW_NAME::kRESTART_QUESTION, answer);
            else fAsk(mManager, GG_WINDOW_NAME::kRESTART_IN_FINISH_QUESTION, answer);
            break;
        }
        case kBACK: fBack(); break;
        default: break;
    }
}

void GG_WINDOW_FINISH::fClose() {
    if (mManager) mManager->fHideWindow(fGetName());
}

// The last level of its pack leads back to the packs. A next level that
// is missing or cannot start leads back to the level list instead.
void GG_WINDOW_FINISH::fNextLevel() {
    mBots.fDeleteAll();
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    GG_PLAYER* player = game ? game->fGetCurrentPlayer() : nullptr;
    const GG_LEVEL_RECORD* current = game ? game->fGetCurrentLevel() : nullptr;
    const int32_t packId = game ? game->fGetCurrentPackId() : -1;
    const GG_PACK_RECORD* pack = player ? player->fFindPack(packId) : nullptr;
    if (!game || !pack || !current) return fBack();
    if (pack->fIsLastLevel(pack->fFindLevel(current->fGetId()))) {
        fFadeThen(mManager, Closure<void()>::fBind<&GG_WINDOW_FINISH::fOnLastLevelFaded>(this));
        return;
    }
    const GG_PLAYER* templ = game->fGetDefaultPlayer();
    const int32_t nextId = current->fGetId() + 1;
    if (!templ || !templ->fFindLevel(packId, nextId)) return fBack();
    game->fStopLevel();
    if (!game->fShowLevel(packId, nextId)) return fBack();
    fClose();
}

void GG_WINDOW_FINISH::fOnLastLevelFaded() {
    fClose();
    if (GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet()) {
        game->fStopLevel();
        game->fEndLevel();
        game->fOpenPacks(true);
    }
    fEndFade(mManager);
}

void GG_WINDOW_FINISH::fOnRestartAnswer(int32_t answer) {
    GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet();
    if (answer != KEL::G_WINDOW_CONFIRM::kANSWER_YES || !game) return;
    mBots.fDeleteAll();
    game->fRestartLevel();
    fClose();
}

void GG_WINDOW_FINISH::fBack() {
    mBots.fDeleteAll();
    fFadeThen(mManager, Closure<void()>::fBind<&GG_WINDOW_FINISH::fOnBackFaded>(this));
}

void GG_WINDOW_FINISH::fOnBackFaded() {
    fClose();
    if (GG_SCREENS_GAME* game = GG_SCREENS_GAME::fGet()) {
        const int32_t packId = game->fGetCurrentPackId() >= 0 ? game->fGetCurrentPackId() : mResult.mPackId;
        game->fStopLevel();
        game->fEndLevel();
        game->fOpenLevels(packId, true);
    }
    fEndFade(mManager);
}

}  // namespace game
