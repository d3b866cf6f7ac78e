// The launcher: its own small window with the title picture and the buttons
// that choose a map, edit the display settings or leave.
#pragma once
#include <irrlicht.h>
#include "CMapSelection.h"
#include "CParametres.h"

class CMainMenu : public irr::IEventReceiver {
public:
    CMainMenu();
    virtual ~CMainMenu();
    virtual bool OnEvent(const irr::SEvent& event);

    // Runs the launcher to its end; true when a map was chosen with "Ok".
    bool run(bool* fullscreen, bool* music, bool* shadows, bool* additive, bool* vsync, bool* antialias,
             irr::video::E_DRIVER_TYPE* driverType);
    irr::core::stringw getMap();
    void showOptions();
    void saveSkinColors();
    void applySkinTransparency();

    // The phases of run(), callable one by one so that tests can drive the
    // launcher on another driver. start() is false when no device could be made.
    bool start(irr::video::E_DRIVER_TYPE driver);
    bool frame();
    void finish(bool* fullscreen, bool* music, bool* shadows, bool* additive, bool* vsync, bool* antialias,
                irr::video::E_DRIVER_TYPE* driverType);
    // True when run() could not open the launcher window.
    bool deviceFailed() const { return noDevice; }

    irr::core::stringw resolution;
    irr::gui::IGUIButton* startButton;
    irr::gui::IGUIButton* continueButton;
    irr::gui::IGUIButton* optionsButton;
    irr::gui::IGUIButton* quitButton;
    irr::gui::IGUIWindow* mapWindow;
    irr::gui::IGUIComboBox* mapComboBox;
    irr::gui::IGUIButton* okButton;
    irr::gui::IGUIWindow* optionsWindow;
    irr::gui::IGUIListBox* resolutionListBox;
    irr::gui::IGUIButton* saveButton;
    irr::gui::IGUIButton* cancelButton;
    irr::gui::IGUICheckBox* fullscreenCheckBox;
    irr::IrrlichtDevice* device;
    bool startGame;
    bool fullscreen;
    bool music;
    bool shadows;
    bool additive;
    bool transparentGui;
    bool vsync;
    bool antialias;
    CMapSelection* mapSelection;
    CParametres* parametres;
    irr::video::SColor savedSkinColors[25];

private:
    void closeOptions();
    irr::video::ITexture* title;
    bool noDevice;
};
