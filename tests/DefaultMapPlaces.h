// Places on the default map (ecrins.map) that tests build on, as offsets in
// X and Z from its first station: the village that the game starts looking at.
#pragma once
#include <irrlicht.h>

namespace defaultmap {

// The camera's start, as the game window sets it.
const irr::core::vector3df CAMERA_START(6000, 500, 5000);
// A first lift up the open slope above the village, from its foot to its top.
const irr::core::vector2df FIRST_LIFT_BOTTOM(40, 50);
const irr::core::vector2df FIRST_LIFT_TOP(350, 440);

} // namespace defaultmap
