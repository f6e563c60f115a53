#pragma once

#include <cstdint>
#include <vector>

#include <AL/al.h>
#include <AL/alc.h>

#include "engine/audio/KC_SOUND.h"
#include "engine/platform/KC_LOCK.h"

namespace KEL {

// The OpenAL device and context, the listener, and every live sound. The
// audio thread (fThreadPump) steps all sounds every 10 ms under the audio
// lock, which every main-thread call that touches OpenAL objects also takes.
class KC_AUDIO {
public:
    KC_AUDIO();
    // Stops and frees every sound still listed, while the context exists,
    // then closes the context and the device.
    ~KC_AUDIO();
    KC_AUDIO(const KC_AUDIO&) = delete;
    KC_AUDIO& operator=(const KC_AUDIO&) = delete;

    // 1, or -1 when no sound device can be opened.
    int32_t fInit();
    // A sound over the caller's bytes (kept alive by the caller until the
    // sound is removed), or null when they are not a playable Ogg Vorbis.
    KC_SOUND* fCreateSound(const uint8_t* data, uint32_t size, int32_t bufferCount, bool whole);
    // Stops and destroys a listed sound: 1, or -1 when it is not listed.
    int32_t fRemoveSound(KC_SOUND* sound);
    // One step of every sound, in creation order.
    void fUpdate();
    void fSetListenerPosition();
    int32_t fGetError();

    bool fHasDevice() const { return mDevice != nullptr; }
    size_t fGetSoundCount();

    // The audio lock (re-entrant), shared by the pump and the main thread.
    static KC_LOCK& fLock();
    // The one audio object, set by the constructor.
    static KC_AUDIO* fGetInstance();
    // Thread body of the audio pump: steps the given audio object (or the
    // one instance) every 10 ms until its thread is asked to stop.
    static uint32_t fThreadPump(void* audio);

    float mListenerPosition[3] = {1.0f, 1.0f, 1.0f};
    float mListenerVelocity[3] = {0.0f, 0.0f, 0.0f};
    float mListenerAt[3] = {1.0f, 1.0f, 2.0f};
    float mListenerUp[3] = {0.0f, 0.0f, 0.0f};

private:
    ALCdevice* mDevice = nullptr;
    ALCcontext* mContext = nullptr;
    ALCenum mContextError = ALC_NO_ERROR;
    std::vector<KC_SOUND*> mSounds;
};

}  // namespace KEL
