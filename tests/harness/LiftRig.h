// Finished, running lifts of each kind, built the way the game window builds
// them (bottom terminal, name, top terminal, pylons up the line, the rope loop,
// the carriers, running), on any scene: shared by the soak tests and the
// benchmarks. Header-only, no test framework.
#pragma once
#include <functional>
#include <irrlicht.h>
#include "CPyloneRM.h"
#include "CRemontee.h"
#include "CTKDebrayable.h"
#include "CTKFixe.h"
#include "CTSFixe.h"

struct LiftRig {
    // A lift of `kind` (REMONTEE_*) from bottom to top with `pylons` pylons
    // spread evenly along the line, every other one raised above the straight
    // line and the others sunk below it, so that both rope passes (support and
    // compression) occur. The detachable lift takes surface-lift pylons when
    // asked for some (the game gives it none). `number` names the bottom
    // terminal as the game does. With `ground`, the terrain height at (x, z),
    // the pylons stand on the terrain as the pylon dialog places them. The
    // caller owns the lift.
    static CRemontee* build(irr::s32 kind, irr::scene::ISceneManager* smgr, irr::video::IVideoDriver* driver,
                            const irr::core::vector3df& bottom, const irr::core::vector3df& top, irr::u32 pylons,
                            irr::u32 number = 0,
                            const std::function<irr::f32(irr::f32 x, irr::f32 z)>& ground = nullptr) {
        CRemontee* lift = nullptr;
        const char* prefix = "";
        switch (kind) {
        case REMONTEE_TKFIXE:
            lift = new CTKFixe(smgr, driver);
            prefix = "rmtkf";
            break;
        case REMONTEE_TKDEBRAYABLE:
            lift = new CTKDebrayable(smgr, driver);
            prefix = "tkdeb";
            break;
        default:
            lift = new CTSFixe(smgr, driver);
            prefix = "tsf2p";
            break;
        }
        lift->setPositionDepart(bottom);
        lift->createGareDepart();
        irr::core::stringc name = prefix;
        name += number;
        lift->setNodeName(name);
        lift->setPositionArrivee(top);
        lift->createGareArrivee();
        for (irr::u32 i = 0; i < pylons; ++i) {
            CPyloneRM* p = new CPyloneRM(smgr, driver);
            p->setTypePylone(pylonModel(kind, i));
            const irr::f32 f = (i + 1.0f) / (pylons + 1.0f);
            irr::core::vector3df at = bottom + (top - bottom) * f;
            at.Y = ground ? ground(at.X, at.Z) : at.Y + (i % 2 ? -1.0f : 1.0f) * (2.0f + i % 3);
            p->createPylone(at, lift->getRotation());
            lift->arrPylones.push_back(p);
        }
        // The rope loop reads absolute positions: bring the new nodes up to date, as a drawn frame does.
        smgr->getRootSceneNode()->OnAnimate(0);
        lift->createTroncons();
        lift->built = true;
        lift->createVehicules();
        lift->running = true;
        if (kind == REMONTEE_TKFIXE) lift->setSound(true);
        return lift;
    }

    // The models the pylon dialog offers for the kind, taken in turn.
    static irr::s32 pylonModel(irr::s32 kind, irr::u32 i) {
        if (kind == REMONTEE_TSFIXE) return PYLONE_TS_MOYEN + static_cast<irr::s32>(i % 3);
        return i % 2 ? PYLONE_TK_MONTEE : PYLONE_TK_MONTEE_DESCENTE;
    }

    static const char* kindName(irr::s32 kind) {
        switch (kind) {
        case REMONTEE_TKFIXE: return "fixed-grip surface lift";
        case REMONTEE_TKDEBRAYABLE: return "detachable surface lift";
        default: return "chairlift";
        }
    }
};
