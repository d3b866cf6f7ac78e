#include "Mp3Decoder.h"
#include <mpg123.h>

namespace audiere {

namespace {
bool libraryReady() {
    static const bool ready = mpg123_init() == MPG123_OK;
    return ready;
}
}

bool Mp3Decoder::decodeFile(const char* path, Pcm& out) {
    out = Pcm();
    if (!path || !libraryReady()) return false;
    mpg123_handle* mh = mpg123_new(nullptr, nullptr);
    if (!mh) return false;
    // ADD_FLAGS keeps the default gapless decoding, which trims the encoder's
    // delay and padding so that a looped sound has no gap.
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    bool ok = mpg123_open_fixed(mh, path, MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16) == MPG123_OK;
    int encoding = 0;
    // Reads up to the first frame: fails for a file without one.
    ok = ok && mpg123_getformat(mh, &out.rate, &out.channels, &encoding) == MPG123_OK;
    std::vector<unsigned char> chunk(32768);
    while (ok) {
        size_t done = 0;
        const int err = mpg123_read(mh, chunk.data(), chunk.size(), &done);
        if (err == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0;
            mpg123_getformat(mh, &rate, &channels, &encoding);
            // A format change in the middle cannot go into one buffer.
            if (!out.samples.empty() && (rate != out.rate || channels != out.channels)) ok = false;
            out.rate = rate;
            out.channels = channels;
            continue;
        }
        if (err != MPG123_OK && err != MPG123_DONE) ok = false;
        if (ok && done > 0) {
            const short* s = reinterpret_cast<const short*>(chunk.data());
            out.samples.insert(out.samples.end(), s, s + done / sizeof(short));
        }
        if (err == MPG123_DONE) break;
    }
    mpg123_close(mh);
    mpg123_delete(mh);
    ok = ok && (out.channels == 1 || out.channels == 2) && out.rate > 0 &&
         out.samples.size() >= static_cast<size_t>(out.channels);
    if (!ok) out = Pcm();
    return ok;
}

}  // namespace audiere
