#include "WaveOutput.h"
#include "ReadFile.h"
#include <cstdlib>
#include <cmath>
#include <cstring>
#include <fstream>

void recordMixerToWave(const std::string& dir, int rate) {
    std::ofstream conf(dir + "/alsoft.conf");
    conf << "[general]\ndrivers=wave\nchannels=mono\nsample-type=float32\nfrequency=" << rate
         << "\noutput-limiter=false\n[wave]\nfile=" << dir << "/out.wav\n";
    conf.close();
    setenv("ALSOFT_CONF", (dir + "/alsoft.conf").c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");
}

bool writeMotorTone(const std::string& dir, int rate, float amplitude) {
    std::vector<short> pcm(rate * 2);
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = static_cast<short>(32767 * amplitude * std::sin(2 * M_PI * 440 * i / rate));
    std::ofstream(dir + "/tone.raw", std::ios::binary)
        .write(reinterpret_cast<const char*>(pcm.data()), pcm.size() * sizeof(short));
    const std::string cmd = "lame --quiet -r -s " + std::to_string(rate / 1000.0) +
                            " --bitwidth 16 --signed --little-endian -m m -b 128 '" + dir + "/tone.raw' '" + dir +
                            "/media/tkf-sound.mp3'";
    return system(cmd.c_str()) == 0;
}

std::vector<float> readWaveSamples(const std::string& path) {
    const std::string d = readWholeFile(path);
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
