#include "ToolCommand.h"
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace mediagen {

std::string ToolCommand::quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

bool ToolCommand::run(const std::string& cmd, const char* package) {
    fflush(stdout);
    const int rc = system(cmd.c_str());
    if (rc == 0) return true;
    printf("media: command failed (status %d; it needs the package %s): %s\n", rc, package, cmd.c_str());
    return false;
}

bool ToolCommand::requireFile(const char* path, const char* package) {
    if (access(path, R_OK) == 0) return true;
    printf("media: %s is missing (package %s)\n", path, package);
    return false;
}

}  // namespace mediagen
