// Pylons and their models.
#include "CPyloneRM.h"
#include "LiftCoreTest.h"

using namespace irr;
using core::vector3df;

namespace {

const vector3df P(10, 2, -4);
const vector3df NO_MARKER(-999, -999, -999);

// Which of the ten parts a kind builds, as a bit mask.
u32 partsMask(const CPyloneRM& p) {
    u32 mask = 0;
    for (int i = 0; i < 10; ++i)
        if (p.parts[i].node) mask |= 1u << i;
    return mask;
}

const u32 TK_BOTH = 1u << 0 | 1u << 2 | 1u << 6;
const u32 TK_UP = 1u << 0 | 1u << 2;
const u32 TS_ALL = 0x3ff;

vector3df worldOf(scene::ISceneNode* n) { return n ? n->getAbsolutePosition() : NO_MARKER; }

}  // namespace

TEST_F(LiftCoreTest, NewPylonHasNoModel) {
    const u32 before = rootChildren();
    for (s32 kind : {PYLONE_AUCUN, PYLONE_TKD, 17}) {
        CPyloneRM p(smgr, driver);
        EXPECT_EQ(p.getTypePylone(), PYLONE_AUCUN);
        EXPECT_EQ(p.supportMontee, 1);
        EXPECT_EQ(p.supportDescente, 1);
        p.setTypePylone(kind);
        EXPECT_EQ(p.getTypePylone(), kind);
        p.createPylone(P, vector3df(0, 0, 0));
        EXPECT_EQ(partsMask(p), 0u);
        EXPECT_EQ(p.markerMontee, nullptr);
        EXPECT_EQ(p.markerDescente, nullptr);
        p.setRotation(vector3df(0, 40, 0));  // nothing to turn
        p.animateGalets(5);
        EXPECT_EQ(rootChildren(), before);
    }
}

// Marker world positions of every model, built both ways, at two headings.
TEST_F(LiftCoreTest, MarkersStandWhereTheRopeIsLaid) {
    struct Case {
        s32 kind;
        bool rebuild;  // changeTypePylone, else createPylone
        f32 yaw;
        u32 parts;
        vector3df montee, descente;  // offsets from P
    } cases[] = {
        {1, false, 0, TK_BOTH, {0, 7.5f, -2.1f}, {0, 10.8f, 2.25f}},
        {1, true, 90, TK_BOTH, {-2.1f, 7.5f, 0}, {2.25f, 10.8f, 0}},
        {2, false, 0, TK_UP, {0, 7.5f, -2.1f}, NO_MARKER},
        {2, true, 90, TK_UP, {-2.1f, 7.5f, 0}, NO_MARKER},
        {3, false, 0, TS_ALL, {0, 16, 3.2f}, {0, 16.4f, -3.2f}},
        {3, true, 0, TS_ALL, {0, 16, 3.2f}, {0, 16, -3.2f}},
        {3, true, 90, TS_ALL, {3.2f, 16, 0}, {-3.2f, 16, 0}},
        {4, false, 0, TS_ALL, {0, 10.6f, 3.2f}, {0, 10.6f, -3.2f}},
        {4, true, 90, TS_ALL, {3.2f, 10.6f, 0}, {-3.2f, 10.6f, 0}},
        {5, false, 90, TS_ALL, {3.2f, 26, 0}, {-3.2f, 26, 0}},
        {5, true, 0, TS_ALL, {0, 26, 3.2f}, {0, 26, -3.2f}},
    };
    for (const Case& c : cases) {
        CPyloneRM p(smgr, driver);
        const vector3df rot(0, c.yaw, 0);
        if (c.rebuild) {
            p.changeTypePylone(c.kind, P, rot);
        } else {
            p.setTypePylone(c.kind);
            p.createPylone(P, rot);
        }
        const std::string what = "kind " + std::to_string(c.kind) + (c.rebuild ? " rebuilt" : " created") + " yaw " +
                                 std::to_string(int(c.yaw));
        EXPECT_EQ(partsMask(p), c.parts) << what;
        EXPECT_TRUE(Near(worldOf(p.markerMontee), P + c.montee)) << what;
        EXPECT_TRUE(Near(worldOf(p.markerDescente), c.descente == NO_MARKER ? NO_MARKER : P + c.descente)) << what;
        EXPECT_TRUE(Near(p.getPosition(), P)) << what;
        EXPECT_TRUE(Near(p.getRotation(), rot)) << what;
        for (int i = 1; i < 10; ++i) {
            if (p.parts[i].node) {
                EXPECT_EQ(p.parts[i].node->getParent(), p.parts[0].node) << what << " part " << i;
            }
        }
    }
}

