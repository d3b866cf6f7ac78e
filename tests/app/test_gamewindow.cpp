// Game window start-up, frame loop and teardown on the null driver.
#include "GameWindowTest.h"
#include "CStation.h"
#include "CTKFixe.h"
#include "CVehicule.h"

using namespace irr;
using namespace irr::core;

TEST_F(GameWindowTest, StartsWithCameraMapButtonsAndStatusLine) {
    win.reset(new CMainWindow(false, true, false, false, false, false, video::EDT_NULL, L"800x600"));
    win->setMap("small.map");
    capture.start();
    ASSERT_TRUE(win->startUp());
    const std::string out = capture.stop();
    EXPECT_TRUE(contains(out, "found 800x600 \n"));
    EXPECT_FALSE(contains(out, "found 640x480"));
    EXPECT_TRUE(contains(out, "Camera 8000.000000"));

    EXPECT_EQ(win->windowWidth, 800u);
    EXPECT_EQ(win->windowHeight, 600u);
    EXPECT_EQ(win->app.device, win->device);
    EXPECT_EQ(win->app.mode, MODE_IDLE);
    EXPECT_FALSE(win->app.quit);

    ASSERT_NE(win->camera, nullptr);
    EXPECT_EQ(device()->getSceneManager()->getActiveCamera(), win->camera);
    EXPECT_FLOAT_EQ(win->camera->getFarValue(), 8000.0f);
    EXPECT_EQ(win->camera->getPosition(), vector3df(6000, 500, 5000));
    ASSERT_EQ(map()->arrStations.size(), 1u);
    EXPECT_EQ(win->camera->getTarget(), vector3df(1280, 900, 1280));
    EXPECT_EQ(win->camera->getAnimators().size(), 1u);  // the (inert) collision response
    ASSERT_NE(map()->terrain, nullptr);

    struct Button {
        s32 id;
        const wchar_t* text;
        rect<s32> where;
    };
    const Button buttons[] = {
        {GUI_ID_CONSTRUIRE, L"Construire", rect<s32>(5, 5, 80, 40)},
        {GUI_ID_RECHERCHER, L"Rechercher", rect<s32>(90, 5, 180, 40)},
        {GUI_ID_MENU, L"Menu", rect<s32>(736, 5, 795, 40)},
    };
    for (const Button& b : buttons) {
        gui::IGUIElement* e = element(b.id);
        ASSERT_NE(e, nullptr) << b.id;
        EXPECT_EQ(stringw(e->getText()), stringw(b.text));
        EXPECT_EQ(e->getAbsolutePosition(), b.where);
    }
    EXPECT_EQ(win->app.buttonMenu, element(GUI_ID_MENU));
    ASSERT_NE(win->statusTextElement, nullptr);
    EXPECT_EQ(win->statusTextElement->getAbsolutePosition(), rect<s32>(190, 10, 600, 40));

    // The status line follows app.statusText from the next frame drawn.
    win->app.statusText = "Placez la gare de depart";
    EXPECT_EQ(stringw(win->statusTextElement->getText()), L"");
    win->runFrames(1, 0.0f);
    EXPECT_EQ(stringw(win->statusTextElement->getText()), L"Placez la gare de depart");
}

TEST_F(GameWindowTest, CaptionShowsDriverAndFramesPerSecond) {
    start();
    stringw expected = L"Travondel - v0.0.1 [";
    expected += device()->getVideoDriver()->getName();
    expected += L"] FPS:";
    expected += device()->getVideoDriver()->getFPS();
    EXPECT_EQ(win->caption, expected);
}

