// Chairlift terminals, media, rope loop and chairs.
#include <algorithm>
#include <cstdio>
#include <set>
#include "TSFixeTest.h"

using namespace irr;
using core::vector3df;

namespace {

void expectNear(const vector3df& a, const vector3df& b, float eps = 1e-3f) {
    EXPECT_NEAR(a.X, b.X, eps);
    EXPECT_NEAR(a.Y, b.Y, eps);
    EXPECT_NEAR(a.Z, b.Z, eps);
}

}  // namespace

TEST_F(TSFixeTest, TerminalsFaceEachOtherAndOnlyTheBottomIsPickable) {
    struct Case {
        vector3df top;
        float bottomYaw, topYaw;
    };
    const Case cases[] = {
        {{0, 40.5f, 200}, 90, -90},  // due +Z
        {{0, 20.5f, 0}, 90, -90},    // straight above: atan2(0, 0) = 0
        {{200, 0.5f, 0}, 180, 0},    // due +X
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.top.X);
        lift = new CTSFixe(smgr, driver);
        EXPECT_EQ(lift->type, REMONTEE_TSFIXE);
        EXPECT_FLOAT_EQ(lift->vitesse, 2.5f);
        EXPECT_FLOAT_EQ(lift->espacementVehicules, 30.0f);
        lift->setPositionDepart(vector3df(0, 0, 0));
        lift->createGareDepart();
        lift->setNodeName("tsf2p3");
        expectNear(lift->getRotation(), vector3df(0, 0, 0));
        lift->setPositionArrivee(c.top);
        lift->createGareArrivee();

        expectNear(lift->getPositionArrivee(), c.top - vector3df(0, 0.5f, 0));
        expectNear(lift->getRotation(), vector3df(0, c.bottomYaw, 0));
        expectNear(lift->nodeGareArrivee->getRotation(), vector3df(0, c.topYaw, 0));
        EXPECT_EQ(lift->getNodeName(), "tsf2p3");
        EXPECT_EQ(lift->nodeGareDepart->getID(), 5);
        EXPECT_NE(lift->nodeGareDepart->getTriangleSelector(), nullptr);
        EXPECT_EQ(lift->nodeGareArrivee->getID(), -1);
        EXPECT_EQ(lift->nodeGareArrivee->getTriangleSelector(), nullptr);
        delete lift;
        lift = nullptr;
    }
}

TEST_F(TSFixeTest, MarkersFollowTheTerminalsTurnAtOnce) {
    build();  // top due +Z: the bottom terminal is turned by 90
    // Local (2.0, 2.8, 1.01) times 4, turned by 90 about Y: (z, y, -x).
    expectNear(lift->markerPoulieDepartMontee->getAbsolutePosition(), vector3df(4.04f, 11.2f, -8.0f));
    // The up line runs on the same side (+X) at both ends.
    EXPECT_GT(lift->markerGaletArriveeMontee->getAbsolutePosition().X, 0);
    EXPECT_LT(lift->markerGaletArriveeDescente->getAbsolutePosition().X, 0);
}

