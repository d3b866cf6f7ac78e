// Detachable surface lift: terminals, rope loop, rope lines, traces.
#include <cstdio>
#include "TKDTest.h"

using namespace irr;
using core::vector3df;

namespace {

std::string fmt(const char* format, double a = 0, double b = 0, double c = 0, double d = 0, double e = 0,
                double f = 0) {
    char buf[512];
    snprintf(buf, sizeof buf, format, a, b, c, d, e, f);
    return buf;
}

std::string fmtN(const char* format, int n, const vector3df& p, const vector3df& q) {
    char buf[512];
    snprintf(buf, sizeof buf, format, n, p.X, p.Y, p.Z, q.X, q.Y, q.Z);
    return buf;
}

void expectNear(const vector3df& a, const vector3df& b, float eps = 1e-3f) {
    EXPECT_NEAR(a.X, b.X, eps);
    EXPECT_NEAR(a.Y, b.Y, eps);
    EXPECT_NEAR(a.Z, b.Z, eps);
}

void expectLine(const core::line3df& l, const vector3df& from, const vector3df& to) {
    EXPECT_EQ(l.start, from);
    EXPECT_EQ(l.end, to);
}

}  // namespace

TEST_F(TKDTest, TerminalsStandFaceEachOtherAndOnlyTheBottomIsPickable) {
    struct Case {
        vector3df top;
        float bottomYaw, topYaw;
    };
    const Case cases[] = {
        {{0, 20, 100}, 90, 180},    // straight up +Z
        {{0, 20, -100}, 270, 360},  // along -Z: sums are not wrapped again
        {{0, 0, 0}, 90, 180},       // both clicks at one point
        {{100, 20, 0}, 180, 270},  {{-100, 20, 0}, 360, 450},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bottomYaw);
        build(vector3df(0, 0, 0), c.top);
        EXPECT_EQ(lift->type, REMONTEE_TKDEBRAYABLE);
        EXPECT_FLOAT_EQ(lift->vitesse, 4.0f);
        EXPECT_FLOAT_EQ(lift->vitesseMax, 4.0f);
        expectNear(lift->nodeGareDepart->getPosition(), vector3df(0, -4, 0));
        expectNear(lift->nodeGareArrivee->getPosition(), c.top);
        EXPECT_NEAR(lift->getRotation().Y, c.bottomYaw, 1e-3);
        EXPECT_NEAR(lift->nodeGareArrivee->getRotation().Y, c.topYaw, 1e-3);
        EXPECT_EQ(lift->nodeGareDepart->getID(), 6);
        EXPECT_EQ(lift->getNodeName(), "tkdeb0");
        EXPECT_NE(lift->nodeGareDepart->getTriangleSelector(), nullptr);
        EXPECT_EQ(lift->nodeGareArrivee->getTriangleSelector(), nullptr);
        EXPECT_EQ(lift->nodePoulieDepart->getTriangleSelector(), nullptr);
        delete lift;
        lift = nullptr;
    }
}

TEST_F(TKDTest, DeletingTheLiftTakesBothTerminalsOutOfTheScene) {
    build(vector3df(0, 0, 0), vector3df(30, 10, 80));
    ASSERT_NE(smgr->getSceneNodeFromName("tkdeb0"), nullptr);
    const u32 before = smgr->getRootSceneNode()->getChildren().size();
    delete lift;
    lift = nullptr;
    EXPECT_EQ(smgr->getSceneNodeFromName("tkdeb0"), nullptr);
    EXPECT_EQ(smgr->getRootSceneNode()->getChildren().size(), before - 2);
}

