// The fixed-grip surface lift: two terminals with their bullwheels and rope
// markers, a loop of rope segments over its pylons, T-bars spaced along the
// line, and a looping motor sound that fades with the camera's distance.
#pragma once
#include <irrlicht.h>
#include "CRemontee.h"

class CTKFixe : public CRemontee {
public:
    CTKFixe(irr::scene::ISceneManager* smgr, irr::video::IVideoDriver* driver);
    // Takes both terminals out of the scene (their wheels and markers with them).
    ~CTKFixe() override;

    void setNodeName(const irr::core::stringc& name) override;
    irr::core::stringc getNodeName() override;
    void setPositionDepart(const irr::core::vector3df& position) override;
    void setPositionArrivee(const irr::core::vector3df& position) override;
    irr::core::vector3df getPositionDepart() override;
    irr::core::vector3df getPositionArrivee() override;
    void createGareDepart() override;
    // Builds the top terminal and turns both terminals to face each other.
    void createGareArrivee() override;
    // The bottom terminal's rotation.
    irr::core::vector3df getRotation() override;
    void drawCables() override;
    void update(const irr::core::vector3df* cameraPosition, irr::f32 dt) override;
    void createVehicules() override;
    void createTroncons() override;
    void setSound(bool on) override;

    // Largest index below i / smallest above i of a pylon of kind 1, or -1.
    irr::s32 getPrevPyloneType1(irr::u32 i);
    irr::s32 getNextPyloneType1(irr::u32 i);

    // The rope spans drawCables draws, in drawing order (world coordinates).
    void cableLines(irr::core::array<irr::core::line3df>& lines);

    irr::core::vector3df positionDepart;
    irr::core::vector3df positionArrivee;
    irr::scene::ISceneManager* smgr;
    irr::video::IVideoDriver* driver;
    irr::scene::IAnimatedMesh* meshGareDepart;
    irr::scene::IMeshSceneNode* nodeGareDepart;  // id 4, picked through its triangle selector
    irr::video::SMaterial materialGareDepart;
    irr::scene::IAnimatedMesh* meshPoulieDepart;
    irr::scene::IMeshSceneNode* nodePoulieDepart;
    irr::video::SMaterial materialPoulieDepart;
    irr::scene::ISceneNode* markerPoulieDepartMontee;
    irr::scene::ISceneNode* markerPoulieDepartDescente;
    irr::scene::IAnimatedMesh* meshGareArrivee;
    irr::scene::IMeshSceneNode* nodeGareArrivee;
    irr::video::SMaterial materialGareArrivee;
    irr::scene::IAnimatedMesh* meshPoulieArrivee;
    irr::scene::IMeshSceneNode* nodePoulieArrivee;
    irr::video::SMaterial materialPoulieArrivee;
    irr::scene::ISceneNode* markerPoulieArriveeMontee;
    irr::scene::ISceneNode* markerPoulieArriveeDescente;

private:
    // Carrier motion, one segment type each.
    void moveOnBottomWheel(CVehicule* v, CTronconRM* t, irr::f32 dt);
    void moveOnTopWheel(CVehicule* v, CTronconRM* t, irr::f32 dt);
};
