#include "tools/lib/SoundRecipe.h"

#include "tools/lib/SourceText.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>

namespace tools {

namespace {

constexpr double kPi = 3.14159265358979323846;

const char* const kVoices[] = {"bell", "marimba", "pluck", "pad", "bass", "soft", "blip", "thud", "swoosh"};


// Small deterministic noise source, so every build gives the same bytes.
struct Noise {
    uint32_t state = 0x12345678u;
    double fNext() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state / 4294967295.0) * 2.0 - 1.0;
    }
};

// One mono note into `out` from sample `start`; `len` is the held time in
// seconds. Every voice starts and ends softly, so nothing clicks.
void fVoice(const std::string& voice, double hz, double len, double vel, int rate, std::vector<double>& out,
            Noise& noise) {
    const double attackBase = voice == "pad" ? std::min(0.4, len * 0.4) : voice == "soft" ? 0.02 : 0.004;
    double ring = 0.0;  // how long the voice sounds after its held time
    if (voice == "bell") ring = 1.6;
    else if (voice == "marimba") ring = 0.6;
    else if (voice == "pluck") ring = 0.8;
    else if (voice == "pad") ring = 0.6;
    else if (voice == "bass") ring = 0.25;
    else if (voice == "soft") ring = 0.15;
    else if (voice == "blip") ring = 0.12;
    else if (voice == "thud") ring = 0.25;
    else if (voice == "swoosh") ring = 0.1;
    const double total = len + ring;
    const size_t n = static_cast<size_t>(total * rate);
    out.assign(n, 0.0);

    // Karplus-Strong string for "pluck".
    std::vector<double> string;
    size_t pos = 0;
    if (voice == "pluck") {
        string.resize(std::max<size_t>(2, static_cast<size_t>(rate / hz)));
        for (double& s : string) s = noise.fNext() * 0.8;
        // Soften the initial burst for a rounder tone.
        for (int pass = 0; pass < 3; ++pass)
            for (size_t i = 1; i < string.size(); ++i) string[i] = 0.5 * (string[i] + string[i - 1]);
    }
    double low = 0.0, band = 0.0;  // state of the swoosh filter
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        double s = 0.0;
        double env = 1.0;
        if (voice == "bell") {
            const double partials[][3] = {
                {1.0, 1.0, 1.4}, {2.0, 0.45, 0.8}, {3.01, 0.25, 0.5}, {4.2, 0.12, 0.3}, {5.43, 0.06, 0.2}};
            for (const auto& p : partials) s += p[1] * std::exp(-t / p[2]) * std::sin(2 * kPi * hz * p[0] * t);
            s *= 0.55;
        } else if (voice == "marimba") {
            s = std::exp(-t / 0.35) * std::sin(2 * kPi * hz * t) +
                0.25 * std::exp(-t / 0.08) * std::sin(2 * kPi * hz * 4.0 * t) +
                0.08 * std::exp(-t / 0.02) * std::sin(2 * kPi * hz * 9.9 * t);
        } else if (voice == "pluck") {
            const size_t next = (pos + 1) % string.size();
            s = string[pos];
            string[pos] = 0.996 * 0.5 * (string[pos] + string[next]);
            pos = next;
        } else if (voice == "pad") {
            for (double detune : {-0.004, 0.0, 0.005})
                for (int h = 1; h <= 6; ++h) s += std::sin(2 * kPi * hz * (1 + detune) * h * t + h) / (h * h * 1.0);
            s *= 0.28;
        } else if (voice == "bass") {
            s = std::sin(2 * kPi * hz * t) + 0.25 * std::sin(2 * kPi * hz * 2 * t) * std::exp(-t / 0.2);
            env = std::exp(-t / 0.9);
        } else if (voice == "soft") {
            s = std::sin(2 * kPi * hz * t) + 0.15 * std::sin(2 * kPi * hz * 2 * t);
            env = std::exp(-t / 0.6);
        } else if (voice == "blip") {
            // A short drop in pitch gives a round "tock" rather than a beep.
            const double phase = 2 * kPi * (hz * t + hz * 0.6 * 0.012 * (1 - std::exp(-t / 0.012)));
            s = std::sin(phase) + 0.2 * std::sin(2 * phase);
            env = std::exp(-t / 0.045);
        } else if (voice == "thud") {
            const double phase = 2 * kPi * (hz * t + hz * 1.0 * 0.03 * (1 - std::exp(-t / 0.03)));
            s = std::sin(phase) + 0.3 * std::sin(1.5 * phase) + 0.15 * noise.fNext() * std::exp(-t / 0.01);
            env = std::exp(-t / 0.09);
        } else if (voice == "swoosh") {
            // Noise through a band-pass whose centre glides up over the note.
            const double x = t / std::max(total, 1e-3);
            const double centre = hz * (0.5 + 1.5 * x);
            const double f = 2 * std::sin(kPi * std::min(centre, rate / 6.0) / rate);
            const double q = 0.35;
            low += f * band;
            const double high = noise.fNext() - low - q * band;
            band += f * high;
            s = band * 0.9;
            env = std::sin(kPi * std::min(1.0, x));
        }
        // Attack, then a release after the held time.
        const double attack = std::min(1.0, t / attackBase);
        double release = 1.0;
        if (t > len) release = std::exp(-(t - len) / std::max(0.02, ring / 4));
        // Fade the very end to silence.
        const double tailFade = std::min(1.0, (total - t) / 0.01);
        out[i] = s * env * attack * release * tailFade * vel;
    }
}

