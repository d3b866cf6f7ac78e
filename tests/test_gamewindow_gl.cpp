// The game window on the real OpenGL driver (Mesa under Xvfb): what a frame
// shows, checked region by region. A part of the scene is "shown" where
// hiding it changes the picture.
#include <cstdlib>
#include "GLDeviceTest.h"
#include "test_gamewindow_fixture.h"
#include "CPyloneRM.h"
#include "CStation.h"
#include "CTronconRM.h"
#include "CVehicule.h"

using namespace irr;
using namespace irr::core;

namespace {
// Reaches the harness's back-buffer reader and driver pinning.
struct BackBuffer : GLDeviceTest {
    static video::IImage* read(video::IVideoDriver* d) { return readBackBuffer(d); }
    static void pin() { pinGLDriver(); }
};

bool same(video::SColor a, video::SColor b) {
    return abs((int)a.getRed() - (int)b.getRed()) + abs((int)a.getGreen() - (int)b.getGreen()) +
               abs((int)a.getBlue() - (int)b.getBlue()) <= 6;
}
const video::SColor clear(255, 200, 200, 200);
}

class GameWindowGLTest : public GameWindowTest {
protected:
    void SetUp() override {
        if (!getenv("DISPLAY")) GTEST_SKIP() << "no X display (run through ./test.sh, which starts Xvfb)";
        BackBuffer::pin();
        GameWindowTest::SetUp();
    }

    // One frame, read before the buffers swap; drop() the image.
    video::IImage* shot() {
        device()->run();
        win->drawFrame(0.0f);
        video::IImage* img = BackBuffer::read(device()->getVideoDriver());
        win->endFrame();
        return img;
    }

    // Pixels of `area` that change when the nodes are hidden.
    u32 changedWhenHidden(const array<scene::ISceneNode*>& nodes, const rect<s32>& area) {
        video::IImage* with = shot();
        for (u32 i = 0; i < nodes.size(); ++i) nodes[i]->setVisible(false);
        video::IImage* without = shot();
        for (u32 i = 0; i < nodes.size(); ++i) nodes[i]->setVisible(true);
        const dimension2d<u32> size = with->getDimension();
        u32 changed = 0;
        for (s32 y = core::max_(area.UpperLeftCorner.Y, 0); y < core::min_(area.LowerRightCorner.Y, (s32)size.Height); ++y)
            for (s32 x = core::max_(area.UpperLeftCorner.X, 0); x < core::min_(area.LowerRightCorner.X, (s32)size.Width); ++x)
                if (!same(with->getPixel(x, y), without->getPixel(x, y))) ++changed;
        with->drop();
        without->drop();
        return changed;
    }
    u32 changedWhenHidden(scene::ISceneNode* node, const rect<s32>& area) {
        array<scene::ISceneNode*> nodes;
        nodes.push_back(node);
        return changedWhenHidden(nodes, area);
    }
    rect<s32> around(const vector3df& p, s32 r) {
        const position2di c = screenOf(p);
        return rect<s32>(c.X - r, c.Y - r, c.X + r + 1, c.Y + r + 1);
    }
    rect<s32> screen() { return rect<s32>(0, 0, 800, 600); }
};

TEST_F(GameWindowGLTest, FirstFramesShowTerrainSkyChaletsAndButtons) {
    tmp->copyDefaultMaps();
    win.reset(new CMainWindow(false, true, false, false, false, false, video::EDT_OPENGL, L"800x600"));
    win->setMap("ecrins.map");
    ASSERT_TRUE(win->startUp());
    ASSERT_NE(map()->terrain, nullptr);
    ASSERT_GT(map()->arrStations.size(), 0u);
    win->runFrames(3, 0.016f);

    // Where the terrain must be, a frame never shows the clear colour.
    const vector3df station = map()->arrStations[0]->getPosition();
    const vector3df nearStation = ground(station.X + 100, station.Z - 300);
    video::IImage* img = shot();
    const position2di t = screenOf(nearStation);
    ASSERT_TRUE(screen().isPointInside(t));
    EXPECT_FALSE(same(img->getPixel(t.X, t.Y), clear));
    img->drop();
    EXPECT_GT(changedWhenHidden(map()->terrain, screen()), 800u * 600u / 5);

    // Sky: everything that the sky box alone covers would be the clear colour without it.
    map()->terrain->setVisible(false);
    EXPECT_GT(changedWhenHidden(map()->skyBox, rect<s32>(0, 45, 800, 200)), 800u * 155u * 9 / 10);
    map()->terrain->setVisible(true);

    // Chalets: the first station's chalet in front of the camera.
    ASSERT_NE(map()->arrStations[0]->node, nullptr);
    EXPECT_GT(changedWhenHidden(map()->arrStations[0]->node, around(station, 40)), 10u);

    // Buttons with their texts.
    const s32 ids[] = {GUI_ID_CONSTRUIRE, GUI_ID_RECHERCHER, GUI_ID_MENU};
    for (s32 id : ids) {
        gui::IGUIElement* b = element(id);
        const rect<s32> r = b->getAbsolutePosition();
        b->setVisible(false);
        video::IImage* without = shot();
        b->setVisible(true);
        video::IImage* with = shot();
        u32 changed = 0;
        for (s32 y = r.UpperLeftCorner.Y; y < r.LowerRightCorner.Y; ++y)
            for (s32 x = r.UpperLeftCorner.X; x < r.LowerRightCorner.X; ++x)
                if (!same(with->getPixel(x, y), without->getPixel(x, y))) ++changed;
        EXPECT_GT(changed, (u32)r.getArea() / 2) << id;
        with->drop();
        without->drop();
    }
}

