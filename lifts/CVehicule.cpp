#include "CVehicule.h"
#include <cstdio>

using namespace irr;

CVehicule::CVehicule(scene::ISceneManager* smgr_, video::IVideoDriver* driver_)
    : progression(0), meshVehicule(nullptr), meshPerche(nullptr), nodeVehicule(nullptr),
      nodePerche(nullptr), smgr(smgr_), driver(driver_) {}

CVehicule::~CVehicule() {}

void CVehicule::setType(s32 t) { type = t; }

s32 CVehicule::getType() { return type; }

namespace {

scene::IAnimatedMesh* loadCarrierMesh(scene::ISceneManager* smgr, const char* file) {
    scene::IAnimatedMesh* mesh = smgr->getMesh(file);
    if (!mesh)
        printf("Erreur chargement mesh vehicule %s\n", file);
    return mesh;
}

scene::ISceneNode* addPlainNode(scene::ISceneManager* smgr, scene::IAnimatedMesh* mesh,
                                scene::ISceneNode* parent) {
    if (!mesh)
        return nullptr;
    return smgr->addMeshSceneNode(mesh, parent, -1, core::vector3df(0, 0, 0), core::vector3df(0, 0, 0),
                                  core::vector3df(1, 1, 1));
}

// Pole of a T-bar: hangs from the grip, turns with it.
scene::ISceneNode* addPole(scene::ISceneManager* smgr, scene::IAnimatedMesh* mesh, scene::ISceneNode* grip,
                           const core::vector3df& offset) {
    scene::ISceneNode* pole = addPlainNode(smgr, mesh, grip);
    if (!pole)
        return nullptr;
    pole->setScale(core::vector3df(3.6f, 3.6f, 3.6f));
    pole->setPosition(offset);
    pole->setMaterialFlag(video::EMF_LIGHTING, false);
    pole->updateAbsolutePosition();
    return pole;
}

} // namespace

void CVehicule::create(const core::vector3df& position, const core::vector3df& rotation) {
    ownPosition = position;
    ownRotation = rotation;
    switch (type) {
    case VEHICULE_PERCHE_FIXE:
        meshVehicule = loadCarrierMesh(smgr, "media/pinceTKFixe.obj");
        meshPerche = loadCarrierMesh(smgr, "media/percheTK.obj");
        nodeVehicule = addPlainNode(smgr, meshVehicule, nullptr);
        if (!nodeVehicule)
            return;
        nodeVehicule->setScale(core::vector3df(0.8f, 0.8f, 0.8f));
        nodeVehicule->setRotation(rotation);
        nodeVehicule->setMaterialFlag(video::EMF_LIGHTING, false);
        nodeVehicule->setPosition(position);
        nodeVehicule->updateAbsolutePosition();
        nodePerche = addPole(smgr, meshPerche, nodeVehicule, core::vector3df(0, -2.0f, -0.2f));
        break;
    case VEHICULE_SIEGE:
        meshVehicule = loadCarrierMesh(smgr, "media/siege.obj");
        nodeVehicule = addPlainNode(smgr, meshVehicule, nullptr);
        if (!nodeVehicule)
            return;
        nodeVehicule->setScale(core::vector3df(3.3f, 4.0f, 3.3f));
        nodeVehicule->setRotation(rotation);
        nodeVehicule->setPosition(position);
        nodeVehicule->setMaterialFlag(video::EMF_LIGHTING, false);
        nodeVehicule->updateAbsolutePosition();
        break;
    case VEHICULE_PERCHE_DEBRAYABLE:
        meshVehicule = loadCarrierMesh(smgr, "media/pinceTKD.obj");
        meshPerche = loadCarrierMesh(smgr, "media/percheTK.obj");
        nodeVehicule = addPlainNode(smgr, meshVehicule, nullptr);
        if (!nodeVehicule)
            return;
        nodeVehicule->setScale(core::vector3df(0.8f, 0.8f, 0.8f));
        nodeVehicule->setRotation(rotation);
        materialVehicule.setTexture(0, driver->getTexture("media/texture-pylone.png"));
        if (nodeVehicule->getMaterialCount() > 0)
            nodeVehicule->getMaterial(0) = materialVehicule;
        nodeVehicule->setMaterialFlag(video::EMF_LIGHTING, false);
        nodeVehicule->setPosition(position);
        nodeVehicule->updateAbsolutePosition();
        nodePerche = addPole(smgr, meshPerche, nodeVehicule, core::vector3df(-0.7f, -4.4f, 0.25f));
        break;
    default:
        break;
    }
}

void CVehicule::setPosition(const core::vector3df& position) {
    ownPosition = position;
    if (!nodeVehicule)
        return;
    nodeVehicule->setPosition(position);
    nodeVehicule->updateAbsolutePosition();
}

core::vector3df CVehicule::getPosition() {
    return nodeVehicule ? nodeVehicule->getAbsolutePosition() : ownPosition;
}

void CVehicule::setRotation(const core::vector3df& degrees) {
    ownRotation = degrees;
    if (!nodeVehicule)
        return;
    nodeVehicule->setRotation(degrees);
    nodeVehicule->updateAbsolutePosition();
}

core::vector3df CVehicule::getRotation() {
    return nodeVehicule ? nodeVehicule->getRotation() : ownRotation;
}
