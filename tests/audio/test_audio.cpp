// The sound layer, heard through OpenAL Soft's wave writer: every test records
// what the mixer really outputs and measures it.
#include <gtest/gtest.h>
#include <AL/alc.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>
#include "ALContext.h"
#include "WavWriter.h"
#include "WaveOutput.h"
#include "audiere.h"

using namespace audiere;
namespace fs = std::filesystem;

namespace {

const int kRate = 44100;

// A per-process folder holding OpenAL Soft's configuration, the recording and the test tones.
struct Workspace {
    std::string dir;
    Workspace() {
        char tmpl[] = "/tmp/travondel-audio-XXXXXX";
        dir = mkdtemp(tmpl) ? tmpl : "/tmp";
        recordMixerToWave(dir, kRate);
    }
    ~Workspace() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

Workspace& workspace() {
    static Workspace w;
    return w;
}

// A sine tone encoded with lame; the path of the mp3.
std::string tone(double hz, double seconds) {
    char name[64];
    snprintf(name, sizeof name, "tone-%g-%g", hz, seconds);
    const std::string base = workspace().dir + "/" + name;
    if (fs::exists(base + ".mp3")) return base + ".mp3";
    std::vector<short> s(static_cast<size_t>(seconds * kRate));
    for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<short>(16000 * std::sin(2 * M_PI * hz * i / kRate));
    EXPECT_TRUE(mediagen::WavWriter::writeMono16(base + ".wav", s, kRate));
    const std::string cmd = "lame --quiet -b 128 '" + base + ".wav' '" + base + ".mp3'";
    EXPECT_EQ(system(cmd.c_str()), 0) << "lame is needed to encode the test tones";
    return base + ".mp3";
}

struct Recording {
    std::vector<float> s;
    size_t ms(double m) const { return static_cast<size_t>(m * kRate / 1000.0); }
    size_t firstLoud(float threshold = 0.01f) const {
        for (size_t i = 0; i < s.size(); ++i)
            if (std::fabs(s[i]) > threshold) return i;
        return s.size();
    }
    size_t lastLoud(float threshold = 0.01f) const {
        for (size_t i = s.size(); i-- > 0;)
            if (std::fabs(s[i]) > threshold) return i;
        return 0;
    }
    float peak(size_t from, size_t to) const {
        float p = 0;
        for (size_t i = from; i < to && i < s.size(); ++i) p = std::max(p, std::fabs(s[i]));
        return p;
    }
    float rms(size_t from, size_t to) const {
        double sum = 0;
        size_t n = 0;
        for (size_t i = from; i < to && i < s.size(); ++i, ++n) sum += double(s[i]) * s[i];
        return n ? static_cast<float>(std::sqrt(sum / n)) : 0.0f;
    }
    // Upward zero crossings, with a little hysteresis against noise.
    int crossings(size_t from, size_t to) const {
        int count = 0;
        bool low = false;
        for (size_t i = from; i < to && i < s.size(); ++i) {
            if (s[i] < -0.02f)
                low = true;
            else if (low && s[i] > 0.02f) {
                ++count;
                low = false;
            }
        }
        return count;
    }
    // Lengths in ms of the loud and silent runs, in 10 ms blocks, from the first loud block on.
    std::vector<std::pair<bool, int>> runs() const {
        std::vector<std::pair<bool, int>> r;
        const size_t block = ms(10);
        for (size_t b = firstLoud() / block * block; b + block <= s.size(); b += block) {
            const bool loud = peak(b, b + block) > 0.05f;
            if (r.empty() || r.back().first != loud) r.push_back({loud, 0});
            r.back().second += 10;
        }
        if (!r.empty() && !r.back().first) r.pop_back();
        return r;
    }
};

// Channel 0 of a WAV file as floats (16-bit PCM or 32-bit float).
Recording readWave(const std::string& path) {
    Recording rec;
    std::ifstream in(path, std::ios::binary);
    std::vector<char> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto u16 = [&](size_t o) { return uint16_t(uint8_t(d[o]) | uint8_t(d[o + 1]) << 8); };
    auto u32 = [&](size_t o) { return uint32_t(u16(o) | uint32_t(u16(o + 2)) << 16); };
    int channels = 1, bits = 16;
    bool isFloat = false;
    for (size_t o = 12; o + 8 <= d.size();) {
        const std::string id(&d[o], 4);
        size_t len = u32(o + 4);
        if (id == "fmt ") {
            const uint16_t tag = u16(o + 8);
            channels = u16(o + 10);
            bits = u16(o + 22);
            isFloat = tag == 3 || (tag == 0xFFFE && u16(o + 32) == 3);
        } else if (id == "data") {
            len = std::min(len, d.size() - o - 8);
            const size_t frame = channels * bits / 8;
            for (size_t p = o + 8; p + frame <= o + 8 + len; p += frame) {
                if (isFloat && bits == 32) {
                    float f;
                    const uint32_t v = u32(p);
                    memcpy(&f, &v, 4);
                    rec.s.push_back(f);
                } else if (bits == 16) {
                    rec.s.push_back(int16_t(u16(p)) / 32768.0f);
                }
            }
        }
        o += 8 + len + (len & 1);
    }
    return rec;
}

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Opens a device (the wave writer), runs the scene, closes the device and returns what it wrote.
Recording record(const std::function<void(const AudioDevicePtr&)>& scene) {
    const std::string file = workspace().dir + "/out.wav";
    {
        AudioDevicePtr device(OpenDevice());
        EXPECT_TRUE(device) << "OpenAL Soft's wave writer did not open";
        if (device) scene(device);
    }
    EXPECT_EQ(ALContext::users(), 0);
    return readWave(file);
}

float median(std::vector<float> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0f : v[v.size() / 2];
}

}  // namespace

TEST(AudioOutput, VolumeHalfHalvesTheAmplitude) {
    const std::string sound = tone(440, 2.0);
    Recording r = record([&](const AudioDevicePtr& dev) {
        OutputStreamPtr s(OpenSound(dev, sound.c_str(), true));
        ASSERT_TRUE(s);
        s->play();
        sleepMs(400);
        s->setVolume(0.5f);
        EXPECT_FLOAT_EQ(s->getVolume(), 0.5f);
        sleepMs(400);
    });
    const size_t start = r.firstLoud(), end = r.lastLoud();
    ASSERT_GT(end, start + r.ms(600)) << "too little sound was written";
    // 50 ms blocks: the first ones play at full volume, the last ones at half.
    std::vector<float> first, last;
    for (int b = 0; b < 4; ++b) {
        first.push_back(r.rms(start + r.ms(20 + 50 * b), start + r.ms(70 + 50 * b)));
        last.push_back(r.rms(end - r.ms(230 - 50 * b), end - r.ms(180 - 50 * b)));
    }
    EXPECT_NEAR(median(first), 16000 / 32768.0 / std::sqrt(2.0), 0.05);
    EXPECT_NEAR(median(last) / median(first), 0.5, 0.03);
}

TEST(AudioOutput, PitchHalfHalvesTheFrequency) {
    const std::string sound = tone(440, 3.0);
    Recording r = record([&](const AudioDevicePtr& dev) {
        OutputStreamPtr s(OpenSound(dev, sound.c_str()));
        ASSERT_TRUE(s);
        s->play();
        sleepMs(500);
        s->setPitchShift(0.5f);
        EXPECT_FLOAT_EQ(s->getPitchShift(), 0.5f);
        sleepMs(500);
    });
    const size_t start = r.firstLoud(), end = r.lastLoud();
    ASSERT_GT(end, start + r.ms(800));
    // 100 ms blocks: 44 cycles at the recorded pitch, 22 at half of it.
    std::vector<float> first, last;
    for (int b = 0; b < 3; ++b) {
        first.push_back(float(r.crossings(start + r.ms(20 + 100 * b), start + r.ms(120 + 100 * b))));
        last.push_back(float(r.crossings(end - r.ms(330 - 100 * b), end - r.ms(230 - 100 * b))));
    }
    EXPECT_NEAR(median(first), 44, 1.5);
    EXPECT_NEAR(median(last), 22, 1.5);
}

TEST(AudioOutput, StopSilencesAndPlayResumesWhereItStopped) {
    const std::string sound = tone(440, 0.6);
    Recording r = record([&](const AudioDevicePtr& dev) {
        OutputStreamPtr s(OpenSound(dev, sound.c_str()));
        ASSERT_TRUE(s);
        s->play();
        EXPECT_TRUE(s->isPlaying());
        sleepMs(250);
        s->stop();
        EXPECT_FALSE(s->isPlaying());
        sleepMs(300);
        s->play();
        sleepMs(600);
        EXPECT_FALSE(s->isPlaying()) << "a sound without repeat ends";
    });
    const auto runs = r.runs();
    ASSERT_EQ(runs.size(), 3u) << "expected sound, silence, sound";
    EXPECT_GE(runs[1].second, 250);
    EXPECT_NEAR(runs[0].second + runs[2].second, 610, 40) << "the second part continues, it does not restart";
}

TEST(AudioOutput, RepeatLoopsPastTheEndWithoutAGap) {
    const std::string sound = tone(440, 0.25);
    Recording r = record([&](const AudioDevicePtr& dev) {
        OutputStreamPtr s(OpenSound(dev, sound.c_str()));
        ASSERT_TRUE(s);
        s->setRepeat(true);
        EXPECT_TRUE(s->getRepeat());
        s->play();
        sleepMs(800);
        EXPECT_TRUE(s->isPlaying());
        s->setRepeat(false);
        sleepMs(400);
        EXPECT_FALSE(s->isPlaying()) << "the last round ends the sound";
    });
    const auto runs = r.runs();
    ASSERT_EQ(runs.size(), 1u) << "the loop has a gap";
    EXPECT_GE(runs[0].second, 760);
    // The loop ends at a whole round of the sound.
    EXPECT_TRUE(runs[0].second % 250 <= 20 || runs[0].second % 250 >= 240) << runs[0].second;
}

TEST(AudioDevices, ShareOneContextClosedWithTheLast) {
    workspace();
    const std::string sound = tone(440, 0.25);
    AudioDevicePtr a(OpenDevice()), b(OpenDevice());
    ASSERT_TRUE(a && b);
    EXPECT_EQ(ALContext::users(), 2);
    ALCcontext* shared = alcGetCurrentContext();
    EXPECT_NE(shared, nullptr);
    OutputStreamPtr s(OpenSound(b, sound.c_str()));
    ASSERT_TRUE(s);
    b = 0;  // the stream keeps its device
    a = 0;
    EXPECT_EQ(ALContext::users(), 1);
    EXPECT_EQ(alcGetCurrentContext(), shared);
    s->play();
    EXPECT_TRUE(s->isPlaying());
    s = 0;
    EXPECT_EQ(ALContext::users(), 0);
    EXPECT_EQ(alcGetCurrentContext(), nullptr);
}

TEST(AudioInput, BadFilesAndNoDeviceGiveNoSound) {
    const std::string good = tone(440, 0.25);
    const std::string dir = workspace().dir;
    std::ofstream(dir + "/text.mp3") << "this is not an mp3 file\n";
    std::ofstream(dir + "/empty.mp3");
    {
        std::ofstream noise(dir + "/noise.mp3", std::ios::binary);
        uint32_t x = 12345;
        for (int i = 0; i < 20000; ++i) {
            x = x * 1664525u + 1013904223u;
            noise.put(char(x >> 24));
        }
    }
    {
        std::ifstream in(good, std::ios::binary);
        std::vector<char> head(200);
        in.read(head.data(), head.size());
        std::ofstream(dir + "/truncated.mp3", std::ios::binary).write(head.data(), head.size());
    }
    EXPECT_FALSE(OpenSound(AudioDevicePtr(), good.c_str())) << "no device";
    AudioDevicePtr dev(OpenDevice());
    ASSERT_TRUE(dev);
    for (const char* name : {"missing.mp3", "text.mp3", "empty.mp3", "noise.mp3", "truncated.mp3", ""}) {
        OutputStreamPtr s(OpenSound(dev, (dir + "/" + name).c_str()));
        EXPECT_FALSE(s) << name;
    }
    EXPECT_FALSE(OpenSound(dev, nullptr));
    EXPECT_FALSE(OpenSound(dev, dir.c_str())) << "a folder";
    EXPECT_TRUE(OutputStreamPtr(OpenSound(dev, good.c_str())));
}

TEST(AudioInput, OutOfRangeSettingsAreClamped) {
    const std::string good = tone(440, 0.25);
    AudioDevicePtr dev(OpenDevice());
    ASSERT_TRUE(dev);
    OutputStreamPtr s(OpenSound(dev, good.c_str()));
    ASSERT_TRUE(s);
    EXPECT_FLOAT_EQ(s->getVolume(), 1.0f);
    EXPECT_FLOAT_EQ(s->getPitchShift(), 1.0f);
    EXPECT_FALSE(s->getRepeat());
    const struct {
        float in, volume, pitch;
    } cases[] = {{2.0f, 1.0f, 1.0f}, {-1.0f, 0.0f, 0.1f}, {0.05f, 0.05f, 0.1f}, {0.3f, 0.3f, 0.3f}, {NAN, 0.0f, 0.1f}};
    for (const auto& c : cases) {
        s->setVolume(c.in);
        s->setPitchShift(c.in);
        EXPECT_FLOAT_EQ(s->getVolume(), c.volume) << c.in;
        EXPECT_FLOAT_EQ(s->getPitchShift(), c.pitch) << c.in;
    }
}
