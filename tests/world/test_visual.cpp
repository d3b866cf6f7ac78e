// What the player sees on the default map: the ropes, drawn before the scene
// as the game window does, stay black in front of the sky; every chalet shows
// its picture, however many stand side by side; the T-bars of a lift built as
// the game builds it hang clear of the ground.
#include <algorithm>
#include <memory>
#include <vector>
#include "CMap.h"
#include "CPyloneRM.h"
#include "CStation.h"
#include "CTKFixe.h"
#include "CVehicule.h"
#include "GLDeviceTest.h"
#include "NullDeviceTest.h"

using namespace irr;
using core::vector3df;

namespace {

// The default map, loaded as the game window loads it.
std::unique_ptr<CMap> loadDefaultMap(const TempDir& tmp, IrrlichtDevice* device) {
    tmp.copyDefaultMaps();
    std::unique_ptr<CMap> map(new CMap("ecrins.map"));
    map->driver = device->getVideoDriver();
    map->smgr = device->getSceneManager();
    map->device = device;
    map->loadMap();
    return map;
}

vector3df ground(CMap& map, f32 x, f32 z) { return vector3df(x, map.GetHeight(vector3df(x, 0, z), 9000), z); }

// A fixed-grip surface lift up the bench east of the village, both terminals
// built and named as the game window does it; the map holds it.
CTKFixe* benchLift(CMap& map) {
    CTKFixe* lift = new CTKFixe(map.smgr, map.driver);
    map.arrRemontees.push_back(lift);
    lift->setPositionDepart(ground(map, 7700.37f, 5300.21f));
    lift->createGareDepart();
    lift->setNodeName("rmtkf0");
    lift->setPositionArrivee(ground(map, 8700.43f, 5100.17f));
    lift->createGareArrivee();
    return lift;
}

class VisualTest : public GLDeviceTest {
protected:
    // One game frame: the ropes, then the scene.
    video::IImage* gameFrame() {
        device->run();
        driver->beginScene(true, true, video::SColor(255, 200, 200, 200));
        if (map)
            for (u32 i = 0; i < map->arrRemontees.size(); ++i) map->arrRemontees[i]->drawCables();
        smgr->drawAll();
        video::IImage* img = readBackBuffer(driver);
        driver->endScene();
        return img;
    }
    core::position2d<s32> onScreen(const vector3df& p) {
        return smgr->getSceneCollisionManager()->getScreenCoordinatesFrom3DPosition(p);
    }
    // Darkest channel sum within r pixels of a screen point.
    static int darkestAround(video::IImage* img, core::position2d<s32> at, int r) {
        int darkest = 3 * 255;
        for (int y = at.Y - r; y <= at.Y + r; ++y)
            for (int x = at.X - r; x <= at.X + r; ++x) {
                const video::SColor c = img->getPixel(x, y);
                darkest = std::min(darkest, int(c.getRed() + c.getGreen() + c.getBlue()));
            }
        return darkest;
    }

    void TearDown() override {
        map.reset();  // lifts and stations go while the engine still exists
        GLDeviceTest::TearDown();
    }
    std::unique_ptr<CMap> map;
};

}  // namespace

TEST_F(VisualTest, RopesDrawnBeforeTheSceneStayBlackInFrontOfTheSky) {
    map = loadDefaultMap(*tmp, device);
    ASSERT_NE(map->terrain, nullptr);
    CTKFixe* lift = benchLift(*map);
    scene::ICameraSceneNode* camera = smgr->addCameraSceneNode();
    camera->setFarValue(8000);
    gameFrame()->drop();  // the turned terminals carry their markers from here on

    // Under the middle of the up line, looking up along it at the sky.
    const vector3df a = lift->markerPoulieDepartMontee->getAbsolutePosition();
    const vector3df b = lift->markerPoulieArriveeMontee->getAbsolutePosition();
    const vector3df mid = a.getInterpolated(b, 0.5f), look = a.getInterpolated(b, 0.45f);
    camera->setPosition(ground(*map, mid.X, mid.Z) + vector3df(0, 1.5f, 0));
    camera->setTarget(look);
    video::IImage* first = gameFrame();  // the ropes use the view of the frame before
    first->drop();
    video::IImage* img = gameFrame();
    const core::position2d<s32> rope = onScreen(look);
    ASSERT_GT(rope.X, 10);
    ASSERT_GT(rope.Y, 10);
    ASSERT_LT(rope.X, 790);
    ASSERT_LT(rope.Y, 590);
    EXPECT_LT(darkestAround(img, rope, 2), 90) << "the rope is not drawn black";
    // Beside it, the sky (the rope runs away from the eye, up the picture).
    const video::SColor sky = img->getPixel(rope.X > 400 ? rope.X - 200 : rope.X + 200, rope.Y);
    EXPECT_GT(sky.getRed() + sky.getGreen() + sky.getBlue(), 450u);
    img->drop();
}

