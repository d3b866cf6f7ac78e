// Detachable surface lift: the pole's wait, launch, trip round the loop and
// return to the queue; wheels; large frame times.
#include <algorithm>
#include <vector>
#include "TKDTest.h"

using namespace irr;
using core::vector3df;

namespace {

const vector3df BOTTOM(200, 40, -150), TOP(260, 95, -40);  // a diagonal line far from the origin

struct Trip {
    std::vector<s32> segments;  // segments in the order the pole went through them
    float maxJump = 0;          // longest move in one frame
    int frames = 0, framesOnBottomWheel = 0;
    bool offRope = false;
    std::string trace;
};

}  // namespace

class TKDMotionTest : public TKDTest {
protected:
    void SetUp() override {
        TKDTest::SetUp();
        build(BOTTOM, TOP);
    }

    // Is the pole where its segment says: on the stretch between debut and
    // fin, or round its wheel (between the rope's radius and the turn's)?
    bool onRope(CVehicule* v) {
        CTronconRM* t = lift->GetTronconByNumero(v->numtroncon);
        const vector3df p = v->getPosition();
        if (!t || !finite(p)) return false;
        if (t->getType() == POULIEDEPART || t->getType() == POULIEARRIVEE) {
            vector3df h = p - t->centre;
            const float dy = h.Y;
            h.Y = 0;
            return h.getLength() <= 4.0f && dy > -0.5f && dy < 0.5f;
        }
        const vector3df d = t->fin - t->debut;
        const float s = (p - t->debut).dotProduct(d) / d.getLengthSQ();
        return s >= -1e-4f && s <= 1 + 1e-4f && (t->debut + d * s - p).getLength() < 1e-2f;
    }

    // Launches the pole and runs frames of dt until it is back in the station.
    Trip trip(float dt, int maxFrames = 20000) {
        Trip r;
        capture.start();
        lift->lancePerche();
        capture.stop();
        r.segments.push_back(pole()->numtroncon);
        capture.start();
        vector3df last = pole()->getPosition();
        while (r.frames < maxFrames) {
            lift->update(&BOTTOM, dt);
            ++r.frames;
            const vector3df p = pole()->getPosition();
            r.maxJump = std::max(r.maxJump, p.getDistanceFrom(last));
            last = p;
            if (!onRope(pole())) r.offRope = true;
            if (pole()->numtroncon == 0) ++r.framesOnBottomWheel;
            if (pole()->numtroncon != r.segments.back()) r.segments.push_back(pole()->numtroncon);
            if (pole()->numtroncon == 1) break;
        }
        r.trace = capture.stop();
        return r;
    }

    vector3df stationStart() { return at(lift->markerPoulieDepartMontee); }
    float yaw() { return lift->getRotation().Y; }
};

static float wrap(float deg) {
    deg = std::fmod(deg, 360.0f);
    return deg < 0 ? deg + 360 : deg;
}

TEST_F(TKDMotionTest, PoleWaitsInTheStationUntilLaunched) {
    ASSERT_EQ(lift->arrVehicules.size(), 1u);
    EXPECT_EQ(pole()->getType(), VEHICULE_PERCHE_DEBRAYABLE);
    EXPECT_EQ(pole()->numtroncon, 1);
    EXPECT_EQ(pole()->placeGareTk, 0);
    EXPECT_EQ(lift->countPerchesInGare(), 1);
    for (int i = 0; i < 200; ++i) lift->update(&BOTTOM, 0.02f);
    EXPECT_EQ(pole()->numtroncon, 1);
    EXPECT_EQ(pole()->getPosition(), stationStart());

    capture.start();
    lift->lancePerche();
    EXPECT_EQ(capture.stop(),
              "lance perche nb Perches dispos = 1\nPerche 0 - numtroncon=1 et placeGareTk = 0\nperche 0 lancee \n");
    EXPECT_EQ(pole()->numtroncon, 2);
    EXPECT_EQ(pole()->placeGareTk, -1);
    EXPECT_EQ(pole()->progression, 0);
    EXPECT_EQ(pole()->getPosition(), at(lift->markerGaletDepartMontee));

    // While it is out, the button finds nothing to send and changes nothing.
    capture.start();
    lift->lancePerche();
    lift->lancePerche();
    EXPECT_EQ(capture.stop(), "lance perche nb Perches dispos = 0\nlance perche nb Perches dispos = 0\n");
    EXPECT_EQ(pole()->placeGareTk, -1);

    // 1.4 times the line speed along the segment.
    lift->update(&BOTTOM, 0.02f);
    CTronconRM* s2 = lift->GetTronconByNumero(2);
    EXPECT_NEAR(pole()->progression, 1.4f * 0.02f * 4.0f / (s2->fin - s2->debut).getLength(), 1e-6);
}

