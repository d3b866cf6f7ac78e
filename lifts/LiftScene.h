// Scene pieces every lift and pylon builds the same way: its parts, with a
// stand-in for a mesh that did not load, and the empty marker nodes its rope
// is laid over.
#pragma once
#include <irrlicht.h>

namespace LiftScene {

// A part's mesh node with lighting off. A mesh that did not load is reported
// ("Erreur chargement mesh <owner> <file>") and an empty node takes its place,
// so the markers and parts hung on it still keep their frame.
irr::scene::ISceneNode* addPart(irr::scene::ISceneManager* smgr, irr::scene::IAnimatedMesh* mesh,
                                irr::scene::ISceneNode* parent, const char* owner, const char* file);

// The same for a lift that holds mesh nodes: its stand-in is a mesh node without mesh.
irr::scene::IMeshSceneNode* addMeshPart(irr::scene::ISceneManager* smgr, irr::scene::IAnimatedMesh* mesh,
                                        irr::scene::ISceneNode* parent, const char* owner, const char* file);

// Material 0 becomes `material` (a stand-in has none to take it), then every
// material of the node is unlit.
void applyMaterial(irr::scene::ISceneNode* node, const irr::video::SMaterial& material);

// An empty node at `position` in its parent's frame, its world position already up to date.
irr::scene::ISceneNode* addMarker(irr::scene::ISceneManager* smgr, irr::scene::ISceneNode* parent,
                                  const irr::core::vector3df& position);

} // namespace LiftScene
