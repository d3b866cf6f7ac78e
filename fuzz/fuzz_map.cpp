// A map file with its picture as the game window loads it, on the null driver
// (see FuzzInputs.h).
#include <cstdlib>
#include <sys/stat.h>
#include "FuzzDir.h"
#include "FuzzInputs.h"

using namespace irr;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static IrrlichtDevice* device = nullptr;
    if (!device) {
        enterFuzzDir("fuzz-map");
        mkdir("maps", 0755);
        SIrrlichtCreationParameters p;
        p.DriverType = video::EDT_NULL;
        p.LoggingLevel = ELL_NONE;
        device = createDeviceEx(p);
        if (!device) abort();
    }
    if (!mapInput(device, data, size)) abort();
    return 0;
}
