// The game window on the real OpenGL driver (Mesa under Xvfb): what a frame
// shows, checked region by region. A part of the scene is "shown" where
// hiding it changes the picture.
#include <cstdlib>
#include <vector>
#include "GLDeviceTest.h"
#include "GameWindowTest.h"
#include "CPyloneRM.h"
#include "CStation.h"
#include "CTKFixe.h"
#include "CTronconRM.h"
#include "CVehicule.h"
#include "DefaultMap.h"
#include "LiftRig.h"

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
               abs((int)a.getBlue() - (int)b.getBlue()) <=
           6;
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

    // The pixels that change when the nodes are hidden, and the box round them.
    struct Change {
        dimension2d<u32> size;
        std::vector<bool> pixel;
        bool at(s32 x, s32 y) const {
            return x >= 0 && y >= 0 && x < (s32)size.Width && y < (s32)size.Height && pixel[y * size.Width + x];
        }
        u32 count(const rect<s32>& area) const {
            u32 n = 0;
            for (s32 y = area.UpperLeftCorner.Y; y < area.LowerRightCorner.Y; ++y)
                for (s32 x = area.UpperLeftCorner.X; x < area.LowerRightCorner.X; ++x) n += at(x, y);
            return n;
        }
        rect<s32> box() const {
            rect<s32> b(size.Width, size.Height, 0, 0);
            for (s32 y = 0; y < (s32)size.Height; ++y)
                for (s32 x = 0; x < (s32)size.Width; ++x)
                    if (at(x, y)) b.addInternalPoint(x, y);
            return b;
        }
    };
    Change changeWhenHidden(const array<scene::ISceneNode*>& nodes) {
        video::IImage* with = shot();
        for (u32 i = 0; i < nodes.size(); ++i) nodes[i]->setVisible(false);
        video::IImage* without = shot();
        for (u32 i = 0; i < nodes.size(); ++i) nodes[i]->setVisible(true);
        Change c;
        c.size = with->getDimension();
        c.pixel.resize(c.size.Width * c.size.Height);
        for (u32 y = 0; y < c.size.Height; ++y)
            for (u32 x = 0; x < c.size.Width; ++x)
                c.pixel[y * c.size.Width + x] = !same(with->getPixel(x, y), without->getPixel(x, y));
        with->drop();
        without->drop();
        return c;
    }
    Change changeWhenHidden(scene::ISceneNode* node) {
        array<scene::ISceneNode*> nodes;
        nodes.push_back(node);
        return changeWhenHidden(nodes);
    }
    // Pixels of `area` that change when the nodes are hidden.
    u32 changedWhenHidden(const array<scene::ISceneNode*>& nodes, const rect<s32>& area) {
        return changeWhenHidden(nodes).count(area);
    }
    u32 changedWhenHidden(scene::ISceneNode* node, const rect<s32>& area) { return changeWhenHidden(node).count(area); }
    rect<s32> around(const vector3df& p, s32 r) {
        const position2di c = screenOf(p);
        return rect<s32>(c.X - r, c.Y - r, c.X + r + 1, c.Y + r + 1);
    }
    rect<s32> screen() {
        const dimension2d<u32> size = device()->getVideoDriver()->getScreenSize();
        return rect<s32>(0, 0, size.Width, size.Height);
    }

    // The game as a player starts it: the default map, the camera where start-up leaves it.
    void startOnDefaultMap(const wchar_t* resolution) {
        tmp->copyDefaultMaps();
        win.reset(new CMainWindow(false, true, false, false, false, false, video::EDT_OPENGL, resolution));
        win->setMap("ecrins.map");
        ASSERT_TRUE(win->startUp());
        ASSERT_NE(map()->terrain, nullptr);
        ASSERT_GT(map()->arrStations.size(), 0u);
    }
    // GW_SHOT=<prefix> keeps the frames looked at, for a human to see.
    void keep(video::IImage* img, const char* name) {
        if (getenv("GW_SHOT"))
            device()->getVideoDriver()->writeImageToFile(img, (stringc(getenv("GW_SHOT")) + name + ".png").c_str());
    }
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
    const vector3df nearStation = ground(station.X + 60, station.Z - 80);
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

// Share of the pixels of `area` that are snow.
double snowShare(video::IImage* img, const rect<s32>& area) {
    u32 snow = 0;
    for (s32 y = area.UpperLeftCorner.Y; y < area.LowerRightCorner.Y; ++y)
        for (s32 x = area.UpperLeftCorner.X; x < area.LowerRightCorner.X; ++x)
            snow += defaultmap::snowy(img->getPixel(x, y));
    return double(snow) / area.getArea();
}

