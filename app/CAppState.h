// State of the game window shared with its event handler: engine handles,
// quit flag, interaction mode, status line, the lift and pylon under
// construction and the GUI elements that later handlers reach.
// Every element belongs to the GUI environment; these are plain references.
#pragma once
#include <irrlicht.h>
#include "GameIds.h"

class CSaveGame;
class CRemontee;
class CPyloneRM;

struct CAppState {
    CAppState();

    irr::IrrlichtDevice* device;
    irr::gui::IGUIEnvironment* guienv;
    irr::video::IVideoDriver* driver;
    CSaveGame* saveGame;  // never created: the game saves nothing
    bool quit;
    irr::s32 mode;  // EMode
    irr::core::stringc statusText;
    CRemontee* currentRemontee;  // the lift begun last
    CPyloneRM* currentPylone;    // the pylon of the open "Nouveau pylone" window

    irr::gui::IGUIElement* buttonConstruire;
    irr::gui::IGUIElement* buttonNouvelleRemontee;
    irr::gui::IGUIElement* buttonNouvellePiste;
    irr::gui::IGUIElement* buttonAjouterArbre;
    irr::gui::IGUIElement* buttonRechercher;
    irr::gui::IGUIElement* buttonMenu;
    irr::gui::IGUIElement* buttonSauvegarder;
    irr::gui::IGUIElement* buttonQuitter;
    irr::gui::IGUIElement* buttonTeleskiFixe;
    irr::gui::IGUIElement* buttonTelesiegeFixe;
    irr::gui::IGUIElement* buttonTeleskiDebrayable;

    irr::gui::IGUIWindow* windowConstruction;
    irr::gui::IGUIWindow* windowMenu;
    irr::gui::IGUIWindow* windowTypeRemontee;
    irr::gui::IGUIWindow* windowPylones;
    irr::gui::IGUIWindow* windowNewPylone;

    irr::gui::IGUIStaticText* textNombrePylones;
    irr::gui::IGUIElement* buttonAjouterPylone;
    irr::gui::IGUIElement* buttonTerminerRemontee;
    irr::gui::IGUIElement* buttonSupprimerPylone;
    irr::gui::IGUIComboBox* comboTypePylone;
    irr::gui::IGUIScrollBar* scrollPlacePylone;
    irr::gui::IGUIElement* buttonValider;
    irr::gui::IGUIElement* buttonAnnuler;

    irr::gui::IGUIWindow* windowPlantation;
    irr::gui::IGUIWindow* windowArbre;
    irr::gui::IGUIElement* buttonCouperArbre;
    irr::gui::IGUIElement* buttonStopperPlantation;

    irr::gui::IGUIWindow* windowRemontee;
    irr::gui::IGUIEditBox* editNomRemontee;
    irr::gui::IGUIElement* buttonMarcheArret;
    irr::gui::IGUIStaticText* textVitesse;
    irr::gui::IGUIScrollBar* scrollVitesse;
    irr::gui::IGUIElement* buttonFermer;
    irr::gui::IGUIElement* buttonLancePerche;  // stays null: reached by its id alone
};