TEST_F(TSFixeTest, MeshesMatchTheRopeGeometry) {
    scene::IAnimatedMesh* wheel = smgr->getMesh("media/PoulieTS.obj");
    scene::IAnimatedMesh* gare = smgr->getMesh("media/gareTSfixe2.obj");
    scene::IAnimatedMesh* retour = smgr->getMesh("media/retourTsFixe.obj");
    ASSERT_TRUE(wheel && gare && retour);

    // The rope meets each bullwheel on its rim (wheel units, the node scales by 0.15).
    const float rim = wheel->getBoundingBox().MaxEdge.X;
    struct Contact {
        vector3df centre, marker;
    };
    const Contact contacts[] = {{{2.0f, 2.9f, 0.14f}, {2.0f, 2.8f, 1.01f}},
                                {{2.0f, 2.9f, 0.14f}, {2.0f, 2.8f, -0.69f}},
                                {{1.2f, 3.0f, 0}, {1.2f, 2.9f, -0.9f}},
                                {{1.2f, 3.0f, 0}, {1.2f, 2.9f, 0.9f}}};
    for (const Contact& c : contacts) EXPECT_NEAR(std::fabs(c.marker.Z - c.centre.Z) / 0.15f, rim, 0.35f);

    // Terminals stand on their origin, their slabs reaching into the ground for a slope;
    // the bottom one reaches over its sheave trains towards -X.
    const core::aabbox3df g = gare->getBoundingBox(), r = retour->getBoundingBox();
    EXPECT_FLOAT_EQ(g.MinEdge.Y, -0.75f);
    EXPECT_FLOAT_EQ(r.MinEdge.Y, -0.75f);
    EXPECT_LT(g.MinEdge.X, -6.8f);
    EXPECT_GT(g.MaxEdge.X, 2.9f);
    EXPECT_GT(g.MaxEdge.Y, 3.3f);  // above the highest sheave
    EXPECT_LT(r.MinEdge.X, -1.33f);
    EXPECT_GT(r.MaxEdge.X, 2.1f);
}

TEST_F(TSFixeTest, MissingTerminalMeshesLeaveEmptyNodesThatStillCarryTheRope) {
    TempDir noMedia(false);
    capture.start();
    build();
    const std::string out = capture.stop();
    for (const char* file : {"media/gareTSfixe2.obj", "media/retourTsFixe.obj", "media/PoulieTS.obj"})
        EXPECT_NE(out.find(std::string("Erreur chargement mesh TSFixe ") + file + "\n"), std::string::npos) << file;
    EXPECT_EQ(lift->nodeGareDepart->getID(), 5);
    EXPECT_EQ(lift->nodeGareDepart->getTriangleSelector(), nullptr);
    EXPECT_EQ(lift->getNodeName(), "tsf2p0");
    ASSERT_NE(lift->nodePoulieArrivee, nullptr);
    createTronconsTrace();
    EXPECT_EQ(lift->arrTroncons.size(), 10u);
    EXPECT_EQ(lift->ropeLines().size(), 8u);
}

// Segment types, numbering and joins of the loop for several pylon counts.
TEST_F(TSFixeTest, RopeLoopTables) {
    struct Case {
        std::vector<Pylon> pylons;
    };
    const Case cases[] = {{{}}, {{{0.5f}}}, {{{0.25f}, {0.5f}, {0.75f}}}};
    for (const Case& c : cases) {
        const s32 n = static_cast<s32>(c.pylons.size());
        SCOPED_TRACE(n);
        build(c.pylons);
        stepFrame();
        const std::string trace = createTronconsTrace();
        const s32 count = n == 0 ? 10 : 2 * n + 10;
        ASSERT_EQ(static_cast<s32>(lift->arrTroncons.size()), count);

        // Numbers 0..count-1 without gaps; with pylons the array is not in number order.
        std::set<s32> numbers;
        bool inOrder = true;
        for (u32 i = 0; i < lift->arrTroncons.size(); ++i) {
            numbers.insert(lift->arrTroncons[i]->numero);
            inOrder = inOrder && lift->arrTroncons[i]->numero == static_cast<s32>(i);
        }
        EXPECT_EQ(numbers.size(), static_cast<size_t>(count));
        EXPECT_EQ(*numbers.rbegin(), count - 1);
        EXPECT_EQ(inOrder, n == 0);

        const s32 topWheel = n == 0 ? 5 : n + 5;
        for (s32 k = 0; k < count; ++k) {
            const CTronconRM* t = lift->GetTronconByNumero(k);
            ASSERT_NE(t, nullptr);
            EXPECT_EQ(t->type, k == 0 ? POULIEDEPART : k == topWheel ? POULIEARRIVEE : TRONCON_LIGNE) << k;
            EXPECT_EQ(t->montee, k <= topWheel) << k;
        }

        // Consecutive straight segments meet, except for the 0.1 steps under the sheave trains.
        std::vector<std::pair<s32, float>> steps;
        if (n == 0)
            steps = {{1, 0.1f}, {3, -0.1f}};
        else
            steps = {{2, 0.1f}, {2 * n + 7, -0.1f}};
        for (s32 k = 0; k + 1 < count; ++k) {
            const CTronconRM* a = lift->GetTronconByNumero(k);
            const CTronconRM* b = lift->GetTronconByNumero(k + 1);
            if (a->type != TRONCON_LIGNE || b->type != TRONCON_LIGNE) continue;
            float dy = 0;
            for (auto& s : steps)
                if (s.first == k) dy = s.second;
            expectNear(b->debut, a->fin + vector3df(0, dy, 0));
        }
        // The half turns join the lines at the bullwheels' rope markers.
        expectNear(lift->GetTronconByNumero(1)->debut, lift->markerPoulieDepartMontee->getAbsolutePosition());
        expectNear(lift->GetTronconByNumero(count - 1)->fin, lift->markerPoulieDepartDescente->getAbsolutePosition());
        expectNear(lift->GetTronconByNumero(0)->centre, lift->nodePoulieDepart->getAbsolutePosition());
        expectNear(lift->GetTronconByNumero(topWheel)->centre, lift->nodePoulieArrivee->getAbsolutePosition());

        if (n == 0) {
            EXPECT_EQ(trace, "------------------------\n");
        }
        // Rebuilding gives the same ring (and frees the old one).
        std::vector<vector3df> before;
        for (s32 k = 0; k < count; ++k) before.push_back(lift->GetTronconByNumero(k)->fin);
        createTronconsTrace();
        for (s32 k = 0; k < count; ++k) expectNear(lift->GetTronconByNumero(k)->fin, before[k]);
        delete lift;
        lift = nullptr;
    }
}

