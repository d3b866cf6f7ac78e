#include "CMap.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <sys/stat.h>
#include "CPictureCheck.h"
#include "TerrainGeometry.h"

using namespace irr;

namespace {

// The engine's terrain allocates with the square of the width and overflows well before 65536.
const u32 MAX_HEIGHTFIELD_WIDTH = 4097;
// Larger pictures are refused before any reader allocates for them.
const u32 MAX_PICTURE_SIDE = 8192;

// Directories open as files here; the engine's loaders then read garbage sizes.
bool isRegularFile(const core::stringc& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

CMap::CMap(const core::stringc& file)
    : driver(nullptr), smgr(nullptr), device(nullptr), terrain(nullptr), terrainSelector(nullptr), skyBox(nullptr),
      mapFile(file) {}

CMap::~CMap() {
    for (u32 i = 0; i < arrArbres.size(); ++i) delete arrArbres[i];
    for (u32 i = 0; i < arrStations.size(); ++i) delete arrStations[i];
    for (u32 i = 0; i < arrRemontees.size(); ++i) delete arrRemontees[i];
}

core::array<std::string> CMap::split(const std::string& text, char separator) {
    core::array<std::string> fields;
    std::string buffer;
    for (char c : text) {
        if (c != separator) {
            buffer += c;
        } else if (!buffer.empty()) {
            fields.push_back(buffer);
            buffer.clear();
        }
    }
    if (!buffer.empty()) fields.push_back(buffer);
    return fields;
}

void CMap::loadMap() {
    mapPath = "maps/";
    mapPath += mapFile;
    for (u32 i = 0; i < arrStations.size(); ++i) delete arrStations[i];
    arrStations.clear();

    std::ifstream in;
    if (isRegularFile(mapPath)) in.open(mapPath.c_str());
    if (!in.is_open()) printf("loadMap -> impossible d'ouvrir le fichier map %s\n", mapPath.c_str());
    std::string line;
    while (in.is_open() && std::getline(in, line)) {
        // Maps written on Windows end their lines with CR LF.
        if (!line.empty() && line[line.size() - 1] == '\r') line.erase(line.size() - 1);
        printf("Line=%s \n", line.c_str());
        readLine(line);
    }
    in.close();

    buildTerrain();
    for (u32 i = 0; i < arrStations.size(); ++i) arrStations[i]->createNode();
    buildSkyBox();
}

void CMap::readLine(const std::string& line) {
    if (line.find("heightfield=") != std::string::npos) heightfieldName = line.substr(12).c_str();
    if (line.find("texture=") != std::string::npos) textureName = line.substr(8).c_str();
    if (line.find("station#") != std::string::npos) readStation(line);
}

void CMap::readStation(const std::string& line) {
    CStation* station = new CStation(smgr, driver);
    core::array<std::string> fields = split(line, '#');
    if (fields.size() != 3) {
        puts("ERREUR LORS DE CHARGEMENT D'UN OBJET TYPE STATION DANS FICHIER MAP");
        delete station;
        return;
    }
    station->setName(fields[1].c_str());
    core::array<std::string> coords = split(fields[2], '-');
    bool valid = coords.size() == 3;
    core::vector3df p;
    if (valid) {
        p.set(strtof(coords[0].c_str(), nullptr), strtof(coords[1].c_str(), nullptr),
              strtof(coords[2].c_str(), nullptr));
        valid = std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z);
    }
    if (!valid) {
        printf("ERREUR DANS LES COORDONNEES DE STATION %s DANS FICHIER MAP\n", station->name.c_str());
        delete station;
        return;
    }
    station->setPosition(p);
    arrStations.push_back(station);
}

void CMap::buildTerrain() {
    terrain = nullptr;
    terrainSelector = nullptr;
    core::stringc heightfieldPath = "maps/";
    heightfieldPath += heightfieldName;

    // Without a readable picture the engine gives no terrain; check first so the width can be refused too.
    video::IImage* picture = nullptr;
    if (!heightfieldName.empty() && CPictureCheck::isUsable(heightfieldPath, MAX_PICTURE_SIDE)) {
        try {
            picture = driver->createImageFromFile(heightfieldPath);
        } catch (const std::bad_alloc&) {
            picture = nullptr;
        }
    }
    if (!picture) {
        printf("loadMap -> heightfield illisible : %s\n", heightfieldPath.c_str());
        return;
    }
    const u32 width = picture->getDimension().Width;
    picture->drop();
    if (width > MAX_HEIGHTFIELD_WIDTH) {
        printf("loadMap -> heightfield trop large (%u pixels, %u au plus) : %s\n", width, MAX_HEIGHTFIELD_WIDTH,
               heightfieldPath.c_str());
        return;
    }

    const core::vector3df scale(TerrainGeometry::UNITS_PER_PIXEL, TerrainGeometry::UNITS_PER_LEVEL,
                                TerrainGeometry::UNITS_PER_PIXEL);
    terrain = smgr->addTerrainSceneNode(heightfieldPath, nullptr, 1, core::vector3df(0, 0, 0), core::vector3df(0, 0, 0),
                                        scale, video::SColor(255, 255, 255, 255), TerrainGeometry::MAX_LOD,
                                        scene::ETPS_17, TerrainGeometry::SMOOTH_FACTOR, false);
    if (!terrain) {
        printf("loadMap -> heightfield illisible : %s\n", heightfieldPath.c_str());
        return;
    }
    terrain->setMaterialFlag(video::EMF_LIGHTING, false);

    core::stringc texturePath = "maps/";
    texturePath += textureName;
    video::ITexture* texture =
        CPictureCheck::isUsable(texturePath, MAX_PICTURE_SIDE) ? driver->getTexture(texturePath) : nullptr;
    for (u32 i = 0; i < terrain->getMaterialCount(); ++i) {
        terrain->getMaterial(i).setTexture(0, texture);
        terrain->getMaterial(i).MaterialType = video::EMT_DETAIL_MAP;
    }
    terrain->scaleTexture(1.0f, 20.0f);

    terrainSelector = smgr->createTerrainTriangleSelector(terrain, 0);
    terrain->setTriangleSelector(terrainSelector);
    terrainSelector->drop();
}

void CMap::buildSkyBox() {
    driver->setTextureCreationFlag(video::ETCF_CREATE_MIP_MAPS, false);
    video::ITexture* negX = driver->getTexture("media/snow_negative_x.jpg");
    video::ITexture* posX = driver->getTexture("media/snow_positive_x.jpg");
    video::ITexture* negZ = driver->getTexture("media/snow_negative_z.jpg");
    video::ITexture* posZ = driver->getTexture("media/snow_positive_z.jpg");
    video::ITexture* negY = driver->getTexture("media/snow_negative_y.jpg");
    video::ITexture* posY = driver->getTexture("media/snow_positive_y.jpg");
    skyBox = smgr->addSkyBoxSceneNode(posY, negY, posZ, negZ, posX, negX, nullptr, -1);
    // The lifts draw their ropes before the scene: a sky drawn without a depth
    // test would paint over them, so it only fills what nothing nearer covers.
    if (skyBox)
        for (u32 i = 0; i < skyBox->getMaterialCount(); ++i) skyBox->getMaterial(i).ZBuffer = video::ECFN_LESSEQUAL;
    driver->setTextureCreationFlag(video::ETCF_CREATE_MIP_MAPS, true);
}

core::line3df CMap::cursorRay(const char* traceFormat, core::position2d<s32>& mouse) {
    mouse = device->getCursorControl()->getPosition();
    printf(traceFormat, mouse.X, mouse.Y);
    return device->getSceneManager()->getSceneCollisionManager()->getRayFromScreenCoordinates(mouse);
}

core::vector3df CMap::clickTerrainCoordinates() {
    core::position2d<s32> mouse;
    const core::line3df ray = cursorRay("clickTerrainCoordinates mousepos : %i %i \n", mouse);
    if (!terrainSelector) return core::vector3df(0, 0, 0);
    core::vector3df hit;
    core::triangle3df triangle;
    scene::ISceneNode* node = nullptr;
    if (device->getSceneManager()->getSceneCollisionManager()->getCollisionPoint(ray, terrainSelector, hit, triangle,
                                                                                 node) &&
        node && node->getID() == 1)
        return hit;
    return core::vector3df(0, 0, 0);
}

f32 CMap::GetHeight(const core::vector3df& p, f32 h) {
    if (!terrainSelector) return -100.0f;
    scene::ISceneCollisionManager* collisions = device->getSceneManager()->getSceneCollisionManager();
    core::vector3df hit;
    core::triangle3df triangle;
    scene::ISceneNode* node = nullptr;
    auto cast = [&](f32 x, f32 z) {
        const core::line3df segment(x, p.Y + h, z, x, p.Y - h, z);
        return collisions->getCollisionPoint(segment, terrainSelector, hit, triangle, node);
    };
    // A segment exactly on an edge between two triangles can slip between them
    // (rounding); a hundredth of a unit aside it meets the same ground.
    if (!cast(p.X, p.Z) && !cast(p.X + 0.01f, p.Z + 0.01f)) return -100.0f;
    if (!node) {
        puts("GetHeight intersection est null");
        return -100.0f;
    }
    printf("GetHeight collisioninfo=%f\n", hit.Y);
    return hit.Y;
}

scene::ISceneNode* CMap::getNodeByClick() {
    core::position2d<s32> mouse;
    const core::line3df ray = cursorRay("getNodeByClick mousepos : %i %i \n", mouse);
    scene::ISceneCollisionManager* collisions = device->getSceneManager()->getSceneCollisionManager();
    core::vector3df hit;
    core::triangle3df triangle;
    scene::ISceneNode* node = collisions->getSceneNodeAndCollisionPointFromRay(ray, hit, triangle, 7, nullptr, false);

    // The engine tests the terrain's box in object space while its vertices are already scaled,
    // so it can miss the ground: ask the terrain's own selector and keep the nearer hit.
    if (terrain && terrainSelector && terrain->isVisible()) {
        core::vector3df groundHit;
        scene::ISceneNode* ground = nullptr;
        if (collisions->getCollisionPoint(ray, terrainSelector, groundHit, triangle, ground) &&
            (!node || groundHit.getDistanceFromSQ(ray.start) < hit.getDistanceFromSQ(ray.start)))
            node = terrain;
    }
    if (!node) return nullptr;
    printf("getNodeByClick arbre mousepos : %i %i %i\n", mouse.X, mouse.Y, node->getID());
    return node;
}

CArbre* CMap::getArbreByName(const core::stringc& name) {
    for (u32 i = 0; i < arrArbres.size(); ++i)
        if (arrArbres[i]->getName() == name) return arrArbres[i];
    return nullptr;
}

CRemontee* CMap::getRemonteeByNodeName(const core::stringc& name) {
    for (u32 i = 0; i < arrRemontees.size(); ++i)
        if (arrRemontees[i]->getNodeName() == name) return arrRemontees[i];
    return nullptr;
}
