#pragma once

// The groups of the game's sound list ("other sound.xml"): the music, and
// every other sound. Volumes are set per group.
namespace game::GG_SOUND_GROUP {

inline constexpr const char* kMUSIC = "music";
inline constexpr const char* kSOUNDS = "sounds";

}  // namespace game::GG_SOUND_GROUP