TEST_F(LiftCoreTest, ChairliftHeadsHaveFourDistinctSheavesASide) {
    CPyloneRM p(smgr, driver);
    p.changeTypePylone(PYLONE_TS_MOYEN, P, vector3df(0, 0, 0));
    const f32 upX[4] = {-1, -0.5f, 0.5f, 1}, downX[4] = {1, 0.5f, -0.5f, -1};
    const f32 downY[4] = {7.9f, 7.95f, 8.1f, 8.2f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Near(p.parts[2 + i].node->getPosition(), vector3df(upX[i], 8, 1.6f)));
        EXPECT_TRUE(Near(p.parts[6 + i].node->getPosition(), vector3df(downX[i], downY[i], -1.6f)));
        EXPECT_TRUE(Near(p.parts[2 + i].node->getRotation(), vector3df(90, 0, 0)));
        EXPECT_TRUE(Near(p.parts[6 + i].node->getRotation(), vector3df(-90, 0, 0)));
    }
    EXPECT_TRUE(Near(p.parts[1].node->getPosition(), vector3df(0, 8, 0)));
    EXPECT_TRUE(Near(p.parts[0].node->getScale(), vector3df(2, 2, 2)));
    EXPECT_TRUE(Near(p.parts[1].node->getScale(), vector3df(1.5f, 1.5f, 1.5f)));
    EXPECT_TRUE(Near(p.parts[2].node->getScale(), vector3df(0.05f, 0.05f, 0.05f)));
}

TEST_F(LiftCoreTest, ChangeTypePyloneReplacesTheWholeModel) {
    const u32 before = rootChildren();
    CPyloneRM p(smgr, driver);
    p.setTypePylone(PYLONE_TK_MONTEE_DESCENTE);
    p.createPylone(P, vector3df(0, 30, 0));

    p.changeTypePylone(PYLONE_TK_MONTEE, p.getPosition(), p.getRotation());
    EXPECT_EQ(p.getTypePylone(), PYLONE_TK_MONTEE);
    EXPECT_EQ(partsMask(p), TK_UP);
    EXPECT_EQ(p.markerDescente, nullptr);
    EXPECT_EQ(p.parts[6].mesh, nullptr);
    EXPECT_TRUE(Near(p.parts[2].node->getPosition(), vector3df(0, 5, -1.5f)));
    EXPECT_TRUE(Near(p.markerMontee->getPosition(), vector3df(0, 5, -1.4f)));
    EXPECT_EQ(rootChildren(), before + 1);

    p.changeTypePylone(PYLONE_TK_MONTEE_DESCENTE, p.getPosition(), p.getRotation());
    EXPECT_EQ(partsMask(p), TK_BOTH);
    ASSERT_NE(p.markerDescente, nullptr);

    p.changeTypePylone(PYLONE_TS_MOYEN, P, vector3df(0, 0, 0));
    p.changeTypePylone(PYLONE_TS_HAUT, P, vector3df(0, 0, 0));
    EXPECT_EQ(partsMask(p), TS_ALL);
    EXPECT_FLOAT_EQ(p.parts[1].node->getPosition().Y, 13);
    for (int i = 2; i < 10; ++i) EXPECT_FLOAT_EQ(p.parts[i].node->getPosition().Y, 13) << "part " << i;
    EXPECT_EQ(p.parts[0].mesh, smgr->getMesh("media/pyloneTS-haut.obj"));
    EXPECT_EQ(rootChildren(), before + 1);

    p.changeTypePylone(PYLONE_AUCUN, P, vector3df(0, 0, 0));
    EXPECT_EQ(p.getTypePylone(), PYLONE_AUCUN);
    EXPECT_EQ(partsMask(p), 0u);
    EXPECT_EQ(p.markerMontee, nullptr);
    EXPECT_EQ(p.markerDescente, nullptr);
    EXPECT_EQ(rootChildren(), before);
}

