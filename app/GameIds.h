// Interaction modes of the game window and the ids of its GUI elements.
#pragma once
#include <irrlicht.h>

// CAppState::mode: what a left press into the world does.
enum EMode {
    MODE_IDLE = 0,        // picks a tree or a lift and opens its window
    MODE_PLANTATION = 1,  // plants a tree
    MODE_TKF_DEPART = 3,  // bottom terminal of a new fixed-grip surface lift
    MODE_TKF_PYLONES = 4,
    MODE_TKF_ARRIVEE = 5,  // its top terminal
    MODE_TKF_NOUVEAU_PYLONE = 6,
    MODE_TSF_DEPART = 7,  // bottom terminal of a new chairlift
    MODE_TSF_PYLONES = 8,
    MODE_TSF_ARRIVEE = 9,
    MODE_TSF_NOUVEAU_PYLONE = 10,
    MODE_TKD_DEPART = 11,   // bottom terminal of a new detachable surface lift
    MODE_TKD_ARRIVEE = 13,  // its top terminal; the lift then runs
    MODE_TKD_NOUVEAU_PYLONE = 14
};

enum EGuiId {
    GUI_ID_CONSTRUIRE = 1,
    GUI_ID_NOUVELLE_REMONTEE = 2,
    GUI_ID_NOUVELLE_PISTE = 3,
    GUI_ID_AJOUTER_ARBRE = 4,
    GUI_ID_RECHERCHER = 5,
    GUI_ID_MENU = 6,
    GUI_ID_WINDOW_CONSTRUCTION = 7,
    GUI_ID_WINDOW_MENU = 8,
    GUI_ID_SAUVEGARDER = 9,
    GUI_ID_QUITTER = 10,
    GUI_ID_TELESKI_FIXE = 11,
    GUI_ID_WINDOW_TYPE_REMONTEE = 12,
    GUI_ID_WINDOW_PYLONES = 13,
    GUI_ID_AJOUTER_PYLONE = 14,
    GUI_ID_TERMINER_REMONTEE = 15,
    GUI_ID_SUPPRIMER_PYLONE = 16,
    GUI_ID_WINDOW_NEW_PYLONE = 17,
    GUI_ID_SCROLL_PLACE_PYLONE = 18,
    GUI_ID_COMBO_TYPE_PYLONE = 19,
    GUI_ID_VALIDER = 20,
    GUI_ID_ANNULER = 21,
    GUI_ID_TELESIEGE_FIXE = 22,
    GUI_ID_WINDOW_ARBRE = 23,
    GUI_ID_COUPER_ARBRE = 24,
    GUI_ID_WINDOW_REMONTEE = 27,
    GUI_ID_EDIT_NOM_REMONTEE = 28,
    GUI_ID_MARCHE_ARRET = 29,
    GUI_ID_SCROLL_VITESSE = 30,
    GUI_ID_FERMER = 31,
    GUI_ID_WINDOW_PLANTATION = 32,
    GUI_ID_STOPPER_PLANTATION = 33,
    GUI_ID_TELESKI_DEBRAYABLE = 34,
    GUI_ID_LANCE_PERCHE = 35
};
