// Where the surface lifts seat their terminals' wheels, in each terminal
// node's own frame (before its scale) and with the turn each wheel node takes.
// The media generator builds the wheel seats of the terminal meshes on these
// same points.
#pragma once
#include <irrlicht.h>

namespace LiftGeometry {

// Detachable lift, bottom station: the return bullwheel and the sheaves of the up and down lines.
const irr::core::vector3df TKD_POULIE_DEPART(1.2f, 3.97f, 0.0f);
const irr::core::vector3df TKD_POULIE_DEPART_TURN(180, 0, 8);
const irr::core::vector3df TKD_GALET_DEPART_MONTEE(-2.2f, 3.76f, 0.35f);
const irr::core::vector3df TKD_GALET_DEPART_DESCENTE(0.5f, 4.2f, -0.35f);
// Detachable lift, top terminal: the bullwheel and the sheaves either side of it.
const irr::core::vector3df TKD_POULIE_ARRIVEE(0.0f, 3.25f, -3.4f);
const irr::core::vector3df TKD_GALET_ARRIVEE_MONTEE(-1.0f, 2.93f, -1.29f);
const irr::core::vector3df TKD_GALET_ARRIVEE_DESCENTE(1.0f, 2.93f, -1.29f);

// Fixed-grip lift: the drive bullwheel at the bottom, the return bullwheel far out on the top terminal.
const irr::core::vector3df TKFIXE_POULIE_DEPART(-1.2f, 5.2f, 0.0f);
const irr::core::vector3df TKFIXE_POULIE_DEPART_TURN(180, 0, -10);
const irr::core::vector3df TKFIXE_POULIE_ARRIVEE(-14.4f, 14.5f, 0.0f);
const irr::core::vector3df TKFIXE_POULIE_ARRIVEE_TURN(193, 0, 0);

} // namespace LiftGeometry
