// The chosen map's file name, and the list of map files in ./maps.
#pragma once
#include <irrlicht.h>

class CMapSelection {
public:
    CMapSelection();
    ~CMapSelection();

    // Every entry of ./maps whose name contains ".map", in directory order.
    irr::core::array<irr::core::stringc> LoadMaps();
    irr::core::stringc getMap();
    void setMap(const irr::core::stringc& name);

    irr::core::stringc mapFile;
};
