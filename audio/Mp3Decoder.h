// Decodes a whole mp3 file into 16-bit samples (mono or stereo, interleaved).
#pragma once
#include <vector>

namespace audiere {

class Mp3Decoder {
public:
    struct Pcm {
        std::vector<short> samples;
        int channels = 0;
        long rate = 0;
    };
    // False for a missing file or one without a single decodable frame.
    static bool decodeFile(const char* path, Pcm& out);
};

}  // namespace audiere
