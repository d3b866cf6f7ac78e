// Fixed-grip surface lift: terminals, picking, rope loop, signs, rope lines, T-bar layout.
#include <cmath>
#include <cstdio>
#include <string>
#include "TKFixeTest.h"

using namespace irr;
using core::vector3df;

namespace {

struct RotationCase {
    vector3df top;  // relative to the bottom terminal
    vector3df bottomRotation;
    vector3df topRotation;
};

std::string formatLine(const CTronconRM* t, const char* way) {
    char buf[256];
    snprintf(buf, sizeof buf, "troncon %i LIGNE %s debut = %f ; %f ; %f  fin = %f ; %f ; %f\n", t->numero, way,
             t->debut.X, t->debut.Y, t->debut.Z, t->fin.X, t->fin.Y, t->fin.Z);
    return buf;
}

}  // namespace

TEST_F(TKFixeTest, TerminalsFaceEachOtherWithoutWrappingTheSums) {
    const RotationCase cases[] = {
        {{0, 10, 100}, {0, 90, 0}, {0, -90, 0}},   // yaw 0
        {{-100, 0, 0}, {0, 360, 0}, {0, 180, 0}},  // yaw 270
        {{100, 20, 0}, {0, 180, 0}, {0, 0, 0}},    // yaw 90
        {{0, 0, -100}, {0, 270, 0}, {0, 90, 0}},   // yaw 180
        {{0, 0, 0}, {0, 90, 0}, {0, -90, 0}},      // same place: atan2(0, 0) = 0
    };
    const vector3df bottom(10, 5, 20);
    for (const RotationCase& c : cases) {
        CTKFixe l(smgr, driver);
        l.setPositionDepart(bottom);
        l.createGareDepart();
        EXPECT_EQ(l.getRotation(), vector3df(0, 0, 0));
        l.setPositionArrivee(bottom + c.top);
        l.createGareArrivee();
        EXPECT_TRUE(Near(l.getRotation(), c.bottomRotation, 1e-3f));
        EXPECT_TRUE(Near(l.nodeGareArrivee->getRotation(), c.topRotation, 1e-3f));
        EXPECT_EQ(l.getPositionDepart(), bottom);
        EXPECT_EQ(l.getPositionArrivee(), bottom + c.top);
    }
}

TEST_F(TKFixeTest, OnlyTheNamedBottomTerminalCanBePicked) {
    build({0, 0, 0}, {0, 30, 150});
    EXPECT_EQ(lift->getNodeName(), "rmtkf0");
    EXPECT_EQ(lift->type, REMONTEE_TKFIXE);
    EXPECT_EQ(lift->nodeGareDepart->getID(), 4);
    EXPECT_NE(lift->nodeGareDepart->getTriangleSelector(), nullptr);
    EXPECT_EQ(lift->nodeGareArrivee->getTriangleSelector(), nullptr);

    // A ray through each terminal's structure, as the map's picking casts it (mask 7).
    auto pick = [&](scene::IMeshSceneNode* terminal, const vector3df& local) {
        vector3df p = local;
        terminal->getAbsoluteTransformation().transformVect(p);
        core::line3df ray(p + vector3df(0, 0, -80), p + vector3df(0, 0, 80));
        vector3df hit;
        core::triangle3df tri;
        return smgr->getSceneCollisionManager()->getSceneNodeAndCollisionPointFromRay(ray, hit, tri, 7);
    };
    EXPECT_EQ(pick(lift->nodeGareDepart, {1.6f, 3.0f, 0.0f}), lift->nodeGareDepart);  // the mast
    EXPECT_EQ(pick(lift->nodeGareArrivee, {0.0f, 0.5f, 0.0f}), nullptr);              // the anchor block
}

TEST_F(TKFixeTest, TerminalMeshesAndWheelsStandWhereTheRopeRuns) {
    build({0, 0, 0}, {0, 0, 200});  // line along +Z
    // The rope leaves each wheel on its rim, on either side of the wheel's centre.
    EXPECT_TRUE(Near((Bm() + Bd()) / 2, B(), 1e-3f));
    EXPECT_NEAR((Tm() - Td()).getLength(), 1.5f * 2 * std::sqrt(1.4f * 1.4f + 0.3f * 0.3f), 1e-3f);
    // Bottom wheel at (-1.2, 5.2, 0) * 1.8 turned by 90: 2.16 up the line, 9.36 high.
    EXPECT_TRUE(Near(B(), vector3df(0, 9.36f, 2.16f), 1e-3f));
    EXPECT_TRUE(Near(T(), vector3df(0, 21.75f, 200 - 21.6f), 1e-3f));
    // Both terminal meshes were found (a missing one would leave an empty node).
    EXPECT_NE(lift->meshGareDepart, nullptr);
    EXPECT_NE(lift->meshGareArrivee, nullptr);
    EXPECT_GT(lift->nodeGareDepart->getMaterialCount(), 0u);
}

