// Fuzzes Ogg Vorbis decoding from memory, whole or streamed, on OpenAL
// Soft's null backend: open, play, stop, play again and seek, stepping the
// stream between them, since damaged streams have faulted only on a read
// after a stop or seek. The length's parity picks the way (mutations flip it
// all the time), so each run sets a decoder up once, its costliest part.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/audio/KC_AUDIO.h"
#include "engine/audio/KC_SOUND.h"

namespace {
KEL::KC_AUDIO& fAudio() {
    static KEL::KC_AUDIO* audio = [] {
        setenv("ALSOFT_DRIVERS", "null", 1);
        auto* made = new KEL::KC_AUDIO();
        made->fInit();
        KEL::kcAUDIO = made;
        return made;
    }();
    return *audio;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    KEL::KC_AUDIO& audio = fAudio();
    KEL::kfFRAME_DELTA = 0.05f;
    const bool whole = size % 2 == 0;
    KEL::KC_SOUND* sound = audio.fCreateSound(data, static_cast<uint32_t>(size), 2, whole);
    if (!sound) return 0;
    sound->fGetLength();
    sound->fPlay();
    for (int i = 0; i < 3; ++i) sound->fUpdate();
    sound->fStop();
    sound->fPlay();
    sound->fSeek(1000);
    for (int i = 0; i < 3; ++i) sound->fUpdate();
    sound->fRestart();
    sound->fUpdate();
    audio.fRemoveSound(sound);
    return 0;
}
