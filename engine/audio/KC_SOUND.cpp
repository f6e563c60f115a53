#include "engine/audio/KC_SOUND.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "SERVICE/KS_RESULT.h"
#include "engine/audio/KC_AUDIO.h"

namespace KEL {

namespace {

// Sources in existence; changed only under the audio lock.
int32_t gSourceCount = 0;

// The audio thread reads the frame step that the main thread writes.
float fFrameDelta() { return std::atomic_ref<float>(kfFRAME_DELTA).load(std::memory_order_relaxed); }

// Sets up a decoder for every link's codebooks once, before the stream is
// played. libvorbis keeps a half-built codebook table when that set-up fails
// on a damaged header and, on the next read after a seek, decodes with it and
// divides by zero; a stream failing here is refused instead. A successful
// set-up is kept by the stream and reused by its own decoder.
bool fEveryLinkSetsUp(OggVorbis_File* decoder) {
    const long links = ov_streams(decoder);
    for (long link = 0; link < links; ++link) {
        vorbis_info* info = ov_info(decoder, static_cast<int>(link));
        if (!info) return false;
        vorbis_dsp_state trial{};
        if (vorbis_synthesis_init(&trial, info) != 0) return false;
        vorbis_dsp_clear(&trial);
    }
    return links > 0;
}

}  // namespace

int32_t KC_SOUND::fGetSourceCount() {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    return gSourceCount;
}

// --- memory file -----------------------------------------------------------
// Positions stay inside [0, size]: corrupt or truncated data must never make
// the decoder read outside the caller's bytes.

size_t KC_SOUND::fMemRead(void* destination, size_t size, size_t count, void* source) {
    auto* file = static_cast<KS_MEMORY_FILE*>(source);
    if (!file || !destination || size == 0 || file->mPosition >= file->mSize) return 0;
    const size_t left = file->mSize - file->mPosition;
    const size_t wanted = (count > SIZE_MAX / size) ? SIZE_MAX : size * count;
    const size_t bytes = std::min(wanted, left);
    std::memcpy(destination, file->mData + file->mPosition, bytes);
    file->mPosition += static_cast<uint32_t>(bytes);
    return bytes;
}

int KC_SOUND::fMemSeek(void* source, ogg_int64_t offset, int whence) {
    auto* file = static_cast<KS_MEMORY_FILE*>(source);
    if (!file) return -1;
    ogg_int64_t target;
    switch (whence) {
        case SEEK_SET: target = offset; break;
        case SEEK_CUR: target = static_cast<ogg_int64_t>(file->mPosition) + offset; break;
        case SEEK_END: target = static_cast<ogg_int64_t>(file->mSize) - offset; break;
        default: return -1;
    }
    if (target < 0 || target > static_cast<ogg_int64_t>(file->mSize)) return -1;
    file->mPosition = static_cast<uint32_t>(target);
    return 0;
}

long KC_SOUND::fMemTell(void* source) {
    auto* file = static_cast<KS_MEMORY_FILE*>(source);
    return file ? static_cast<long>(file->mPosition) : -1;
}

int KC_SOUND::fMemClose(void*) { return 0; }

// --- life ------------------------------------------------------------------

KC_SOUND::~KC_SOUND() {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    fReleaseSource();
    if (mBuffersMade) {
        alDeleteBuffers(2, mBuffers);
        alGetError();
        mBuffersMade = false;
    }
    fCloseDecoder();
}

void KC_SOUND::fReleaseSource() {
    if (!mSource) return;
    alSourceStop(mSource);
    alSourcei(mSource, AL_BUFFER, 0);
    alDeleteSources(1, &mSource);
    alGetError();
    mSource = 0;
    --gSourceCount;
}

int32_t KC_SOUND::fOpen(const uint8_t* data, uint32_t size, int32_t bufferCount, bool whole) {
    if (mOpened || !data) return KS_RESULT::kSTART_FAILED;
    mWhole = whole;
    mBufferCount = bufferCount;
    mFile = KS_MEMORY_FILE{};
    mFile.mData = data;
    mFile.mSize = size;
    if (!fOpenDecoder()) return KS_RESULT::kSTART_FAILED;
    auto fail = [this]() {
        fCloseDecoder();
        return KS_RESULT::kSTART_FAILED;
    };
    mFile.mComment = ov_comment(mDecoder, -1);
    mFile.mInfo = ov_info(mDecoder, -1);
    // Only mono and stereo map onto the formats used here.
    if (!mFile.mInfo || (mFile.mInfo->channels != 1 && mFile.mInfo->channels != 2) || !fEveryLinkSetsUp(mDecoder))
        return fail();
    mFormat = mFile.mInfo->channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    mRate = static_cast<int32_t>(mFile.mInfo->rate);
    const double length = ov_time_total(mDecoder, -1);
    mLength = length < 0.0 ? 0.0 : length;
    mX = mY = mZ = 0.0f;
    mPlaying = false;
    mDelay = 0.0f;

    if (!whole) {
        mBufferSize = kSTREAM_BUFFER;
        // A stream holds its decoder and buffer only while it plays: a
        // silent track or a long effect keeps nothing but its bytes.
        fCloseDecoder();
        KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
        mContext = alcGetCurrentContext();
        if (mContext) alGetError();
        mOpened = true;
        return KS_RESULT::kOK;
    }

    const ogg_int64_t total = ov_pcm_total(mDecoder, -1);
    // A stream whose length cannot be read, or longer than a sound decoded
    // whole ever is (about 12 minutes at 44.1 kHz, a 128 MiB buffer), is
    // refused rather than sizing a buffer from it.
    if (total < 0 || total > kMAX_WHOLE_FRAMES) return fail();
    mBufferSize = static_cast<uint32_t>(total * 4);
    // Decoded through a scratch block to refuse a damaged sound now; the
    // samples go into OpenAL's buffer at the first play, so a sound never
    // played holds only its bytes. Outside the lock: the pump is not held up.
    const int32_t decoded = fDecode(nullptr);
    if (decoded < 0) return fail();
    mLastFill = static_cast<uint32_t>(decoded);
    fCloseDecoder();
    mOpened = true;

    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    mContext = alcGetCurrentContext();
    if (mContext) alGetError();
    return KS_RESULT::kOK;
}

bool KC_SOUND::fUploadWhole() {
    if (mBuffersMade) return true;
    if (!fOpenDecoder()) return false;
    mPcm = new (std::nothrow) uint8_t[std::max<uint32_t>(mBufferSize, 1)];
    const int32_t decoded = mPcm ? fDecode(mPcm) : -1;
    bool uploaded = false;
    if (decoded >= 0) {
        alGetError();
        alGenBuffers(2, mBuffers);
        if (alGetError() == AL_NO_ERROR) {
            alBufferData(mBuffers[0], mFormat, mPcm, decoded, mRate);
            uploaded = alGetError() == AL_NO_ERROR;
            // A refused upload is tried again at the next play.
            if (uploaded) mLastFill = static_cast<uint32_t>(decoded);
            else alDeleteBuffers(2, mBuffers);
            mBuffersMade = uploaded;
        }
    }
    // OpenAL keeps its own copy and a whole sound is never decoded again:
    // our samples and the decoder's tables (a few hundred kilobytes) go now.
    fCloseDecoder();
    return uploaded;
}

// --- decoding --------------------------------------------------------------

bool KC_SOUND::fOpenDecoder() {
    if (mDecoder) return true;
    mFile.mPosition = 0;
    mDecoder = new OggVorbis_File();
    std::memset(mDecoder, 0, sizeof(*mDecoder));
    const ov_callbacks callbacks = {&KC_SOUND::fMemRead, &KC_SOUND::fMemSeek, &KC_SOUND::fMemClose,
                                    &KC_SOUND::fMemTell};
    if (ov_open_callbacks(&mFile, mDecoder, nullptr, 0, callbacks) < 0) {
        delete mDecoder;  // the decoder has cleared itself
        mDecoder = nullptr;
        return false;
    }
    return true;
}

void KC_SOUND::fCloseDecoder() {
    if (mDecoder) {
        ov_clear(mDecoder);
        delete mDecoder;
        mDecoder = nullptr;
    }
    mFile.mComment = nullptr;
    mFile.mInfo = nullptr;
    delete[] mPcm;
    mPcm = nullptr;
}

int32_t KC_SOUND::fDecode(uint8_t* out) {
    uint8_t scratch[4096];
    uint32_t total = 0;
    int holes = 0;
    int bitstream = 0;
    while (total < mBufferSize) {
        const int wanted = static_cast<int>(std::min<uint32_t>(mBufferSize - total, sizeof scratch));
        char* into = reinterpret_cast<char*>(out ? out + total : scratch);
        const long read = ov_read(mDecoder, into, wanted, 0, 2, 1, &bitstream);
        if (read == 0) break;
        if (read == OV_HOLE) {
            // A gap in the data is recoverable: keep reading past it.
            if (++holes > 64) return OV_HOLE;
            continue;
        }
        if (read < 0) return static_cast<int32_t>(read);
        total += static_cast<uint32_t>(read);
    }
    return static_cast<int32_t>(total);
}

int32_t KC_SOUND::fFill(ALuint buffer) {
    const int32_t bytes = fDecode(mPcm);
    if (bytes < 0) return bytes;
    alBufferData(buffer, mFormat, mPcm, bytes, mRate);
    alGetError();
    mLastFill = static_cast<uint32_t>(bytes);
    return bytes;
}

bool KC_SOUND::fCheckError() {
    if (alGetError() == AL_NO_ERROR) return false;
    fStop();
    return true;
}

// --- playing ---------------------------------------------------------------

int32_t KC_SOUND::fPlay() {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    if (!fIsOpened()) return KS_RESULT::kNOTHING;
    if (mPlaying) return KS_RESULT::kOK;
    if (gSourceCount >= kMAX_SOURCES) return KS_RESULT::kNOTHING;
    alGetError();
    alGenSources(1, &mSource);
    if (alGetError() != AL_NO_ERROR) {
        mSource = 0;
        return KS_RESULT::kNOTHING;
    }
    ++gSourceCount;
    mPlaying = true;
    mDraining = false;
    mPlayTime = 0.0f;

    if (mWhole) {
        if (!fUploadWhole()) {
            fStop();
            return KS_RESULT::kNOTHING;
        }
        alSourcei(mSource, AL_BUFFER, static_cast<ALint>(mBuffers[0]));
    } else {
        if (!mPcm) mPcm = new (std::nothrow) uint8_t[mBufferSize];
        if (!mPcm || !fOpenDecoder()) {
            fStop();
            return KS_RESULT::kNOTHING;
        }
        // Both buffers are filled before they are queued: OpenAL refuses to
        // queue a filled buffer behind one that never held data.
        alGenBuffers(2, mBuffers);
        if (alGetError() != AL_NO_ERROR) {
            fStop();
            return KS_RESULT::kNOTHING;
        }
        mBuffersMade = true;
        const int32_t first = fFill(mBuffers[0]);
        if (first <= 0) {
            fStop();
            return KS_RESULT::kNOTHING;
        }
        alSourceQueueBuffers(mSource, 1, &mBuffers[0]);
        const int32_t second = fFill(mBuffers[1]);
        if (second < 0) {
            fStop();
            return KS_RESULT::kNOTHING;
        }
        if (second > 0) alSourceQueueBuffers(mSource, 1, &mBuffers[1]);
        else mDraining = true;
    }
    alSourcePlay(mSource);
    fCheckError();
    return KS_RESULT::kNOTHING;
}

void KC_SOUND::fPlayAfter(float seconds) {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    if (seconds <= 0.0f) {
        fPlay();
        return;
    }
    mDelay = seconds;
}

void KC_SOUND::fStop() {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    if (!fIsOpened() || !mSource) return;
    fReleaseSource();
    if (!mWhole && mBuffersMade) {
        alDeleteBuffers(2, mBuffers);
        alGetError();
        mBuffersMade = false;
    }
    // The next play opens the stream again at its start.
    if (!mWhole) fCloseDecoder();
    mPlaying = false;
    mDraining = false;
}

void KC_SOUND::fRestart() {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    fStop();
    fPlay();
}

void KC_SOUND::fSeek(int64_t sample) {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    if (!fIsOpened() || !mSource) return;
    alSourceStop(mSource);
    if (mDecoder) ov_pcm_seek(mDecoder, sample);
    alSourcePlay(mSource);
    fCheckError();
}

bool KC_SOUND::fIsPlaying() {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    if (!mSource || !mPlaying) return false;
    ALint state = 0;
    alGetSourcei(mSource, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

bool KC_SOUND::fHoldsBuffers() const {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    return mBuffersMade;
}

bool KC_SOUND::fHoldsSource() {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    return mSource != 0;
}

float KC_SOUND::fGetDelay() {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    return mDelay;
}

double KC_SOUND::fGetLength() {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    return mLength;
}

bool KC_SOUND::fGetPlayingFlag() const {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    return mPlaying;
}

float KC_SOUND::fGetPlayTime() const {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    return mPlayTime;
}

uint32_t KC_SOUND::fGetLastFill() const {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    return mLastFill;
}

void KC_SOUND::fSetLooping(bool looping) {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    mLooping = looping;
}

void KC_SOUND::fSetPosition(float x, float y, float z) {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    mX = x;
    mY = y;
    mZ = z;
}

bool KC_SOUND::fSetGain(float gain) {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    if (!mSource) return false;
    alSourcef(mSource, AL_GAIN, gain);
    alGetError();
    return true;
}

// --- stepping --------------------------------------------------------------

void KC_SOUND::fUpdate() {
    KC_LOCK::KS_SCOPE scope(KC_AUDIO::fLock());
    const float delta = fFrameDelta();
    if (mDelay > 0.0f) {
        mDelay -= delta;
        if (mDelay <= 0.0f) {
            mDelay = 0.0f;
            fPlay();
            return;
        }
        // A stream already playing keeps being fed while a new start waits.
        if (!mPlaying) return;
    }
    if (!fIsOpened() || !mPlaying || !mSource) return;

    ALint state = 0;
    if (mWhole) {
        alGetSourcei(mSource, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING) return;
        if (mLooping) fRestart();
        else fStop();
        return;
    }

    if (mDraining) {
        // The decoder ran out: the queued buffers play to their end first.
        alGetSourcei(mSource, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING) fStop();
        else mPlayTime += delta;
        return;
    }

    ALint processed = 0;
    alGetSourcei(mSource, AL_BUFFERS_PROCESSED, &processed);
    if (processed > 0) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(mSource, 1, &buffer);
        if (fCheckError()) return;
        int32_t bytes = fFill(buffer);
        if (bytes == 0) {
            ov_pcm_seek(mDecoder, 0);
            if (mLooping) bytes = fFill(buffer);
            if (bytes == 0) mDraining = true;
        }
        if (bytes < 0) {
            // An unreadable stream gives its source back.
            fStop();
            return;
        }
        if (bytes > 0) {
            alSourceQueueBuffers(mSource, 1, &buffer);
            if (fCheckError()) return;
        }
    }
    alGetSourcei(mSource, AL_SOURCE_STATE, &state);
    if (mDraining) {
        if (state != AL_PLAYING) {
            fStop();
            return;
        }
    } else if (mPlayTime != 0.0f && state != AL_PLAYING) {
        // It ran dry before the refill came: start it again.
        alSourcePlay(mSource);
        if (fCheckError()) return;
    }
    mPlayTime += delta;
}

}  // namespace KEL
