#include "WavWriter.h"
#include <cstdint>
#include <cstdio>

namespace mediagen {

namespace {
void put32(FILE* f, uint32_t v) {
    const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
    fwrite(b, 1, 4, f);
}
void put16(FILE* f, uint16_t v) {
    const unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
    fwrite(b, 1, 2, f);
}
}

bool WavWriter::writeMono16(const std::string& path, const std::vector<short>& samples, int rate) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) {
        printf("media: cannot write %s\n", path.c_str());
        return false;
    }
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    fwrite("RIFF", 1, 4, f);
    put32(f, 36 + dataBytes);
    fwrite("WAVEfmt ", 1, 8, f);
    put32(f, 16);
    put16(f, 1);  // PCM
    put16(f, 1);  // mono
    put32(f, static_cast<uint32_t>(rate));
    put32(f, static_cast<uint32_t>(rate) * 2);
    put16(f, 2);
    put16(f, 16);
    fwrite("data", 1, 4, f);
    put32(f, dataBytes);
    for (short s : samples) put16(f, static_cast<uint16_t>(s));
    bool ok = ferror(f) == 0;
    ok = (fclose(f) == 0) && ok;
    return ok;
}

}  // namespace mediagen