TEST_F(TKFixeTest, MissingMediaLeavesAWorkingLiftWithoutMeshes) {
    hideMedia({"departTKFixe.obj", "baseArriveeTK.obj", "tkf-sound.mp3"});
    capture.start();
    build({0, 0, 0}, {0, 30, 150}, {{PYLONE_TK_MONTEE_DESCENTE, 0.5f, 0}});
    finish();
    const std::string out = capture.stop();
    EXPECT_NE(out.find("Erreur chargement mesh TKF media/departTKFixe.obj\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Erreur chargement mesh TKF media/baseArriveeTK.obj\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Erreur chargement son moteur TKF\n"), std::string::npos) << out;
    EXPECT_EQ(lift->getNodeName(), "rmtkf0");
    EXPECT_EQ(lift->nodeGareDepart->getID(), 4);
    EXPECT_EQ(lift->nodeGareDepart->getTriangleSelector(), nullptr);
    EXPECT_EQ(lift->arrTroncons.size(), 6u);
    EXPECT_FALSE(lift->arrVehicules.empty());
    const s32 before = lift->arrVehicules[0]->numtroncon;
    const f32 progression = lift->arrVehicules[0]->progression;
    const vector3df cam(0, 0, 0);
    lift->update(&cam, 0.05f);
    EXPECT_TRUE(lift->arrVehicules[0]->numtroncon != before || lift->arrVehicules[0]->progression != progression);
    lift->drawCables();
}

TEST_F(TKFixeTest, LoopBeforeTheTopTerminalIsNothing) {
    lift = new CTKFixe(smgr, driver);
    lift->createGareDepart();
    capture.start();
    lift->createTroncons();
    core::array<core::line3df> lines;
    lift->cableLines(lines);
    lift->update(nullptr, 0.1f);
    EXPECT_EQ(capture.stop(), "");
    EXPECT_TRUE(lift->arrTroncons.empty());
    EXPECT_TRUE(lines.empty());
}

// The rope loop for each pylon layout: numbers in travelling order, types,
// up-line flags and end points over the markers, offset by the pylon's sign.
TEST_F(TKFixeTest, RopeLoopSegmentsForEachPylonLayout) {
    struct Row {
        s32 type;
        bool montee;
        vector3df debut, fin, centre;
    };
    struct Layout {
        const char* name;
        std::vector<PylonSpec> pylons;
    };
    const Layout layouts[] = {
        {"none", {}},
        {"one kind 1", {{1, 0.5f, 3}}},
        {"one kind 2", {{2, 0.5f, 3}}},
        {"kinds 2-1-2", {{2, 0.25f, 4}, {1, 0.5f, -6}, {2, 0.75f, 4}}},
    };
    const vector3df Z(0, 0, 0);
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        build({5, 0, -10}, {60, 40, 190}, layout.pylons);
        for (u32 i = 0; i < lift->arrPylones.size(); ++i)
            lift->arrPylones[i]->supportDescente = 7;  // shows which ones are rewritten
        capture.start();
        lift->createTroncons();
        const std::string out = capture.stop();

        std::vector<Row> rows;
        const size_t N = layout.pylons.size();
        if (N == 0) {
            EXPECT_EQ(out, "------------------------\n");
            rows = {{POULIEDEPART, true, Z, Z, B()},
                    {TRONCON_LIGNE, true, Bm(), Tm(), Z},
                    {POULIEARRIVEE, true, Z, Z, T()},
                    {TRONCON_LIGNE, false, Td(), Bd(), Z}};
        } else if (N == 1 && layout.pylons[0].kind == 1) {
            rows = {{POULIEDEPART, true, Z, Z, B()},
                    {TRONCON_LIGNE, true, Bm(), PmRope(0), Z},
                    {TRONCON_LIGNE, true, PmRope(0), Tm(), Z},
                    {POULIEARRIVEE, true, Z, Z, T()},
                    {TRONCON_LIGNE, false, Td(), PdRope(0), Z},
                    {TRONCON_LIGNE, false, PdRope(0), Bd(), Z}};
            EXPECT_EQ(lift->arrPylones[0]->supportDescente, lift->supportOrCompression(T(), Pd(0), B()));
        } else if (N == 1) {
            rows = {{POULIEDEPART, true, Z, Z, B()},
                    {TRONCON_LIGNE, true, Bm(), PmRope(0), Z},
                    {TRONCON_LIGNE, true, PmRope(0), Tm(), Z},
                    {POULIEARRIVEE, true, Z, Z, T()},
                    {TRONCON_LIGNE, false, Td(), Bd(), Z}};
            EXPECT_EQ(lift->arrPylones[0]->supportDescente, 7);
        } else {
            rows = {{POULIEDEPART, true, Z, Z, B()},
                    {TRONCON_LIGNE, true, Bm(), PmRope(0), Z},
                    {TRONCON_LIGNE, true, PmRope(0), PmRope(1), Z},
                    {TRONCON_LIGNE, true, PmRope(1), PmRope(2), Z},
                    {TRONCON_LIGNE, true, PmRope(2), Tm(), Z},
                    {POULIEARRIVEE, true, Z, Z, T()},
                    {TRONCON_LIGNE, false, Td(), PdRope(1), Z},
                    {TRONCON_LIGNE, false, PdRope(1), Bd(), Z}};
            EXPECT_EQ(lift->arrPylones[1]->supportDescente, lift->supportOrCompression(Td(), Pd(1), Bd()));
            EXPECT_EQ(lift->arrPylones[0]->supportDescente, 7);
            EXPECT_EQ(lift->arrPylones[2]->supportDescente, 7);
        }
        ASSERT_EQ(lift->arrTroncons.size(), rows.size());
        for (size_t n = 0; n < rows.size(); ++n) {
            SCOPED_TRACE(n);
            CTronconRM* t = lift->GetTronconByNumero(static_cast<s32>(n));
            ASSERT_NE(t, nullptr);
            EXPECT_EQ(t->getType(), rows[n].type);
            EXPECT_EQ(t->montee, rows[n].montee);
            EXPECT_TRUE(Near(t->debut, rows[n].debut, 1e-4f));
            EXPECT_TRUE(Near(t->fin, rows[n].fin, 1e-4f));
            EXPECT_TRUE(Near(t->centre, rows[n].centre, 1e-4f));
        }
        delete lift;
        lift = nullptr;
    }
}