// Small reverb: four feedback combs and two all-passes per channel.
void fReverb(std::vector<float>& stereo, int rate, double wet, double room) {
    if (wet <= 0) return;
    const int combTimes[2][4] = {{1116, 1188, 1277, 1356}, {1139, 1211, 1300, 1379}};
    const int allTimes[2][2] = {{556, 441}, {579, 464}};
    const double scale = rate / 44100.0;
    const double feedback = 0.7 + 0.28 * std::clamp(room, 0.0, 1.0);
    const size_t frames = stereo.size() / 2;
    for (int ch = 0; ch < 2; ++ch) {
        std::vector<std::vector<double>> combs(4), alls(2);
        std::vector<size_t> ci(4, 0), ai(2, 0);
        std::vector<double> damp(4, 0.0);
        for (int k = 0; k < 4; ++k) combs[k].assign(static_cast<size_t>(combTimes[ch][k] * scale), 0.0);
        for (int k = 0; k < 2; ++k) alls[k].assign(static_cast<size_t>(allTimes[ch][k] * scale), 0.0);
        for (size_t i = 0; i < frames; ++i) {
            const double in = stereo[i * 2 + ch] * 0.25;
            double sum = 0;
            for (int k = 0; k < 4; ++k) {
                double& cell = combs[k][ci[k]];
                const double y = cell;
                damp[k] = y * 0.6 + damp[k] * 0.4;
                cell = in + damp[k] * feedback;
                ci[k] = (ci[k] + 1) % combs[k].size();
                sum += y;
            }
            for (int k = 0; k < 2; ++k) {
                double& cell = alls[k][ai[k]];
                const double y = cell - sum * 0.5;
                cell = sum + y * 0.5;
                ai[k] = (ai[k] + 1) % alls[k].size();
                sum = y;
            }
            stereo[i * 2 + ch] = static_cast<float>(stereo[i * 2 + ch] * (1 - wet * 0.5) + sum * wet);
        }
    }
}

}  // namespace

