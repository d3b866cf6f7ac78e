// Numeric kinds shared by the lifts: lift kinds, carrier types, pylon kinds
// and rope segment types.
#pragma once
#include <irrlicht.h>

// Lift kinds (CRemontee::type)
constexpr irr::s32 REMONTEE_TKFIXE = 1;
constexpr irr::s32 REMONTEE_TKDEBRAYABLE = 2;
constexpr irr::s32 REMONTEE_TSFIXE = 3;

// Carrier types (CVehicule::type)
constexpr irr::s32 VEHICULE_PERCHE_FIXE = 1;
constexpr irr::s32 VEHICULE_SIEGE = 2;
constexpr irr::s32 VEHICULE_PERCHE_DEBRAYABLE = 3;

// Pylon kinds (CPyloneRM::typePylone)
constexpr irr::s32 PYLONE_AUCUN = 0;
constexpr irr::s32 PYLONE_TK_MONTEE_DESCENTE = 1;
constexpr irr::s32 PYLONE_TK_MONTEE = 2;
constexpr irr::s32 PYLONE_TS_MOYEN = 3;
constexpr irr::s32 PYLONE_TS_BAS = 4;
constexpr irr::s32 PYLONE_TS_HAUT = 5;
constexpr irr::s32 PYLONE_TKD = 6;

// Rope segment types (CTronconRM::type)
constexpr irr::s32 POULIEDEPART = 1;     // half turn round the bottom bullwheel
constexpr irr::s32 POULIEARRIVEE = 2;    // half turn round the top bullwheel
constexpr irr::s32 TRONCON_LIGNE = 3;    // straight stretch from debut to fin
constexpr irr::s32 TRONCON_GARETKD = 4;  // detachable lift's waiting stretch in the bottom station
