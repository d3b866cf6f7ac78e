// The fixed-grip two-seat chairlift: its two terminals with bullwheels and
// sheave trains, the rope loop, the chairs, the rope drawing and the motion.
// No motor sound.
#pragma once
#include <irrlicht.h>
#include "CRemontee.h"
#include "Galet.h"

class CTSFixe : public CRemontee {
public:
    CTSFixe(irr::scene::ISceneManager* smgr, irr::video::IVideoDriver* driver);
    ~CTSFixe() override;

    void setNodeName(const irr::core::stringc& name) override;
    irr::core::stringc getNodeName() override;
    void setPositionDepart(const irr::core::vector3df& position) override;
    void setPositionArrivee(const irr::core::vector3df& position) override;
    irr::core::vector3df getPositionDepart() override;
    irr::core::vector3df getPositionArrivee() override;
    void createGareDepart() override;
    void createGareArrivee() override;
    // The bottom terminal's rotation: (0, line yaw + 90, 0) once both terminals stand.
    irr::core::vector3df getRotation() override;
    void drawCables() override;
    void update(const irr::core::vector3df* cameraPosition, irr::f32 dt) override;
    void createVehicules() override;
    void createTroncons() override;

    // Neighbours of pylon i in arrPylones; -1 where there is none.
    int getPrevPylone(int i);
    int getNextPylone(int i);

    // The rope as drawCables draws it, in drawing order; empty until both bullwheels exist.
    irr::core::array<irr::core::line3df> ropeLines();

    irr::core::vector3df positionDepart;
    irr::core::vector3df positionArrivee;  // lowered by 0.5 when the top terminal is built
    irr::scene::ISceneManager* smgr;
    irr::video::IVideoDriver* driver;
    irr::scene::IAnimatedMesh* meshGareDepart;
    irr::scene::ISceneNode* nodeGareDepart = nullptr;
    irr::video::SMaterial materialGareDepart;
    irr::scene::IAnimatedMesh* meshPoulieDepart;
    irr::scene::ISceneNode* nodePoulieDepart = nullptr;
    irr::video::SMaterial materialPoulieDepart;
    irr::scene::ISceneNode* markerPoulieDepartMontee = nullptr;
    irr::scene::ISceneNode* markerPoulieDepartDescente = nullptr;
    irr::scene::IAnimatedMesh* meshGareArrivee;
    irr::scene::ISceneNode* nodeGareArrivee = nullptr;
    irr::video::SMaterial materialGareArrivee;
    irr::scene::IAnimatedMesh* meshPoulieArrivee;
    irr::scene::ISceneNode* nodePoulieArrivee = nullptr;
    irr::video::SMaterial materialPoulieArrivee;
    irr::scene::ISceneNode* markerPoulieArriveeMontee = nullptr;
    irr::scene::ISceneNode* markerPoulieArriveeDescente = nullptr;
    Galet galetsDepartMontee[8];
    Galet galetsDepartDescente[8];
    irr::scene::ISceneNode* markerGaletsMonteeInterieur = nullptr;
    irr::scene::ISceneNode* markerGaletsDescenteInterieur = nullptr;
    irr::scene::ISceneNode* markerGaletsMonteeExterieur = nullptr;
    irr::scene::ISceneNode* markerGaletsDescenteExterieur = nullptr;
    Galet galetArriveeMontee;
    Galet galetArriveeDescente;
    irr::scene::ISceneNode* markerGaletArriveeMontee = nullptr;
    irr::scene::ISceneNode* markerGaletArriveeDescente = nullptr;

private:
    // The pylons that carry both rope markers, bottom to top.
    irr::core::array<CPyloneRM*> ropePylones();
    CTronconRM* addTroncon(irr::s32 numero, irr::s32 type, bool montee, const irr::core::vector3df& debut,
                           const irr::core::vector3df& fin);
    void moveOnWheel(CVehicule* v, CTronconRM* t, irr::f32 s);
};
