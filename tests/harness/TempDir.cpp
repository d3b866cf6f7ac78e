#include "TempDir.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

std::string TempDir::runtimeDir() { return TRAVONDEL_RUNTIME_DIR; }

TempDir::TempDir(bool linkMedia) {
    char tmpl[] = "/tmp/travondel-test-XXXXXX";
    const char* d = mkdtemp(tmpl);
    dir = d ? d : "/tmp";
    previous = fs::current_path().string();
    fs::current_path(dir);
    if (linkMedia) fs::create_directory_symlink(runtimeDir() + "/media", dir + "/media");
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::current_path(previous, ec);
    fs::remove_all(dir, ec);
}

void TempDir::writeFile(const std::string& rel, const std::string& content) const {
    fs::path p = fs::path(dir) / rel;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << content;
}

void TempDir::copyDefaultMaps() const {
    std::error_code ec;
    fs::create_directories(fs::path(dir) / "maps");
    fs::copy(runtimeDir() + "/maps", fs::path(dir) / "maps",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
}
