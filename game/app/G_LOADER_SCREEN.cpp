#include "game/app/G_LOADER_SCREEN.h"

#include <sstream>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/bots/KC_BOT_COLOR.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_THREAD.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/scene/KE_ANCHOR.h"
#include "engine/util/Closure.h"
#include "engine/util/KF_SMALL_HELPERS.h"
#include "engine/util/KF_XML.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_MILESTONES.h"
#include "game/product/GG_SETTINGS.h"
#include "game/app/gGame.h"

namespace game {

G_LOADER_SCREEN::G_LOADER_SCREEN(KEL::KF_THREAD threadFunction) : KC_LOADER(threadFunction) {
    if (!KEL::kcREPOSITORY) return;
    pugi::xml_document* document = KEL::kcREPOSITORY->fGetXml(kSCREEN_FILE);
    if (!document) return;
    fRead(KEL::fFindElement(*document));
    KEL::kcREPOSITORY->fReleaseXml(document);
}

G_LOADER_SCREEN::~G_LOADER_SCREEN() {
    // The loader may still be filling the game; it finishes its step first.
    if (mThread) KEL::KC_THREAD::fTerminate(mThread);
    mThread = nullptr;
    mFades.fDeleteAll();
    mSplashes.clear();
    if (KEL::kcRENDER) {
        for (KEL::KC_TEXTURE* texture : mSplashTextures) KEL::kcRENDER->fReleaseTexture(texture);
        if (mBackTexture) KEL::kcRENDER->fReleaseTexture(mBackTexture);
    }
}

void G_LOADER_SCREEN::fRead(const pugi::xml_node& root) {
    if (const pugi::xml_node node = root.child("background")) mBackground.fRead(node);
    if (const pugi::xml_node node = root.child("logo")) mLogo.fRead(node);
    if (const pugi::xml_node node = root.child("animation")) mAnimation.fRead(node);
    if (const pugi::xml_node splashes = root.child("splashes")) fReadSplashes(splashes);
}

void G_LOADER_SCREEN::fReadSplashes(const pugi::xml_node& splashes) {
    if (const pugi::xml_attribute a = splashes.attribute("time_per_splash")) mTimePerSplash = a.as_float();
    if (const pugi::xml_attribute a = splashes.attribute("time_fade")) mTimeFade = a.as_float();
    if (const pugi::xml_attribute a = splashes.attribute("back_color")) fMakeBackColor(a.as_uint());
    for (const pugi::xml_node& child : splashes.children()) {
        if (!KEL::fIsElement(child)) continue;
        const std::string file = child.attribute("FILE").as_string();
        if (file.empty() || KEL::fFileExists(file) != 1 || !KEL::kcRENDER) continue;
        KEL::KC_TEXTURE* texture = KEL::kcRENDER->fLoadTextureFile(file);
        if (!texture || texture == KEL::kcRENDER->fGetDefaultTexture()) continue;
        mSplashTextures.push_back(texture);
        auto splash = std::make_unique<KEL::G_SPRITE>();
        splash->fSetup(texture);
        splash->fSetHotSpot(KEL::fHotSpotFromString(child.attribute("HOT_SPOT").as_string()), 0.0f, 0.0f);
        float x = 0.0f, y = 0.0f;
        std::istringstream(child.attribute("POS").as_string()) >> x >> y;
        splash->fSetPosition(x, y, 0.0f);
        mSplashes.push_back(std::move(splash));
    }
}

void G_LOADER_SCREEN::fMakeBackColor(uint32_t color) {
    if (!KEL::kcRENDER || mBackTexture) return;
    mBackTexture = KEL::kcRENDER->fCreateTexture(2, 2);
    if (!mBackTexture) return;
    const uint32_t texels[4] = {color, color, color, color};
    KEL::kcRENDER->fFillTexture(mBackTexture, texels);
    mBackColorValue = color;
    mBackColor.fSetup(mBackTexture);
    mBackColor.fSetSize(float(gGame::kWIDTH), float(gGame::kHEIGHT));
    mBackColor.fSetHotSpot(KEL::kANCHOR_CENTRE, 0.0f, 0.0f);
    mBackColor.fSetPosition(float(gGame::kWIDTH / 2), float(gGame::kHEIGHT / 2), 0.0f);
}

void G_LOADER_SCREEN::fAcquireTextures() {
    mBackground.fReloadTexture();
    mLogo.fReloadTexture();
    mAnimation.fReloadTexture();
}

void G_LOADER_SCREEN::fReleaseTextures() {
    mBackground.fUnloadTexture();
    mLogo.fUnloadTexture();
    mAnimation.fUnloadTexture();
}

KEL::KC_THREAD* G_LOADER_SCREEN::fStart() {
    KEL::KC_THREAD* thread = KC_LOADER::fStart();
    mAnimation.fPlay(0.0f);
    return thread;
}

void G_LOADER_SCREEN::fFinish(int32_t result) {
    mResult.store(result);
    fSetProgress(100);
}

int32_t G_LOADER_SCREEN::fUpdate() {
    mAnimation.fUpdate();
    mFades.fUpdate();
    if (!fSplashesDone()) {
        mSplashClock += KEL::kfFRAME_DELTA;
        if (mSplashClock >= mTimePerSplash) fNextSplash();
    } else if (mSeenLoaded) {
        if (KEL::G_WINDOW_MANAGER* windows = gGame::fGetWindowManager()) windows->fUpdate();
    }
    return KEL::KS_RESULT::kOK;
}

void G_LOADER_SCREEN::fNextSplash() {
    mSplashClock = 0.0f;
    if (fSplashesDone()) return;
    mFades.fAdd(KEL::fCreateBotColor(mSplashes[mSplashIndex].get(), mTimeFade, kFADED, 0.0f));
    ++mSplashIndex;
}

int32_t G_LOADER_SCREEN::fDraw() {
    if (fSplashesDone() && mSeenLoaded) {
        if (KEL::G_WINDOW_MANAGER* windows = gGame::fGetWindowManager()) windows->fDrawAll();
    }
    mBackground.fDraw();
    mLogo.fDraw();
    mAnimation.fDraw();
    for (auto splash = mSplashes.rbegin(); splash != mSplashes.rend(); ++splash) {
        if (mBackTexture && (*splash)->mVertices) {
            const uint32_t alpha = (*splash)->mVertices[0].color & 0xFF000000u;
            mBackColor.fSetColor(alpha | (mBackColorValue & 0x00FFFFFFu));
            mBackColor.fDraw();
        }
        (*splash)->fDraw();
    }
    return KEL::KS_RESULT::kOK;
}

void G_LOADER_SCREEN::fOnLoaderDone() {
    gGame* game = gGame::fGetGame();
    KEL::G_WINDOW_MANAGER* windows = gGame::fGetWindowManager();
    if (fGetResult() < 0 || !game || !windows) return;
    windows->fRefreshAll();
    if (GG_SETTINGS::fGetInstance().fIsMobilePlatform()) game->fOpenPacks(false);
    else game->fOpenTitle();
}

bool G_LOADER_SCREEN::fStartFade() {
    if (!mSeenLoaded && fGetProgress() > 99) {
        mSeenLoaded = 1;
        fOnLoaderDone();
    }
    if (!mSeenLoaded || !fSplashesDone() || mDone) return mDone != 0;
    // A failed load has no screens to fade to.
    KEL::G_WINDOW_MANAGER* windows = gGame::fGetWindowManager();
    if (fGetResult() < 0 || !windows) return true;
    KEL::G_WINDOW* fade = windows->fFindWindow(kFADE_WINDOW);
    if (!fade) return true;
    if (!fade->fIsOpen()) {
        GG_MILESTONES::fReach(GG_MILESTONES::kFADE);
        windows->fShowWindow(kFADE_WINDOW);
        fade->fSetCallback(KEL::G_WINDOW::kCB_SHOWN, KEL::Closure<void()>::fBind<&G_LOADER_SCREEN::fEndFade>(this));
    }
    return false;
}

void G_LOADER_SCREEN::fEndFade() {
    mDone = 1;
    if (KEL::G_WINDOW_MANAGER* windows = gGame::fGetWindowManager()) {
        windows->fHideWindow(kFADE_WINDOW);
        if (KEL::G_WINDOW* fade = windows->fFindWindow(kFADE_WINDOW))
            fade->fSetCallback(KEL::G_WINDOW::kCB_SHOWN, KEL::Closure<void()>());
    }
}

}  // namespace game
