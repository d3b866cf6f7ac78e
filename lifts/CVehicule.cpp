#include "CVehicule.h"
#include "LiftScene.h"
#include <cstdio>

using namespace irr;

CVehicule::CVehicule(scene::ISceneManager* smgr_, video::IVideoDriver* driver_)
    : progression(0), meshVehicule(nullptr), meshPerche(nullptr), nodeVehicule(nullptr), nodePerche(nullptr),
      smgr(smgr_), driver(driver_) {}

CVehicule::~CVehicule() {}

void CVehicule::setType(s32 t) { type = t; }

s32 CVehicule::getType() { return type; }

namespace {

scene::IAnimatedMesh* loadCarrierMesh(scene::ISceneManager* smgr, const char* file) {
    scene::IAnimatedMesh* mesh = smgr->getMesh(file);
    if (!mesh) printf("Erreur chargement mesh vehicule %s\n", file);
    return mesh;
}

}  // namespace

// Grip of a T-bar with its pole hanging at `poleOffset`; the detachable grip
// wears the lift's atlas material.
void CVehicule::createTBar(const char* gripFile, bool atlasMaterial, const core::vector3df& poleOffset,
                           const core::vector3df& position, const core::vector3df& rotation) {
    meshVehicule = loadCarrierMesh(smgr, gripFile);
    meshPerche = loadCarrierMesh(smgr, "media/percheTK.obj");
    nodeVehicule = LiftScene::addMeshNode(smgr, meshVehicule, nullptr);
    if (!nodeVehicule) return;
    nodeVehicule->setScale(core::vector3df(0.8f, 0.8f, 0.8f));
    nodeVehicule->setRotation(rotation);
    if (atlasMaterial) {
        materialVehicule.setTexture(0, driver->getTexture("media/texture-pylone.png"));
        if (nodeVehicule->getMaterialCount() > 0) nodeVehicule->getMaterial(0) = materialVehicule;
    }
    nodeVehicule->setMaterialFlag(video::EMF_LIGHTING, false);
    nodeVehicule->setPosition(position);
    nodeVehicule->updateAbsolutePosition();
    nodePerche = LiftScene::addMeshNode(smgr, meshPerche, nodeVehicule);
    if (!nodePerche) return;
    nodePerche->setScale(core::vector3df(3.6f, 3.6f, 3.6f));
    nodePerche->setPosition(poleOffset);
    nodePerche->setMaterialFlag(video::EMF_LIGHTING, false);
    nodePerche->updateAbsolutePosition();
}

void CVehicule::create(const core::vector3df& position, const core::vector3df& rotation) {
    ownPosition = position;
    ownRotation = rotation;
    switch (type) {
    case VEHICULE_PERCHE_FIXE:
        createTBar("media/pinceTKFixe.obj", false, core::vector3df(0, -2.0f, -0.2f), position, rotation);
        break;
    case VEHICULE_SIEGE:
        meshVehicule = loadCarrierMesh(smgr, "media/siege.obj");
        nodeVehicule = LiftScene::addMeshNode(smgr, meshVehicule, nullptr);
        if (!nodeVehicule) return;
        nodeVehicule->setScale(core::vector3df(3.3f, 4.0f, 3.3f));
        nodeVehicule->setRotation(rotation);
        nodeVehicule->setPosition(position);
        nodeVehicule->setMaterialFlag(video::EMF_LIGHTING, false);
        nodeVehicule->updateAbsolutePosition();
        break;
    case VEHICULE_PERCHE_DEBRAYABLE:
        createTBar("media/pinceTKD.obj", true, core::vector3df(-0.7f, -4.4f, 0.25f), position, rotation);
        break;
    default: break;
    }
}

void CVehicule::setPosition(const core::vector3df& position) {
    ownPosition = position;
    if (!nodeVehicule) return;
    nodeVehicule->setPosition(position);
    nodeVehicule->updateAbsolutePosition();
}

core::vector3df CVehicule::getPosition() { return nodeVehicule ? nodeVehicule->getAbsolutePosition() : ownPosition; }

void CVehicule::setRotation(const core::vector3df& degrees) {
    ownRotation = degrees;
    if (!nodeVehicule) return;
    nodeVehicule->setRotation(degrees);
    nodeVehicule->updateAbsolutePosition();
}

core::vector3df CVehicule::getRotation() { return nodeVehicule ? nodeVehicule->getRotation() : ownRotation; }
