#include "game/app/G_LOADER_SCREEN.h"

#include <algorithm>
#include <sstream>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/bots/KC_BOT_COLOR.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/platform/KC_THREAD.h"
#include "engine/platform/KC_TIMER.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/scene/KE_ANCHOR.h"
#include "engine/util/Closure.h"
#include "engine/util/KF_SMALL_HELPERS.h"
#include "engine/util/KF_XML.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_MILESTONES.h"
#include "game/app/gGame.h"
#include "game/product/GG_SETTINGS.h"
#include "game/screens/GG_WINDOW_NAMES.h"

namespace game {

namespace {

// The children of "splashes" whose "FILE" exists, in file order.
std::vector<pugi::xml_node> fSplashNodes(const pugi::xml_node& splashes) {
    std::vector<pugi::xml_node> nodes;
    for (const pugi::xml_node& child : splashes.children()) {
        if (!KEL::fIsElement(child)) continue;
        const std::string file = child.attribute("FILE").as_string();
        if (!file.empty() && KEL::fFileExists(file) == KEL::KE_PATH_KIND::kFILE) nodes.push_back(child);
    }
    return nodes;
}

constexpr float kHALF_FRAME = 0.5f / 60.0f;

// The last step, a stall counted whole: a still picture is up for all of
// it (the first uses of the pictures under it are uploaded behind it), so
// the splashes do not take the clamp the fades keep.
float fStillStep() {
    const KEL::KC_TIMER* timer = KEL::kcTIMER;
    const float step = KEL::kfFRAME_DELTA;
    if (!timer || timer->mMaxStep <= 0.0f || step < timer->mMaxStep) return step;
    return std::max(step, static_cast<float>(timer->mStepMs) / 1000.0f);
}

}  // namespace

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
    fStopPictures();
    mFades.fDeleteAll();
    mSplashes.clear();
    if (KEL::kcREPOSITORY)
        for (KEL::KC_TEXTURE* texture : mWarmTextures) KEL::kcREPOSITORY->fReleaseTexture(texture);
    if (KEL::kcRENDER) {
        for (KEL::KC_TEXTURE* texture : mSplashTextures)
            if (texture) KEL::kcRENDER->fReleaseTexture(texture);
        if (mBackTexture) KEL::kcRENDER->fReleaseTexture(mBackTexture);
    }
}

void G_LOADER_SCREEN::fOpenWarmGate(int32_t how) {
    int32_t waiting = kWARM_WAIT;
    if (mWarmGate.compare_exchange_strong(waiting, how)) mWarmGate.notify_all();
}

void G_LOADER_SCREEN::fStopPictures() {
    // Decoding ends by itself; this only waits for it. Pictures not begun
    // are not begun any more.
    fOpenWarmGate(kWARM_STOP);
    if (mPictures) KEL::KC_THREAD::fTerminate(mPictures);
    mPictures = nullptr;
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
    if (!KEL::kcRENDER) return;
    for (const pugi::xml_node& child : fSplashNodes(splashes)) {
        KS_SPLASH_FILE splash;
        splash.mFile = child.attribute("FILE").as_string();
        splash.mHotSpot = child.attribute("HOT_SPOT").as_string();
        std::istringstream(child.attribute("POS").as_string()) >> splash.mX >> splash.mY;
        mSplashFiles.push_back(std::move(splash));
        // Set up with its picture; until then it is not drawn.
        mSplashes.push_back(std::make_unique<KEL::G_SPRITE>());
    }
}

uint32_t G_LOADER_SCREEN::fLoadPictures(void* argument) {
    auto* screen = static_cast<G_LOADER_SCREEN*>(argument);
    // The splashes first: they are the first thing shown, and the rest lies
    // under them until they fade.
    for (const KS_SPLASH_FILE& splash : screen->mSplashFiles) {
        KEL::KC_TEXTURE* texture = KEL::kcRENDER ? KEL::kcRENDER->fLoadTextureFile(splash.mFile) : nullptr;
        if (texture && KEL::kcRENDER && texture == KEL::kcRENDER->fGetDefaultTexture()) texture = nullptr;
        screen->mSplashTextures.push_back(texture);
    }
    screen->mSplashesIn.store(true, std::memory_order_release);
    screen->mWarmGate.wait(kWARM_WAIT);
    if (screen->mWarmGate.load() == kWARM_GO)
        for (const std::string& name : screen->mWarmNames)
            if (KEL::kcREPOSITORY) screen->mWarmTextures.push_back(KEL::kcREPOSITORY->fGetTexture(name));
    screen->mPicturesIn.store(true, std::memory_order_release);
    return KEL::KS_RESULT::kOK;
}

