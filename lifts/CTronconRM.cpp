#include "CTronconRM.h"

CTronconRM::CTronconRM() : montee(true), debut(0, 0, 0), fin(0, 0, 0), centre(0, 0, 0) {}

CTronconRM::~CTronconRM() {}

void CTronconRM::setType(irr::s32 t) { type = t; }

irr::s32 CTronconRM::getType() { return type; }
