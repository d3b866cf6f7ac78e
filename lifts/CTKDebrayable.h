// The detachable surface lift: a bottom station whose poles wait on a
// stretch of rope until the player sends one off, a top terminal, and the
// rope loop over the bullwheels and the four station sheaves.
#pragma once
#include <irrlicht.h>
#include "CRemontee.h"
#include "Galet.h"

class CTKDebrayable : public CRemontee {
public:
    CTKDebrayable(irr::scene::ISceneManager* smgr, irr::video::IVideoDriver* driver);
    // Removes both terminals from the scene (their wheels and markers go with them).
    ~CTKDebrayable() override;

    void setNodeName(const irr::core::stringc& name) override;
    irr::core::stringc getNodeName() override;
    void setPositionDepart(const irr::core::vector3df& position) override;
    void setPositionArrivee(const irr::core::vector3df& position) override;
    irr::core::vector3df getPositionDepart() override;
    irr::core::vector3df getPositionArrivee() override;
    void createGareDepart() override;
    // Also turns both terminals to face each other and builds the rope loop.
    void createGareArrivee() override;
    // The bottom terminal's rotation; its Y is the yaw the pole uses.
    irr::core::vector3df getRotation() override;
    void drawCables() override;
    void update(const irr::core::vector3df* cameraPosition, irr::f32 dt) override;
    // Adds the lift's single pole, waiting in the station.
    void createVehicules() override;
    void createTroncons() override;
    void setSound(bool on) override;

    // Poles whose segment is the station's waiting stretch.
    irr::s32 countPerchesInGare();
    // Gives v, already on the station segment, the last place in the queue.
    void addPercheInGare(CVehicule* v);
    // Sends the pole at place 0 up the line; the others move up one place.
    void lancePerche();
    // Spaces the waiting poles along the stretch by their place.
    void placePerchesInGare();
    // Nearest pylon of kind PYLONE_TKD below / above index i, or -1.
    irr::s32 getPrevPyloneType6(irr::s32 i);
    irr::s32 getNextPyloneType6(irr::s32 i);

    // The rope as drawCables draws it, in drawing order (empty before both
    // bullwheels exist).
    irr::core::array<irr::core::line3df> getRopeLines();

    irr::core::vector3df positionDepart;
    irr::core::vector3df positionArrivee;
    irr::scene::ISceneManager* smgr;
    irr::video::IVideoDriver* driver;
    irr::scene::IAnimatedMesh* meshGareDepart;
    irr::scene::ISceneNode* nodeGareDepart;  // id 6, named for picking
    irr::video::SMaterial materialGareDepart;
    irr::scene::IAnimatedMesh* meshPoulieDepart;
    irr::scene::ISceneNode* nodePoulieDepart;
    irr::video::SMaterial materialPoulieDepart;
    irr::scene::ISceneNode* markerPoulieDepartMontee;    // M1, start of the waiting stretch
    irr::scene::ISceneNode* markerPoulieDepartDescente;  // M8
    irr::scene::ISceneNode* markerGaletDepartMontee;     // M2, end of the waiting stretch
    irr::scene::ISceneNode* markerGaletDepartDescente;   // M7
    irr::scene::IAnimatedMesh* meshGareArrivee;
    irr::scene::ISceneNode* nodeGareArrivee;
    irr::video::SMaterial materialGareArrivee;
    irr::scene::IAnimatedMesh* meshPoulieArrivee;
    irr::scene::ISceneNode* nodePoulieArrivee;
    irr::scene::ISceneNode* markerPoulieArriveeMontee;    // M4
    irr::scene::ISceneNode* markerPoulieArriveeDescente;  // M5
    irr::video::SMaterial materialPoulieArrivee;
    irr::scene::ISceneNode* markerGaletArriveeMontee;    // M3
    irr::scene::ISceneNode* markerGaletArriveeDescente;  // M6
    Galet galetDepartMontee;
    Galet galetDepartDescente;
    Galet galetArriveeMontee;
    Galet galetArriveeDescente;

private:
    irr::scene::ISceneNode* addWheel(irr::scene::IAnimatedMesh* mesh, irr::scene::ISceneNode* parent, irr::f32 scale,
                                     const irr::core::vector3df& rotation, const irr::core::vector3df& position);
    void buildLoopWithPylons();
    // Up-line rope points over the pylons (those with a marker), bottom to top.
    irr::core::array<irr::s32> upLinePylons();
    // Down-line pylons of kind PYLONE_TKD that carry a marker, top to bottom.
    irr::core::array<irr::s32> downLinePylons();
    void stepOnWheel(CVehicule* v, CTronconRM* t, irr::f32 dt);
    // Passes v on; a pole entering the station joins the queue.
    void passToNextSegment(CVehicule* v);
};