TEST_F(GameWindowTest, FramesMoveRunningLiftsOnly) {
    start();
    CRemontee* running = beginLift(GUI_ID_TELESKI_FIXE, ground(900, 600), ground(900, 1800));
    ASSERT_NE(running, nullptr);
    clickOn(GUI_ID_TERMINER_REMONTEE);
    CRemontee* stopped = beginLift(GUI_ID_TELESKI_FIXE, ground(1600, 600), ground(1600, 1800));
    ASSERT_NE(stopped, running);
    clickOn(GUI_ID_TERMINER_REMONTEE);
    stopped->running = false;
    map()->arrRemontees.push_back(nullptr);  // a hole in the array is skipped
    ASSERT_GT(running->arrVehicules.size(), 0u);
    ASSERT_GT(stopped->arrVehicules.size(), 0u);

    win->runFrames(1, 0.0f);
    const array<vector3df> runningBefore = carrierPositions(running);
    const array<vector3df> stoppedBefore = carrierPositions(stopped);
    EXPECT_EQ(win->runFrames(20, 0.0f), 20u);  // dt 0: nothing moves
    EXPECT_EQ(carriersMoved(running, runningBefore), 0u);

    EXPECT_EQ(win->runFrames(20, 0.05f), 20u);
    EXPECT_EQ(carriersMoved(running, runningBefore), running->arrVehicules.size());
    EXPECT_EQ(carriersMoved(stopped, stoppedBefore), 0u);
    map()->arrRemontees.erase(map()->arrRemontees.size() - 1);
}

TEST_F(GameWindowTest, MapWithoutStationAimsAtTerrainCentre) {
    writeSmallMap("station#Faux#12-13\n");
    win.reset(new CMainWindow(false, true, false, false, false, false, video::EDT_NULL, L"1024x768"));
    win->setMap("small.map");
    ASSERT_TRUE(win->startUp());
    EXPECT_EQ(map()->arrStations.size(), 0u);
    EXPECT_EQ(win->camera->getTarget(), map()->terrain->getTerrainCenter());
    EXPECT_EQ(win->runFrames(3, 0.016f), 3u);
}

TEST_F(GameWindowTest, MapThatCannotBeReadStillRuns) {
    win.reset(new CMainWindow(false, true, false, false, false, false, video::EDT_NULL, L"640x480"));
    win->setMap("missing.map");
    ASSERT_TRUE(win->startUp());
    EXPECT_EQ(map()->terrain, nullptr);
    EXPECT_EQ(win->camera->getAnimators().size(), 0u);
    EXPECT_EQ(element(GUI_ID_MENU)->getAbsolutePosition(), rect<s32>(576, 5, 635, 40));
    EXPECT_EQ(win->runFrames(3, 0.016f), 3u);
}

TEST_F(GameWindowTest, UnknownResolutionFallsBackToTheLaunchersDefault) {
    win.reset(new CMainWindow(false, true, false, false, false, false, video::EDT_NULL, L"1x1"));
    win->setMap("small.map");
    ASSERT_TRUE(win->startUp());
    EXPECT_EQ(win->windowWidth, 1280u);
    EXPECT_EQ(win->windowHeight, 960u);
    EXPECT_EQ(element(GUI_ID_MENU)->getAbsolutePosition(), rect<s32>(1216, 5, 1275, 40));
}

TEST_F(GameWindowTest, DeviceThatCannotBeCreatedReturnsQuietly) {
    CMainWindow w(false, true, false, false, false, false, video::EDT_DIRECT3D9, L"800x600");
    w.setMap("small.map");
    capture.start();
    w.run();
    const std::string out = capture.stop();
    EXPECT_EQ(w.device, nullptr);
    EXPECT_EQ(w.map, nullptr);
    EXPECT_TRUE(contains(out, "Impossible de creer la fenetre du jeu\n"));
    EXPECT_TRUE(w.deviceFailed());  // main turns it into exit status 1
}

// The whole run(): the loop ends when the device stops, the map goes while the
// device lives, the device is released once (the sanitizer build checks leaks).
TEST_F(GameWindowTest, TeardownReleasesMapAndDevice) {
    start();
    beginLift(GUI_ID_TELESKI_DEBRAYABLE, ground(900, 600), ground(900, 1800));
    clickOn(GUI_ID_CONSTRUIRE);
    clickOn(GUI_ID_AJOUTER_ARBRE);
    clickWorld(ground(1200, 900));
    device()->closeDevice();
    win->frameLoop();
    win->shutDown();
    EXPECT_EQ(win->map, nullptr);
    EXPECT_EQ(win->device, nullptr);
    EXPECT_FALSE(win->deviceFailed());
    win.reset();
}