TEST_F(TSFixeTest, OnePylonTraceInWorkOrder) {
    build({{0.5f}});
    stepFrame();
    const std::vector<std::string> got = lines(createTronconsTrace());
    const std::vector<std::string> heads = {"------------------------",
                                            "troncon 0 POULIE Depart",
                                            "troncon 1 TRONCON_DEP montee 2",
                                            "troncon 2 TRONCON_DEP montee 3",
                                            "troncon 11 TRONCON_LIGNE descente 2",
                                            "troncon 10 TRONCON_LIGNE descente 3",
                                            "P0 support",
                                            "troncon 3 LIGNE montee debut = ",
                                            "P last support",
                                            "troncon 4 LIGNE montee debut = ",
                                            "troncon 5 Galet Montee Arrivee",
                                            "troncon 6 POULIE Arrivee",
                                            "troncon 7 Galet Descente Arrivee",
                                            "troncon 9 LIGNE descente debut = ",
                                            "troncon 8 LIGNE descente debut = ",
                                            "------------------------"};
    ASSERT_EQ(got.size(), heads.size());
    for (size_t i = 0; i < heads.size(); ++i) EXPECT_EQ(got[i].compare(0, heads[i].size(), heads[i]), 0) << got[i];

    const CTronconRM* t = lift->GetTronconByNumero(3);
    char expected[256];
    snprintf(expected, sizeof expected, "troncon 3 LIGNE montee debut = %f ; %f ; %f  fin = %f ; %f ; %f", t->debut.X,
             t->debut.Y, t->debut.Z, t->fin.X, t->fin.Y, t->fin.Z);
    EXPECT_EQ(got[7], expected);
    // Appended out of number order: 11 and 10 come right after the first three, 9 after 8.
    EXPECT_EQ(lift->arrTroncons[3]->numero, 11);
    EXPECT_EQ(lift->arrTroncons[4]->numero, 10);
    EXPECT_EQ(lift->arrTroncons[10]->numero, 9);
    EXPECT_EQ(lift->arrTroncons[11]->numero, 8);
}

TEST_F(TSFixeTest, SupportLinesNameFirstMiddleAndLastPylons) {
    build({{0.25f}, {0.5f}, {0.75f}});
    stepFrame();
    std::vector<std::string> support;
    for (const std::string& l : lines(createTronconsTrace()))
        if (l[0] == 'P') support.push_back(l);
    EXPECT_EQ(support, (std::vector<std::string>{"P0 support", "Pi support", "Pi-1 support", "P last support"}));
}