TEST_F(TKDTest, LoopHasEightSegmentsOverTheMarkersInTravellingOrder) {
    const std::string trace = build(vector3df(10, 5, -20), vector3df(60, 40, 90));
    CTKDebrayable& l = *lift;
    struct Row {
        s32 type;
        bool montee;
        scene::ISceneNode *debut, *fin, *centre;
    };
    const Row rows[8] = {
        {POULIEDEPART, true, nullptr, nullptr, l.nodePoulieDepart},
        {TRONCON_GARETKD, true, l.markerPoulieDepartMontee, l.markerGaletDepartMontee, nullptr},
        {TRONCON_LIGNE, true, l.markerGaletDepartMontee, l.markerGaletArriveeMontee, nullptr},
        {TRONCON_LIGNE, true, l.markerGaletArriveeMontee, l.markerPoulieArriveeMontee, nullptr},
        {POULIEARRIVEE, true, nullptr, nullptr, l.nodePoulieArrivee},
        {TRONCON_LIGNE, false, l.markerPoulieArriveeDescente, l.markerGaletArriveeDescente, nullptr},
        {TRONCON_LIGNE, false, l.markerGaletArriveeDescente, l.markerGaletDepartDescente, nullptr},
        {TRONCON_LIGNE, false, l.markerGaletDepartDescente, l.markerPoulieDepartDescente, nullptr},
    };
    ASSERT_EQ(l.arrTroncons.size(), 8u);
    std::string expected = "------------------------\n";
    const vector3df zero(0, 0, 0);
    for (s32 i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        CTronconRM* t = l.arrTroncons[i];
        EXPECT_EQ(t->numero, i);
        EXPECT_EQ(t->getType(), rows[i].type);
        EXPECT_EQ(t->montee, rows[i].montee);
        EXPECT_EQ(t->debut, rows[i].debut ? at(rows[i].debut) : zero);
        EXPECT_EQ(t->fin, rows[i].fin ? at(rows[i].fin) : zero);
        EXPECT_EQ(t->centre, rows[i].centre ? at(rows[i].centre) : zero);
    }
    auto c = [&](int i) { return l.arrTroncons[i]->centre; };
    auto seg = [&](const char* f, int i) { return fmtN(f, i, l.arrTroncons[i]->debut, l.arrTroncons[i]->fin); };
    expected += fmt("Troncon 0 POULIEDEPART %f %f %f\n", c(0).X, c(0).Y, c(0).Z);
    expected += seg("Troncon %i TRONCON_GARETKD deb %f %f %f et fin %f %f %f\n", 1);
    expected += seg("Troncon %i TRONCON_LIGNE deb %f %f %f et fin %f %f %f\n", 2);
    expected += seg("Troncon %i TRONCON_LIGNE deb %f %f %f et fin %f %f %f\n", 3);
    expected += fmt("Troncon 4 POULIEARRIVEE %f %f %f\n", c(4).X, c(4).Y, c(4).Z);
    for (int i = 5; i < 8; ++i) expected += seg("Troncon %i TRONCON_LIGNE deb %f %f %f et fin %f %f %f\n", i);
    // createGareArrivee builds the loop, the game window's own call rebuilds the same one.
    EXPECT_EQ(trace.find(expected + expected), trace.find("------------------------"));

    // The waiting stretch and both lines point the way the line goes.
    vector3df line = lift->getPositionArrivee() - lift->getPositionDepart();
    line.Y = 0;
    line.normalize();
    for (int i : {1, 2, 3}) {
        vector3df d = l.arrTroncons[i]->fin - l.arrTroncons[i]->debut;
        d.Y = 0;
        EXPECT_GT(d.normalize().dotProduct(line), 0.95f) << i;
    }
    vector3df down = l.arrTroncons[6]->fin - l.arrTroncons[6]->debut;
    down.Y = 0;
    EXPECT_LT(down.normalize().dotProduct(line), -0.95f);
}

