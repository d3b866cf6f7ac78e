// Scene pieces every lift and pylon builds and moves the same way: its parts,
// with a stand-in for a mesh that did not load, the empty marker nodes its
// rope is laid over and where the rope passes them, and its wheels' turns.
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

// A mesh node at its parent's origin, unturned and unscaled; null without a
// mesh unless evenWithoutMesh. Every lift part is made here, left undrawn when
// its box is outside the camera's view, not only outside the box round that
// view: the software renderer pays for every part it is given.
irr::scene::IMeshSceneNode* addMeshNode(irr::scene::ISceneManager* smgr, irr::scene::IAnimatedMesh* mesh,
                                        irr::scene::ISceneNode* parent, bool evenWithoutMesh = false);

// A node's world position; the origin for a node that does not exist.
irr::core::vector3df worldPos(irr::scene::ISceneNode* node);

// Where the rope passes a marker: `clearance` above it on support (sign 1),
// as far below it on compression.
irr::core::vector3df ropePoint(irr::scene::ISceneNode* marker, irr::s32 sign, irr::f32 clearance = 0.4f);

// Brings a node and everything under it up to date with its parents, for the
// rope or the markers read before the engine's next scene pass.
void refreshSubtree(irr::scene::ISceneNode* node);

// Turns a node by `degrees` about its own Y axis (the bullwheels, whatever way up they stand).
void turnAboutOwnY(irr::scene::ISceneNode* node, irr::f32 degrees);

// Adds `degrees` to one Euler angle of a node (&vector3df::Y or &vector3df::Z),
// with one 360 correction in the turn's direction; nothing without a node.
void spin(irr::scene::ISceneNode* node, irr::f32 irr::core::vector3df::*axis, irr::f32 degrees);

}  // namespace LiftScene
