// A station building of the map: a chalet with a name and a position, read
// from the map file. Scenery only: no id, no node name, no triangle selector.
#pragma once
#include <irrlicht.h>

class CStation {
public:
    CStation(irr::scene::ISceneManager* smgr, irr::video::IVideoDriver* driver);
    ~CStation();

    void setName(const irr::core::stringc& name);
    void setPosition(const irr::core::vector3df& p);
    // The position from the map file, not read back from the node.
    irr::core::vector3df getPosition();
    // Builds the chalet node; called once, after the terrain exists.
    void createNode();

    irr::core::stringc name;
    irr::core::vector3df position;
    irr::scene::ISceneManager* smgr;
    irr::video::IVideoDriver* driver;
    irr::scene::IAnimatedMesh* mesh;
    irr::scene::ISceneNode* node;
    irr::video::SMaterial material;
};
