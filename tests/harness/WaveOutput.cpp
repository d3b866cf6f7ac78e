#include "WaveOutput.h"
#include <cstdlib>
#include <fstream>

void recordMixerToWave(const std::string& dir, int rate) {
    std::ofstream conf(dir + "/alsoft.conf");
    conf << "[general]\ndrivers=wave\nchannels=mono\nsample-type=float32\nfrequency=" << rate
         << "\noutput-limiter=false\n[wave]\nfile=" << dir << "/out.wav\n";
    conf.close();
    setenv("ALSOFT_CONF", (dir + "/alsoft.conf").c_str(), 1);
    unsetenv("ALSOFT_DRIVERS");
}
