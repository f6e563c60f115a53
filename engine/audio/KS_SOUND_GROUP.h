#pragma once

#include <map>
#include <string>

#include "engine/audio/KS_SOUND_ENTRY.h"

namespace KEL {

// A named group of sounds with one gain; a playing group walks its entries
// in name order as a playlist.
struct KS_SOUND_GROUP {
    std::map<std::string, KS_SOUND_ENTRY*> mEntries;
    float mGain = 1.0f;
    bool mPlaying = false;
    // Name of the playlist's current entry.
    std::string mCurrent;
};

}  // namespace KEL
