// Chairlift rope drawing and per-frame motion.
#include <cmath>
#include "TSFixeTest.h"

using namespace irr;
using core::vector3df;

namespace {

const vector3df camera(0, 0, 0);

// Where a rotation sends two axes: equal orientations, whatever their Euler angles.
void expectSameTurn(const vector3df& a, const vector3df& b) {
    core::matrix4 ma, mb;
    ma.setRotationDegrees(a);
    mb.setRotationDegrees(b);
    for (vector3df axis : {vector3df(1, 0, 0), vector3df(0, 0, 1)}) {
        vector3df va = axis, vb = axis;
        ma.rotateVect(va);
        mb.rotateVect(vb);
        EXPECT_LT(va.getDistanceFrom(vb), 1e-3f);
    }
}

}  // namespace

TEST_F(TSFixeTest, RopeLinesCountAndPylonOffsets) {
    struct Case {
        std::vector<Pylon> pylons;
    };
    const Case cases[] = {{{}}, {{{0.5f}}}, {{{0.2f}, {0.4f}, {0.6f}, {0.8f}}}};
    for (const Case& c : cases) {
        const u32 n = static_cast<u32>(c.pylons.size());
        SCOPED_TRACE(n);
        build(c.pylons);
        lift->createTroncons();
        const core::array<core::line3df> rope = lift->ropeLines();
        EXPECT_EQ(rope.size(), 2 * n + 8);
        lift->drawCables();  // the null driver takes the lines
        for (u32 i = 0; i < n; ++i) {
            CPyloneRM* p = lift->arrPylones[i];
            ASSERT_EQ(p->supportMontee, 1);
            // Up line: line 4 + i ends on pylon i, 0.2 above its marker.
            EXPECT_LT(rope[4 + i].end.getDistanceFrom(p->markerMontee->getAbsolutePosition() + vector3df(0, 0.2f, 0)),
                      1e-4f);
        }
        delete lift;
        lift = nullptr;
    }
    // Until the top terminal stands there is no rope.
    lift = new CTSFixe(smgr, driver);
    lift->createGareDepart();
    EXPECT_EQ(lift->ropeLines().size(), 0u);
    lift->drawCables();
}

TEST_F(TSFixeTest, BullwheelsAndTerminalSheavesTurnPylonSheavesStandStill) {
    build({{0.5f}});
    lift->createTroncons();
    auto snapshot = [this] {
        std::vector<vector3df> r = {lift->nodePoulieDepart->getRotation(), lift->nodePoulieArrivee->getRotation(),
                                    lift->galetArriveeMontee.node->getRotation(),
                                    lift->galetArriveeDescente.node->getRotation()};
        for (int k = 0; k < 8; ++k) {
            r.push_back(lift->galetsDepartMontee[k].node->getRotation());
            r.push_back(lift->galetsDepartDescente[k].node->getRotation());
        }
        for (int k = 0; k < 10; ++k)
            if (lift->arrPylones[0]->parts[k].node) r.push_back(lift->arrPylones[0]->parts[k].node->getRotation());
        return r;
    };
    const std::vector<vector3df> start = snapshot();

    lift->running = false;
    lift->update(&camera, 1.0f / 60);
    EXPECT_EQ(snapshot(), start);

    lift->running = true;
    lift->update(&camera, 1.0f / 60);  // rope travel 2.5 / 60: 0.625 degrees of bullwheel, 2.083 of sheave
    const std::vector<vector3df> now = snapshot();
    EXPECT_NEAR(now[0].Y, 360 - 0.625f, 1e-3f);
    expectSameTurn(now[1], vector3df(180, -0.625f, 0));
    const float sheave = 2.5f / 60 * 50;
    EXPECT_NEAR(now[2].Z, 360 - sheave, 1e-3f);
    EXPECT_NEAR(now[3].Z, sheave, 1e-3f);
    for (int k = 0; k < 8; ++k) {
        EXPECT_NEAR(now[4 + 2 * k].Z, 360 - sheave, 1e-3f);  // up-line train
        EXPECT_NEAR(now[5 + 2 * k].Z, sheave, 1e-3f);        // down-line train
        EXPECT_FLOAT_EQ(now[4 + 2 * k].X, -90);
    }
    for (size_t i = 20; i < now.size(); ++i) EXPECT_EQ(now[i], start[i]) << "pylon part " << i - 20;
}

