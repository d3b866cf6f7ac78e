// travondel-settings <folder>: writes the settings.xml the game ships with,
// unless the folder already has one.
#include <cstdio>
#include <unistd.h>
#include "CParametres.h"

int main(int argc, char** argv) {
    if (argc < 2 || chdir(argv[1]) != 0) {
        printf("usage: travondel-settings <runtime folder>\n");
        return 2;
    }
    // A player's saved choice is never overwritten by a rebuild.
    if (access("settings.xml", F_OK) == 0) return 0;
    CParametres p(L"settings.xml", 0);
    p.setSetting(L"fullscreen", 0);
    p.setSetting(L"resolution", L"1280x960");
    return p.save() ? 0 : 1;
}
