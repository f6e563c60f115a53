#pragma once

#include <string>
#include <vector>

namespace tools {

// A short piece of synthesised sound described as text: a tempo, notes on
// soft instruments (bell, marimba, pluck, pad, bass, soft, blip, thud,
// swoosh), a little reverb, and an optional seamless loop for music.
//
//   tempo 96             ; beats per minute; note times are in beats
//   length 16            ; beats before the tail (a loop's length)
//   loop                 ; the tail wraps round to the start
//   reverb 0.25 0.6      ; wet share, room size (0..1)
//   gain 0.7             ; peak level of the result
//   voice marimba        ; instrument of the notes that follow
//   pan -0.2             ; -1 left .. 1 right
//   note 0 C5,E5 1 0.8   ; beat, pitches, length in beats, velocity
class SoundRecipe {
public:
    struct Note {
        double beat = 0, length = 1, velocity = 0.8, pan = 0;
        std::vector<double> hertz;
        std::string voice;
    };

    // False with a message on bad text.
    bool fParse(const std::string& text, std::string& error);

    // Renders to interleaved stereo floats at `rate`.
    std::vector<float> fRender(int rate) const;

    // "A4" -> 440, "C#5", "Bb3"; 0 when the name is not a pitch.
    static double fPitch(const std::string& name);

    double mTempo = 120;
    double mLength = 0;  // beats; 0: up to the last note's end
    bool mLoop = false;
    double mWet = 0.2, mRoom = 0.5;
    double mGain = 0.7;
    std::vector<Note> mNotes;
};

}  // namespace tools
