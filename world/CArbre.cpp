#include "CArbre.h"
#include <cstdlib>
#include <ctime>

using namespace irr;

namespace {

// The loader gives the tree one buffer per green, each vertex already in its
// colour: drawn unlit, one buffer of them all looks the same in one draw call.
void mergeBuffers(scene::IAnimatedMesh* animated) {
    scene::SMesh* mesh = animated ? dynamic_cast<scene::SMesh*>(animated->getMesh(0)) : nullptr;
    if (!mesh || mesh->getMeshBufferCount() < 2) return;
    for (u32 i = 0; i < mesh->getMeshBufferCount(); ++i)
        if (mesh->getMeshBuffer(i)->getVertexType() != video::EVT_STANDARD ||
            mesh->getMeshBuffer(i)->getIndexType() != video::EIT_16BIT)
            return;
    scene::SMeshBuffer* all = new scene::SMeshBuffer();
    all->Material = mesh->getMeshBuffer(0)->getMaterial();
    for (u32 i = 0; i < mesh->getMeshBufferCount(); ++i) {
        scene::IMeshBuffer* b = mesh->getMeshBuffer(i);
        all->append(b->getVertices(), b->getVertexCount(), b->getIndices(), b->getIndexCount());
    }
    all->recalculateBoundingBox();
    mesh->clear();
    mesh->addMeshBuffer(all);
    all->drop();
    mesh->recalculateBoundingBox();
}

}  // namespace

CArbre::CArbre(scene::ISceneManager* smgr, video::IVideoDriver* driver)
    : position(0, 0, 0), smgr(smgr), driver(driver), mesh(nullptr), node(nullptr) {
    srand(time(0));
    mesh = smgr->getMesh("media/lowpolytree.3ds");
    mergeBuffers(mesh);
}

CArbre::~CArbre() {}

void CArbre::setPosition(const core::vector3df& p) { position = p; }

core::vector3df CArbre::getPosition() { return position; }

void CArbre::createNode() {
    const s32 yaw = rand() % 359;
    node = smgr->addMeshSceneNode(mesh, nullptr, -1, core::vector3df(0, 0, 0), core::vector3df(0, 0, 0),
                                  core::vector3df(1, 1, 1), false);
    position.Y += 0.6f;
    // Without the tree mesh the engine builds no node: nothing to place or pick.
    if (!node) return;
    node->setScale(core::vector3df(3, 3, 3));
    node->setID(3);
    // Hundreds stand round the slopes: leave those outside the view undrawn.
    node->setAutomaticCulling(scene::EAC_FRUSTUM_BOX);
    for (u32 i = 0; i < node->getMaterialCount(); ++i) node->getMaterial(i).Lighting = false;
    node->setPosition(position);
    node->setRotation(core::vector3df(0, static_cast<f32>(yaw), 0));
    scene::ITriangleSelector* selector = smgr->createTriangleSelector(mesh, node);
    node->setTriangleSelector(selector);
    selector->drop();
}

void CArbre::setName(const core::stringc& name) {
    if (node) node->setName(name);
}

core::stringc CArbre::getName() {
    if (!node) return core::stringc();
    return core::stringc(node->getName());
}

void CArbre::removeNode() {
    if (node) node->remove();
    node = nullptr;
    if (mesh) smgr->getMeshCache()->removeMesh(mesh);
    mesh = nullptr;
}
