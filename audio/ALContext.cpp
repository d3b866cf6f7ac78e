#include "ALContext.h"
#include <AL/al.h>
#include <AL/alc.h>

namespace audiere {

namespace {
int userCount = 0;
ALCdevice* device = nullptr;
ALCcontext* context = nullptr;
}

bool ALContext::acquire() {
    if (userCount > 0) {
        ++userCount;
        return true;
    }
    device = alcOpenDevice(nullptr);
    if (!device) return false;
    context = alcCreateContext(device, nullptr);
    if (!context || !alcMakeContextCurrent(context)) {
        if (context) alcDestroyContext(context);
        alcCloseDevice(device);
        context = nullptr;
        device = nullptr;
        return false;
    }
    userCount = 1;
    return true;
}

void ALContext::release() {
    if (userCount <= 0 || --userCount > 0) return;
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    alcCloseDevice(device);
    context = nullptr;
    device = nullptr;
}

int ALContext::users() { return userCount; }

}  // namespace audiere
