// One carrier on a lift's rope: a fixed-grip T-bar, a chair or a detachable T-bar.
#pragma once
#include <irrlicht.h>
#include "LiftConstants.h"

class CVehicule {
public:
    CVehicule(irr::scene::ISceneManager* smgr, irr::video::IVideoDriver* driver);
    ~CVehicule();

    void setType(irr::s32 type);
    irr::s32 getType();

    // Builds the nodes of the stored type; call once, after setType.
    void create(const irr::core::vector3df& position, const irr::core::vector3df& rotation);

    // Without a node (mesh missing) the carrier keeps its own position and
    // rotation, so the lift's motion goes on as if it were drawn.
    void setPosition(const irr::core::vector3df& position);
    irr::core::vector3df getPosition();  // absolute position of the main node
    void setRotation(const irr::core::vector3df& degrees);
    irr::core::vector3df getRotation();

    irr::s32 numtroncon = 0;   // numero of the segment the carrier is on
    irr::f32 progression;      // 0..1 on a straight segment, 0..pi on a wheel
    irr::s32 placeGareTk = 0;  // detachable lift: place in the station queue, -1 once launched
    irr::scene::IAnimatedMesh* meshVehicule;
    irr::scene::IAnimatedMesh* meshPerche;
    irr::scene::ISceneNode* nodeVehicule;  // grip or chair, child of the scene root
    irr::scene::ISceneNode* nodePerche;    // pole, child of nodeVehicule (T-bars)
    irr::video::SMaterial materialVehicule;
    irr::scene::ISceneManager* smgr;
    irr::video::IVideoDriver* driver;
    irr::s32 type = 0;

private:
    void createTBar(const char* gripFile, bool atlasMaterial, const irr::core::vector3df& poleOffset,
                    const irr::core::vector3df& position, const irr::core::vector3df& rotation);

    irr::core::vector3df ownPosition;
    irr::core::vector3df ownRotation;
};