TEST_F(GameWindowGLTest, BuiltLiftsShowTerminalsPylonsRopesAndCarriers) {
    start(L"800x600", "small.map", video::EDT_OPENGL);
    struct Build { s32 kind; f32 x; };
    const Build builds[] = {{GUI_ID_TELESKI_FIXE, 800}, {GUI_ID_TELESIEGE_FIXE, 1280}, {GUI_ID_TELESKI_DEBRAYABLE, 1750}};
    array<CRemontee*> lifts;
    for (const Build& b : builds) {
        CRemontee* lift = beginLift(b.kind, ground(b.x, 500), ground(b.x, 1500));
        ASSERT_NE(lift, nullptr);
        if (b.kind != GUI_ID_TELESKI_DEBRAYABLE) {
            clickOn(GUI_ID_AJOUTER_PYLONE);
            setScroll(GUI_ID_SCROLL_PLACE_PYLONE, 50);
            clickOn(GUI_ID_VALIDER);
            clickOn(GUI_ID_TERMINER_REMONTEE);
        }
        lifts.push_back(lift);
    }
    ASSERT_EQ(win->app.mode, MODE_IDLE);
    win->runFrames(20, 0.05f);

    for (u32 i = 0; i < lifts.size(); ++i) {
        SCOPED_TRACE(lifts[i]->getNodeName().c_str());
        const vector3df bottom = lifts[i]->getPositionDepart();
        aim(bottom + vector3df(-60, 60, -90), bottom + vector3df(0, 0, 120));
        win->runFrames(2, 0.05f);
        video::IImage* img = shot();
        if (getenv("GW_SHOT")) device()->getVideoDriver()->writeImageToFile(img, (stringc(getenv("GW_SHOT")) + stringc(i) + ".png").c_str());
        // Black rope: the middle of the first straight up-line segment.
        u32 straight = 0;
        for (u32 s = 0; s < lifts[i]->arrTroncons.size() && straight == 0; ++s) {
            CTronconRM* t = lifts[i]->arrTroncons[s];
            if (t->type != TRONCON_LIGNE || !t->montee || t->debut.getDistanceFrom(t->fin) < 50) continue;
            ++straight;
            const position2di m = screenOf(t->debut + (t->fin - t->debut) * 0.2f);
            bool black = false;
            for (s32 dy = -2; dy <= 2; ++dy)
                for (s32 dx = -2; dx <= 2; ++dx) {
                    const video::SColor c = img->getPixel(m.X + dx, m.Y + dy);
                    if (c.getRed() < 50 && c.getGreen() < 50 && c.getBlue() < 50) black = true;
                }
            EXPECT_TRUE(black) << "segment " << t->numero << " at " << m.X << "," << m.Y;
        }
        img->drop();
        EXPECT_GT(straight, 0u);

        scene::ISceneNode* terminal =
            device()->getSceneManager()->getSceneNodeFromName(lifts[i]->getNodeName().c_str());
        ASSERT_NE(terminal, nullptr);
        EXPECT_GT(changedWhenHidden(terminal, around(lifts[i]->getPositionDepart(), 30)), 5u);

        if (lifts[i]->arrPylones.size() > 0) {
            CPyloneRM* p = lifts[i]->arrPylones[0];
            EXPECT_GT(changedWhenHidden(p->parts[0].node, around(p->getPosition(), 30)), 5u);
        }

        array<scene::ISceneNode*> carriers;
        for (u32 v = 0; v < lifts[i]->arrVehicules.size(); ++v)
            if (lifts[i]->arrVehicules[v]->nodeVehicule) carriers.push_back(lifts[i]->arrVehicules[v]->nodeVehicule);
        ASSERT_GT(carriers.size(), 0u);
        EXPECT_GT(changedWhenHidden(carriers, screen()), 5u);
    }
}

// Xvfb cannot switch video modes: the engine falls back to a window, and the
// player is told so instead of wondering.
TEST_F(GameWindowGLTest, FullscreenThatFallsBackToAWindowSaysSo) {
    capture.start();
    start(L"800x600", "small.map", video::EDT_OPENGL, true);
    const std::string printed = capture.stop();
    EXPECT_FALSE(device()->isFullscreen());
    EXPECT_TRUE(contains(printed, "Plein ecran impossible sur cet affichage: le jeu s'ouvre dans une fenetre\n"));
}
