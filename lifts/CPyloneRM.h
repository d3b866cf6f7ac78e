// One pylon of a lift's line: its scene model (tower with bullwheels, or
// crossarm and sheaves), the two rope marker nodes and the two
// support-or-compression signs.
#pragma once
#include <irrlicht.h>
#include "LiftConstants.h"
#include "PylonePart.h"

class CPyloneRM {
public:
    CPyloneRM(irr::scene::ISceneManager* smgr, irr::video::IVideoDriver* driver);
    ~CPyloneRM();

    void setTypePylone(irr::s32 kind);  // stores only; builds nothing
    irr::s32 getTypePylone();

    // Builds the model of typePylone on a pylon that has none.
    void createPylone(const irr::core::vector3df& position, const irr::core::vector3df& rotation);
    // Replaces the model by the one of `kind`.
    void changeTypePylone(irr::s32 kind, const irr::core::vector3df& position, const irr::core::vector3df& rotation);

    // Moves the tower; the tower and its markers are up to date on return.
    void setPosition(const irr::core::vector3df& position);
    irr::core::vector3df getPosition();
    void setRotation(const irr::core::vector3df& degrees);
    irr::core::vector3df getRotation();

    // Turns the bullwheels by `angle` degrees (surface-lift kinds).
    void animateGalets(irr::f32 angle);

    // Takes the model out of the scene; the object can be rebuilt afterwards.
    void remove();

    irr::scene::ISceneNode* markerMontee;    // up-line rope contact, child of the tower
    irr::scene::ISceneNode* markerDescente;  // down-line rope contact, child of the tower
    irr::s32 supportMontee;                  // 1 support, -1 compression
    irr::s32 supportDescente;
    irr::scene::ISceneManager* smgr;
    irr::video::IVideoDriver* driver;
    irr::s32 typePylone;
    PylonePart parts[10];  // 0 tower, 1 crossarm, 2-5 up line, 6-9 down line

private:
    void clearModel();
    void buildModel(irr::s32 kind, const irr::core::vector3df& position, const irr::core::vector3df& rotation,
                    bool rebuild);
    bool buildTower(const char* file, irr::f32 scale, const irr::core::vector3df& position,
                    const irr::core::vector3df& rotation);
    void buildPart(int index, const char* file, bool textured, irr::f32 scale, const irr::core::vector3df& rotation,
                   const irr::core::vector3df& position);
    void buildChairliftHead(irr::f32 crossarmHeight, const irr::f32 downSheaveHeights[4], irr::f32 markerDescenteHeight,
                            bool traceCrossarm);

    irr::core::vector3df lastPosition;
    irr::core::vector3df lastRotation;
};
