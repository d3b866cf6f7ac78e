// A sound decoded whole into one OpenAL buffer, played by one source. It holds
// its device so that the shared context outlives the source and the buffer.
#pragma once
#include "Mp3Decoder.h"
#include "RefImplementation.h"

namespace audiere {

class OutputStreamAL : public RefImplementation<OutputStream> {
public:
    // Null when OpenAL cannot take the sound (no context, out of sources).
    static OutputStreamAL* create(const AudioDevicePtr& device, const Mp3Decoder::Pcm& pcm);

    void play() override;
    void stop() override;
    bool isPlaying() override;
    void reset() override;
    void setRepeat(bool repeat) override;
    bool getRepeat() override;
    void setVolume(float volume) override;
    float getVolume() override;
    void setPitchShift(float shift) override;
    float getPitchShift() override;

private:
    OutputStreamAL(const AudioDevicePtr& device, unsigned int buffer, unsigned int source);
    ~OutputStreamAL() override;

    AudioDevicePtr device;
    unsigned int buffer;
    unsigned int source;
    bool repeat = false;
    float volume = 1.0f;
    float pitch = 1.0f;
};

}  // namespace audiere
