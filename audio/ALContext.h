// The one OpenAL device and context of the process. Every lift opens its own
// AudioDevice; they all share this context, opened with the first and closed
// when the last one goes.
#pragma once

namespace audiere {

class ALContext {
public:
    // Opens the default device on the first call; false when there is none.
    static bool acquire();
    // Closes the device after the last release.
    static void release();
    static int users();
};

}  // namespace audiere
