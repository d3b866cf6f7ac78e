// Picking through the cursor, terrain heights, trees and the name look-ups.
#include <cmath>
#include "WorldTest.h"

using namespace irr;
using core::vector3df;

namespace {

// Ground at 1000 over a 1280-unit square.
class FlatWorld : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        writeFlatPicture("flat.png", 33, 50);
        load("flat.map", "heightfield=flat.png\n");
        ASSERT_NE(map->terrain, nullptr);
    }
    CArbre* plant(const vector3df& at, const char* name) {
        CArbre* tree = new CArbre(smgr, driver);
        tree->setPosition(at);
        tree->createNode();
        tree->setName(name);
        map->arrArbres.push_back(tree);
        return tree;
    }
    std::string click(scene::ISceneNode** picked) {
        stepFrame();
        cursor(400, 300);
        capture.start();
        *picked = map->getNodeByClick();
        return capture.stop();
    }
};

void expectNear(const vector3df& a, const vector3df& b, float tolerance) {
    EXPECT_NEAR(a.X, b.X, tolerance);
    EXPECT_NEAR(a.Y, b.Y, tolerance);
    EXPECT_NEAR(a.Z, b.Z, tolerance);
}

}  // namespace

TEST_F(FlatWorld, CursorOverTheGroundFindsTheTerrain) {
    aim(vector3df(640, 1500, 100), vector3df(640, 1000, 600));
    cursor(400, 300);
    capture.start();
    const vector3df centre = map->clickTerrainCoordinates();
    scene::ISceneNode* node = map->getNodeByClick();
    EXPECT_EQ(capture.stop(), "clickTerrainCoordinates mousepos : 400 300 \n"
                              "getNodeByClick mousepos : 400 300 \n"
                              "getNodeByClick arbre mousepos : 400 300 1\n");
    expectNear(centre, vector3df(640, 1000, 600), 0.05f);
    EXPECT_EQ(node, map->terrain);

    // The engine's own pick misses this terrain: it tests the scaled box against an unscaled ray.
    scene::ISceneCollisionManager* collisions = smgr->getSceneCollisionManager();
    const core::line3df ray = collisions->getRayFromScreenCoordinates(core::position2d<s32>(400, 300));
    vector3df hit;
    core::triangle3df triangle;
    EXPECT_EQ(collisions->getSceneNodeAndCollisionPointFromRay(ray, hit, triangle, 7), nullptr);

    // Off centre: where the cursor ray crosses the plane y = 1000.
    cursor(90, 520);
    const core::line3df side = collisions->getRayFromScreenCoordinates(core::position2d<s32>(90, 520));
    const float t = (1000 - side.start.Y) / (side.end.Y - side.start.Y);
    capture.start();
    expectNear(map->clickTerrainCoordinates(), side.start + (side.end - side.start) * t, 0.05f);
    EXPECT_EQ(map->getNodeByClick(), map->terrain);
    capture.stop();
}

TEST_F(FlatWorld, CursorOverTheSkyFindsNothing) {
    aim(vector3df(640, 1100, 100), vector3df(640, 1100, 600));
    cursor(400, 40);
    capture.start();
    EXPECT_EQ(map->clickTerrainCoordinates(), vector3df(0, 0, 0));
    EXPECT_EQ(map->getNodeByClick(), nullptr);
    EXPECT_EQ(capture.stop(), "clickTerrainCoordinates mousepos : 400 40 \ngetNodeByClick mousepos : 400 40 \n");
}

TEST_F(WorldTest, GetHeightFollowsTheMirroredPicture) {
    // Grey rises with the picture's column; the terrain mirrors it, so the ground falls along world X.
    writePicture("ramp.png", 33, 33, [](u32 x, u32) { return x * 4; });
    load("ramp.map", "heightfield=ramp.png\n");
    ASSERT_NE(map->terrain, nullptr);
    struct Case {
        vector3df p;
        float h, expected;
    };
    const Case cases[] = {
        {{400, 0, 640}, 9000, 1760},                                       // column 22 of 32
        {{420, 5000, 300}, 9000, 1720},                                    // between two vertices
        {{800, 0, 100}, 9000, 960},      {{400, -7000, 640}, 9000, 1760},  // far below, the surface within reach
        {{400, 10700, 640}, 9000, 1760},                                   // far above
        {{400, -7300, 640}, 9000, -100},                                   // out of reach below
        {{400, 1800, 640}, 10, -100},                                      // too short a segment
        {{2000, 0, 640}, 9000, -100},                                      // off the terrain
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.p.X << " " << c.p.Y << " " << c.p.Z << " h " << c.h);
        capture.start();
        EXPECT_NEAR(map->GetHeight(c.p, c.h), c.expected, 0.01f);
        const std::string out = capture.stop();
        if (c.expected == -100)
            EXPECT_EQ(out, "");
        else
            EXPECT_EQ(out.rfind("GetHeight collisioninfo=", 0), 0u) << out;
    }
}