double SoundRecipe::fPitch(const std::string& name) {
    if (name.size() < 2) return 0;
    static const int semis[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    const char letter = static_cast<char>(name[0] & ~0x20);
    if (letter < 'A' || letter > 'G') return 0;
    int semi = semis[letter - 'A'];
    size_t i = 1;
    if (name[i] == '#') {
        ++semi;
        ++i;
    } else if (name[i] == 'b') {
        --semi;
        ++i;
    }
    if (i >= name.size()) return 0;
    char* end = nullptr;
    const long octave = std::strtol(name.c_str() + i, &end, 10);
    if (*end != '\0' || octave < 0 || octave > 9) return 0;
    const int midi = static_cast<int>((octave + 1) * 12 + semi);
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

bool SoundRecipe::fParse(const std::string& text, std::string& error) {
    mNotes.clear();
    std::istringstream in(text);
    std::string raw, voice = "soft";
    double pan = 0;
    int lineNo = 0;
    auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(lineNo) + ": " + what;
        return false;
    };
    while (std::getline(in, raw)) {
        ++lineNo;
        const std::string line = SourceText::fTrim(raw.substr(0, raw.find(';')));
        if (line.empty()) continue;
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "tempo") {
            if (!(words >> mTempo) || mTempo <= 0) return fail("bad tempo");
        } else if (key == "length") {
            if (!(words >> mLength) || mLength <= 0) return fail("bad length");
        } else if (key == "loop") {
            mLoop = true;
        } else if (key == "reverb") {
            if (!(words >> mWet >> mRoom) || mWet < 0 || mWet > 1) return fail("bad reverb");
        } else if (key == "gain") {
            if (!(words >> mGain) || mGain <= 0 || mGain > 1) return fail("bad gain");
        } else if (key == "voice") {
            words >> voice;
            if (std::find(std::begin(kVoices), std::end(kVoices), voice) == std::end(kVoices))
                return fail("unknown voice \"" + voice + "\"");
        } else if (key == "pan") {
            if (!(words >> pan) || pan < -1 || pan > 1) return fail("bad pan");
        } else if (key == "note") {
            Note note;
            std::string pitches;
            if (!(words >> note.beat >> pitches >> note.length) || note.beat < 0 || note.length <= 0)
                return fail("note needs a beat, pitches and a length");
            if (!(words >> note.velocity)) note.velocity = 0.8;
            std::istringstream list(pitches);
            std::string p;
            while (std::getline(list, p, ',')) {
                const double hz = fPitch(p);
                if (hz <= 0) return fail("bad pitch \"" + p + "\"");
                note.hertz.push_back(hz);
            }
            note.voice = voice;
            note.pan = pan;
            mNotes.push_back(note);
        } else {
            return fail("unknown word \"" + key + "\"");
        }
    }
    if (mNotes.empty()) {
        error = "no notes";
        return false;
    }
    return true;
}

std::vector<float> SoundRecipe::fRender(int rate) const {
    const double beat = 60.0 / mTempo;
    double end = 0;
    for (const Note& n : mNotes) end = std::max(end, (n.beat + n.length) * beat);
    const double body = mLength > 0 ? mLength * beat : end;
    const double tail = 2.5;
    const size_t frames = static_cast<size_t>((std::max(body, end) + tail) * rate);
    std::vector<float> stereo(frames * 2, 0.f);
    Noise noise;
    std::vector<double> mono;
    for (const Note& n : mNotes) {
        for (double hz : n.hertz) {
            fVoice(n.voice, hz, n.length * beat, n.velocity / std::sqrt(double(n.hertz.size())), rate, mono, noise);
            const size_t start = static_cast<size_t>(n.beat * beat * rate);
            const double left = std::sqrt(0.5 * (1 - n.pan)), right = std::sqrt(0.5 * (1 + n.pan));
            for (size_t i = 0; i < mono.size() && start + i < frames; ++i) {
                stereo[(start + i) * 2] += static_cast<float>(mono[i] * left);
                stereo[(start + i) * 2 + 1] += static_cast<float>(mono[i] * right);
            }
        }
    }
    fReverb(stereo, rate, mWet, mRoom);
    size_t keep = frames;
    if (mLoop) {
        // The tail sounds over the loop's start, so the loop joins seamlessly.
        keep = static_cast<size_t>(body * rate);
        for (size_t i = keep; i < frames; ++i) {
            stereo[(i % keep) * 2] += stereo[i * 2];
            stereo[(i % keep) * 2 + 1] += stereo[i * 2 + 1];
        }
    } else {
        // Drop the silent end of the tail.
        while (keep > 1 && std::fabs(stereo[(keep - 1) * 2]) < 1e-4f && std::fabs(stereo[(keep - 1) * 2 + 1]) < 1e-4f)
            --keep;
        keep = std::min(frames, keep + static_cast<size_t>(0.01 * rate));
    }
    stereo.resize(keep * 2);
    float peak = 0;
    for (float s : stereo) peak = std::max(peak, std::fabs(s));
    if (peak > 0) {
        const float k = static_cast<float>(mGain) / peak;
        for (float& s : stereo) s *= k;
    }
    if (!mLoop) {
        // Ten-millisecond fade to zero at the very end.
        const size_t fade = std::min(keep, static_cast<size_t>(0.01 * rate));
        for (size_t i = 0; i < fade; ++i) {
            const float k = static_cast<float>(i) / fade;
            stereo[(keep - 1 - i) * 2] *= k;
            stereo[(keep - 1 - i) * 2 + 1] *= k;
        }
    }
    return stereo;
}

}  // namespace tools
