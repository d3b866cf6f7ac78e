// What tests know of the default map (ecrins.map): where the game starts, places
// to build on, as offsets in X and Z from its first station (the village that
// the game starts looking at), and the colour of its snow.
#pragma once
#include <irrlicht.h>
#include "TerrainGeometry.h"

namespace defaultmap {

// The camera's start, as the game window sets it.
const irr::core::vector3df CAMERA_START(TerrainGeometry::CAMERA_START_X, TerrainGeometry::CAMERA_START_Y,
                                        TerrainGeometry::CAMERA_START_Z);
// A first lift up the open slope above the village, from its foot to its top.
const irr::core::vector2df FIRST_LIFT_BOTTOM(40, 50);
const irr::core::vector2df FIRST_LIFT_TOP(350, 440);

// Snow: light and nearly colourless; in the shade it turns a little blue, never brown or green.
inline bool snowy(irr::video::SColor c) {
    const irr::s32 r = c.getRed(), g = c.getGreen(), b = c.getBlue();
    const irr::s32 lo = irr::core::min_(r, irr::core::min_(g, b)), hi = irr::core::max_(r, irr::core::max_(g, b));
    return lo >= 150 && hi - lo <= 50 && b >= r;
}

}  // namespace defaultmap
