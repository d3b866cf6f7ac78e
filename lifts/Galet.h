// One sheave of a terminal's sheave train.
#pragma once
#include <irrlicht.h>

struct Galet {
    irr::scene::IAnimatedMesh* mesh = nullptr;  // engine's mesh cache
    irr::scene::ISceneNode* node = nullptr;     // engine's scene
};
