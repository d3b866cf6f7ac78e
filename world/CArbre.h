// A tree planted by the player: the low-poly tree mesh, three times its size,
// unlit, turned by a random yaw, pickable through its own triangle selector.
// Its name lives only in its scene node.
#pragma once
#include <irrlicht.h>

class CArbre {
public:
    CArbre(irr::scene::ISceneManager* smgr, irr::video::IVideoDriver* driver);
    ~CArbre();

    void setPosition(const irr::core::vector3df& p);
    irr::core::vector3df getPosition();
    // Builds the node (id 3) at the position raised by 0.6; called once.
    void createNode();
    void setName(const irr::core::stringc& name);
    // Empty when the tree has no node.
    irr::core::stringc getName();
    // Takes the node out of the scene and the model out of the mesh cache.
    void removeNode();

    irr::core::vector3df position;
    irr::scene::ISceneManager* smgr;
    irr::video::IVideoDriver* driver;
    irr::scene::IAnimatedMesh* mesh;
    irr::scene::ISceneNode* node;
};