TEST_F(TKFixeTest, SignsFollowThePylonsAboveOrBelowTheRope) {
    struct Case {
        std::vector<PylonSpec> pylons;
        std::vector<s32> montee, descente;
    };
    const Case cases[] = {
        {{{1, 0.5f, 30}}, {1}, {1}},
        {{{1, 0.5f, -30}}, {-1}, {-1}},
        {{{2, 0.25f, 30}, {1, 0.5f, -30}, {2, 0.75f, 30}}, {1, -1, 1}, {7, -1, 7}},
        {{{1, 0.25f, -30}, {1, 0.5f, 30}, {1, 0.75f, -30}}, {-1, 1, -1}, {-1, 1, -1}},
    };
    for (const Case& c : cases) {
        build({0, 0, 0}, {0, 50, 300}, c.pylons);
        for (u32 i = 0; i < lift->arrPylones.size(); ++i) lift->arrPylones[i]->supportDescente = 7;
        lift->createTroncons();
        for (size_t i = 0; i < c.pylons.size(); ++i) {
            EXPECT_EQ(lift->arrPylones[i]->supportMontee, c.montee[i]) << "pylon " << i;
            EXPECT_EQ(lift->arrPylones[i]->supportDescente, c.descente[i]) << "pylon " << i;
        }
        delete lift;
        lift = nullptr;
    }
}

TEST_F(TKFixeTest, RopeLoopTracesEverySegmentAndSign) {
    build({0, 0, 0}, {0, 50, 300}, {{1, 0.25f, 30}, {1, 0.5f, -30}, {1, 0.75f, 30}});
    capture.start();
    lift->createTroncons();
    const std::string out = capture.stop();
    auto seg = [&](int n, const char* way) { return formatLine(lift->GetTronconByNumero(n), way); };
    const std::string expected = "------------------------\n"
                                 "troncon 0 POULIE Depart\n"
                                 "P0 support\n" +
                                 seg(1, "montee") + "Pi compression\n" + seg(2, "montee") + "Pi-1 support\n" +
                                 seg(3, "montee") + "P last support\n" + seg(4, "montee") +
                                 "troncon 5 POULIE Arrivee\n" + seg(6, "descente") + seg(7, "descente") +
                                 seg(8, "descente") + seg(9, "descente") + "------------------------\n";
    EXPECT_EQ(out, expected);

    delete lift;
    build({0, 0, 0}, {0, 50, 300}, {{1, 0.5f, -30}});
    capture.start();
    lift->createTroncons();
    EXPECT_EQ(capture.stop(), "------------------------\n"
                              "troncon 0 POULIE Depart\n"
                              "P0 compression\n" +
                                  seg(1, "montee") + "P last compression\n" + seg(2, "montee") +
                                  "troncon 3 POULIE Arrivee\n" + seg(4, "descente") + seg(5, "descente") +
                                  "------------------------\n");
}