TEST_F(VisualTest, ChaletsSideBySideAllShowTheirPicture) {
    std::vector<std::unique_ptr<CStation>> stations;
    for (int i = 0; i < 3; ++i) {
        stations.emplace_back(new CStation(smgr, driver));
        stations.back()->setPosition(vector3df(-25.0f + 25.0f * i, 0, 0));
        stations.back()->createNode();
        ASSERT_NE(stations.back()->node, nullptr);
    }
    smgr->addCameraSceneNode(nullptr, vector3df(0, 8, -45), vector3df(0, 5, 0));
    video::IImage* img = grabFrame(video::SColor(255, 0, 0, 255));
    for (int i = 0; i < 3; ++i) {
        const core::position2d<s32> at = onScreen(vector3df(-25.0f + 25.0f * i, 5, -6));
        int lit = 0;
        for (int y = at.Y - 4; y <= at.Y + 4; ++y)
            for (int x = at.X - 4; x <= at.X + 4; ++x) {
                const video::SColor c = img->getPixel(x, y);
                if (c.getBlue() < 200 && c.getRed() + c.getGreen() > 90) ++lit;
            }
        EXPECT_GT(lit, 60) << "chalet " << i << " is drawn black or not at all";
    }
    img->drop();
}

// The bench lift with its pylons placed and changed through the pylon dialog's
// calls, then finished.
TEST_F(NullDeviceTest, TBarsHangClearOfTheGroundAndWithinReach) {
    capture.start();
    std::unique_ptr<CMap> map = loadDefaultMap(*tmp, device);
    ASSERT_NE(map->terrain, nullptr);
    CTKFixe* lift = benchLift(*map);
    stepFrame();
    // Each pylon a share of what is left of the way, every other one "Montee seulement".
    const f32 shares[] = {14.3f, 16.7f, 20, 25, 33.3f, 50};
    for (int i = 0; i < 6; ++i) {
        CPyloneRM* pylon = new CPyloneRM(smgr, driver);
        pylon->setTypePylone(PYLONE_TK_MONTEE_DESCENTE);
        const vector3df from = i ? lift->arrPylones[i - 1]->getPosition() : lift->getPositionDepart();
        const vector3df p = from + (lift->getPositionArrivee() - from) * (shares[i] / 100.0f);
        pylon->createPylone(ground(*map, p.X, p.Z), lift->getRotation());
        lift->arrPylones.push_back(pylon);
        if (i % 2) pylon->changeTypePylone(PYLONE_TK_MONTEE, pylon->getPosition(), pylon->getRotation());
        stepFrame();
    }
    lift->createTroncons();
    lift->built = true;
    lift->createVehicules();
    lift->running = true;
    ASSERT_GT(lift->arrVehicules.size(), 50u);

    f32 lowest = 1e9f;
    std::vector<f32> riding;
    for (int frame = 0; frame < 3; ++frame) {
        for (u32 i = 0; i < lift->arrVehicules.size(); ++i) {
            scene::ISceneNode* pole = lift->arrVehicules[i]->nodePerche;
            ASSERT_NE(pole, nullptr);
            pole->updateAbsolutePosition();
            vector3df bar(0, pole->getBoundingBox().MinEdge.Y, 0);
            pole->getAbsoluteTransformation().transformVect(bar);
            const f32 clearance = bar.Y - map->GetHeight(bar, 9000);
            lowest = std::min(lowest, clearance);
            // The up line, where the skiers ride, between the first and the last pylon.
            CTronconRM* t = lift->GetTronconByNumero(lift->arrVehicules[i]->numtroncon);
            if (t && t->montee && t->numero >= 2 && t->numero <= 6) riding.push_back(clearance);
        }
        const vector3df camera(0, 0, 0);
        for (int k = 0; k < 250; ++k) lift->update(&camera, 0.02f);
        stepFrame();
    }
    capture.stop();
    // The pole: a spring box and a rod of about 3 m, its bar a little over a metre wide.
    scene::ISceneNode* pole = lift->arrVehicules[0]->nodePerche;
    const core::aabbox3df box = pole->getBoundingBox();
    EXPECT_NEAR(-box.MinEdge.Y * 2.88f, 3.0f, 0.5f);
    EXPECT_NEAR((box.MaxEdge.Z - box.MinEdge.Z) * 2.88f, 1.2f, 0.3f);
    EXPECT_GT(lowest, 0.5f) << "a T-bar drags on the ground";
    // Most of them within a skier's reach.
    ASSERT_FALSE(riding.empty());
    std::sort(riding.begin(), riding.end());
    EXPECT_LT(riding[riding.size() / 2], 3.5f) << "the T-bars hang out of reach on the up line";
}
