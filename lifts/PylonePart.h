// One scene part of a pylon's model (tower, crossarm, bullwheel or sheave).
#pragma once
#include <irrlicht.h>

struct PylonePart {
    irr::scene::IAnimatedMesh* mesh = nullptr;  // engine's mesh cache
    irr::video::SMaterial material;             // the part's own material
    irr::scene::ISceneNode* node = nullptr;     // engine's scene
};
