#include "audiere.h"
#include "AudioDeviceAL.h"
#include "Mp3Decoder.h"
#include "OutputStreamAL.h"

namespace audiere {

AudioDevice* OpenDevice(const char*, const char*) { return AudioDeviceAL::open(); }

OutputStream* OpenSound(const AudioDevicePtr& device, const char* filename, bool) {
    // Every sound is decoded whole, streamed or not: the game's are a few seconds long.
    if (!device || !filename) return nullptr;
    Mp3Decoder::Pcm pcm;
    if (!Mp3Decoder::decodeFile(filename, pcm)) return nullptr;
    return OutputStreamAL::create(device, pcm);
}

}  // namespace audiere
