// A fixed-grip surface lift on the null device, built the way the game window
// builds one: bottom terminal, name, top terminal, pylons up the line, a frame
// drawn (absolute transforms), then the rope loop.
#pragma once
#include <vector>
#include "CTKFixe.h"
#include "LiftCoreTest.h"

struct PylonSpec {
    irr::s32 kind;
    irr::f32 at;    // fraction of the way from the bottom to the top terminal
    irr::f32 lift;  // height above the straight line between the terminals
};

class TKFixeTest : public LiftCoreTest {
protected:
    void TearDown() override {
        delete lift;
        lift = nullptr;
        LiftCoreTest::TearDown();
    }

    CTKFixe* build(const irr::core::vector3df& bottom, const irr::core::vector3df& top,
                   const std::vector<PylonSpec>& pylons = {}) {
        lift = new CTKFixe(smgr, driver);
        lift->setPositionDepart(bottom);
        lift->createGareDepart();
        lift->setNodeName("rmtkf0");
        lift->setPositionArrivee(top);
        lift->createGareArrivee();
        for (const PylonSpec& s : pylons) {
            CPyloneRM* p = new CPyloneRM(smgr, driver);
            p->setTypePylone(s.kind);
            p->createPylone(bottom + (top - bottom) * s.at + irr::core::vector3df(0, s.lift, 0), lift->getRotation());
            lift->arrPylones.push_back(p);
        }
        stepFrame();
        return lift;
    }

    // The game window's "Terminer remontee".
    void finish() {
        lift->createTroncons();
        lift->built = true;
        lift->createVehicules();
        lift->running = true;
        lift->setSound(true);
    }

    static irr::core::vector3df abs(irr::scene::ISceneNode* n) { return n->getAbsolutePosition(); }
    irr::core::vector3df B() const { return abs(lift->nodePoulieDepart); }
    irr::core::vector3df T() const { return abs(lift->nodePoulieArrivee); }
    irr::core::vector3df Bm() const { return abs(lift->markerPoulieDepartMontee); }
    irr::core::vector3df Bd() const { return abs(lift->markerPoulieDepartDescente); }
    irr::core::vector3df Tm() const { return abs(lift->markerPoulieArriveeMontee); }
    irr::core::vector3df Td() const { return abs(lift->markerPoulieArriveeDescente); }
    irr::core::vector3df Pm(int i) const { return abs(lift->arrPylones[i]->markerMontee); }
    irr::core::vector3df Pd(int i) const { return abs(lift->arrPylones[i]->markerDescente); }
    // Rope points over a pylon, offset by its signs.
    static irr::core::vector3df o(irr::s32 sign) { return irr::core::vector3df(0, sign == 1 ? 0.4f : -0.4f, 0); }
    irr::core::vector3df PmRope(int i) const { return Pm(i) + o(lift->arrPylones[i]->supportMontee); }
    irr::core::vector3df PdRope(int i) const { return Pd(i) + o(lift->arrPylones[i]->supportDescente); }

    std::vector<CVehicule*> vehicles() const {
        return std::vector<CVehicule*>(lift->arrVehicules.pointer(),
                                       lift->arrVehicules.pointer() + lift->arrVehicules.size());
    }

    CTKFixe* lift = nullptr;
};