TEST_F(TSFixeTest, PylonNeighbours) {
    struct Case {
        int pylons, i, prev, next;
    };
    const Case cases[] = {{3, 0, -1, 1}, {3, 1, 0, 2}, {3, 2, 1, -1}, {0, 0, -1, -1}};
    for (const Case& c : cases) {
        build(std::vector<Pylon>(c.pylons, Pylon{0.5f}));
        EXPECT_EQ(lift->getPrevPylone(c.i), c.prev) << c.pylons << " pylons, pylon " << c.i;
        EXPECT_EQ(lift->getNextPylone(c.i), c.next) << c.pylons << " pylons, pylon " << c.i;
        delete lift;
        lift = nullptr;
    }
}

TEST_F(TSFixeTest, PylonInAHollowHoldsTheRopeDown) {
    build({{0.5f, -60.0f}});
    stepFrame();
    const std::vector<std::string> got = lines(createTronconsTrace());
    EXPECT_NE(std::find(got.begin(), got.end(), "P0 compression"), got.end());
    EXPECT_NE(std::find(got.begin(), got.end(), "P last compression"), got.end());
    CPyloneRM* p = lift->arrPylones[0];
    EXPECT_EQ(p->supportMontee, -1);
    EXPECT_EQ(p->supportDescente, -1);
    // The chairs pass 0.4 under the marker; the drawn rope 0.2.
    expectNear(lift->GetTronconByNumero(3)->fin, p->markerMontee->getAbsolutePosition() - vector3df(0, 0.4f, 0));
    expectNear(lift->GetTronconByNumero(9)->debut, p->markerDescente->getAbsolutePosition() - vector3df(0, 0.4f, 0));
    expectNear(lift->ropeLines()[4].end, p->markerMontee->getAbsolutePosition() - vector3df(0, 0.2f, 0));
}

// A ring laid by hand: chairs every 30 units carried over from one straight segment to the next.
TEST_F(TSFixeTest, ChairsAreSpacedAlongTheStraightSegments) {
    build();
    stepFrame();
    lift->createTroncons();
    for (u32 i = 0; i < lift->arrTroncons.size(); ++i) delete lift->arrTroncons[i];
    lift->arrTroncons.clear();
    struct Seg {
        float length;
        bool montee;
        s32 chairs;
    };
    const Seg segs[] = {{0, true, 0}, {100, true, 3}, {50, true, 1}, {5, false, 0}, {60, false, 2}};
    float z = 0;
    for (s32 k = 0; k < 5; ++k) {
        CTronconRM* t = new CTronconRM();
        t->numero = k;
        t->setType(k == 0 ? POULIEDEPART : TRONCON_LIGNE);
        t->montee = segs[k].montee;
        t->debut = vector3df(0, 0, z);
        t->fin = vector3df(0, 0, z + segs[k].length);
        z += segs[k].length;
        lift->arrTroncons.push_back(t);
    }
    lift->createVehicules();

    s32 perSegment[5] = {};
    for (u32 i = 0; i < lift->arrVehicules.size(); ++i) {
        CVehicule* v = lift->arrVehicules[i];
        ++perSegment[v->numtroncon];
        EXPECT_EQ(v->getType(), VEHICULE_SIEGE);
        const float yaw = lift->getRotation().Y + (segs[v->numtroncon].montee ? 0 : 180);
        expectNear(v->getRotation(), vector3df(0, yaw, 0));
    }
    for (s32 k = 0; k < 5; ++k) EXPECT_EQ(perSegment[k], segs[k].chairs) << k;

    ASSERT_GE(lift->arrVehicules.size(), 3u);
    const float at[3] = {20, 50, 80};
    for (int i = 0; i < 3; ++i) {
        expectNear(lift->arrVehicules[i]->getPosition(), vector3df(0, 0, at[i]));
        EXPECT_NEAR(lift->arrVehicules[i]->progression, at[i] / 100, 1e-5f);
    }
}