TEST_F(TKDMotionTest, PoleGoesRoundAndIsQueuedAgainOnEveryTrip) {
    const std::vector<s32> loop = {2, 3, 4, 5, 6, 7, 0, 1};
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(n);
        const Trip r = trip(0.01f);
        EXPECT_EQ(r.segments, loop);
        EXPECT_FALSE(r.offRope);
        // Onto and off each wheel the pole moves from the rope to its turn
        // circle on the same side; nothing more than that in one frame.
        EXPECT_LT(r.maxJump, 2.0f);
        // Back at the start of the station, first in the queue, facing up the line.
        EXPECT_EQ(r.trace, "add perche nb Perches = 1\n");
        EXPECT_EQ(pole()->placeGareTk, 0);
        EXPECT_EQ(pole()->progression, 0);
        EXPECT_EQ(pole()->getPosition(), stationStart());
        EXPECT_NEAR(wrap(pole()->getRotation().Y), wrap(yaw()), 1e-3);
        // Half a turn of radius 0.93 at 4 m/s: about 0.57 s.
        EXPECT_NEAR(r.framesOnBottomWheel * 0.01f, 0.57f, 0.02f);

        for (int i = 0; i < 100; ++i) lift->update(&BOTTOM, 0.01f);
        EXPECT_EQ(pole()->numtroncon, 1);
        EXPECT_EQ(pole()->getPosition(), stationStart());
    }
}

TEST_F(TKDMotionTest, PoleFacesDownTheLineAfterTheTopWheel) {
    capture.start();
    lift->lancePerche();
    capture.stop();
    for (int i = 0; i < 20000 && pole()->numtroncon != 5; ++i) lift->update(&BOTTOM, 0.01f);
    ASSERT_EQ(pole()->numtroncon, 5);
    EXPECT_NEAR(wrap(pole()->getRotation().Y), wrap(yaw() + 180), 1e-3);
    EXPECT_EQ(pole()->getPosition(), at(lift->markerPoulieArriveeDescente));
}

TEST_F(TKDMotionTest, LargeFrameTimesKeepThePoleOnTheRope) {
    const std::vector<s32> loop = {2, 3, 4, 5, 6, 7, 0, 1};
    for (float dt : {0.05f, 0.1f, 0.25f, 0.5f, 1.0f, 5.0f}) {
        for (int n = 0; n < 2; ++n) {
            SCOPED_TRACE(testing::Message() << "dt " << dt << " trip " << n);
            const Trip r = trip(dt, 5000);
            EXPECT_EQ(r.segments, loop);
            EXPECT_FALSE(r.offRope);
            EXPECT_EQ(pole()->placeGareTk, 0);
            EXPECT_EQ(pole()->getPosition(), stationStart());
        }
    }
}

