// Runs the outside tools some generators need (python3 with PIL, lame).
// A missing tool fails the generator loudly: media are never skipped.
#pragma once
#include <string>

namespace mediagen {

class ToolCommand {
public:
    // Single-quotes a path for the shell.
    static std::string quote(const std::string& s);
    // Runs cmd; on failure prints what failed and which package provides the tool.
    static bool run(const std::string& cmd, const char* package);
    // True when the file exists; otherwise prints which package provides it.
    static bool requireFile(const char* path, const char* package);
};

}  // namespace mediagen
