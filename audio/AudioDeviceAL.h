// An opened output device: one reference on the shared OpenAL context.
#pragma once
#include "RefImplementation.h"

namespace audiere {

class AudioDeviceAL : public RefImplementation<AudioDevice> {
public:
    // Null when OpenAL cannot open a device (no sound card).
    static AudioDeviceAL* open();

private:
    AudioDeviceAL() {}
    ~AudioDeviceAL() override;
};

}  // namespace audiere
