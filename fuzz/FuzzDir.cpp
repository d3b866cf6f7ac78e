#include "FuzzDir.h"
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {
std::string dir;
void removeDir() {
    std::error_code ec;
    fs::remove_all(dir, ec);
}
}  // namespace

const std::string& enterFuzzDir(const char* name) {
    if (!dir.empty()) return dir;
    std::string tmpl = (fs::temp_directory_path() / (std::string("travondel-") + name + "-XXXXXX")).string();
    if (!mkdtemp(&tmpl[0])) {
        perror("mkdtemp");
        abort();
    }
    dir = tmpl;
    fs::current_path(dir);
    atexit(removeDir);
    return dir;
}
