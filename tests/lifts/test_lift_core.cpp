// Lift base class, rope segments and carriers.
#include "CRemontee.h"
#include "LiftCoreTest.h"
#include <cmath>

using namespace irr;
using core::vector3df;

namespace {

// The smallest kind: reaches the protected helper and tells when its own
// destructor ran.
class TestLift : public CRemontee {
public:
    explicit TestLift(bool* destroyed = nullptr) : destroyed(destroyed) {}
    ~TestLift() override {
        if (destroyed) *destroyed = true;
    }
    using CRemontee::advanceOnLine;
    bool* destroyed;
};

CTronconRM* segment(s32 numero, const vector3df& debut, const vector3df& fin) {
    CTronconRM* t = new CTronconRM();
    t->numero = numero;
    t->setType(TRONCON_LIGNE);
    t->debut = debut;
    t->fin = fin;
    return t;
}

}  // namespace

TEST_F(LiftCoreTest, SupportOrCompressionFollowsThePylonAgainstItsNeighbours) {
    TestLift lift;
    struct Case {
        vector3df a, p, b;
        s32 want;
        const char* what;
    } cases[] = {
        {{-10, 0, 0}, {0, 5, 0}, {10, 0, 0}, 1, "above the chord"},
        {{-10, 0, 0}, {0, -5, 0}, {10, 0, 0}, -1, "in a hollow"},
        {{-10, 0, 0}, {0, 5, 0}, {10, 10, 0}, 1, "on the chord"},
        {{3, 4, 5}, {3, 4, 5}, {3, 4, 5}, 1, "a = p = b"},
        {{0, 0, 0}, {0, 0, 0}, {10, 10, 0}, -1, "a = p, b above"},
    };
    for (const Case& c : cases) EXPECT_EQ(lift.supportOrCompression(c.a, c.p, c.b), c.want) << c.what;
}