void G_LOADER_SCREEN::fTakePictures() {
    if (!mSplashesTaken && mSplashesIn.load(std::memory_order_acquire)) {
        // A splash whose picture cannot be read is skipped, unless a key
        // already passed it.
        for (size_t i = mSplashFiles.size(); i-- > 0;) {
            if (mSplashTextures[i]) {
                fSetupSplash(i);
            } else if (static_cast<int32_t>(i) >= mSplashIndex) {
                mSplashes.erase(mSplashes.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        mSplashesTaken = 1;
    }
    if (!mBackdropTaken && mPicturesIn.load(std::memory_order_acquire)) {
        fStopPictures();
        mBackground.fReloadTexture();
        mLogo.fReloadTexture();
        mAnimation.fReloadTexture();
        // The sprites hold their own uses now.
        if (KEL::kcREPOSITORY)
            for (KEL::KC_TEXTURE* texture : mWarmTextures) KEL::kcREPOSITORY->fReleaseTexture(texture);
        mWarmTextures.clear();
        mBackdropTaken = 1;
    }
    // Something to see: a splash, or the backdrop when there is none.
    if (!mShown && mSplashesTaken && (!mSplashes.empty() || mBackdropTaken)) {
        mShown = 1;
        GG_MILESTONES::fReach(GG_MILESTONES::kSPLASH);
    }
}

void G_LOADER_SCREEN::fSetupSplash(size_t index) {
    const KS_SPLASH_FILE& file = mSplashFiles[index];
    KEL::G_SPRITE& splash = *mSplashes[index];
    // A fade a key started before the picture came keeps its colour.
    const uint32_t color = splash.mVertices ? splash.mVertices[0].color : 0xFFFFFFFFu;
    splash.fSetup(mSplashTextures[index]);
    splash.fSetHotSpot(KEL::fHotSpotFromString(file.mHotSpot), 0.0f, 0.0f);
    splash.fSetPosition(file.mX, file.mY, 0.0f);
    if (static_cast<int32_t>(index) < mSplashIndex) splash.fSetColor(color);
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
    if (mPictures || mSplashesIn.load()) return;
    for (const KEL::G_SPRITE* sprite : {&mBackground, &mLogo, static_cast<KEL::G_SPRITE*>(&mAnimation)})
        if (!sprite->fGetTextureName().empty()) mWarmNames.push_back(sprite->fGetTextureName());
    mPictures = KEL::KC_THREAD::fCreate(&G_LOADER_SCREEN::fLoadPictures, this);
    if (mPictures) return;
    // Without a thread the pictures are decoded here.
    fOpenWarmGate(kWARM_GO);
    fLoadPictures(this);
}

void G_LOADER_SCREEN::fReleaseTextures() {
    mBackground.fUnloadTexture();
    mLogo.fUnloadTexture();
    mAnimation.fUnloadTexture();
}

KEL::KC_THREAD* G_LOADER_SCREEN::fStart() {
    fOpenWarmGate(kWARM_GO);
    KEL::KC_THREAD* thread = KC_LOADER::fStart();
    mAnimation.fPlay(0.0f);
    return thread;
}

void G_LOADER_SCREEN::fFinish(int32_t result) {
    mResult.store(result);
    fSetProgress(100);
}

int32_t G_LOADER_SCREEN::fUpdate() {
    // The clocks start in the frame after the one that first shows the
    // pictures: time before that was nobody's to see.
    const bool shown = mShown != 0;
    fOpenWarmGate(kWARM_GO);
    fTakePictures();
    if (!shown) return KEL::KS_RESULT::kOK;
    mAnimation.fUpdate();
    mFades.fUpdate();
    if (!fSplashesDone()) {
        mSplashClock += fStillStep();
        // The last splash stays until what lies under it can be drawn. A
        // splash's time is whole frames: it ends on the frame nearest it,
        // not one more for a clock a millisecond short.
        const bool last = mSplashIndex + 1 >= static_cast<int32_t>(mSplashes.size());
        if (mSplashClock + kHALF_FRAME >= mTimePerSplash && (!last || mBackdropTaken)) fNextSplash();
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
    if (!mShown) return KEL::KS_RESULT::kOK;
    if (fSplashesDone() && mSeenLoaded) {
        if (KEL::G_WINDOW_MANAGER* windows = gGame::fGetWindowManager()) windows->fDrawAll();
    }
    if (mBackdropTaken) {
        mBackground.fDraw();
        mLogo.fDraw();
        mAnimation.fDraw();
    }
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
    // Nothing fades in before the loading screen has been seen.
    if (!mSeenLoaded || !mShown || !fSplashesDone() || mDone) return mDone != 0;
    // A failed load has no screens to fade to.
    KEL::G_WINDOW_MANAGER* windows = gGame::fGetWindowManager();
    if (fGetResult() < 0 || !windows) return true;
    KEL::G_WINDOW* fade = windows->fFindWindow(GG_WINDOW_NAME::kFADE);
    if (!fade) return true;
    if (!fade->fIsOpen()) {
        GG_MILESTONES::fReach(GG_MILESTONES::kFADE);
        windows->fShowWindow(GG_WINDOW_NAME::kFADE);
        fade->fSetCallback(KEL::G_WINDOW::kCB_SHOWN, KEL::Closure<void()>::fBind<&G_LOADER_SCREEN::fEndFade>(this));
    }
    return false;
}

void G_LOADER_SCREEN::fEndFade() {
    mDone = 1;
    if (KEL::G_WINDOW_MANAGER* windows = gGame::fGetWindowManager()) {
        windows->fHideWindow(GG_WINDOW_NAME::kFADE);
        if (KEL::G_WINDOW* fade = windows->fFindWindow(GG_WINDOW_NAME::kFADE))
            fade->fSetCallback(KEL::G_WINDOW::kCB_SHOWN, KEL::Closure<void()>());
    }
}

}  // namespace game