TEST_F(TKDMotionTest, QueueLaunchesInOrderAndNeverGoesBelowMinusOne) {
    capture.start();
    for (int k = 0; k < 2; ++k) {
        CVehicule* v = new CVehicule(smgr, driver);
        v->setType(VEHICULE_PERCHE_DEBRAYABLE);
        v->numtroncon = 1;
        v->progression = 0;
        v->create(stationStart(), vector3df(0, yaw(), 0));
        lift->arrVehicules.push_back(v);
        lift->addPercheInGare(v);
    }
    const std::string added = capture.stop();
    EXPECT_NE(added.find("add perche nb Perches = 2\n"), std::string::npos);
    EXPECT_NE(added.find("add perche nb Perches = 3\n"), std::string::npos);
    std::vector<s32> places;
    for (CVehicule* v : {lift->arrVehicules[0], lift->arrVehicules[1], lift->arrVehicules[2]})
        places.push_back(v->placeGareTk);
    EXPECT_EQ(places, (std::vector<s32>{0, 1, 2}));

    lift->placePerchesInGare();
    EXPECT_FLOAT_EQ(lift->arrVehicules[0]->progression, 0.9f);
    EXPECT_FLOAT_EQ(lift->arrVehicules[1]->progression, 0.8f);
    EXPECT_FLOAT_EQ(lift->arrVehicules[2]->progression, 0.7f);
    for (u32 i = 0; i < 3; ++i) lift->arrVehicules[i]->progression = 0;

    capture.start();
    lift->lancePerche();
    EXPECT_EQ(capture.stop(),
              "lance perche nb Perches dispos = 3\nPerche 0 - numtroncon=1 et placeGareTk = 0\nperche 0 lancee \n"
              "Perche 1 - numtroncon=1 et placeGareTk = 1\nPerche 2 - numtroncon=1 et placeGareTk = 2\n");
    EXPECT_EQ(lift->arrVehicules[1]->placeGareTk, 0);
    EXPECT_EQ(lift->arrVehicules[2]->placeGareTk, 1);

    capture.start();
    for (int k = 0; k < 5; ++k) lift->lancePerche();
    capture.stop();
    for (u32 i = 0; i < 3; ++i) EXPECT_EQ(lift->arrVehicules[i]->placeGareTk, -1) << i;

    // All three come back (together, since they left in one frame) and queue up in turn.
    for (int i = 0; i < 20000 && lift->countPerchesInGare() < 3; ++i) lift->update(&BOTTOM, 0.02f);
    ASSERT_EQ(lift->countPerchesInGare(), 3);
    for (u32 i = 0; i < 3; ++i) EXPECT_EQ(lift->arrVehicules[i]->placeGareTk, static_cast<s32>(i)) << i;

    // A waiting pole without a place keeps its progression.
    lift->arrVehicules[2]->placeGareTk = -1;
    lift->arrVehicules[2]->progression = 0.25f;
    lift->placePerchesInGare();
    EXPECT_FLOAT_EQ(lift->arrVehicules[2]->progression, 0.25f);
}

TEST_F(TKDMotionTest, WheelsAndSheavesTurnByTheFrameStep) {
    CTKDebrayable& l = *lift;
    core::matrix4 before;
    before.setRotationDegrees(l.nodePoulieArrivee->getRotation());
    l.update(&BOTTOM, 0.02f);  // a = 0.08
    EXPECT_NEAR(l.nodePoulieDepart->getRotation().Y, 356.0f, 1e-3);
    EXPECT_NEAR(l.galetDepartDescente.node->getRotation().Z, 4.08f, 1e-3);
    EXPECT_NEAR(l.galetDepartMontee.node->getRotation().Z, 355.92f, 1e-3);
    EXPECT_NEAR(l.galetArriveeMontee.node->getRotation().Y, 355.92f, 1e-3);
    EXPECT_NEAR(l.galetArriveeDescente.node->getRotation().Y, 355.92f, 1e-3);
    // The top bullwheel turns 2.4 degrees about its own axle.
    core::matrix4 after;
    after.setRotationDegrees(l.nodePoulieArrivee->getRotation());
    vector3df axleBefore(0, 1, 0), axleAfter(0, 1, 0), spokeBefore(1, 0, 0), spokeAfter(1, 0, 0);
    before.rotateVect(axleBefore);
    after.rotateVect(axleAfter);
    before.rotateVect(spokeBefore);
    after.rotateVect(spokeAfter);
    EXPECT_NEAR((axleAfter - axleBefore).getLength(), 0, 1e-4);
    EXPECT_NEAR(l.angleBetween(spokeBefore, spokeAfter), 2.4f, 1e-2);
}

TEST_F(TKDMotionTest, StoppedLiftAndZeroFrameTimeMoveNothing) {
    capture.start();
    lift->lancePerche();
    capture.stop();
    for (int i = 0; i < 40; ++i) lift->update(&BOTTOM, 0.02f);
    struct Snapshot {
        vector3df pole, wheel, sheave;
        f32 progression;
        s32 segment;
    };
    auto snap = [&] {
        return Snapshot{pole()->getPosition(), lift->nodePoulieDepart->getRotation(),
                        lift->galetDepartDescente.node->getRotation(), pole()->progression, pole()->numtroncon};
    };
    for (bool running : {false, true}) {
        SCOPED_TRACE(running);
        lift->running = running;
        const Snapshot a = snap();
        for (int i = 0; i < 100; ++i) lift->update(&BOTTOM, running ? 0.0f : 0.02f);
        const Snapshot b = snap();
        EXPECT_EQ(a.pole, b.pole);
        EXPECT_EQ(a.wheel, b.wheel);
        EXPECT_EQ(a.sheave, b.sheave);
        EXPECT_EQ(a.progression, b.progression);
        EXPECT_EQ(a.segment, b.segment);
    }
}
