// The fixed-grip surface lift's motor, heard through OpenAL Soft's wave writer:
// its loudness follows the camera's distance to the bottom terminal, and
// stopping the lift silences it.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>
#include "ALContext.h"
#include "TKFixeFixture.h"
#include "WaveOutput.h"

using namespace irr;
using core::vector3df;

namespace {

const int kRate = 44100;
const float kAmplitude = 0.5f;

// A steady 440 Hz motor: raw PCM encoded by lame into media/tkf-sound.mp3.
bool writeMotorTone(const std::string& dir) {
    std::vector<short> pcm(kRate * 2);
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = static_cast<short>(32767 * kAmplitude * std::sin(2 * M_PI * 440 * i / kRate));
    std::ofstream(dir + "/tone.raw", std::ios::binary)
        .write(reinterpret_cast<const char*>(pcm.data()), pcm.size() * sizeof(short));
    const std::string cmd = "lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian -m m -b 128 '" + dir +
                            "/tone.raw' '" + dir + "/media/tkf-sound.mp3'";
    return system(cmd.c_str()) == 0;
}

// The float samples of the wave file's data chunk.
std::vector<float> readSamples(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> s;
    const size_t data = d.find("data");
    if (data == std::string::npos) return s;
    for (size_t p = data + 8; p + 4 <= d.size(); p += 4) {
        float f;
        memcpy(&f, &d[p], 4);
        s.push_back(f);
    }
    return s;
}

// Root mean square of each 10 ms block.
std::vector<float> blockLevels(const std::vector<float>& s) {
    const size_t block = kRate / 100;
    std::vector<float> levels;
    for (size_t b = 0; b + block <= s.size(); b += block) {
        double sum = 0;
        for (size_t i = b; i < b + block; ++i) sum += double(s[i]) * s[i];
        levels.push_back(static_cast<float>(std::sqrt(sum / block)));
    }
    return levels;
}

} // namespace

TEST_F(TKFixeTest, MotorLoudnessFollowsTheCameraAndStopsWithTheLift) {
    TempDir work(false);
    recordMixerToWave(work.path(), kRate);   // before the lift opens its device
    work.writeFile("media/.keep", "");
    ASSERT_TRUE(writeMotorTone(work.path())) << "lame is needed to encode the motor tone";

    struct Phase { f32 distance; bool running; bool playing; int ms; };
    // Full at the terminal, half at 50, silent but playing at 100, stopped past
    // 100, back at 25 while the lift runs, then the lift stopped.
    const Phase phases[] = {{0, true, true, 500},     {50, true, true, 500},  {100, true, true, 300},
                            {150, true, false, 300},  {25, true, true, 500},  {25, false, false, 300}};
    {
        capture.start();
        build({0, 0, 0}, {0, 30, 150});
        finish();
        capture.stop();
        ASSERT_TRUE(lift->getSound()) << "the motor sound did not open";
        for (const Phase& p : phases) {
            lift->running = p.running;
            const vector3df camera(p.distance, 0, 0);
            lift->update(&camera, 0.02f);
            EXPECT_EQ(lift->getSound()->isPlaying(), p.playing) << p.distance;
            std::this_thread::sleep_for(std::chrono::milliseconds(p.ms));
        }
        delete lift;   // the last device closes and the wave file is complete
        lift = nullptr;
    }
    EXPECT_EQ(audiere::ALContext::users(), 0);

    const std::vector<float> levels = blockLevels(readSamples(work.path() + "/out.wav"));
    size_t start = 0;
    while (start < levels.size() && levels[start] < 0.01f) ++start;
    ASSERT_LT(start + 200, levels.size()) << "too little sound was written";
    // Middle 200 ms of a phase, counted in 10 ms blocks from the first sound.
    auto level = [&](int fromMs) {
        std::vector<float> v(levels.begin() + start + fromMs / 10 + 15, levels.begin() + start + fromMs / 10 + 35);
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const float full = level(0);
    EXPECT_NEAR(full, kAmplitude / std::sqrt(2.0f), 0.05f);
    EXPECT_NEAR(level(500) / full, 0.5f, 0.05f);
    EXPECT_LT(level(1000), 0.01f * full);   // playing at volume 0
    EXPECT_LT(level(1250), 0.01f * full);   // stopped
    // Back within range: playing again at 1 - 25/100, then silent once stopped.
    size_t back = start + 110;
    while (back < levels.size() && levels[back] < 0.05f * full) ++back;
    ASSERT_LT(back + 40, levels.size()) << "the motor did not start again";
    std::vector<float> again(levels.begin() + back + 10, levels.begin() + back + 30);
    std::sort(again.begin(), again.end());
    EXPECT_NEAR(again[again.size() / 2] / full, 0.75f, 0.05f);
    size_t end = back;
    while (end < levels.size() && levels[end] >= 0.05f * full) ++end;
    EXPECT_NEAR((end - back) * 10.0f, 500, 60) << "the motor stops with the lift";
    for (size_t i = end; i < levels.size(); ++i) EXPECT_LT(levels[i], 0.05f * full) << "block " << i;
}
