// Where the lifts seat their terminals' wheels, in each terminal node's own
// frame (before its scale) and with the turn each wheel node takes.
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

// Surface-lift pylon tower, in its own frame: the up-line wheel and, where the
// down line passes too, the down-line wheel; the rope markers sit on their hubs.
const irr::core::vector3df TK_PYLONE_POULIE_MONTEE(0.0f, 5.0f, -1.4f);
const irr::core::vector3df TK_PYLONE_POULIE_DESCENTE(0.0f, 7.2f, 1.5f);

// Chairlift: the bullwheels on the bottom and the top terminal.
const irr::core::vector3df TSFIXE_POULIE_DEPART(2.0f, 2.9f, 0.14f);
const irr::core::vector3df TSFIXE_POULIE_ARRIVEE(1.2f, 3.0f, 0.0f);

// Chairlift, bottom terminal: the sheave centres of its up and down trains, in the order the lift numbers them.
const irr::core::vector3df TSFIXE_GALETS_DEPART_MONTEE[8] = {
    {-4.6f, 2.74f, 0.83f}, {-6.1f, 3.04f, 0.83f}, {-6.5f, 3.12f, 0.80f}, {-6.8f, 3.20f, 0.81f},
    {-5.8f, 2.98f, 0.86f}, {-5.5f, 2.93f, 0.87f}, {-5.2f, 2.87f, 0.88f}, {-4.9f, 2.81f, 0.89f}};
const irr::core::vector3df TSFIXE_GALETS_DEPART_DESCENTE[8] = {
    {-4.7f, 2.76f, -0.62f}, {-6.1f, 3.04f, -0.63f}, {-6.5f, 3.12f, -0.63f}, {-6.8f, 3.20f, -0.64f},
    {-5.8f, 2.98f, -0.63f}, {-5.5f, 2.93f, -0.63f}, {-5.2f, 2.87f, -0.63f}, {-4.9f, 2.81f, -0.64f}};
// Their numbers in the order they stand along the line, from the bullwheel outwards.
const int TSFIXE_GALETS_ALONG_LINE[8] = {0, 7, 6, 5, 4, 1, 2, 3};

}  // namespace LiftGeometry
