// The loaded map: reads maps/<file>, builds the terrain (id 1) with its picture
// and triangle selector, the stations' chalets and the snow sky box, and holds
// the world's trees, stations and lifts, which it owns.
#pragma once
#include <irrlicht.h>
#include <string>
#include "CArbre.h"
#include "CRemontee.h"
#include "CStation.h"

class CRider;

class CMap {
public:
    explicit CMap(const irr::core::stringc& mapFile);
    // Deletes the trees, stations and lifts still held; makes no engine call.
    ~CMap();

    // Reads maps/mapFile and builds the scene; driver, smgr and device must be set.
    void loadMap();
    // The non-empty fields of text between separators.
    irr::core::array<std::string> split(const std::string& text, char separator);

    // Terrain point under the cursor, or (0,0,0).
    irr::core::vector3df clickTerrainCoordinates();
    // Terrain height met by the vertical segment p.y+h .. p.y-h, or -100.
    irr::f32 GetHeight(const irr::core::vector3df& p, irr::f32 h);
    // Nearest pickable node (id mask 7, with a selector) under the cursor, or null.
    irr::scene::ISceneNode* getNodeByClick();
    CArbre* getArbreByName(const irr::core::stringc& name);
    CRemontee* getRemonteeByNodeName(const irr::core::stringc& name);

    irr::video::IVideoDriver* driver;
    irr::scene::ISceneManager* smgr;
    irr::IrrlichtDevice* device;
    irr::scene::ITerrainSceneNode* terrain;
    irr::scene::ITriangleSelector* terrainSelector;
    irr::core::array<CArbre*> arrArbres;
    irr::core::array<CStation*> arrStations;
    irr::core::array<CRemontee*> arrRemontees;
    irr::core::array<CRider*> arrRiders;
    irr::scene::ISceneNode* skyBox;
    irr::core::stringc mapPath;
    irr::core::stringc mapFile;
    irr::core::stringc heightfieldName;
    irr::core::stringc textureName;

private:
    void readLine(const std::string& line);
    void readStation(const std::string& line);
    // Builds the terrain, its picture and selector; leaves both null when the height field is unusable.
    void buildTerrain();
    void buildSkyBox();
    // Prints the trace with the cursor position and returns the ray through it.
    irr::core::line3df cursorRay(const char* traceFormat, irr::core::position2d<irr::s32>& mouse);
};
