#include "LiftScene.h"
#include <cstdio>

using namespace irr;
using core::vector3df;

namespace LiftScene {

scene::IMeshSceneNode* addMeshNode(scene::ISceneManager* smgr, scene::IAnimatedMesh* mesh, scene::ISceneNode* parent,
                                   bool evenWithoutMesh) {
    scene::IMeshSceneNode* node = smgr->addMeshSceneNode(mesh, parent, -1, vector3df(0, 0, 0), vector3df(0, 0, 0),
                                                         vector3df(1, 1, 1), evenWithoutMesh);
    if (node) node->setAutomaticCulling(scene::EAC_FRUSTUM_BOX);
    return node;
}

namespace {

void reportMissing(const char* owner, const char* file) { printf("Erreur chargement mesh %s %s\n", owner, file); }

}  // namespace

scene::ISceneNode* addPart(scene::ISceneManager* smgr, scene::IAnimatedMesh* mesh, scene::ISceneNode* parent,
                           const char* owner, const char* file) {
    scene::ISceneNode* node;
    if (mesh) {
        node = addMeshNode(smgr, mesh, parent, false);
    } else {
        reportMissing(owner, file);
        node = smgr->addEmptySceneNode(parent, -1);
    }
    if (node) node->setMaterialFlag(video::EMF_LIGHTING, false);
    return node;
}

scene::IMeshSceneNode* addMeshPart(scene::ISceneManager* smgr, scene::IAnimatedMesh* mesh, scene::ISceneNode* parent,
                                   const char* owner, const char* file) {
    if (!mesh) reportMissing(owner, file);
    scene::IMeshSceneNode* node = addMeshNode(smgr, mesh, parent, true);
    if (node) node->setMaterialFlag(video::EMF_LIGHTING, false);
    return node;
}

void applyMaterial(scene::ISceneNode* node, const video::SMaterial& material) {
    if (node->getMaterialCount() > 0) node->getMaterial(0) = material;
    node->setMaterialFlag(video::EMF_LIGHTING, false);
}

scene::ISceneNode* addMarker(scene::ISceneManager* smgr, scene::ISceneNode* parent, const vector3df& position) {
    scene::ISceneNode* marker = smgr->addEmptySceneNode(parent, -1);
    marker->setPosition(position);
    marker->updateAbsolutePosition();
    return marker;
}

vector3df worldPos(scene::ISceneNode* node) { return node ? node->getAbsolutePosition() : vector3df(); }

vector3df ropePoint(scene::ISceneNode* marker, s32 sign, f32 clearance) {
    return worldPos(marker) + vector3df(0, sign == 1 ? clearance : -clearance, 0);
}

void refreshSubtree(scene::ISceneNode* node) {
    node->updateAbsolutePosition();
    for (scene::ISceneNode* child : node->getChildren()) refreshSubtree(child);
}

void turnAboutOwnY(scene::ISceneNode* node, f32 degrees) {
    core::matrix4 current, turn;
    current.setRotationDegrees(node->getRotation());
    turn.setRotationDegrees(vector3df(0, degrees, 0));
    node->setRotation((current * turn).getRotationDegrees());
}

void spin(scene::ISceneNode* node, f32 vector3df::*axis, f32 degrees) {
    if (!node) return;
    vector3df r = node->getRotation();
    f32& angle = r.*axis;
    angle += degrees;
    if (degrees < 0 && angle < 0) angle += 360;
    if (degrees > 0 && angle > 360) angle -= 360;
    node->setRotation(r);
}

}  // namespace LiftScene