// The first frame at each window size: snow on most of the ground and round
// the first station, whose chalet stands a few tens of pixels across in front.
TEST_F(GameWindowGLTest, StartViewShowsSnowAndTheVillageChalet) {
    const struct {
        const wchar_t* text;
        s32 w, h;
    } sizes[] = {{L"640x480", 640, 480}, {L"800x600", 800, 600}, {L"1280x960", 1280, 960}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.w);
        ASSERT_NO_FATAL_FAILURE(startOnDefaultMap(size.text));
        win->runFrames(3, 0.016f);
        video::IImage* img = shot();
        keep(img, (stringc("start-") + stringc(size.w)).c_str());
        const position2di at = screenOf(map()->arrStations[0]->getPosition());
        ASSERT_TRUE(screen().isPointInside(at));
        const s32 r = size.w / 8;
        EXPECT_GT(snowShare(img, screen()), 0.5);
        EXPECT_GT(snowShare(img, rect<s32>(0, size.h / 2, size.w, size.h)), 0.7) << "the ground in front";
        EXPECT_GT(snowShare(img, rect<s32>(at.X - r, at.Y - r, at.X + r, at.Y + r)), 0.7) << "round the first station";
        img->drop();
        const rect<s32> chalet = changeWhenHidden(map()->arrStations[0]->node).box();
        EXPECT_GE(chalet.getWidth(), size.w * 12 / 640);
        EXPECT_GE(chalet.getHeight(), size.w * 12 / 640);
        EXPECT_LT(chalet.getWidth(), size.w / 8);
        win->shutDown();
        win.reset();
    }
}

// The first lift a player builds, from the village up the open slope above it,
// is seen whole from where the game starts, the camera not moved: both
// terminals, every pylon and the carriers along the line, at 1280x960. It is
// built as the game builds it, without clicks: other tests share the X pointer.
TEST_F(GameWindowGLTest, LiftUpTheSlopeAboveTheVillageIsSeenWholeFromTheStart) {
    ASSERT_NO_FATAL_FAILURE(startOnDefaultMap(L"1280x960"));
    win->runFrames(1, 0.0f);
    const vector3df village = map()->arrStations[0]->getPosition();
    const vector3df camera = win->camera->getAbsolutePosition();
    ASSERT_TRUE(camera.equals(defaultmap::CAMERA_START, 0.1f));
    const core::vector2df bottom = defaultmap::FIRST_LIFT_BOTTOM, top = defaultmap::FIRST_LIFT_TOP;
    CRemontee* lift =
        LiftRig::build(REMONTEE_TKFIXE, device()->getSceneManager(), device()->getVideoDriver(),
                       ground(village.X + bottom.X, village.Z + bottom.Y), ground(village.X + top.X, village.Z + top.Y),
                       6, 0, [this](f32 x, f32 z) { return ground(x, z).Y; });
    map()->arrRemontees.push_back(lift);
    win->runFrames(20, 0.05f);
    EXPECT_EQ(win->camera->getAbsolutePosition(), camera);
    video::IImage* img = shot();
    keep(img, "lift");
    img->drop();

    // Whole: every straight run of the rope is on screen from end to end.
    for (u32 i = 0; i < lift->arrTroncons.size(); ++i) {
        const CTronconRM* t = lift->arrTroncons[i];
        if (t->type != TRONCON_LIGNE) continue;
        EXPECT_TRUE(screen().isPointInside(screenOf(t->debut))) << "segment " << i;
        EXPECT_TRUE(screen().isPointInside(screenOf(t->fin))) << "segment " << i;
    }
    CTKFixe* tk = static_cast<CTKFixe*>(lift);
    EXPECT_GT(changeWhenHidden(tk->nodeGareDepart).count(around(lift->getPositionDepart(), 40)), 60u);
    EXPECT_GT(changeWhenHidden(tk->nodeGareArrivee).count(around(lift->getPositionArrivee(), 40)), 30u);
    // Each pylon stands up from the snow, several pixels high.
    ASSERT_EQ(lift->arrPylones.size(), 6u);
    for (u32 i = 0; i < lift->arrPylones.size(); ++i) {
        const Change pylon = changeWhenHidden(lift->arrPylones[i]->parts[0].node);
        EXPECT_GE(pylon.box().getHeight(), 8) << "pylon " << i;
        EXPECT_GT(pylon.count(around(lift->arrPylones[i]->getPosition(), 25)), 5u) << "pylon " << i;
    }
    // Most carriers show, each where it hangs on the rope.
    array<scene::ISceneNode*> carriers;
    for (u32 v = 0; v < lift->arrVehicules.size(); ++v) carriers.push_back(lift->arrVehicules[v]->nodeVehicule);
    const Change shown = changeWhenHidden(carriers);
    u32 seen = 0;
    for (u32 v = 0; v < carriers.size(); ++v) {
        const position2di c = screenOf(carriers[v]->getAbsolutePosition());
        if (shown.count(rect<s32>(c.X - 3, c.Y - 4, c.X + 4, c.Y + 6))) ++seen;
    }
    ASSERT_GT(carriers.size(), 20u);
    EXPECT_GT(seen, carriers.size() * 2 / 3) << seen << " of " << carriers.size();
}

TEST_F(GameWindowGLTest, BuiltLiftsShowTerminalsPylonsRopesAndCarriers) {
    start(L"800x600", "small.map", video::EDT_OPENGL);
    struct Build {
        s32 kind;
        f32 x;
    };
    const Build builds[] = {
        {GUI_ID_TELESKI_FIXE, 800}, {GUI_ID_TELESIEGE_FIXE, 1280}, {GUI_ID_TELESKI_DEBRAYABLE, 1750}};
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
        if (getenv("GW_SHOT"))
            device()->getVideoDriver()->writeImageToFile(img,
                                                         (stringc(getenv("GW_SHOT")) + stringc(i) + ".png").c_str());
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
