// media/tkf-sound.mp3: the surface lift's motor hum, 4 s that loop without a
// click. Every tone is a whole number of cycles in the 4 s and the noise is
// filtered round the loop, so the last sample leads smoothly into the first.
// lame encodes it; its LAME header keeps the encoder delay and padding, which
// the gapless decoder of the sound layer trims to the exact length.
#include <cmath>
#include <cstdio>
#include <vector>
#include "MediaGenerator.h"
#include "ProcNoise.h"
#include "ToolCommand.h"
#include "WavWriter.h"

using namespace mediagen;

namespace {

const int kRate = 44100;
const int kSeconds = 4;
const double kTwoPi = 6.283185307179586;

// A tone of a whole number of cycles over the loop.
double loopTone(size_t i, int cyclesPerLoop, double phase) {
    return std::sin(kTwoPi * cyclesPerLoop * static_cast<double>(i) / (kRate * kSeconds) + phase);
}

// White noise through a two-pole low-pass, run round the loop twice so the
// filter state at the end is the state at the start.
std::vector<double> loopNoise(size_t n, double cutoffHz, uint32_t seed) {
    const ProcNoise rnd(seed);
    std::vector<double> white(n), out(n);
    for (size_t i = 0; i < n; ++i) white[i] = rnd.hash(static_cast<int>(i), 0) * 2.0 - 1.0;
    const double a = std::exp(-kTwoPi * cutoffHz / kRate);
    double s1 = 0, s2 = 0;
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < n; ++i) {
            s1 = a * s1 + (1 - a) * white[i];
            s2 = a * s2 + (1 - a) * s1;
            out[i] = s2;
        }
    return out;
}

}  // namespace

MEDIA_GENERATOR(gen_sound) {
    const size_t n = static_cast<size_t>(kRate) * kSeconds;
    const std::vector<double> rumble = loopNoise(n, 180.0, 11), hiss = loopNoise(n, 1500.0, 12);
    std::vector<double> mix(n);
    double peak = 0;
    for (size_t i = 0; i < n; ++i) {
        // Electric motor: 100 Hz hum with harmonics, a gearbox whine at 412 Hz.
        double s = 1.0 * loopTone(i, 400, 0.0) + 0.5 * loopTone(i, 800, 0.7) + 0.3 * loopTone(i, 1200, 1.9) +
                   0.12 * loopTone(i, 1648, 0.3) + 0.05 * loopTone(i, 3296, 2.2);
        // The bullwheel's turn swells the hum six times per loop.
        s *= 1.0 + 0.18 * loopTone(i, 6, 0.0);
        s += 6.0 * rumble[i] + 1.2 * hiss[i];
        mix[i] = s;
        peak = std::fmax(peak, std::fabs(s));
    }
    std::vector<short> pcm(n);
    for (size_t i = 0; i < n; ++i) pcm[i] = static_cast<short>(std::lround(mix[i] / peak * 0.6 * 32767.0));

    const std::string wav = ctx.path("media/tkf-sound.tmp.wav"), mp3 = ctx.path("media/tkf-sound.mp3");
    if (!WavWriter::writeMono16(wav, pcm, kRate)) return false;
    // Constant bit rate, no replay-gain analysis, no ID3 tag: the same bytes every time.
    const std::string cmd =
        "lame --quiet --noreplaygain -m m -b 96 --cbr " + ToolCommand::quote(wav) + " " + ToolCommand::quote(mp3);
    const bool ok = ToolCommand::run(cmd, "lame");
    remove(wav.c_str());
    return ok;
}
