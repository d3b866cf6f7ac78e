// The lift window's speed bar sets the motor's pitch: heard through OpenAL
// Soft's wave writer, the bar at 50 halves the motor's frequency.
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>
#include "GameWindowTest.h"
#include "WaveOutput.h"

using namespace irr;
using namespace irr::core;
namespace fs = std::filesystem;

namespace {
const int kRate = 44100;

// Frequency from the rising zero crossings between two times (ms) after `start`.
double frequency(const std::vector<float>& s, size_t start, int fromMs, int toMs) {
    const size_t a = start + kRate * fromMs / 1000, b = start + kRate * toMs / 1000;
    if (b >= s.size()) return 0;
    int rising = 0;
    for (size_t i = a + 1; i < b; ++i)
        if (s[i - 1] < 0 && s[i] >= 0) ++rising;
    return rising * 1000.0 / (toMs - fromMs);
}
}

class PitchTest : public GameWindowTest {
protected:
    // A media folder of links to the generated media, with the tone as the motor.
    void SetUp() override {
        tmp.reset(new TempDir(false));
        recordMixerToWave(tmp->path(), kRate);  // before any audio device opens
        fs::create_directory("media");
        for (const auto& e : fs::directory_iterator(TempDir::runtimeDir() + "/media"))
            if (e.path().filename() != "tkf-sound.mp3")
                fs::create_symlink(e.path(), fs::path("media") / e.path().filename());
        ASSERT_TRUE(writeMotorTone(tmp->path(), kRate, 16000.0f / 32767)) << "lame is needed to encode the motor tone";
        writeSmallMap();
    }
};

TEST_F(PitchTest, SpeedBarAtHalfHalvesTheMotorFrequency) {
    start();
    CRemontee* lift = beginLift(GUI_ID_TELESKI_FIXE, ground(900, 500), ground(900, 1900));
    clickOn(GUI_ID_TERMINER_REMONTEE);
    ASSERT_TRUE(lift->getSound()) << "the motor sound did not open";
    clickTerminal(lift);
    ASSERT_NE(win->app.scrollVitesse, nullptr);
    // Camera next to the bottom terminal: nearly full volume.
    aim(lift->getPositionDepart() + vector3df(0, 8, -8), lift->getPositionDepart());
    win->runFrames(1, 0.016f);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    setScroll(GUI_ID_SCROLL_VITESSE, 50);
    EXPECT_FLOAT_EQ(lift->getSound()->getPitchShift(), 0.5f);
    win->runFrames(1, 0.016f);
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    win->shutDown();  // the lifts go, their devices close, the wave file is complete

    const std::vector<float> s = readWaveSamples(tmp->path() + "/out.wav");
    size_t start = 0;
    while (start < s.size() && std::fabs(s[start]) < 0.01f) ++start;
    ASSERT_LT(start + kRate, s.size()) << "too little sound was written";
    const double full = frequency(s, start, 100, 450);
    const double half = frequency(s, start, 900, 1250);
    EXPECT_NEAR(full, 440, 15);
    EXPECT_NEAR(half / full, 0.5, 0.03);
}
