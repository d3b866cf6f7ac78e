// A temporary working folder: created, entered (chdir), and removed with its
// contents on destruction. media/ links to the generated media of the build.
#pragma once
#include <string>

class TempDir {
public:
    explicit TempDir(bool linkMedia = true);
    ~TempDir();
    const std::string& path() const { return dir; }
    // Writes a text file relative to the folder, creating sub-folders.
    void writeFile(const std::string& rel, const std::string& content) const;
    // Copies the generated default maps into ./maps.
    void copyDefaultMaps() const;
    static std::string runtimeDir();  // the build's runtime folder
private:
    std::string dir;
    std::string previous;
};
