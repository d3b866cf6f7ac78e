// The detachable surface lift: its two terminals, their wheels and markers, and its sound.
// The rope loop and the poles' motion are in CTKDebrayableLoop.cpp.
#include "CTKDebrayable.h"
#include "LiftGeometry.h"
#include "LiftScene.h"

using namespace irr;
using core::vector3df;

namespace {

const char* const MESH_GARE_DEPART = "media/gareTKD.obj";
const char* const MESH_GARE_ARRIVEE = "media/gareArriveeTKD.obj";
const char* const MESH_POULIE = "media/poulie-TKD.obj";

}  // namespace

CTKDebrayable::CTKDebrayable(scene::ISceneManager* smgr_, video::IVideoDriver* driver_)
    : positionDepart(0, 0, 0), positionArrivee(0, 0, 0), smgr(smgr_), driver(driver_), nodeGareDepart(nullptr),
      nodePoulieDepart(nullptr), markerPoulieDepartMontee(nullptr), markerPoulieDepartDescente(nullptr),
      markerGaletDepartMontee(nullptr), markerGaletDepartDescente(nullptr), nodeGareArrivee(nullptr),
      nodePoulieArrivee(nullptr), markerPoulieArriveeMontee(nullptr), markerPoulieArriveeDescente(nullptr),
      markerGaletArriveeMontee(nullptr), markerGaletArriveeDescente(nullptr) {
    type = REMONTEE_TKDEBRAYABLE;
    vitesse = 4.0f;
    vitesseMax = 4.0f;
    espacementVehicules = 20.0f;
    built = false;
    windowOpen = false;
    meshGareDepart = smgr->getMesh(MESH_GARE_DEPART);
    meshPoulieDepart = smgr->getMesh(MESH_POULIE);
    meshPoulieArrivee = smgr->getMesh(MESH_POULIE);
    meshGareArrivee = smgr->getMesh(MESH_GARE_ARRIVEE);
}

CTKDebrayable::~CTKDebrayable() {
    if (nodeGareDepart) nodeGareDepart->remove();
    if (nodeGareArrivee) nodeGareArrivee->remove();
}

void CTKDebrayable::setNodeName(const core::stringc& n) {
    if (nodeGareDepart) nodeGareDepart->setName(n);
}

core::stringc CTKDebrayable::getNodeName() {
    return nodeGareDepart ? core::stringc(nodeGareDepart->getName()) : core::stringc();
}

void CTKDebrayable::setPositionDepart(const vector3df& p) { positionDepart = p; }

void CTKDebrayable::setPositionArrivee(const vector3df& p) { positionArrivee = p; }

vector3df CTKDebrayable::getPositionDepart() { return positionDepart; }

vector3df CTKDebrayable::getPositionArrivee() { return positionArrivee; }

vector3df CTKDebrayable::getRotation() { return nodeGareDepart ? nodeGareDepart->getRotation() : vector3df(0, 0, 0); }

scene::ISceneNode* CTKDebrayable::addWheel(scene::IAnimatedMesh* mesh, scene::ISceneNode* parent, f32 scale,
                                           const vector3df& rotation, const vector3df& position) {
    scene::ISceneNode* node = LiftScene::addPart(smgr, mesh, parent, "TKD", MESH_POULIE);
    node->setScale(vector3df(scale, scale, scale));
    node->setRotation(rotation);
    node->setPosition(position);
    node->updateAbsolutePosition();
    return node;
}

