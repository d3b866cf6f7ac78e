#include "AudioDeviceAL.h"
#include "ALContext.h"

namespace audiere {

AudioDeviceAL* AudioDeviceAL::open() {
    if (!ALContext::acquire()) return nullptr;
    return new AudioDeviceAL();
}

AudioDeviceAL::~AudioDeviceAL() { ALContext::release(); }

}  // namespace audiere
