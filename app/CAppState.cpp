#include "CAppState.h"

CAppState::CAppState()
    : device(0), guienv(0), driver(0), saveGame(0), quit(false), mode(MODE_IDLE), currentRemontee(0), currentPylone(0),
      buttonConstruire(0), buttonNouvelleRemontee(0), buttonNouvellePiste(0), buttonAjouterArbre(0),
      buttonRechercher(0), buttonMenu(0), buttonSauvegarder(0), buttonQuitter(0), buttonTeleskiFixe(0),
      buttonTelesiegeFixe(0), buttonTeleskiDebrayable(0), windowConstruction(0), windowMenu(0), windowTypeRemontee(0),
      windowPylones(0), windowNewPylone(0), textNombrePylones(0), buttonAjouterPylone(0), buttonTerminerRemontee(0),
      buttonSupprimerPylone(0), comboTypePylone(0), scrollPlacePylone(0), buttonValider(0), buttonAnnuler(0),
      windowPlantation(0), windowArbre(0), buttonCouperArbre(0), buttonStopperPlantation(0), windowRemontee(0),
      editNomRemontee(0), buttonMarcheArret(0), textVitesse(0), scrollVitesse(0), buttonFermer(0),
      buttonLancePerche(0) {}
