#pragma once

#include <cstdint>
#include <string>

namespace KEL {

class KC_SOUND;

// One named sound of a sound group, as "sound.xml" describes it.
struct KS_SOUND_ENTRY {
    std::string mName;
    std::string mPath;       // repository name of the Ogg Vorbis resource
    bool mLooped = false;    // kept; nothing acts on it
    bool mStreamed = false;  // true: decoded whole into one buffer
    int32_t mBufferCount = 0;
    KC_SOUND* mSound = nullptr;  // null until the group is loaded
};

}  // namespace KEL