TEST_F(TKFixeTest, RebuildingTheLoopReplacesItsSegments) {
    build({0, 0, 0}, {0, 50, 300}, {{1, 0.5f, 0}});
    lift->createTroncons();
    lift->arrPylones[0]->changeTypePylone(PYLONE_TK_MONTEE, lift->arrPylones[0]->getPosition(),
                                          lift->arrPylones[0]->getRotation());
    lift->createTroncons();  // the sanitizer build shows a leak if the old loop stays
    EXPECT_EQ(lift->arrTroncons.size(), 5u);
}

TEST_F(TKFixeTest, RopeLinesRunOverThePylonHeads) {
    build({0, 0, 0}, {30, 50, 300});
    lift->createTroncons();
    core::array<core::line3df> lines;
    lift->cableLines(lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], core::line3df(Bm(), Tm()));
    EXPECT_EQ(lines[1], core::line3df(Td(), Bd()));
    lift->drawCables();
    delete lift;

    build({0, 0, 0}, {30, 50, 300}, {{2, 0.25f, 4}, {1, 0.5f, -6}, {2, 0.75f, 4}});
    lift->createTroncons();
    lift->cableLines(lines);
    const core::line3df expected[] = {
        {Bm(), PmRope(0)}, {PmRope(0), PmRope(1)}, {PmRope(1), PmRope(2)},
        {PmRope(2), Tm()}, {Td(), PdRope(1)},      {PdRope(1), Bd()},
    };
    ASSERT_EQ(lines.size(), 6u);
    for (u32 i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
    lift->drawCables();
}

// T-bars every 20 units along the straight segments, the remainder carried on
// from one segment to the next.
TEST_F(TKFixeTest, TBarsAreSpacedAlongTheLineWithTheCarry) {
    struct Stretch {
        f32 length;
        bool montee;
    };
    struct Bar {
        s32 segment;
        f32 along;
        f32 progression;
    };
    struct Case {
        std::vector<Stretch> stretches;
        std::vector<Bar> bars;
        const char* trace;
    };
    const Case cases[] = {
        {{{25, true}, {35, false}},
         {{1, 15, 0.6f}, {2, 10, 10.0f / 30}},
         "troncon->1 nbperches=1 difference=0.000000 ; 0.000000 ; 1.000000\n"
         "troncon->2 nbperches=1 difference=0.000000 ; 0.000000 ; -1.000000\n"},
        {{{25, true}, {3, true}, {35, false}}, {{1, 15, 0.6f}, {3, 3, 3.0f / 37}}, nullptr},
        {{{0, true}, {45, true}},
         {{2, 15, 15.0f / 45}, {2, 35, 35.0f / 45}},
         "troncon->1 nbperches=0 difference=0.000000 ; 0.000000 ; 0.000000\n"
         "troncon->2 nbperches=2 difference=0.000000 ; 0.000000 ; 1.000000\n"},
    };
    for (const Case& c : cases) {
        build({0, 0, 0}, {0, 0, 100});  // bottom terminal turned to 90
        for (u32 i = 0; i < lift->arrTroncons.size(); ++i) delete lift->arrTroncons[i];
        lift->arrTroncons.clear();
        CTronconRM* wheel = new CTronconRM();
        wheel->numero = 0;
        wheel->setType(POULIEDEPART);
        lift->arrTroncons.push_back(wheel);
        vector3df at(3, 1, 2);
        for (size_t i = 0; i < c.stretches.size(); ++i) {
            CTronconRM* t = new CTronconRM();
            t->numero = static_cast<s32>(i) + 1;
            t->setType(TRONCON_LIGNE);
            t->montee = c.stretches[i].montee;
            t->debut = at;
            at.Z += c.stretches[i].montee ? c.stretches[i].length : -c.stretches[i].length;
            t->fin = at;
            lift->arrTroncons.push_back(t);
        }
        capture.start();
        lift->createVehicules();
        const std::string out = ownLines(capture.stop());
        if (c.trace) {
            EXPECT_EQ(out, c.trace);
        }
        ASSERT_EQ(lift->arrVehicules.size(), c.bars.size());
        for (size_t k = 0; k < c.bars.size(); ++k) {
            CVehicule* v = lift->arrVehicules[k];
            CTronconRM* t = lift->GetTronconByNumero(c.bars[k].segment);
            EXPECT_EQ(v->getType(), VEHICULE_PERCHE_FIXE);
            EXPECT_EQ(v->numtroncon, c.bars[k].segment);
            EXPECT_NEAR(v->progression, c.bars[k].progression, 1e-5f);
            EXPECT_TRUE(Near(v->getPosition(), t->debut + (t->fin - t->debut).normalize() * c.bars[k].along, 1e-4f));
            EXPECT_TRUE(Near(v->getRotation(), vector3df(0, t->montee ? 90.0f : 270.0f, 0), 1e-4f));
        }
        delete lift;
        lift = nullptr;
    }
}