TEST_F(FlatWorld, NearestPickableNodeWins) {
    StandInLift* lift = new StandInLift(smgr, vector3df(640, 1010, 700), "rmtkf0");
    map->arrRemontees.push_back(lift);
    CArbre* tree = plant(vector3df(640, 1000, 600), "arbre1");
    // A chalet in front of the tree hides it but is no candidate.
    CStation chalet(smgr, driver);
    chalet.setPosition(vector3df(640, 1000, 520));
    chalet.createNode();

    scene::ISceneNode* picked = nullptr;
    aim(vector3df(640, 1008, 450), vector3df(640, 1008, 700));
    EXPECT_EQ(click(&picked), "getNodeByClick mousepos : 400 300 \ngetNodeByClick arbre mousepos : 400 300 3\n");
    EXPECT_EQ(picked, tree->node);
    EXPECT_EQ(map->getArbreByName(picked->getName()), tree);

    // Looking down past the tree at the ground behind it: the tree is nearer.
    aim(vector3df(640, 1012, 450), vector3df(640, 1000, 750));
    click(&picked);
    EXPECT_EQ(picked, tree->node);
    // Ground in front of the tree is nearer than the tree.
    aim(vector3df(640, 1030, 450), vector3df(640, 1000, 500));
    click(&picked);
    EXPECT_EQ(picked, map->terrain);

    // Cut the tree: the lift's bottom terminal behind it is found, and leads back to the lift.
    map->arrArbres.erase(0);
    tree->removeNode();
    delete tree;
    aim(vector3df(640, 1008, 450), vector3df(640, 1008, 700));
    EXPECT_EQ(click(&picked), "getNodeByClick mousepos : 400 300 \ngetNodeByClick arbre mousepos : 400 300 4\n");
    EXPECT_EQ(picked, lift->node);
    EXPECT_EQ(map->getRemonteeByNodeName(picked->getName()), lift);
}

TEST_F(FlatWorld, NameLookups) {
    EXPECT_EQ(map->getArbreByName("arbre1"), nullptr);
    EXPECT_EQ(map->getRemonteeByNodeName("RM"), nullptr);

    CArbre* first = plant(vector3df(100, 1000, 100), "arbre1");
    CArbre* second = plant(vector3df(200, 1000, 100), "arbre2");
    CArbre* twin = plant(vector3df(300, 1000, 100), "arbre2");
    CRemontee* base = new CRemontee();
    map->arrRemontees.push_back(base);
    StandInLift* lift = new StandInLift(smgr, vector3df(500, 1010, 500), "tkdeb1", 6);
    map->arrRemontees.push_back(lift);

    struct Case {
        const char* name;
        CArbre* tree;
        CRemontee* remontee;
    };
    const Case cases[] = {
        {"arbre1", first, nullptr},    {"arbre2", second, nullptr}, {"Arbre1", nullptr, nullptr},
        {"arbre1 ", nullptr, nullptr}, {"arbre", nullptr, nullptr}, {"RM", nullptr, base},
        {"tkdeb1", nullptr, lift},     {"tkdeb", nullptr, nullptr}, {"", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(map->getArbreByName(c.name), c.tree);
        EXPECT_EQ(map->getRemonteeByNodeName(c.name), c.remontee);
    }
    EXPECT_NE(twin, second);
}

TEST_F(FlatWorld, TreesStandRaisedTurnedAndPickable) {
    CArbre* tree = plant(vector3df(100, 1000, 200), "arbre1");
    ASSERT_NE(tree->node, nullptr);
    EXPECT_EQ(tree->node->getID(), 3);
    EXPECT_EQ(tree->node->getScale(), vector3df(3, 3, 3));
    EXPECT_EQ(tree->node->getPosition(), vector3df(100, 1000.6f, 200));
    EXPECT_EQ(tree->getPosition(), vector3df(100, 1000.6f, 200));
    const vector3df turn = tree->node->getRotation();
    EXPECT_EQ(turn.X, 0);
    EXPECT_EQ(turn.Z, 0);
    EXPECT_EQ(turn.Y, std::floor(turn.Y));
    EXPECT_GE(turn.Y, 0);
    EXPECT_LE(turn.Y, 358);
    for (u32 i = 0; i < tree->node->getMaterialCount(); ++i) EXPECT_FALSE(tree->node->getMaterial(i).Lighting);
    ASSERT_NE(tree->node->getTriangleSelector(), nullptr);
    EXPECT_EQ(tree->node->getTriangleSelector()->getReferenceCount(), 1);
    EXPECT_EQ(tree->getName(), "arbre1");

    // Cutting one tree takes its model out of the cache; the others keep theirs.
    CArbre* other = plant(vector3df(300, 1000, 200), "arbre2");
    scene::IMesh* shared = tree->mesh;
    EXPECT_EQ(other->mesh, shared);
    map->arrArbres.erase(0);
    tree->removeNode();
    delete tree;
    EXPECT_EQ(smgr->getSceneNodeFromName("arbre1"), nullptr);
    EXPECT_FALSE(smgr->getMeshCache()->isMeshLoaded("media/lowpolytree.3ds"));
    EXPECT_EQ(static_cast<scene::IMeshSceneNode*>(other->node)->getMesh(), shared);
    stepFrame();
    CArbre* next = plant(vector3df(500, 1000, 200), "arbre3");
    EXPECT_NE(next->node, nullptr);
    EXPECT_TRUE(smgr->getMeshCache()->isMeshLoaded("media/lowpolytree.3ds"));
}
