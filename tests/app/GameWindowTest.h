// Drives a real CMainWindow on the null driver: a small generated map, a
// camera looking down on it, and mouse presses injected through the device
// at screen points (world points are projected through the camera), so that
// the GUI and the world see the very events a player's clicks make.
#pragma once
#include <gtest/gtest.h>
#include <irrlicht.h>
#include <fstream>
#include <memory>
#include <string>
#include "CArbre.h"
#include "audiere.h"
#include "CMainWindow.h"
#include "CMap.h"
#include "CDynamicCamera.h"
#include "CRemontee.h"
#include "CVehicule.h"
#include "StdoutCapture.h"
#include "TempDir.h"

inline bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Elements with this id below root (windows sit inside their modal screens).
inline irr::u32 countWindows(irr::gui::IGUIElement* root, irr::s32 id) {
    irr::u32 n = 0;
    for (irr::gui::IGUIElement* c : root->getChildren()) {
        if (c->getID() == id) ++n;
        n += countWindows(c, id);
    }
    return n;
}

// The motor sound needs a working sound layer and its media file.
inline bool soundBackendWorks() {
    audiere::AudioDevicePtr d(audiere::OpenDevice());
    return d.get() != 0 && std::ifstream("media/tkf-sound.mp3").good();
}

inline irr::core::array<irr::core::vector3df> carrierPositions(CRemontee* lift) {
    irr::core::array<irr::core::vector3df> out;
    for (irr::u32 i = 0; i < lift->arrVehicules.size(); ++i) out.push_back(lift->arrVehicules[i]->getPosition());
    return out;
}

inline irr::u32 carriersMoved(CRemontee* lift, const irr::core::array<irr::core::vector3df>& before) {
    irr::u32 moved = 0;
    for (irr::u32 i = 0; i < lift->arrVehicules.size(); ++i)
        if (lift->arrVehicules[i]->getPosition().getDistanceFrom(before[i]) > 0.01f) ++moved;
    return moved;
}

class GameWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        tmp.reset(new TempDir());
        writeSmallMap();
    }

    void TearDown() override {
        capture.stop();
        if (win && win->device) win->shutDown();
        win.reset();
        tmp.reset();
    }

    // A 65x65 height field rising to the north (+Z): 2560 x 2560 units of
    // terrain, heights 400 to 1680; one station in the middle.
    void writeSmallMap(const std::string& stations = "station#Milieu#1280-900-1280\n") {
        irr::SIrrlichtCreationParameters p;
        p.DriverType = irr::video::EDT_NULL;
        p.LoggingLevel = irr::ELL_NONE;
        irr::IrrlichtDevice* d = irr::createDeviceEx(p);
        ASSERT_NE(d, nullptr);
        irr::video::IVideoDriver* drv = d->getVideoDriver();
        irr::video::IImage* hf = drv->createImage(irr::video::ECF_R8G8B8, irr::core::dimension2d<irr::u32>(65, 65));
        irr::video::IImage* tex = drv->createImage(irr::video::ECF_R8G8B8, irr::core::dimension2d<irr::u32>(64, 64));
        for (irr::u32 y = 0; y < 65; ++y)
            for (irr::u32 x = 0; x < 65; ++x) {
                const irr::u32 g = 20 + y;
                hf->setPixel(x, y, irr::video::SColor(255, g, g, g));
                if (x < 64 && y < 64) tex->setPixel(x, y, irr::video::SColor(255, 40, 160, 40));
            }
        tmp->writeFile("maps/.keep", "");
        EXPECT_TRUE(drv->writeImageToFile(hf, "maps/small.png"));
        EXPECT_TRUE(drv->writeImageToFile(tex, "maps/small_tex.png"));
        hf->drop();
        tex->drop();
        d->drop();
        tmp->writeFile("maps/small.map", "heightfield=small.png\ntexture=small_tex.png\n" + stations);
    }

    // Starts the game window; the camera then looks down on the terrain from the south.
    void start(const wchar_t* resolution = L"800x600", const char* mapFile = "small.map",
               irr::video::E_DRIVER_TYPE driverType = irr::video::EDT_NULL, bool fullscreen = false) {
        win.reset(new CMainWindow(fullscreen, true, false, false, false, false, driverType, resolution));
        win->setMap(mapFile);
        ASSERT_TRUE(win->startUp());
        aim(irr::core::vector3df(1280, 4200, -900), irr::core::vector3df(1280, 900, 1280));
    }

    void aim(const irr::core::vector3df& from, const irr::core::vector3df& to) {
        win->camera->setPosition(from);
        win->camera->setTarget(to);
        win->runFrames(1, 0.0f);  // the camera's view follows while a frame is drawn
    }

    CMap* map() { return win->map; }
    irr::u32 windows(irr::s32 id) { return countWindows(device()->getGUIEnvironment()->getRootGUIElement(), id); }
    irr::IrrlichtDevice* device() { return win->device; }
    irr::gui::IGUIElement* element(irr::s32 id) {
        return device()->getGUIEnvironment()->getRootGUIElement()->getElementFromId(id, true);
    }

    // A point on the terrain at (x, z).
    irr::core::vector3df ground(irr::f32 x, irr::f32 z) {
        const irr::f32 h = map()->GetHeight(irr::core::vector3df(x, 0, z), 9000);
        return irr::core::vector3df(x, h, z);
    }

    irr::core::position2di screenOf(const irr::core::vector3df& p) {
        return device()->getSceneManager()->getSceneCollisionManager()->getScreenCoordinatesFrom3DPosition(p,
                                                                                                           win->camera);
    }

    void mouse(irr::EMOUSE_INPUT_EVENT kind, irr::core::position2di at) {
        irr::SEvent e;
        e.EventType = irr::EET_MOUSE_INPUT_EVENT;
        e.MouseInput.Event = kind;
        e.MouseInput.X = at.X;
        e.MouseInput.Y = at.Y;
        e.MouseInput.Wheel = 0;
        e.MouseInput.Shift = e.MouseInput.Control = false;
        e.MouseInput.ButtonStates = kind == irr::EMIE_LMOUSE_PRESSED_DOWN ? irr::EMBSM_LEFT : 0;
        device()->postEventFromUser(e);
    }

    // Move, press and release at a screen point, as a player's click.
    void clickAt(irr::core::position2di at) {
        device()->getCursorControl()->setPosition(at.X, at.Y);
        mouse(irr::EMIE_MOUSE_MOVED, at);
        mouse(irr::EMIE_LMOUSE_PRESSED_DOWN, at);
        mouse(irr::EMIE_LMOUSE_LEFT_UP, at);
    }
    void clickWorld(const irr::core::vector3df& p) { clickAt(screenOf(p)); }
    void clickOn(irr::s32 id) {
        irr::gui::IGUIElement* e = element(id);
        ASSERT_NE(e, nullptr) << "no element with id " << id;
        clickAt(e->getAbsolutePosition().getCenter());
    }

    // A GUI event from a real element, as the element itself would send it.
    void guiEvent(irr::s32 id, irr::gui::EGUI_EVENT_TYPE type) {
        irr::SEvent e;
        e.EventType = irr::EET_GUI_EVENT;
        e.GUIEvent.Caller = element(id);
        e.GUIEvent.Element = 0;
        e.GUIEvent.EventType = type;
        ASSERT_NE(e.GUIEvent.Caller, nullptr) << "no element with id " << id;
        win->OnEvent(e);
    }
    void setScroll(irr::s32 id, irr::s32 pos) {
        irr::gui::IGUIElement* e = element(id);
        ASSERT_NE(e, nullptr);
        static_cast<irr::gui::IGUIScrollBar*>(e)->setPos(pos);
        guiEvent(id, irr::gui::EGET_SCROLL_BAR_CHANGED);
    }
    void setCombo(irr::s32 id, irr::s32 index) {
        irr::gui::IGUIElement* e = element(id);
        ASSERT_NE(e, nullptr);
        static_cast<irr::gui::IGUIComboBox*>(e)->setSelected(index);
        guiEvent(id, irr::gui::EGET_COMBO_BOX_CHANGED);
    }

    // The whole build of a lift through the menus: kind button id, two terminal
    // points; leaves the lift with its terminals (and for the fixed-grip kinds
    // the "Ajout de pylones" window open).
    CRemontee* beginLift(irr::s32 kindId, const irr::core::vector3df& bottom, const irr::core::vector3df& top) {
        clickOn(GUI_ID_CONSTRUIRE);
        clickOn(GUI_ID_NOUVELLE_REMONTEE);
        clickOn(kindId);
        clickWorld(bottom);
        clickWorld(top);
        return win->app.currentRemontee;
    }

    // Clicks a tree's trunk (just above its foot). A frame first, as a player
    // would see: picking finds nodes where the last frame put them.
    void clickTree(CArbre* tree) {
        win->runFrames(1, 0.0f);
        clickWorld(tree->getPosition() + irr::core::vector3df(0, 4, 0));
    }

    // Clicks a lift's bottom terminal, the camera brought close to it first,
    // at a point of the (open, frame-like) mesh that a ray really meets.
    void clickTerminal(CRemontee* lift) {
        irr::scene::ISceneNode* node = device()->getSceneManager()->getSceneNodeFromName(lift->getNodeName().c_str());
        ASSERT_NE(node, nullptr);
        ASSERT_NE(node->getTriangleSelector(), nullptr);
        win->runFrames(1, 0.0f);
        const irr::core::aabbox3df box = node->getTransformedBoundingBox();
        const irr::core::vector3df centre = box.getCenter();
        aim(centre + irr::core::vector3df(-30, 40, -60), centre);
        irr::scene::ISceneCollisionManager* cm = device()->getSceneManager()->getSceneCollisionManager();
        const irr::core::vector3df size = box.getExtent();
        for (int i = 0; i < 9 * 9 * 9; ++i) {
            const irr::core::vector3df p =
                box.MinEdge + irr::core::vector3df(size.X * (i % 9), size.Y * (i / 81), size.Z * (i / 9 % 9)) / 8.0f;
            const irr::core::position2di at = screenOf(p);
            const irr::core::line3df ray = cm->getRayFromScreenCoordinates(at, win->camera);
            irr::core::vector3df hit;
            irr::core::triangle3df tri;
            irr::scene::ISceneNode* hitNode = 0;
            irr::core::vector3df onTerrain;
            const bool terrainFirst = cm->getCollisionPoint(ray, map()->terrainSelector, onTerrain, tri, hitNode) &&
                                      cm->getCollisionPoint(ray, node->getTriangleSelector(), hit, tri, hitNode) &&
                                      onTerrain.getDistanceFrom(ray.start) < hit.getDistanceFrom(ray.start);
            if (!terrainFirst && cm->getCollisionPoint(ray, node->getTriangleSelector(), hit, tri, hitNode)) {
                clickAt(at);
                return;
            }
        }
        FAIL() << "no point of the terminal under the cursor";
    }

    std::unique_ptr<TempDir> tmp;
    std::unique_ptr<CMainWindow> win;
    StdoutCapture capture;
};
