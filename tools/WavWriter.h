// Writes 16-bit mono PCM WAV files (the input lame encodes).
#pragma once
#include <string>
#include <vector>

namespace mediagen {

class WavWriter {
public:
    static bool writeMono16(const std::string& path, const std::vector<short>& samples, int rate);
};

}  // namespace mediagen
