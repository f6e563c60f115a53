#pragma once

#include <cstddef>
#include <cstdint>

#include <AL/al.h>
#include <AL/alc.h>
#include <vorbis/vorbisfile.h>

namespace KEL {

// One Ogg Vorbis sound decoded from bytes the caller owns (they must outlive
// the sound). A whole sound is checked at open and decoded into one buffer at
// its first play; a streamed sound
// cycles two 48000-byte buffers that the audio thread refills. OpenAL objects
// are only touched under the audio lock (KC_AUDIO::fLock).
class KC_SOUND {
public:
    static constexpr uint32_t kSTREAM_BUFFER = 48000;
    static constexpr int32_t kMAX_SOURCES = 16;
    // The longest sound decoded whole, in sample frames.
    static constexpr int64_t kMAX_WHOLE_FRAMES = int64_t{1} << 25;

    // The datasource of the decoder's memory callbacks.
    struct KS_MEMORY_FILE {
        vorbis_comment* mComment = nullptr;
        vorbis_info* mInfo = nullptr;
        const uint8_t* mData = nullptr;
        uint32_t mSize = 0;
        uint32_t mPosition = 0;
    };

    KC_SOUND() = default;
    ~KC_SOUND();
    KC_SOUND(const KC_SOUND&) = delete;
    KC_SOUND& operator=(const KC_SOUND&) = delete;

    // 1, or -112 when the bytes are not a playable Ogg Vorbis sound: not
    // mono or stereo, a codebook set-up that fails, or (decoded whole)
    // longer than kMAX_WHOLE_FRAMES or undecodable.
    int32_t fOpen(const uint8_t* data, uint32_t size, int32_t bufferCount, bool whole);
    // Non-zero when it was already playing; 0 when it starts now or cannot
    // start (not opened, no free source).
    int32_t fPlay();
    // Plays after the given seconds of frame time; 0 plays now.
    void fPlayAfter(float seconds);
    void fStop();
    void fRestart();
    void fSeek(int64_t sample);
    bool fIsPlaying();
    double fGetLength();
    void fSetPosition(float x, float y, float z);
    // Gain of the held source; false (nothing set) without a source.
    bool fSetGain(float gain);
    // One audio-thread step (called under the audio lock).
    void fUpdate();

    bool fIsOpened() const { return mContext != nullptr; }
    bool fIsWhole() const { return mWhole; }
    bool fHoldsSource();
    bool fGetPlayingFlag() const;
    float fGetDelay();
    float fGetPlayTime() const;
    uint32_t fGetBufferSize() const { return mBufferSize; }
    // Whether decoded samples are held here besides OpenAL's buffers.
    bool fHoldsPcm() const { return mPcm != nullptr; }
    // Whether OpenAL holds buffers for it: a whole sound's from its first play.
    bool fHoldsBuffers() const;
    // Whether a decoder is open: a stream's, while it plays.
    bool fHoldsDecoder() const { return mDecoder != nullptr; }
    int32_t fGetBufferCount() const { return mBufferCount; }
    ALenum fGetFormat() const { return mFormat; }
    int32_t fGetRate() const { return mRate; }
    // Bytes uploaded by the last buffer fill; for a whole sound not yet
    // played, the bytes its check at open decoded.
    uint32_t fGetLastFill() const;
    void fSetLooping(bool looping);

    // Sources in existence across all sounds (at most 16).
    static int32_t fGetSourceCount();

    // Memory-file callbacks handed to the decoder.
    static size_t fMemRead(void* destination, size_t size, size_t count, void* source);
    static int fMemSeek(void* source, ogg_int64_t offset, int whence);
    static long fMemTell(void* source);
    static int fMemClose(void* source);

private:
    // Decodes up to the buffer size into the PCM buffer and uploads it.
    // Bytes uploaded, 0 at the end of the stream, negative on a decode error.
    int32_t fFill(ALuint buffer);
    // Decodes up to the buffer size into out, or through a scratch block
    // keeping nothing when out is null; same results, nothing uploaded.
    int32_t fDecode(uint8_t* out);
    // A whole sound's first play: decodes into OpenAL's buffer (once).
    bool fUploadWhole();
    // The decoder over the bytes from their start: at open, then a stream's
    // for each play. Closing lets the refill buffer go too.
    bool fOpenDecoder();
    void fCloseDecoder();
    // Reads the OpenAL error; any error stops the sound and answers true.
    bool fCheckError();
    void fReleaseSource();

    // Set by fOpen before the sound is shared with the audio thread, then
    // only read: buffer size and count, format, rate, whole, context.
    // Everything else is guarded by KC_AUDIO::fLock() (the audio thread
    // steps the sound under it).
    uint32_t mBufferSize = 0;
    // Held by a stream while it plays; a whole sound lets it go once decoded.
    OggVorbis_File* mDecoder = nullptr;  // guarded by the audio lock
    bool mOpened = false;
    double mLength = 0.0;  // seconds, read at open
    int32_t mBufferCount = 0;
    uint8_t* mPcm = nullptr;  // guarded by the audio lock
    float mPlayTime = 0.0f;   // guarded by the audio lock
    KS_MEMORY_FILE mFile;     // guarded by the audio lock (the decoder reads it)
    ALenum mFormat = AL_FORMAT_STEREO16;
    ALuint mSource = 0;           // guarded by the audio lock
    ALuint mBuffers[2] = {0, 0};  // guarded by the audio lock
    bool mBuffersMade = false;    // guarded by the audio lock
    int32_t mRate = 0;
    float mX = 0.0f, mY = 0.0f, mZ = 0.0f;  // guarded by the audio lock
    bool mWhole = false;
    bool mPlaying = false;  // guarded by the audio lock
    bool mLooping = false;  // guarded by the audio lock
    // A stream whose decoder ran out: the queued buffers play out, then it stops.
    bool mDraining = false;  // guarded by the audio lock
    float mDelay = 0.0f;     // guarded by the audio lock
    uint32_t mLastFill = 0;  // guarded by the audio lock
    ALCcontext* mContext = nullptr;
};

}  // namespace KEL