void CTKDebrayable::createGareDepart() {
    nodeGareDepart = LiftScene::addPart(smgr, meshGareDepart, nullptr, "TKD", MESH_GARE_DEPART);
    nodeGareDepart->setID(6);
    nodeGareDepart->setScale(vector3df(4, 4, 4));
    LiftScene::applyMaterial(nodeGareDepart, materialGareDepart);
    nodeGareDepart->setPosition(vector3df(positionDepart.X, positionDepart.Y - 4.0f, positionDepart.Z));
    nodeGareDepart->updateAbsolutePosition();
    if (meshGareDepart) {
        scene::ITriangleSelector* selector = smgr->createTriangleSelector(meshGareDepart, nodeGareDepart);
        nodeGareDepart->setTriangleSelector(selector);
        selector->drop();
    }

    nodePoulieDepart = addWheel(meshPoulieDepart, nodeGareDepart, 0.23f, LiftGeometry::TKD_POULIE_DEPART_TURN,
                                LiftGeometry::TKD_POULIE_DEPART);
    galetDepartDescente.mesh = smgr->getMesh(MESH_POULIE);
    galetDepartDescente.node = addWheel(galetDepartDescente.mesh, nodeGareDepart, 0.2f, vector3df(90, 0, 0),
                                        LiftGeometry::TKD_GALET_DEPART_DESCENTE);
    galetDepartMontee.mesh = smgr->getMesh(MESH_POULIE);
    galetDepartMontee.node = addWheel(galetDepartMontee.mesh, nodeGareDepart, 0.2f, vector3df(-90, 0, 0),
                                      LiftGeometry::TKD_GALET_DEPART_MONTEE);

    markerPoulieDepartMontee = LiftScene::addMarker(smgr, nodeGareDepart, vector3df(1.2f, 3.98f, 0.33f));     // M1
    markerPoulieDepartDescente = LiftScene::addMarker(smgr, nodeGareDepart, vector3df(1.2f, 3.98f, -0.33f));  // M8
    markerGaletDepartMontee = LiftScene::addMarker(smgr, nodeGareDepart, vector3df(-2.2f, 3.5f, 0.35f));      // M2
    markerGaletDepartDescente = LiftScene::addMarker(smgr, nodeGareDepart, vector3df(0.5f, 3.91f, -0.35f));   // M7
}

void CTKDebrayable::createGareArrivee() {
    nodeGareArrivee = LiftScene::addPart(smgr, meshGareArrivee, nullptr, "TKD", MESH_GARE_ARRIVEE);
    nodeGareArrivee->setScale(vector3df(4.2f, 4.2f, 4.2f));
    nodeGareArrivee->setPosition(positionArrivee);

    nodePoulieArrivee =
        addWheel(meshPoulieArrivee, nodeGareArrivee, 0.65f, vector3df(-180, 0, 0), LiftGeometry::TKD_POULIE_ARRIVEE);
    galetArriveeDescente.mesh = smgr->getMesh(MESH_POULIE);
    galetArriveeDescente.node = addWheel(galetArriveeDescente.mesh, nodeGareArrivee, 0.2f, vector3df(0, 0, 90),
                                         LiftGeometry::TKD_GALET_ARRIVEE_DESCENTE);
    galetArriveeMontee.mesh = smgr->getMesh(MESH_POULIE);
    galetArriveeMontee.node = addWheel(galetArriveeMontee.mesh, nodeGareArrivee, 0.2f, vector3df(0, 0, -90),
                                       LiftGeometry::TKD_GALET_ARRIVEE_MONTEE);

    markerPoulieArriveeMontee = LiftScene::addMarker(smgr, nodeGareArrivee, vector3df(-0.9f, 3.25f, -3.4f));   // M4
    markerPoulieArriveeDescente = LiftScene::addMarker(smgr, nodeGareArrivee, vector3df(0.9f, 3.25f, -3.4f));  // M5
    markerGaletArriveeMontee = LiftScene::addMarker(smgr, nodeGareArrivee, vector3df(-1.0f, 3.2f, -1.29f));    // M3
    markerGaletArriveeDescente = LiftScene::addMarker(smgr, nodeGareArrivee, vector3df(1.0f, 3.2f, -1.29f));   // M6

    const f32 yaw = lineYaw(positionArrivee - positionDepart);
    nodeGareArrivee->setRotation(vector3df(0, yaw + 180, 0));

    // The rope loop reads the markers' world positions: bring the turned
    // terminals and everything on them up to date first.
    if (nodeGareDepart) {
        nodeGareDepart->setRotation(vector3df(0, yaw + 90, 0));
        LiftScene::refreshSubtree(nodeGareDepart);
    }
    LiftScene::refreshSubtree(nodeGareArrivee);

    createTroncons();
}

void CTKDebrayable::setSound(bool on) { switchMotorSound(on, "media/tkf-sound.mp3", nullptr); }
