// A chairlift standing on the null device: bottom terminal at the origin, top
// terminal up a slope along +Z, chairlift pylons at chosen places.
#pragma once
#include <cmath>
#include <string>
#include <vector>
#include "CTSFixe.h"
#include "NullDeviceTest.h"

class TSFixeTest : public NullDeviceTest {
protected:
    struct Pylon {
        float fraction;  // of the way from the bottom to the top terminal
        float dy = 0;    // raise (or sink) the foot off the straight slope
    };

    void TearDown() override {
        delete lift;
        lift = nullptr;
        NullDeviceTest::TearDown();
    }

    // Both terminals and the pylons, as the game window builds them; the rope loop is left to the test.
    CTSFixe* build(const std::vector<Pylon>& pylons = {},
                   const irr::core::vector3df& top = irr::core::vector3df(0, 60.5f, 240)) {
        lift = new CTSFixe(smgr, driver);
        lift->setPositionDepart(irr::core::vector3df(0, 0, 0));
        lift->createGareDepart();
        lift->setNodeName("tsf2p0");
        lift->setPositionArrivee(top);
        lift->createGareArrivee();
        for (const Pylon& p : pylons) {
            CPyloneRM* pylon = new CPyloneRM(smgr, driver);
            lift->arrPylones.push_back(pylon);
            pylon->setTypePylone(PYLONE_TS_MOYEN);
            const irr::core::vector3df at = lift->getPositionDepart() +
                                            (lift->getPositionArrivee() - lift->getPositionDepart()) * p.fraction +
                                            irr::core::vector3df(0, p.dy, 0);
            pylon->createPylone(at, lift->getRotation());
        }
        return lift;
    }

    std::string createTronconsTrace() {
        capture.start();
        lift->createTroncons();
        return capture.stop();
    }

    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> out;
        size_t start = 0;
        for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
            out.push_back(text.substr(start, nl - start));
        return out;
    }

    // Radius of a chair's path round the bottom or top bullwheel.
    float wheelRadius(bool bottom) {
        const irr::core::vector3df d =
            bottom ? lift->markerPoulieDepartMontee->getPosition() - lift->markerPoulieDepartDescente->getPosition()
                   : lift->markerPoulieArriveeDescente->getPosition() - lift->markerPoulieArriveeMontee->getPosition();
        return 0.5f * d.getLength() + 2.9f;
    }

    // How far p is from the chairs' path: the straight segments and the two half turns.
    float distanceToRope(const irr::core::vector3df& p) {
        float best = 1e30f;
        for (irr::u32 i = 0; i < lift->arrTroncons.size(); ++i) {
            const CTronconRM* t = lift->arrTroncons[i];
            float d;
            if (t->type == TRONCON_LIGNE) {
                d = p.getDistanceFrom(irr::core::line3df(t->debut, t->fin).getClosestPoint(p));
            } else {
                const bool bottom = t->type == POULIEDEPART;
                const float dx = p.X - t->centre.X, dz = p.Z - t->centre.Z;
                const float radial = std::sqrt(dx * dx + dz * dz) - wheelRadius(bottom);
                const float dy = p.Y - (t->centre.Y - (bottom ? 0.2f : 0.3f));
                d = std::sqrt(radial * radial + dy * dy);
            }
            if (d < best) best = d;
        }
        return best;
    }

    CTSFixe* lift = nullptr;
};
