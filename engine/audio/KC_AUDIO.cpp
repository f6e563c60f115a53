#include "engine/audio/KC_AUDIO.h"

#include <AL/efx.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "SERVICE/KS_RESULT.h"
#include "engine/platform/KC_THREAD.h"

namespace KEL {

namespace {
std::atomic<KC_AUDIO*> gInstance{nullptr};
}

KC_LOCK& KC_AUDIO::fLock() {
    static KC_LOCK* lock = new KC_LOCK();  // never torn down: the pump may outlive statics
    return *lock;
}

KC_AUDIO* KC_AUDIO::fGetInstance() { return gInstance.load(); }

KC_AUDIO::KC_AUDIO() { gInstance.store(this); }

KC_AUDIO::~KC_AUDIO() {
    // The pump thread must be stopped before the audio object goes.
    KC_AUDIO* self = this;
    gInstance.compare_exchange_strong(self, nullptr);
    {
        KC_LOCK::KS_SCOPE scope(fLock());
        for (KC_SOUND* sound : mSounds) delete sound;
        mSounds.clear();
        mSounds.shrink_to_fit();
        if (mContext) {
            alcMakeContextCurrent(nullptr);
            alcDestroyContext(mContext);
            mContext = nullptr;
        }
        if (mDevice) {
            alcCloseDevice(mDevice);
            mDevice = nullptr;
        }
    }
}

int32_t KC_AUDIO::fInit() {
    KC_LOCK::KS_SCOPE scope(fLock());
    if (mDevice) return KS_RESULT::kOK;
    mDevice = alcOpenDevice(nullptr);
    if (!mDevice) return KS_RESULT::kFAILED;
    // No effect sends and no more sources than the game ever plays at once:
    // a library that sizes its voices by these keeps far less per voice.
    const ALCint attributes[] = {
        ALC_MAX_AUXILIARY_SENDS, 0, ALC_MONO_SOURCES, KC_SOUND::kMAX_SOURCES, ALC_STEREO_SOURCES,
        KC_SOUND::kMAX_SOURCES,  0};
    mContext = alcCreateContext(mDevice, attributes);
    if (!mContext) mContext = alcCreateContext(mDevice, nullptr);
    mContextError = alcGetError(mDevice);
    alcMakeContextCurrent(mContext);
    alListenerfv(AL_POSITION, mListenerPosition);
    alListenerfv(AL_VELOCITY, mListenerVelocity);
    const ALfloat orientation[6] = {mListenerAt[0], mListenerAt[1], mListenerAt[2],
                                    mListenerUp[0], mListenerUp[1], mListenerUp[2]};
    alListenerfv(AL_ORIENTATION, orientation);
    alGetError();
    mContextError = alcGetError(mDevice);
    return KS_RESULT::kOK;
}

KC_SOUND* KC_AUDIO::fCreateSound(const uint8_t* data, uint32_t size, int32_t bufferCount, bool whole) {
    auto* sound = new KC_SOUND();
    if (sound->fOpen(data, size, bufferCount, whole) != KS_RESULT::kOK) {
        delete sound;
        return nullptr;
    }
    KC_LOCK::KS_SCOPE scope(fLock());
    mSounds.push_back(sound);
    return sound;
}

int32_t KC_AUDIO::fRemoveSound(KC_SOUND* sound) {
    KC_LOCK::KS_SCOPE scope(fLock());
    auto it = std::find(mSounds.begin(), mSounds.end(), sound);
    if (it == mSounds.end()) return KS_RESULT::kFAILED;
    delete sound;
    mSounds.erase(it);
    return KS_RESULT::kOK;
}

void KC_AUDIO::fUpdate() {
    KC_LOCK::KS_SCOPE scope(fLock());
    if (!mDevice || mSounds.empty()) return;
    for (KC_SOUND* sound : mSounds) sound->fUpdate();
}

void KC_AUDIO::fSetListenerPosition() {
    KC_LOCK::KS_SCOPE scope(fLock());
    if (mContext) alListenerfv(AL_POSITION, mListenerPosition);
}

int32_t KC_AUDIO::fGetError() { return mDevice ? alcGetError(mDevice) : ALC_INVALID_DEVICE; }

size_t KC_AUDIO::fGetSoundCount() {
    KC_LOCK::KS_SCOPE scope(fLock());
    return mSounds.size();
}

uint32_t KC_AUDIO::fThreadPump(void* audio) {
    while (!KC_THREAD::fStopRequested()) {
        KC_AUDIO* target = audio ? static_cast<KC_AUDIO*>(audio) : fGetInstance();
        if (target) target->fUpdate();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return static_cast<uint32_t>(KC_THREAD::kSTOPPED);
}

}  // namespace KEL
