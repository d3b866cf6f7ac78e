// Shared by the lift core tests: the null-device fixture plus a way to take
// media files away, and float comparisons for vectors.
#pragma once
#include "NullDeviceTest.h"
#include <filesystem>
#include <initializer_list>
#include <sstream>
#include <string>

class LiftCoreTest : public NullDeviceTest {
protected:
    // Replaces the media link by a folder that lacks the given files.
    void hideMedia(std::initializer_list<const char*> missing) {
        namespace fs = std::filesystem;
        fs::remove("media");
        fs::create_directory("media");
        for (const fs::directory_entry& e : fs::directory_iterator(TempDir::runtimeDir() + "/media")) {
            const std::string name = e.path().filename().string();
            bool hide = false;
            for (const char* m : missing) hide = hide || name == m;
            if (!hide) fs::create_symlink(e.path(), fs::path("media") / name);
        }
    }
    irr::u32 rootChildren() { return smgr->getRootSceneNode()->getChildren().size(); }
};

// Captured output without the engine's own log lines about files it can't open.
inline std::string ownLines(const std::string& text) {
    std::istringstream in(text);
    std::string line, out;
    while (std::getline(in, line))
        if (line.rfind("Could not load mesh", 0) != 0) out += line + "\n";
    return out;
}

inline ::testing::AssertionResult Near(const irr::core::vector3df& got, const irr::core::vector3df& want,
                                       float tol = 1e-4f) {
    if (got.equals(want, tol)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got (" << got.X << ", " << got.Y << ", " << got.Z << "), want (" << want.X
                                         << ", " << want.Y << ", " << want.Z << ")";
}