TEST_F(LiftCoreTest, CrossarmFollowsTheSignAtBuildAndTheMediumOneSaysWhich) {
    struct Case {
        s32 kind;
        s32 sign;
        bool rebuild;
        const char* crossarm;
        const char* trace;
    } cases[] = {
        {PYLONE_TS_MOYEN, 1, true, "media/potenceTSSupp4G.obj", "Potence pyl moyen TS Support\n"},
        {PYLONE_TS_MOYEN, -1, true, "media/potenceTSComp4G.obj", "Potence pyl moyen TS compression\n"},
        {PYLONE_TS_MOYEN, -1, false, "media/potenceTSComp4G.obj", ""},
        {PYLONE_TS_BAS, -1, true, "media/potenceTSComp4G.obj", ""},
        {PYLONE_TS_HAUT, 1, true, "media/potenceTSSupp4G.obj", ""},
        {PYLONE_TK_MONTEE_DESCENTE, -1, true, nullptr, ""},
    };
    for (const Case& c : cases) {
        CPyloneRM p(smgr, driver);
        p.supportMontee = c.sign;
        capture.start();
        if (c.rebuild) {
            p.changeTypePylone(c.kind, P, vector3df(0, 0, 0));
        } else {
            p.setTypePylone(c.kind);
            p.createPylone(P, vector3df(0, 0, 0));
        }
        EXPECT_EQ(capture.stop(), c.trace) << "kind " << c.kind << " sign " << c.sign;
        EXPECT_EQ(p.parts[1].mesh, c.crossarm ? smgr->getMesh(c.crossarm) : nullptr);
        // A later change of sign keeps the crossarm until the next build.
        p.supportMontee = -c.sign;
        EXPECT_EQ(p.parts[1].mesh, c.crossarm ? smgr->getMesh(c.crossarm) : nullptr);
    }
}

TEST_F(LiftCoreTest, AnimateGaletsTurnsAndWrapsOnce) {
    struct Case {
        s32 kind, supportMontee, supportDescente;
        f32 z2, z6, a;
        f32 want2, want6;
    } cases[] = {
        {1, 1, 1, 359.5f, 10, 1, 0.5f, 9},  // up wheel forward, down wheel back
        {1, -1, -1, 0.5f, 359.5f, 1, 359.5f, 0.5f},
        {1, 1, 1, 359, 1, 1, 360, 0},  // exactly 360 stays, 0 stays
        {1, 1, 1, 10, 0.5f, 1, 11, 359.5f},
        {1, 0, 0, 10, 0.5f, 1, 10, 0.5f},  // no sign, no turn
        {1, 1, 1, 10, 20, 400, 50, -20},   // a step beyond a turn is wrapped once only
        {2, 1, 1, 359.5f, 0, 1, 0.5f, 0},
        {2, -1, 1, 0.5f, 0, 1, 359.5f, 0},
        {3, 1, 1, 123, 0, 1, 50, 0},  // chairlift: set, not accumulated
        {4, -1, 1, 0, 0, 1, 310, 0},
        {5, 1, 1, 0, 0, 8, 40, 0},
    };
    for (const Case& c : cases) {
        CPyloneRM p(smgr, driver);
        p.changeTypePylone(c.kind, P, vector3df(0, 0, 0));
        p.supportMontee = c.supportMontee;
        p.supportDescente = c.supportDescente;
        const f32 x2 = p.parts[2].node->getRotation().X;
        p.parts[2].node->setRotation(vector3df(x2, 0, c.z2));
        if (c.kind == 1) p.parts[6].node->setRotation(vector3df(-90, 0, c.z6));
        const f32 z6Chair = c.kind >= 3 ? p.parts[6].node->getRotation().Z : 0;
        p.animateGalets(c.a);
        const vector3df r2 = p.parts[2].node->getRotation();
        const std::string what = "kind " + std::to_string(c.kind) + " z2 " + std::to_string(c.z2);
        EXPECT_FLOAT_EQ(r2.Z, c.want2) << what;
        EXPECT_FLOAT_EQ(r2.X, c.kind >= 3 ? 0 : x2) << what;
        if (c.kind == 1) {
            EXPECT_FLOAT_EQ(p.parts[6].node->getRotation().Z, c.want6) << what;
        } else if (c.kind >= 3) {
            EXPECT_FLOAT_EQ(p.parts[6].node->getRotation().Z, z6Chair) << what;
        }
    }
}

