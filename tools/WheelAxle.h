// Where a terminal's wheel mesh (lying in its XZ plane about +Y) points its
// axle once its node is turned by rotationDeg: the axle in the terminal frame,
// pointing up, so that a seat or housing can be built along it.
#pragma once
#include <irrlicht.h>

namespace mediagen {

inline irr::core::vector3df wheelAxleUp(const irr::core::vector3df& rotationDeg) {
    irr::core::matrix4 m;
    m.setRotationDegrees(rotationDeg);
    irr::core::vector3df a(0, 1, 0);
    m.rotateVect(a);
    if (a.Y < 0) a = -a;
    return a.normalize();
}

}  // namespace mediagen