TEST_F(LiftCoreTest, BaseRotationIsPitchAndYawOfTheLine) {
    TestLift lift;
    struct Case {
        vector3df d;
        vector3df want;
    } cases[] = {
        {{0, 0, 0}, {270, 0, 0}},  {{0, 100, 100}, {315, 0, 0}}, {{0, -100, 100}, {45, 0, 0}},
        {{100, 0, 0}, {0, 90, 0}}, {{0, 0, -100}, {0, 180, 0}},  {{-100, 0, 0}, {0, 270, 0}},
        {{0, 0, 100}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        lift.positionDepart = vector3df(5, -3, 7);
        lift.positionArrivee = lift.positionDepart + c.d;
        EXPECT_TRUE(Near(lift.getRotation(), c.want)) << "d " << c.d.X << " " << c.d.Y << " " << c.d.Z;
    }
}

TEST_F(LiftCoreTest, BaseBodiesAndDefaults) {
    TestLift lift;
    EXPECT_EQ(lift.getNodeName(), "RM");
    lift.setName("Les Crozats");
    EXPECT_EQ(lift.getName(), "Les Crozats");
    lift.setPositionDepart(vector3df(1, 2, 3));
    lift.setPositionArrivee(vector3df(4, 5, 6));
    EXPECT_TRUE(Near(lift.getPositionDepart(), vector3df(0, 0, 0)));
    EXPECT_TRUE(Near(lift.getPositionArrivee(), vector3df(4, 5, 6)));
    EXPECT_FALSE(lift.built);
    EXPECT_FALSE(lift.running);
    EXPECT_FALSE(lift.windowOpen);
    EXPECT_FALSE(lift.getSound());
    lift.setSound(true);  // the base has no sound of its own
    EXPECT_FALSE(lift.getSound());
}

TEST_F(LiftCoreTest, EveryLiftOpensItsOwnAudioDevice) {
    TestLift a, b;
    if (!audiere::AudioDevicePtr(audiere::OpenDevice())) GTEST_SKIP() << "no audio device here: the lifts run silently";
    ASSERT_TRUE(a.audioDevice);
    ASSERT_TRUE(b.audioDevice);
    EXPECT_NE(a.audioDevice.get(), b.audioDevice.get());
}

TEST_F(LiftCoreTest, GetTronconByNumeroFindsTheFirstSegmentWithThatNumber) {
    TestLift lift;
    EXPECT_EQ(lift.GetTronconByNumero(0), nullptr);
    CTronconRM* first = segment(2, {0, 0, 0}, {1, 0, 0});
    CTronconRM* twin = segment(2, {5, 0, 0}, {6, 0, 0});
    CTronconRM* zero = segment(0, {0, 0, 0}, {0, 0, 1});
    lift.arrTroncons.push_back(first);
    lift.arrTroncons.push_back(twin);
    lift.arrTroncons.push_back(zero);
    EXPECT_EQ(lift.GetTronconByNumero(2), first);
    EXPECT_EQ(lift.GetTronconByNumero(0), zero);
    EXPECT_EQ(lift.GetTronconByNumero(1), nullptr);
    EXPECT_EQ(lift.GetTronconByNumero(-1), nullptr);
}

TEST_F(LiftCoreTest, AngleBetweenInDegreesAndZeroForNoDirection) {
    TestLift lift;
    struct Case {
        vector3df a, b;
        f32 want;
    } cases[] = {
        {{1, 0, 0}, {0, 1, 0}, 90},   {{1, 2, 3}, {1, 2, 3}, 0},  {{0.1f, 0.7f, 0.3f}, {0.2f, 1.4f, 0.6f}, 0},
        {{1, 0, 0}, {-2, 0, 0}, 180}, {{1, 0, 0}, {1, 1, 0}, 45}, {{0, 0, 0}, {1, 0, 0}, 0},
        {{1, 0, 0}, {0, 0, 0}, 0},    {{0, 0, 0}, {0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        const f32 got = lift.angleBetween(c.a, c.b);
        EXPECT_FALSE(std::isnan(got));
        EXPECT_NEAR(got, c.want, 1e-3f) << c.a.X << " " << c.a.Y << " " << c.a.Z << " / " << c.b.X << " " << c.b.Y
                                        << " " << c.b.Z;
    }
}

TEST_F(LiftCoreTest, DeletingThroughTheBaseRunsTheKindAndFreesWhatItHolds) {
    const u32 before = rootChildren();
    bool destroyed = false;
    CRemontee* lift = new TestLift(&destroyed);
    lift->arrTroncons.push_back(segment(0, {0, 0, 0}, {10, 0, 0}));
    lift->arrTroncons.push_back(segment(1, {10, 0, 0}, {20, 0, 0}));
    for (s32 kind : {PYLONE_TK_MONTEE_DESCENTE, PYLONE_TS_MOYEN}) {
        CPyloneRM* p = new CPyloneRM(smgr, driver);
        p->setTypePylone(kind);
        p->createPylone(vector3df(0, 0, 0), vector3df(0, 0, 0));
        lift->arrPylones.push_back(p);
    }
    CVehicule* v = new CVehicule(smgr, driver);
    v->setType(VEHICULE_SIEGE);
    lift->arrVehicules.push_back(v);
    ASSERT_EQ(rootChildren(), before + 2);
    delete lift;  // the sanitizer build reports anything left behind
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(rootChildren(), before);
}

// The straight step the kinds share.
TEST_F(LiftCoreTest, AdvanceOnLineMovesAlongAndStopsOnTheEnd) {
    TestLift lift;
    const vector3df a(10, 0, 0), b(10, 12, 16);  // 20 long
    struct Case {
        const char* what;
        vector3df debut, fin;
        f32 start, distance;
        bool arrived;
        f32 progression;
        vector3df at;
    } cases[] = {
        {"a normal frame", a, b, 0, 0.032f, false, 0.0016f, a + (b - a) * 0.0016f},
        {"half way", a, b, 0.25f, 5, false, 0.5f, a + (b - a) * 0.5f},
        {"within 0.1 of the end", a, b, 0.99f, 0.1f, true, 1, b},
        {"a long frame overshoots", a, b, 0.98f, 3, true, 1, b},
        {"exactly to the end", a, b, 0.5f, 10, true, 1, b},
        {"zero-length segment", b, b, 0, 0.032f, true, 1, b},
        {"zero-length, standing still", b, b, 0.3f, 0, true, 1, b},
    };
    for (const Case& c : cases) {
        CTronconRM* t = segment(0, c.debut, c.fin);
        CVehicule v(smgr, driver);  // no node: it keeps its own position
        v.progression = c.start;
        EXPECT_EQ(lift.advanceOnLine(&v, t, c.distance), c.arrived) << c.what;
        EXPECT_FALSE(std::isnan(v.progression)) << c.what;
        EXPECT_NEAR(v.progression, c.progression, 1e-5f) << c.what;
        EXPECT_TRUE(Near(v.getPosition(), c.at)) << c.what;
        delete t;
    }
}

TEST_F(LiftCoreTest, AdvanceOnLineFrameByFrameEndsOnceAtTheEnd) {
    TestLift lift;
    CTronconRM* t = segment(0, {0, 0, 0}, {0, 0, 20});
    CVehicule v(smgr, driver);
    v.setType(VEHICULE_PERCHE_FIXE);
    v.create(t->debut, vector3df(0, 90, 0));
    int frames = 0;
    while (!lift.advanceOnLine(&v, t, 2.0f * 0.016f) && frames < 10000) ++frames;
    // Arrives once within 0.1 of the end: after 19.9 of the 20 units.
    EXPECT_EQ(frames, 621);
    EXPECT_TRUE(Near(v.getPosition(), t->fin));
    EXPECT_TRUE(Near(v.nodeVehicule->getAbsolutePosition(), t->fin));
    delete t;
}

TEST_F(LiftCoreTest, SegmentDefaultsAndType) {
    CTronconRM t;
    EXPECT_TRUE(t.montee);
    EXPECT_TRUE(Near(t.debut, vector3df(0, 0, 0)));
    EXPECT_TRUE(Near(t.fin, vector3df(0, 0, 0)));
    EXPECT_TRUE(Near(t.centre, vector3df(0, 0, 0)));
    for (s32 type : {POULIEDEPART, TRONCON_GARETKD, 42, -7}) {
        t.setType(type);
        EXPECT_EQ(t.getType(), type);
    }
}

TEST_F(LiftCoreTest, CarrierBuildsItsNodesByType) {
    const vector3df at(12, 30, -8), rot(0, 135, 0);
    struct Case {
        s32 type;
        const char* grip;
        vector3df gripScale;
        bool pole;
        vector3df poleOffset;
    } cases[] = {
        {VEHICULE_PERCHE_FIXE, "media/pinceTKFixe.obj", {0.8f, 0.8f, 0.8f}, true, {0, -2.0f, -0.2f}},
        {VEHICULE_SIEGE, "media/siege.obj", {3.3f, 4.0f, 3.3f}, false, {}},
        {VEHICULE_PERCHE_DEBRAYABLE, "media/pinceTKD.obj", {0.8f, 0.8f, 0.8f}, true, {-0.7f, -4.4f, 0.25f}},
    };
    for (const Case& c : cases) {
        CVehicule v(smgr, driver);
        v.setType(c.type);
        v.create(at, rot);
        ASSERT_NE(v.nodeVehicule, nullptr) << c.grip;
        EXPECT_EQ(v.meshVehicule, smgr->getMesh(c.grip));
        EXPECT_EQ(v.nodeVehicule->getParent(), smgr->getRootSceneNode());
        EXPECT_TRUE(Near(v.nodeVehicule->getScale(), c.gripScale));
        EXPECT_TRUE(Near(v.getPosition(), at));
        EXPECT_TRUE(Near(v.getRotation(), rot));
        EXPECT_FALSE(v.nodeVehicule->getMaterial(0).Lighting);
        if (!c.pole) {
            EXPECT_EQ(v.nodePerche, nullptr);
            continue;
        }
        ASSERT_NE(v.nodePerche, nullptr);
        EXPECT_EQ(v.nodePerche->getParent(), v.nodeVehicule);
        // The pole hangs at its offset, turned and scaled with the grip.
        vector3df offset = c.poleOffset * 0.8f;
        core::matrix4 m;
        m.setRotationDegrees(rot);
        m.rotateVect(offset);
        EXPECT_TRUE(Near(v.nodePerche->getAbsolutePosition(), at + offset));
        EXPECT_TRUE(Near(v.nodePerche->getAbsoluteTransformation().getScale(), vector3df(2.88f, 2.88f, 2.88f)));
    }
}

TEST_F(LiftCoreTest, CarrierOfUnknownTypeBuildsNothing) {
    const u32 before = rootChildren();
    CVehicule v(smgr, driver);
    v.setPosition(vector3df(1, 1, 1));
    v.setType(7);
    v.create(vector3df(2, 2, 2), vector3df(0, 10, 0));
    EXPECT_EQ(v.nodeVehicule, nullptr);
    EXPECT_EQ(v.nodePerche, nullptr);
    EXPECT_EQ(rootChildren(), before);
}

TEST_F(LiftCoreTest, CarrierWithoutItsMeshKeepsItsOwnPlaceAndSaysSoOnce) {
    hideMedia({"pinceTKFixe.obj"});
    CVehicule v(smgr, driver);
    v.setType(VEHICULE_PERCHE_FIXE);
    capture.start();
    v.create(vector3df(1, 2, 3), vector3df(0, 45, 0));
    EXPECT_TRUE(Near(v.getPosition(), vector3df(1, 2, 3)));
    EXPECT_TRUE(Near(v.getRotation(), vector3df(0, 45, 0)));
    for (int frame = 0; frame < 3; ++frame) {
        v.setPosition(vector3df(4, 5, 6 + frame));
        v.setRotation(vector3df(0, 90 + frame, 0));
        EXPECT_TRUE(Near(v.getPosition(), vector3df(4, 5, 6 + frame)));
        EXPECT_TRUE(Near(v.getRotation(), vector3df(0, 90 + frame, 0)));
    }
    EXPECT_EQ(ownLines(capture.stop()), "Erreur chargement mesh vehicule media/pinceTKFixe.obj\n");
    EXPECT_EQ(v.nodeVehicule, nullptr);
    EXPECT_EQ(v.nodePerche, nullptr);  // no grip, no pole
}
