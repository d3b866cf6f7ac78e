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
#include "TKFixeTest.h"
#include "WaveOutput.h"

using namespace irr;
using core::vector3df;

namespace {

const int kRate = 44100;
const float kAmplitude = 0.5f;

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

}  // namespace

TEST_F(TKFixeTest, MotorLoudnessFollowsTheCameraAndStopsWithTheLift) {
    TempDir work(false);
    recordMixerToWave(work.path(), kRate);  // before the lift opens its device
    work.writeFile("media/.keep", "");
    ASSERT_TRUE(writeMotorTone(work.path(), kRate, kAmplitude)) << "lame is needed to encode the motor tone";

    struct Phase {
        f32 distance;
        bool running;
        bool playing;
        int ms;
    };
    // Full at the terminal, half at 50, silent but playing at 100, stopped past
    // 100, back at 25 while the lift runs, then the lift stopped.
    const Phase phases[] = {{0, true, true, 600},    {50, true, true, 600}, {100, true, true, 300},
                            {150, true, false, 300}, {25, true, true, 600}, {25, false, false, 400}};
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
        delete lift;  // the last device closes and the wave file is complete
        lift = nullptr;
    }
    EXPECT_EQ(audiere::ALContext::users(), 0);

    // The recording as runs of sound and silence (10 ms blocks), whatever the
    // machine's load did to the timing.
    const std::vector<float> levels = blockLevels(readWaveSamples(work.path() + "/out.wav"));
    struct Run {
        size_t from, to;
    };
    std::vector<Run> loud;
    for (size_t b = 0; b < levels.size(); ++b) {
        if (levels[b] < 0.02f) continue;
        if (loud.empty() || loud.back().to + 1 < b) loud.push_back({b, b});
        loud.back().to = b;
    }
    ASSERT_EQ(loud.size(), 2u) << "expected the motor, silence past 100, the motor again, silence once stopped";
    auto median = [&](size_t from, size_t to) {
        std::vector<float> v(levels.begin() + from, levels.begin() + to);
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const Run first = loud[0], again = loud[1];
    ASSERT_GE(first.to - first.from, 90u);
    ASSERT_GE(again.to - again.from, 40u);
    const float full = median(first.from + 10, first.from + 35);
    EXPECT_NEAR(full, kAmplitude / std::sqrt(2.0f), 0.05f);
    EXPECT_NEAR(median(first.to - 35, first.to - 10) / full, 0.5f, 0.05f);  // 50 away
    EXPECT_GE(again.from - first.to, 45u) << "silent at 100 and stopped past it";
    EXPECT_NEAR(median(again.from + 10, again.to - 10) / full, 0.75f, 0.05f);  // back at 25
}