TEST_F(TKDTest, RopeLinesRunMarkerToMarkerOnceBothTerminalsStand) {
    capture.start();
    lift = new CTKDebrayable(smgr, driver);
    lift->setPositionDepart(vector3df(0, 0, 0));
    lift->createGareDepart();
    EXPECT_EQ(lift->getRopeLines().size(), 0u);
    lift->drawCables();  // nothing to draw yet, nothing read
    lift->update(nullptr, 0.02f);
    delete lift;
    lift = nullptr;
    capture.stop();

    build(vector3df(0, 0, 0), vector3df(-40, 25, 120));
    CTKDebrayable& l = *lift;
    scene::ISceneNode* const pairs[6][2] = {
        {l.markerPoulieDepartMontee, l.markerGaletDepartMontee},        // M1 M2
        {l.markerPoulieDepartDescente, l.markerGaletDepartDescente},    // M8 M7
        {l.markerGaletDepartMontee, l.markerGaletArriveeMontee},        // M2 M3
        {l.markerGaletDepartDescente, l.markerGaletArriveeDescente},    // M7 M6
        {l.markerGaletArriveeMontee, l.markerPoulieArriveeMontee},      // M3 M4
        {l.markerGaletArriveeDescente, l.markerPoulieArriveeDescente},  // M6 M5
    };
    const core::array<core::line3df> lines = l.getRopeLines();
    ASSERT_EQ(lines.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        expectLine(lines[i], at(pairs[i][0]), at(pairs[i][1]));
    }
    l.drawCables();
}

TEST_F(TKDTest, PyloneLookUpsFindOnlyKindSix) {
    build(vector3df(0, 0, 0), vector3df(0, 20, 100));
    for (s32 kind : {PYLONE_TKD, PYLONE_TK_MONTEE_DESCENTE, PYLONE_TKD, PYLONE_AUCUN}) {
        CPyloneRM* p = new CPyloneRM(smgr, driver);
        p->setTypePylone(kind);
        lift->arrPylones.push_back(p);
    }
    struct Case {
        s32 i, prev, next;
    };
    for (const Case& c :
         {Case{-1, -1, 0}, Case{0, -1, 2}, Case{1, 0, 2}, Case{2, 0, -1}, Case{3, 2, -1}, Case{4, 2, -1}}) {
        EXPECT_EQ(lift->getPrevPyloneType6(c.i), c.prev) << c.i;
        EXPECT_EQ(lift->getNextPyloneType6(c.i), c.next) << c.i;
    }
}