TEST_F(LiftCoreTest, MovedPylonCarriesItsMarkersAtOnce) {
    CPyloneRM p(smgr, driver);
    p.setTypePylone(PYLONE_TK_MONTEE_DESCENTE);
    p.createPylone(P, vector3df(0, 90, 0));
    const vector3df Q(-20, 7, 33);
    p.setPosition(Q);
    // A rope loop rebuilt in the same event reads these.
    EXPECT_TRUE(Near(p.getPosition(), Q));
    EXPECT_TRUE(Near(p.markerMontee->getAbsolutePosition(), Q + vector3df(-2.1f, 7.5f, 0)));
    EXPECT_TRUE(Near(p.markerDescente->getAbsolutePosition(), Q + vector3df(2.25f, 10.8f, 0)));
    EXPECT_TRUE(Near(p.parts[6].node->getAbsolutePosition(), Q + vector3df(2.25f, 10.8f, 0)));
    p.setRotation(vector3df(0, 0, 0));
    EXPECT_TRUE(Near(p.markerMontee->getAbsolutePosition(), Q + vector3df(0, 7.5f, -2.1f)));
    EXPECT_TRUE(Near(p.getRotation(), vector3df(0, 0, 0)));
}

TEST_F(LiftCoreTest, RemoveTakesTheModelAwayAndLeavesARebuildablePylon) {
    const u32 before = rootChildren();
    CPyloneRM other(smgr, driver);
    other.setTypePylone(PYLONE_TK_MONTEE_DESCENTE);
    other.createPylone(P + vector3df(30, 0, 0), vector3df(0, 0, 0));
    CPyloneRM p(smgr, driver);
    p.setTypePylone(PYLONE_TK_MONTEE_DESCENTE);
    p.createPylone(P, vector3df(0, 0, 0));
    ASSERT_EQ(rootChildren(), before + 2);

    p.remove();
    EXPECT_EQ(partsMask(p), 0u);
    EXPECT_EQ(p.markerMontee, nullptr);
    EXPECT_EQ(p.markerDescente, nullptr);
    EXPECT_EQ(rootChildren(), before + 1);
    EXPECT_FALSE(smgr->getMeshCache()->isMeshLoaded("media/pyloneTKFixe-inverse.obj"));
    // The other pylon keeps its tower; the next build loads the file again.
    EXPECT_NE(other.parts[0].node, nullptr);
    stepFrame();
    p.remove();  // once only

    p.changeTypePylone(PYLONE_TK_MONTEE_DESCENTE, P, vector3df(0, 0, 0));
    EXPECT_EQ(partsMask(p), TK_BOTH);
    EXPECT_TRUE(Near(p.markerMontee->getAbsolutePosition(), P + vector3df(0, 7.5f, -2.1f)));
    EXPECT_TRUE(smgr->getMeshCache()->isMeshLoaded("media/pyloneTKFixe-inverse.obj"));
}

TEST_F(LiftCoreTest, PylonWithoutItsTowerMeshStillCarriesTheRope) {
    hideMedia({"pyloneTS-moyen.obj", "pyloneTKFixe-inverse.obj"});
    struct Case {
        s32 kind;
        const char* trace;
        vector3df montee;
    } cases[] = {
        {PYLONE_TS_MOYEN,
         "Erreur chargement mesh pylone media/pyloneTS-moyen.obj\nPotence pyl moyen TS Support\n",
         {0, 16, 3.2f}},
        {PYLONE_TK_MONTEE_DESCENTE, "Erreur chargement mesh pylone media/pyloneTKFixe-inverse.obj\n", {0, 7.5f, -2.1f}},
    };
    for (const Case& c : cases) {
        const u32 before = rootChildren();
        CPyloneRM p(smgr, driver);
        capture.start();
        p.changeTypePylone(c.kind, P, vector3df(0, 0, 0));
        EXPECT_EQ(ownLines(capture.stop()), c.trace);
        ASSERT_NE(p.parts[0].node, nullptr);
        EXPECT_EQ(p.parts[0].mesh, nullptr);
        ASSERT_NE(p.markerMontee, nullptr);
        ASSERT_NE(p.markerDescente, nullptr);
        EXPECT_TRUE(Near(p.markerMontee->getAbsolutePosition(), P + c.montee));
        EXPECT_NE(p.parts[2].node, nullptr);  // the wheels are still there
        p.setPosition(P + vector3df(1, 0, 0));
        EXPECT_TRUE(Near(p.markerMontee->getAbsolutePosition(), P + c.montee + vector3df(1, 0, 0)));
        p.animateGalets(3);
        p.remove();
        EXPECT_EQ(rootChildren(), before);
    }
}
