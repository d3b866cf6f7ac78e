// Placeholder until the OpenAL backend lands: no device, so the game runs silently.
#include "audiere.h"
namespace audiere {
AudioDevice* OpenDevice(const char*, const char*) { return 0; }
OutputStream* OpenSound(const AudioDevicePtr&, const char*, bool) { return 0; }
}