// One chair at a small frame time: every segment in turn, then segment 0 again.
TEST_F(TSFixeTest, ChairGoesRoundTheLoop) {
    build({{0.5f}});
    stepFrame();
    lift->createTroncons();
    const s32 count = static_cast<s32>(lift->arrTroncons.size());
    const float yaw = lift->getRotation().Y;
    CVehicule* chair = new CVehicule(smgr, driver);
    chair->setType(VEHICULE_SIEGE);
    chair->numtroncon = 0;
    chair->create(lift->GetTronconByNumero(count - 1)->fin, vector3df(0, yaw + 180, 0));
    lift->arrVehicules.push_back(chair);
    lift->running = true;

    std::vector<s32> visited = {0};
    for (int frame = 0; frame < 200000 && visited.size() <= static_cast<size_t>(count); ++frame) {
        lift->update(&camera, 1.0f / 60);
        ASSERT_LT(distanceToRope(chair->getPosition()), 1e-2f) << "segment " << chair->numtroncon;
        if (chair->numtroncon == visited.back()) continue;
        visited.push_back(chair->numtroncon);
        // Leaving a bullwheel: on the new line's start, facing along it.
        if (chair->numtroncon == 1) {
            expectSameTurn(chair->getRotation(), vector3df(0, yaw, 0));
            EXPECT_LT(chair->getPosition().getDistanceFrom(lift->GetTronconByNumero(1)->debut), 1e-4f);
        }
        if (chair->numtroncon == 7) expectSameTurn(chair->getRotation(), vector3df(0, yaw + 180, 0));
    }
    std::vector<s32> expected;
    for (s32 k = 0; k < count; ++k) expected.push_back(k);
    expected.push_back(0);
    EXPECT_EQ(visited, expected);
}

// Long frames (and a zero-length stretch) never carry a chair off the rope.
TEST_F(TSFixeTest, LargeFrameTimesKeepChairsOnTheRope) {
    struct Case {
        float dt;
        bool zeroLength;
    };
    const Case cases[] = {{0.5f, false}, {5.0f, false}, {60.0f, false}, {0.5f, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dt);
        build({{0.3f}, {0.7f}});
        stepFrame();
        lift->createTroncons();
        if (c.zeroLength) {
            CTronconRM* t = lift->GetTronconByNumero(6);  // top sheave to the top bullwheel
            t->fin = t->debut;
        }
        lift->createVehicules();
        ASSERT_GT(lift->arrVehicules.size(), 4u);
        lift->running = true;
        std::vector<bool> seen(lift->arrTroncons.size(), false);
        for (int frame = 0; frame < 1500; ++frame) {
            lift->update(&camera, c.dt);
            for (u32 i = 0; i < lift->arrVehicules.size(); ++i) {
                CVehicule* v = lift->arrVehicules[i];
                ASSERT_FALSE(std::isnan(v->progression));
                ASSERT_LT(distanceToRope(v->getPosition()), 1e-2f) << "frame " << frame << " chair " << i;
                seen[v->numtroncon] = true;
            }
        }
        for (size_t k = 0; k < seen.size(); ++k) EXPECT_TRUE(seen[k]) << "segment " << k;
        delete lift;
        lift = nullptr;
    }
}

TEST_F(TSFixeTest, ChairOnAMissingSegmentStaysAndSaysSo) {
    build();
    lift->createTroncons();
    CVehicule* chair = new CVehicule(smgr, driver);
    chair->setType(VEHICULE_SIEGE);
    chair->numtroncon = 42;
    chair->create(vector3df(1, 2, 3), vector3df(0, 0, 0));
    lift->arrVehicules.push_back(chair);
    lift->running = true;
    capture.start();
    lift->update(&camera, 0.1f);
    EXPECT_EQ(capture.stop(), "ERREUR GetTronconByNumero for CTSFixe t->0\n");
    EXPECT_EQ(chair->getPosition(), vector3df(1, 2, 3));
    EXPECT_EQ(chair->numtroncon, 42);
}
