// settings.xml as the launcher reads it (see FuzzInputs.h).
#include <cstdlib>
#include "FuzzDir.h"
#include "FuzzInputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    enterFuzzDir("fuzz-settings");
    if (!settingsInput(data, size)) abort();
    return 0;
}
