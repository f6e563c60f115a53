#pragma once

#include <cstdint>

namespace KEL {

// Linear congruential generator; the engine seeds it with 0, so every run
// draws the same sequence. Construction makes it the global generator.
class KC_RANDOM {
public:
    explicit KC_RANDOM(uint32_t seed = 0);
    ~KC_RANDOM();
    KC_RANDOM(const KC_RANDOM&) = delete;
    KC_RANDOM& operator=(const KC_RANDOM&) = delete;

    // Advances the seed; its low 31 bits.
    int32_t fNext();
    // low when low == high (seed untouched); else low + fNext() % (high - low).
    int32_t fRange(int32_t low, int32_t high);
    // low + (seed >> 16) / 65535 * (high - low): both ends reachable.
    float fRangeFloat(float low, float high);
    void fSetSeed(uint32_t seed) { mSeed = seed; }
    bool fNextBool() { return (fNext() & 1) != 0; }

    uint32_t mSeed = 0;

private:
    void fAdvance() { mSeed = mSeed * 1664525u + 1013904223u; }
};

}  // namespace KEL
