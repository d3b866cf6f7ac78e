#include "CStation.h"

using namespace irr;

CStation::CStation(scene::ISceneManager* smgr, video::IVideoDriver* driver)
    : position(0, 0, 0), smgr(smgr), driver(driver), mesh(nullptr), node(nullptr) {
    mesh = smgr->getMesh("media/Alpine_chalet.obj");
    // Only layer 0 shows with the solid material; the other maps are kept for later shaders.
    material.setTexture(0, driver->getTexture("media/Diffuse_map.png"));
    material.setTexture(1, driver->getTexture("media/Normal_map.png"));
    material.setTexture(2, driver->getTexture("media/Metallic_map.png"));
    material.setTexture(3, driver->getTexture("media/Roughness_map.png"));
}

CStation::~CStation() {}

void CStation::setName(const core::stringc& n) { name = n; }

void CStation::setPosition(const core::vector3df& p) { position = p; }

core::vector3df CStation::getPosition() { return position; }

void CStation::createNode() {
    node = smgr->addMeshSceneNode(mesh, nullptr, -1, core::vector3df(0, 0, 0), core::vector3df(0, 0, 0),
                                  core::vector3df(1, 1, 1), false);
    // Without the chalet mesh the engine builds no node: the station stays invisible.
    if (!node) return;
    node->setScale(core::vector3df(2, 2, 2));
    if (node->getMaterialCount() > 0) {
        node->getMaterial(0) = material;
        // The solid type shows layer 0 only, but the engine leaves the other
        // layers' textures on when two chalets are drawn one after the other,
        // which paints the second one black: the node carries the diffuse map alone.
        for (u32 l = 1; l < video::MATERIAL_MAX_TEXTURES; ++l) node->getMaterial(0).setTexture(l, nullptr);
    }
    for (u32 i = 0; i < node->getMaterialCount(); ++i) node->getMaterial(i).Lighting = false;
    node->setPosition(position);
    node->setRotation(core::vector3df(0, 270, 0));
}
