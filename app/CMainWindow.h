// The game window: its engine device, the loaded map, the orbiting camera,
// the heads-up display and the frame loop that draws the world and moves
// every lift. It is the device's event receiver: left presses act on the
// world by interaction mode, GUI events drive the menus and dialogs.
#pragma once
#include <irrlicht.h>
#include "CAppState.h"
#include "SMouseState.h"

class CMap;
class CMapSelection;
class CArbre;
class CRemontee;
class CPyloneRM;
class CDynamicCamera;

class CMainWindow : public irr::IEventReceiver {
public:
    CMainWindow(bool fullscreen, bool music, bool shadows, bool additive, bool vsync, bool antialias,
                irr::video::E_DRIVER_TYPE driverType, const irr::core::stringw& resolution);
    virtual ~CMainWindow();
    // Sees every event first and consumes none.
    virtual bool OnEvent(const irr::SEvent& event);

    void setMap(const irr::core::stringc& name);
    // Start-up, frame loop until "Quitter" or the window closes, release of the device.
    void run();
    const SMouseState& getMouseState() const;

    // The pieces of run(), callable one by one.
    bool startUp();               // device, camera, map, GUI; false when no device
    void frameLoop();             // frames timed by the device timer
    void frameStep(irr::f32 dt);  // one frame with the given frame time in seconds
    void drawFrame(irr::f32 dt);  // its first half: clear, lifts, scene and GUI, before the buffers swap
    void endFrame();              // its second half: swap, caption, status line
    // Up to n frames of dt seconds while the device runs and quit is clear; returns the frames drawn.
    irr::u32 runFrames(irr::u32 n, irr::f32 dt);
    void shutDown();  // deletes the map, then releases the device
    // True once run() or startUp() could not create the game's device.
    bool deviceFailed() const { return noDevice; }

    CAppState app;
    CMap* map;
    irr::scene::ISceneNode* selectedNode;
    irr::u32 windowWidth, windowHeight;
    CArbre* selectedArbre;
    CRemontee* selectedRemontee;
    bool fullscreen, music, shadows, additive, vsync, antialias;
    irr::core::stringw resolution;
    irr::core::stringc mapName;
    irr::video::E_DRIVER_TYPE driverType;
    irr::IrrlichtDevice* device;
    CMapSelection* mapSelection;
    irr::scene::IAnimatedMeshSceneNode* arrowNode;

    // Kept for the frame loop: the camera (scene-owned), the status line
    // element and the last caption and frames-per-second value.
    CDynamicCamera* camera;
    irr::gui::IGUIStaticText* statusTextElement;
    irr::core::stringw caption;
    irr::s32 lastFPS;

private:
    bool noDevice = false;

    void onLeftPress();
    void pickInIdle();
    void plantTree();
    void placeGareDepart(irr::s32 mode);
    void placeGareArrivee();
    void placeGareArriveeTKD();
    void onGuiEvent(const irr::SEvent::SGUIEvent& gui);
    void onButton(irr::s32 id);
    void onWindowClosed(irr::gui::IGUIElement* window);

    // Build menu and pylon dialog.
    void openConstruction();
    void openTypeRemontee();
    void chooseKind(irr::s32 id);
    void openPylones();
    void ajouterPylone();
    void movePylone();
    void changeModelPylone();
    void validerPylone();
    void annulerPylone();
    void supprimerPylone();
    void terminerRemontee();
    void setTextNombrePylones();
    void closeNewPylone();
    irr::core::vector3df placePylone(irr::u32 k, irr::s32 pos);

    // Tree window, lift window, planting and the game menu.
    void openArbre();
    void couperArbre();
    void openRemontee();
    void changeVitesse();
    void marcheArret();
    void fermerRemontee();
    void lancePerche();
    void startPlantation();
    void stopPlantation();
    void openMenu();

    bool isOpen(irr::s32 windowId) const;
    // A window's rectangle, moved inside the screen when it does not fit there.
    irr::core::rect<irr::s32> onScreen(const irr::core::rect<irr::s32>& r) const;
    irr::gui::IGUIWindow* addWindow(const irr::core::rect<irr::s32>& r, const wchar_t* title, irr::s32 id);
    // A button of the three-row menus (constructions, lift kinds, game menu).
    irr::gui::IGUIElement* addMenuButton(irr::gui::IGUIWindow* w, irr::s32 row, irr::s32 id, const wchar_t* text);
    irr::gui::IGUIStaticText* addLabel(const wchar_t* text, const irr::core::rect<irr::s32>& r,
                                       irr::gui::IGUIElement* parent);
};
