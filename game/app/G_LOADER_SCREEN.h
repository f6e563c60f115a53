#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/platform/KC_LOADER.h"
#include "engine/scene/G_ANIMATION.h"
#include "engine/scene/G_SPRITE.h"

namespace KEL {
class KC_TEXTURE;
}

namespace game {

// The loading screen: a background, a logo and an animation, then splash
// pictures that fade one after another over a backing colour, while the
// loader thread loads the game. Once the loader has reported 100 and every
// splash is done, the first screens open under the window
// "Fade_Transition"; when that window is fully shown the hand-over may run.
//
// The pictures (splash files, then background, logo and animation) are
// decoded on a thread of their own, started before the rest of the start-up,
// so that the main thread's set-up and the loader's work overlap the splash.
// Until the splashes are in, the screen draws nothing and its clocks stand:
// the splash time starts when the splash is on screen. The last splash
// stays until the pictures under it are in.
//
// Threads: the loader thread runs the thread function. It may use the
// repository (which locks itself), make textures through the renderer's
// locked texture set, load sounds (under the audio lock), read the game's
// files into the game object's services, and build and load windows while
// the main thread does not use the window manager. Of this screen it writes
// only the progress and the result; everything else here is main thread
// only. The result is written before progress 100 is published, so a main
// thread that has seen 100 reads the final result. The main thread touches
// the window manager only after it has seen progress 100; the loader has
// finished with it by then.
class G_LOADER_SCREEN : public KEL::KC_LOADER {
public:
    static constexpr const char* kSCREEN_FILE = "data/share/main/other screen_loading.xml";
    static constexpr uint32_t kFADED = 0x00FFFFFFu;
    // The result before the loader has finished.
    static constexpr int32_t kLOADING = 0;

    // Reads the screen from its file (a missing file leaves it empty); the
    // thread function gets this screen as its argument.
    explicit G_LOADER_SCREEN(KEL::KF_THREAD threadFunction);
    // Stops and joins the loader thread before anything is released.
    ~G_LOADER_SCREEN() override;

    // Starts the loader thread and the animation.
    KEL::KC_THREAD* fStart() override;
    int32_t fDraw() override;
    int32_t fUpdate() override;
    // The loader's end: the result first, then progress 100.
    void fFinish(int32_t result);
    // The loader's result: kLOADING until it has finished, then 1 or a
    // negative code.
    int32_t fGetResult() const { return mResult.load(); }
    // The next splash fades out now.
    void fNextSplash();
    // True once the first screens are under a fully shown transition (or
    // at once without one, or when loading failed).
    bool fStartFade();
    void fEndFade();

    // Starts decoding the pictures; they are taken up by the first update
    // after they are all in.
    void fAcquireTextures();
    void fReleaseTextures();
    // Whether the pictures are in and shown (main thread).
    bool fIsShown() const { return mShown != 0; }
    // Whether every picture has been decoded (any thread); the last splash
    // stays until then.
    bool fArePicturesIn() const { return mPicturesIn.load(std::memory_order_acquire); }
    bool fAreSplashesIn() const { return mSplashesIn.load(std::memory_order_acquire); }
    // What tests read.
    size_t fGetSplashCount() const { return mSplashes.size(); }
    int32_t fGetSplashIndex() const { return mSplashIndex; }
    float fGetTimePerSplash() const { return mTimePerSplash; }
    float fGetTimeFade() const { return mTimeFade; }
    bool fHasBackColor() const { return mBackTexture != nullptr; }
    bool fIsDone() const { return mDone != 0; }
    bool fHasSeenLoaded() const { return mSeenLoaded != 0; }

private:
    void fRead(const pugi::xml_node& root);
    void fReadSplashes(const pugi::xml_node& splashes);
    void fMakeBackColor(uint32_t color);
    bool fSplashesDone() const { return mSplashIndex >= static_cast<int32_t>(mSplashes.size()); }
    // Main thread, once, on first seeing progress 100: the windows are
    // refreshed and the first screens opened.
    void fOnLoaderDone();
    // The pictures thread's body: every splash file, then one use of each of
    // the background's, logo's and animation's textures in the repository.
    static uint32_t fLoadPictures(void* screen);
    // Main thread, each frame until all is taken: the splash sprites get
    // their textures once the splash files are in (unreadable ones not yet
    // passed are dropped), the background, logo and animation theirs once
    // those are in.
    void fTakePictures();
    void fSetupSplash(size_t index);
    void fStopPictures();

    KEL::G_SPRITE mBackground;
    KEL::G_SPRITE mLogo;
    KEL::G_ANIMATION mAnimation;
    float mTimeFade = 0.2f;
    float mTimePerSplash = 2.0f;
    KEL::G_SPRITE mBackColor;
    uint32_t mBackColorValue = 0;
    std::vector<std::unique_ptr<KEL::G_SPRITE>> mSplashes;
    // What each splash child asks for; its sprite is set up once its
    // picture is in.
    struct KS_SPLASH_FILE {
        std::string mFile;
        std::string mHotSpot;
        float mX = 0.0f;
        float mY = 0.0f;
    };
    std::vector<KS_SPLASH_FILE> mSplashFiles;
    // Made by the renderer straight from files, one per splash file (null
    // when unreadable); given back at the end. Written by the pictures
    // thread before mSplashesIn is published, main thread only after.
    std::vector<KEL::KC_TEXTURE*> mSplashTextures;
    // The repository uses the pictures thread took for the background, logo
    // and animation, given back once their sprites hold their own. Same
    // guard as mSplashTextures.
    std::vector<KEL::KC_TEXTURE*> mWarmTextures;
    std::vector<std::string> mWarmNames;   // main thread before the start, then read-only
    KEL::KC_THREAD* mPictures = nullptr;   // main thread only
    std::atomic<bool> mSplashesIn{false};  // written by the pictures thread after mSplashTextures
    std::atomic<bool> mPicturesIn{false};  // written by the pictures thread, last
    // Decoding, the pictures under the splash hold the repository; they wait
    // for the loader's start (or the screen's first frame), so the start-up's
    // own reads of it before then do not wait for them. kWARM_STOP skips them.
    static constexpr int32_t kWARM_WAIT = 0, kWARM_GO = 1, kWARM_STOP = 2;
    std::atomic<int32_t> mWarmGate{kWARM_WAIT};
    void fOpenWarmGate(int32_t how);
    uint8_t mSplashesTaken = 0;
    uint8_t mBackdropTaken = 0;
    // Something of the screen is drawn; its clocks run from the next frame.
    uint8_t mShown = 0;
    KEL::KC_TEXTURE* mBackTexture = nullptr;
    uint8_t mDone = 0;
    uint8_t mSeenLoaded = 0;
    int32_t mSplashIndex = 0;
    float mSplashClock = 0.0f;
    KEL::KC_BOT_MANAGER mFades;
    std::atomic<int32_t> mResult{kLOADING};  // written by the loader before progress 100
};

}  // namespace game
