// One segment of a lift's rope loop: a straight stretch, a half turn round a
// bullwheel, or the detachable lift's waiting stretch. Plain record.
#pragma once
#include <irrlicht.h>
#include "LiftConstants.h"

class CTronconRM {
public:
    CTronconRM();
    ~CTronconRM();

    void setType(irr::s32 type);
    irr::s32 getType();

    irr::s32 numero = 0;          // number along the direction of travel, from 0
    bool montee;                  // up line (true) or down line
    irr::core::vector3df debut;   // start point, world coordinates
    irr::core::vector3df fin;     // end point, world coordinates
    irr::core::vector3df centre;  // bullwheel centre (wheel segments)
    irr::s32 type = 0;            // POULIEDEPART .. TRONCON_GARETKD
};
