#include "CMapSelection.h"
#include <cstdio>
#include <cstring>
#include <dirent.h>

using namespace irr;

CMapSelection::CMapSelection() {}

CMapSelection::~CMapSelection() {}

core::array<core::stringc> CMapSelection::LoadMaps() {
    core::array<core::stringc> maps;
    DIR* dir = opendir("./maps");
    if (!dir) {
        puts("LoadMaps -> dir null exit ");
        return maps;
    }
    while (dirent* entry = readdir(dir)) {
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0) continue;
        if (strstr(entry->d_name, ".map")) maps.push_back(core::stringc(entry->d_name));
    }
    closedir(dir);
    return maps;
}

core::stringc CMapSelection::getMap() { return mapFile; }

void CMapSelection::setMap(const core::stringc& name) { mapFile = name; }
