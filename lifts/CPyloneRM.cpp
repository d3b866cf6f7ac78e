#include "CPyloneRM.h"
#include "LiftGeometry.h"
#include "LiftScene.h"
#include <cstdio>

using namespace irr;

namespace {

const char* const TEXTURE_PYLONE = "media/texture-pylone.png";

// Tower and head heights of a chairlift pylon, in the tower's frame.
struct ChairliftModel {
    const char* tower;
    f32 height;          // crossarm, up-line sheaves and markerMontee
    f32 downHeights[4];  // down-line sheaves 6 to 9
    f32 markerDescente;
};

// One step back into [0, 360]; a step larger than a turn is not reduced further.
f32 wrapOnce(f32 z) {
    if (z < 0)
        z += 360;
    else if (z > 360)
        z -= 360;
    return z;
}

}  // namespace

CPyloneRM::CPyloneRM(scene::ISceneManager* smgr_, video::IVideoDriver* driver_)
    : markerMontee(nullptr), markerDescente(nullptr), supportMontee(1), supportDescente(1), smgr(smgr_),
      driver(driver_), typePylone(PYLONE_AUCUN) {}

CPyloneRM::~CPyloneRM() {
    if (parts[0].node) parts[0].node->remove();
}

void CPyloneRM::setTypePylone(s32 kind) { typePylone = kind; }

s32 CPyloneRM::getTypePylone() { return typePylone; }

void CPyloneRM::createPylone(const core::vector3df& position, const core::vector3df& rotation) {
    buildModel(typePylone, position, rotation, false);
}

void CPyloneRM::changeTypePylone(s32 kind, const core::vector3df& position, const core::vector3df& rotation) {
    clearModel();
    typePylone = kind;
    parts[0].material.setTexture(0, driver->getTexture(TEXTURE_PYLONE));
    buildModel(kind, position, rotation, true);
}

void CPyloneRM::clearModel() {
    if (parts[0].node) parts[0].node->remove();  // takes every part and both markers with it
    for (PylonePart& p : parts) {
        p.node = nullptr;
        p.mesh = nullptr;
    }
    markerMontee = nullptr;
    markerDescente = nullptr;
}

void CPyloneRM::remove() {
    if (!parts[0].node) return;
    parts[0].node->remove();
    parts[0].node = nullptr;
    if (parts[0].mesh) smgr->getMeshCache()->removeMesh(parts[0].mesh);
    clearModel();
}

void CPyloneRM::setPosition(const core::vector3df& position) {
    lastPosition = position;
    if (!parts[0].node) return;
    parts[0].node->setPosition(position);
    // A rope loop rebuilt right after a move reads the markers: keep them current.
    LiftScene::refreshSubtree(parts[0].node);
}

core::vector3df CPyloneRM::getPosition() { return parts[0].node ? parts[0].node->getAbsolutePosition() : lastPosition; }

void CPyloneRM::setRotation(const core::vector3df& degrees) {
    if (!parts[0].node) return;
    lastRotation = degrees;
    parts[0].node->setRotation(degrees);
    LiftScene::refreshSubtree(parts[0].node);
}

core::vector3df CPyloneRM::getRotation() { return parts[0].node ? parts[0].node->getRotation() : lastRotation; }

void CPyloneRM::animateGalets(f32 a) {
    switch (typePylone) {
    case PYLONE_TK_MONTEE_DESCENTE:
    case PYLONE_TK_MONTEE:
        if (scene::ISceneNode* n = parts[2].node) {
            core::vector3df r = n->getRotation();
            if (supportMontee == 1) {
                r.Z += a;
                if (r.Z > 360) r.Z -= 360;
            } else if (supportMontee == -1) {
                r.Z -= a;
                if (r.Z < 0) r.Z += 360;
            }
            n->setRotation(r);
        }
        if (typePylone != PYLONE_TK_MONTEE_DESCENTE) break;
        // The down line runs the other way.
        if (scene::ISceneNode* n = parts[6].node) {
            core::vector3df r = n->getRotation();
            if (supportDescente == 1)
                r.Z -= a;
            else if (supportDescente == -1)
                r.Z += a;
            r.Z = wrapOnce(r.Z);
            n->setRotation(r);
        }
        break;
    case PYLONE_TS_MOYEN:
    case PYLONE_TS_BAS:
    case PYLONE_TS_HAUT:
        if (parts[2].node) {
            f32 w = supportMontee == 1 ? 50 * a : -50 * a;
            parts[2].node->setRotation(core::vector3df(0, 0, wrapOnce(w)));
        }
        break;
    default: break;
    }
}

bool CPyloneRM::buildTower(const char* file, f32 scale, const core::vector3df& position,
                           const core::vector3df& rotation) {
    PylonePart& tower = parts[0];
    tower.mesh = smgr->getMesh(file);
    tower.material.setTexture(0, driver->getTexture(TEXTURE_PYLONE));
    // Without its mesh the tower still carries the markers the rope is laid over.
    tower.node = LiftScene::addPart(smgr, tower.mesh, nullptr, "pylone", file);
    if (!tower.node) return false;
    tower.node->setScale(core::vector3df(scale, scale, scale));
    LiftScene::applyMaterial(tower.node, tower.material);
    tower.node->setRotation(rotation);
    tower.node->setPosition(position);
    tower.node->updateAbsolutePosition();
    lastPosition = position;
    lastRotation = rotation;
    return true;
}

