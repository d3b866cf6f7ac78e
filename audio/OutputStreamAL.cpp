#include "OutputStreamAL.h"
#include <AL/al.h>
#include <cmath>

namespace audiere {

namespace {
float clampTo(float v, float lo, float hi) {
    if (std::isnan(v)) return lo;
    return v < lo ? lo : (v > hi ? hi : v);
}
}

OutputStreamAL* OutputStreamAL::create(const AudioDevicePtr& device, const Mp3Decoder::Pcm& pcm) {
    if (!device || pcm.samples.empty()) return nullptr;
    alGetError();
    ALuint buffer = 0, source = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) return nullptr;
    const ALenum format = pcm.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
    alBufferData(buffer, format, pcm.samples.data(), static_cast<ALsizei>(pcm.samples.size() * sizeof(short)),
                 static_cast<ALsizei>(pcm.rate));
    if (alGetError() == AL_NO_ERROR) alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        return nullptr;
    }
    // A plain, unpositioned sound: no distance attenuation, no panning.
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    return new OutputStreamAL(device, buffer, source);
}

OutputStreamAL::OutputStreamAL(const AudioDevicePtr& d, unsigned int b, unsigned int s)
    : device(d), buffer(b), source(s) {}

OutputStreamAL::~OutputStreamAL() {
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    alDeleteSources(1, &source);
    alDeleteBuffers(1, &buffer);
}

void OutputStreamAL::play() {
    if (!isPlaying()) alSourcePlay(source);
}

void OutputStreamAL::stop() {
    if (isPlaying()) alSourcePause(source);
}

bool OutputStreamAL::isPlaying() {
    ALint state = AL_INITIAL;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

void OutputStreamAL::reset() {
    // A playing sound goes on from the start; any other is rewound for the next play.
    if (isPlaying())
        alSourcei(source, AL_SAMPLE_OFFSET, 0);
    else
        alSourceRewind(source);
}

void OutputStreamAL::setRepeat(bool r) {
    repeat = r;
    alSourcei(source, AL_LOOPING, r ? AL_TRUE : AL_FALSE);
}

bool OutputStreamAL::getRepeat() { return repeat; }

void OutputStreamAL::setVolume(float v) {
    volume = clampTo(v, 0.0f, 1.0f);
    alSourcef(source, AL_GAIN, volume);
}

float OutputStreamAL::getVolume() { return volume; }

void OutputStreamAL::setPitchShift(float shift) {
    pitch = clampTo(shift, 0.1f, 1.0f);
    alSourcef(source, AL_PITCH, pitch);
}

float OutputStreamAL::getPitchShift() { return pitch; }

}  // namespace audiere