TEST_F(TKDTest, LoopWithPylonsSkipsMissingMarkersAndPassesKindSixOnTheDownLine) {
    build(vector3df(0, 0, 0), vector3df(0, 20, 100));
    CTKDebrayable& l = *lift;
    const vector3df m1 = at(l.markerPoulieDepartMontee), m3 = at(l.markerGaletArriveeMontee);
    const vector3df m6 = at(l.markerGaletArriveeDescente), m8 = at(l.markerPoulieDepartDescente);

    // A kind-6 pylon as nothing builds it: no model, no markers.
    CPyloneRM* bare = new CPyloneRM(smgr, driver);
    bare->setTypePylone(PYLONE_TKD);
    l.arrPylones.push_back(bare);
    capture.start();
    l.createTroncons();
    std::string expected = "--ALERTE TRONCON--\n------------------------\ntroncon 0 POULIE Depart\n";
    expected += fmtN("troncon %i LIGNE montee debut = %f ; %f ; %f  fin = %f ; %f ; %f\n", 1, m1, m3);
    expected += "troncon 2 POULIE Arrivee\n";
    expected += fmtN("troncon %i LIGNE descente debut = %f ; %f ; %f  fin = %f ; %f ; %f\n", 3, m6, m8);
    expected += "------------------------\n";
    EXPECT_EQ(capture.stop(), expected);
    ASSERT_EQ(l.arrTroncons.size(), 4u);
    const core::array<core::line3df> bareLines = l.getRopeLines();
    ASSERT_EQ(bareLines.size(), 2u);
    expectLine(bareLines[0], m1, m3);
    expectLine(bareLines[1], m8, m6);

    // A surface-lift tower given kind 6 afterwards keeps both markers: the
    // up line and the down line both pass over it.
    CPyloneRM* tower = new CPyloneRM(smgr, driver);
    tower->setTypePylone(PYLONE_TK_MONTEE_DESCENTE);
    tower->createPylone(vector3df(0, -2, 50), lift->getRotation());
    tower->setTypePylone(PYLONE_TKD);
    l.arrPylones.push_back(tower);
    capture.start();
    l.createTroncons();
    const std::string trace = capture.stop();
    const vector3df up = at(tower->markerMontee) + vector3df(0, tower->supportMontee == 1 ? 0.4f : -0.4f, 0);
    const vector3df dn = at(tower->markerDescente) + vector3df(0, tower->supportDescente == 1 ? 0.4f : -0.4f, 0);
    const char* sign = tower->supportMontee == 1 ? "support" : "compression";
    expected = "--ALERTE TRONCON--\n------------------------\ntroncon 0 POULIE Depart\n";
    expected += std::string("P0 ") + sign + "\n";
    expected += fmtN("troncon %i LIGNE montee debut = %f ; %f ; %f  fin = %f ; %f ; %f\n", 1, m1, up);
    expected += std::string("P last ") + sign + "\n";
    expected += fmtN("troncon %i LIGNE montee debut = %f ; %f ; %f  fin = %f ; %f ; %f\n", 2, up, m3);
    expected += "troncon 3 POULIE Arrivee\n";
    expected += fmtN("troncon %i LIGNE descente debut = %f ; %f ; %f  fin = %f ; %f ; %f\n", 4, m6, dn);
    expected += fmtN("troncon %i LIGNE descente debut = %f ; %f ; %f  fin = %f ; %f ; %f\n", 5, dn, m8);
    expected += "------------------------\n";
    EXPECT_EQ(trace, expected);
    // The tower stands below the chord between the wheels: compression on the up line.
    EXPECT_EQ(tower->supportMontee, -1);

    const core::array<core::line3df> lines = l.getRopeLines();
    ASSERT_EQ(lines.size(), 4u);
    expectLine(lines[0], m1, up);
    expectLine(lines[1], up, m3);
    expectLine(lines[2], m6, dn);
    expectLine(lines[3], dn, m8);
}

TEST_F(TKDTest, MissingMeshesLeaveEmptyNodesAndAWorkingLift) {
    TempDir noMedia(false);
    const std::string trace = build(vector3df(0, 0, 0), vector3df(0, 20, 100));
    for (const char* file : {"media/gareTKD.obj", "media/gareArriveeTKD.obj", "media/poulie-TKD.obj"})
        EXPECT_NE(trace.find(std::string("Erreur chargement mesh TKD ") + file + "\n"), std::string::npos) << file;
    EXPECT_EQ(lift->nodeGareDepart->getType(), scene::ESNT_EMPTY);
    EXPECT_EQ(lift->nodeGareDepart->getID(), 6);
    EXPECT_EQ(lift->getNodeName(), "tkdeb0");
    EXPECT_EQ(lift->nodeGareDepart->getTriangleSelector(), nullptr);
    EXPECT_NEAR(lift->getRotation().Y, 90, 1e-3);
    ASSERT_EQ(lift->arrTroncons.size(), 8u);
    // Markers where the real terminal would carry them: M1 at 3.98 * 4 over a node 4 below the click.
    EXPECT_NEAR(lift->arrTroncons[1]->debut.Y, -4 + 3.98f * 4, 1e-3);
    EXPECT_EQ(lift->getRopeLines().size(), 6u);

    capture.start();
    lift->lancePerche();
    for (int i = 0; i < 5000 && pole()->numtroncon != 1; ++i) lift->update(nullptr, 0.05f);
    capture.stop();
    EXPECT_EQ(pole()->numtroncon, 1);
    EXPECT_EQ(pole()->placeGareTk, 0);
}