void CPyloneRM::buildPart(int index, const char* file, bool textured, f32 scale, const core::vector3df& rotation,
                          const core::vector3df& position) {
    PylonePart& part = parts[index];
    part.mesh = smgr->getMesh(file);
    if (textured) part.material.setTexture(0, driver->getTexture(TEXTURE_PYLONE));
    if (!part.mesh) return;
    part.node = LiftScene::addMeshNode(smgr, part.mesh, parts[0].node);
    if (!part.node) return;
    part.node->setScale(core::vector3df(scale, scale, scale));
    if (textured && part.node->getMaterialCount() > 0) part.node->getMaterial(0) = part.material;
    part.node->setMaterialFlag(video::EMF_LIGHTING, false);
    part.node->setRotation(rotation);
    part.node->setPosition(position);
    part.node->updateAbsolutePosition();
}

void CPyloneRM::buildChairliftHead(f32 h, const f32 downHeights[4], f32 markerDescenteHeight, bool traceCrossarm) {
    const bool support = supportMontee == 1;
    buildPart(1, support ? "media/potenceTSSupp4G.obj" : "media/potenceTSComp4G.obj", true, 1.5f,
              core::vector3df(0, 0, 0), core::vector3df(0, h, 0));
    if (traceCrossarm) printf(support ? "Potence pyl moyen TS Support\n" : "Potence pyl moyen TS compression\n");
    static const f32 upX[4] = {-1.0f, -0.5f, 0.5f, 1.0f};
    static const f32 downX[4] = {1.0f, 0.5f, -0.5f, -1.0f};
    for (int i = 0; i < 4; ++i)
        buildPart(2 + i, "media/galet.obj", false, 0.05f, core::vector3df(90, 0, 0), core::vector3df(upX[i], h, 1.6f));
    for (int i = 0; i < 4; ++i)
        buildPart(6 + i, "media/galet.obj", false, 0.05f, core::vector3df(-90, 0, 0),
                  core::vector3df(downX[i], downHeights[i], -1.6f));
    markerMontee = LiftScene::addMarker(smgr, parts[0].node, core::vector3df(0, h, 1.6f));
    markerDescente = LiftScene::addMarker(smgr, parts[0].node, core::vector3df(0, markerDescenteHeight, -1.6f));
}

void CPyloneRM::buildModel(s32 kind, const core::vector3df& position, const core::vector3df& rotation, bool rebuild) {
    switch (kind) {
    case PYLONE_TK_MONTEE_DESCENTE:
        if (!buildTower("media/pyloneTKFixe-inverse.obj", 1.5f, position, rotation)) return;
        buildPart(2, "media/poulieTK.obj", true, 0.3f, core::vector3df(90, 0, 0),
                  LiftGeometry::TK_PYLONE_POULIE_MONTEE);
        buildPart(6, "media/poulieTK.obj", true, 0.3f, core::vector3df(-90, 0, 0),
                  LiftGeometry::TK_PYLONE_POULIE_DESCENTE);
        markerMontee = LiftScene::addMarker(smgr, parts[0].node, LiftGeometry::TK_PYLONE_POULIE_MONTEE);
        markerDescente = LiftScene::addMarker(smgr, parts[0].node, LiftGeometry::TK_PYLONE_POULIE_DESCENTE);
        break;
    case PYLONE_TK_MONTEE:
        if (!buildTower("media/pyloneTKFixe-inverse-montee.obj", 1.5f, position, rotation)) return;
        buildPart(2, "media/poulieTK.obj", true, 0.3f, core::vector3df(90, 0, 0),
                  core::vector3df(0, 5, rebuild ? -1.5f : -1.4f));
        markerMontee = LiftScene::addMarker(smgr, parts[0].node, LiftGeometry::TK_PYLONE_POULIE_MONTEE);
        break;
    case PYLONE_TS_MOYEN:
    case PYLONE_TS_BAS:
    case PYLONE_TS_HAUT: {
        // A first medium build sets its down line slightly apart from a rebuild.
        static const ChairliftModel rebuilt[] = {
            {"media/pyloneTS-moyen.obj", 8, {7.9f, 7.95f, 8.1f, 8.2f}, 8},
            {"media/pyloneTS-bas.obj", 5.3f, {5.3f, 5.3f, 5.3f, 5.3f}, 5.3f},
            {"media/pyloneTS-haut.obj", 13, {13, 13, 13, 13}, 13},
        };
        static const ChairliftModel firstMedium = {"media/pyloneTS-moyen.obj", 8, {8, 8, 8, 8}, 8.2f};
        const bool medium = kind == PYLONE_TS_MOYEN;
        const ChairliftModel& model = medium && !rebuild ? firstMedium : rebuilt[kind - PYLONE_TS_MOYEN];
        if (!buildTower(model.tower, 2.0f, position, rotation)) return;
        buildChairliftHead(model.height, model.downHeights, model.markerDescente, medium && rebuild);
        break;
    }
    default: break;
    }
}
