// The fuzz targets read and write real files: each works in a private folder
// of its own, entered once and removed when the process ends.
#pragma once
#include <string>

// Creates and enters the folder (once); returns its path.
const std::string& enterFuzzDir(const char* name);
