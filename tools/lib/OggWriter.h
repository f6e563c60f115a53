#pragma once

#include <string>
#include <vector>

namespace tools {

// Encodes interleaved stereo floats as an Ogg Vorbis file (libvorbisenc).
class OggWriter {
public:
    // False when the encoder refuses or the file cannot be written.
    static bool fWrite(const std::string& path, const std::vector<float>& stereo, int rate, float quality);
};

}  // namespace tools
