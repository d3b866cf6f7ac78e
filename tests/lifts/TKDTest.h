// A detachable surface lift built the way the game window builds one.
#pragma once
#include <cmath>
#include <string>
#include "CTKDebrayable.h"
#include "NullDeviceTest.h"

class TKDTest : public NullDeviceTest {
protected:
    void TearDown() override {
        delete lift;  // before the device goes: the lift removes its nodes
        lift = nullptr;
        NullDeviceTest::TearDown();
    }

    // Both clicks, the loop, the pole, running. Returns the trace printed.
    std::string build(const irr::core::vector3df& depart, const irr::core::vector3df& arrivee) {
        capture.start();
        lift = new CTKDebrayable(smgr, driver);
        lift->setPositionDepart(depart);
        lift->createGareDepart();
        lift->setNodeName("tkdeb0");
        lift->setPositionArrivee(arrivee);
        lift->createGareArrivee();
        lift->createTroncons();
        lift->built = true;
        lift->createVehicules();
        lift->running = true;
        return capture.stop();
    }

    CVehicule* pole() { return lift->arrVehicules[0]; }
    irr::core::vector3df at(irr::scene::ISceneNode* n) { return n->getAbsolutePosition(); }

    CTKDebrayable* lift = nullptr;
};

inline bool finite(const irr::core::vector3df& v) {
    return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z);
}
