// The game window's build menu, lift-kind menu and pylon dialog.
#include "CMainWindow.h"
#include <cstdio>
#include "CMap.h"
#include "CPyloneRM.h"
#include "CRemontee.h"
#include "TextConvert.h"

using namespace irr;
using namespace irr::core;
using namespace irr::gui;

// ---------------------------------------------------------------- build menu and pylon dialog

void CMainWindow::openConstruction() {
    if (isOpen(GUI_ID_WINDOW_CONSTRUCTION)) return;
    IGUIWindow* w = addWindow(rect<s32>(5, 70, 205, 200), L"Choisir une construction", GUI_ID_WINDOW_CONSTRUCTION);
    app.windowConstruction = w;
    app.buttonNouvelleRemontee = addMenuButton(w, 0, GUI_ID_NOUVELLE_REMONTEE, L"Nouvelle remontee");
    app.buttonNouvellePiste = addMenuButton(w, 1, GUI_ID_NOUVELLE_PISTE, L"Nouvelle piste");
    app.buttonAjouterArbre = addMenuButton(w, 2, GUI_ID_AJOUTER_ARBRE, L"Ajouter un arbre");
}

void CMainWindow::openTypeRemontee() {
    if (!isOpen(GUI_ID_WINDOW_TYPE_REMONTEE)) {
        IGUIWindow* w = addWindow(rect<s32>(210, 70, 415, 200), L"Type de remontee", GUI_ID_WINDOW_TYPE_REMONTEE);
        app.windowTypeRemontee = w;
        app.buttonTeleskiFixe = addMenuButton(w, 0, GUI_ID_TELESKI_FIXE, L"Teleski fixe");
        app.buttonTeleskiDebrayable = addMenuButton(w, 1, GUI_ID_TELESKI_DEBRAYABLE, L"Teleski debrayable");
        app.buttonTelesiegeFixe = addMenuButton(w, 2, GUI_ID_TELESIEGE_FIXE, L"Telesiege 2p fixe");
    }
    if (app.windowConstruction) app.windowConstruction->remove();
    app.windowConstruction = 0;
    app.buttonNouvelleRemontee = app.buttonNouvellePiste = app.buttonAjouterArbre = 0;
}

void CMainWindow::chooseKind(s32 id) {
    if (app.windowTypeRemontee) app.windowTypeRemontee->remove();
    app.windowTypeRemontee = 0;
    app.buttonTeleskiFixe = app.buttonTeleskiDebrayable = app.buttonTelesiegeFixe = 0;
    app.statusText = "Placez la gare de depart";
    if (id == GUI_ID_TELESKI_FIXE) {
        app.mode = MODE_TKF_DEPART;
        printf("Place depart TK Fixe\n");
    } else if (id == GUI_ID_TELESKI_DEBRAYABLE) {
        app.mode = MODE_TKD_DEPART;
        printf("Place depart TK Debrayable\n");
    } else {
        app.mode = MODE_TSF_DEPART;
        printf("Place depart TSF2 Fixe\n");
    }
}

void CMainWindow::openPylones() {
    IGUIWindow* w = addWindow(rect<s32>(100, 70, 400, 270), L"Ajout de pylones", GUI_ID_WINDOW_PYLONES);
    w->getCloseButton()->setVisible(false);
    app.windowPylones = w;
    app.buttonAjouterPylone =
        app.guienv->addButton(rect<s32>(5, 20, 145, 60), w, GUI_ID_AJOUTER_PYLONE, L"Ajouter pylone");
    const bool chairlift = app.currentRemontee->type == REMONTEE_TSFIXE;
    app.buttonTerminerRemontee = app.guienv->addButton(rect<s32>(155, 20, 295, 60), w, GUI_ID_TERMINER_REMONTEE,
                                                       chairlift ? L"Terminer pylone" : L"Terminer remontee");
    app.buttonSupprimerPylone =
        app.guienv->addButton(rect<s32>(5, 120, 205, 140), w, GUI_ID_SUPPRIMER_PYLONE, L"Supprimer dernier pylone");
    app.currentPylone = 0;
    app.textNombrePylones = addLabel(L"", rect<s32>(5, 80, 295, 95), w);
    setTextNombrePylones();
    app.statusText = "Placez les pylones";
}

void CMainWindow::setTextNombrePylones() {
    if (!app.textNombrePylones || !app.currentRemontee) return;
    stringw text = L"Nombre de pylones : ";
    text += (s32)app.currentRemontee->arrPylones.size();
    app.textNombrePylones->setText(text.c_str());
}

vector3df CMainWindow::placePylone(u32 k, s32 pos) {
    CRemontee* lift = app.currentRemontee;
    const vector3df a = k == 0 ? lift->getPositionDepart() : lift->arrPylones[k - 1]->getPosition();
    const vector3df b = lift->getPositionArrivee();
    const f32 f = (f32)pos;
    const vector3df p(a.X + f * (b.X - a.X) / 100.0f, a.Y + f * (b.Y - a.Y) / 100.0f, a.Z + f * (b.Z - a.Z) / 100.0f);
    const f32 h = map->GetHeight(p, 9000);
    return vector3df(p.X, h, p.Z);
}

void CMainWindow::ajouterPylone() {
    CRemontee* lift = app.currentRemontee;
    if (!lift || isOpen(GUI_ID_WINDOW_NEW_PYLONE)) return;
    IGUIWindow* w = addWindow(rect<s32>(450, 70, 850, 270), L"Nouveau pylone", GUI_ID_WINDOW_NEW_PYLONE);
    app.windowNewPylone = w;
    addLabel(L"Type de pylone:", rect<s32>(5, 40, 395, 60), w);
    addLabel(L"Place du pylone:", rect<s32>(5, 100, 395, 120), w);
    app.comboTypePylone = app.guienv->addComboBox(rect<s32>(5, 70, 395, 90), w, GUI_ID_COMBO_TYPE_PYLONE);
    app.comboTypePylone->clear();
    if (lift->type == REMONTEE_TKFIXE) {
        app.comboTypePylone->addItem(L"Montee + descente", PYLONE_TK_MONTEE_DESCENTE);
        app.comboTypePylone->addItem(L"Montee seulement", PYLONE_TK_MONTEE);
    } else if (lift->type == REMONTEE_TSFIXE) {
        app.comboTypePylone->addItem(L"Taille moyenne", PYLONE_TS_MOYEN);
        app.comboTypePylone->addItem(L"Taille basse", PYLONE_TS_BAS);
        app.comboTypePylone->addItem(L"Taille grande", PYLONE_TS_HAUT);
    }
    app.scrollPlacePylone = app.guienv->addScrollBar(true, rect<s32>(5, 130, 395, 145), w, GUI_ID_SCROLL_PLACE_PYLONE);
    app.scrollPlacePylone->setMin(1);
    app.scrollPlacePylone->setMax(99);
    app.scrollPlacePylone->setPos(5);
    app.scrollPlacePylone->setSmallStep(1);
    app.buttonValider = app.guienv->addButton(rect<s32>(5, 160, 195, 180), w, GUI_ID_VALIDER, L"Valider");
    app.buttonAnnuler = app.guienv->addButton(rect<s32>(205, 160, 395, 180), w, GUI_ID_ANNULER, L"Annuler");

    const u32 k = lift->arrPylones.size();
    if (lift->type == REMONTEE_TKFIXE)
        app.mode = MODE_TKF_NOUVEAU_PYLONE;
    else if (lift->type == REMONTEE_TSFIXE)
        app.mode = MODE_TSF_NOUVEAU_PYLONE;
    else
        app.mode = MODE_TKD_NOUVEAU_PYLONE;
    stringw status = L"Placez le pylone numero ";
    status += (s32)k;
    app.statusText = narrow(status);

    app.currentPylone = new CPyloneRM(device->getSceneManager(), app.driver);
    const vector3df p = placePylone(k, 5);
    if (lift->type == REMONTEE_TKFIXE) {
        app.currentPylone->setTypePylone(PYLONE_TK_MONTEE_DESCENTE);
        app.currentPylone->createPylone(p, lift->getRotation());
        printf("Place pylone TKF %f %f %f\n", p.X, p.Y, p.Z);
    } else if (lift->type == REMONTEE_TSFIXE) {
        app.currentPylone->setTypePylone(PYLONE_TS_MOYEN);
        app.currentPylone->createPylone(p, lift->getRotation());
        printf("Place pylone TSF2 %f %f %f\n", p.X, p.Y, p.Z);
    }
    lift->arrPylones.push_back(app.currentPylone);
}

void CMainWindow::movePylone() {
    CRemontee* lift = app.currentRemontee;
    if (!lift || !app.currentPylone || !app.scrollPlacePylone || lift->arrPylones.empty()) return;
    const vector3df p = placePylone(lift->arrPylones.size() - 1, app.scrollPlacePylone->getPos());
    app.currentPylone->setPosition(p);
    if (lift->type == REMONTEE_TSFIXE) {
        printf("scrollbar ->changeTypePylone TS \n");
        app.currentPylone->changeTypePylone(app.currentPylone->getTypePylone(), p, lift->getRotation());
    }
    lift->createTroncons();
}

void CMainWindow::changeModelPylone() {
    printf("Type pylone changed\n");
    CRemontee* lift = app.currentRemontee;
    if (!lift || !app.currentPylone || !app.comboTypePylone) return;
    if (lift->type != REMONTEE_TKFIXE && lift->type != REMONTEE_TSFIXE) return;
    const s32 selected = app.comboTypePylone->getSelected();
    if (selected < 0) return;
    const s32 kind = (s32)app.comboTypePylone->getItemData(selected);
    app.currentPylone->changeTypePylone(kind, app.currentPylone->getPosition(), app.currentPylone->getRotation());
}

void CMainWindow::closeNewPylone() {
    if (app.windowNewPylone) app.windowNewPylone->remove();
    app.windowNewPylone = 0;
    app.comboTypePylone = 0;
    app.scrollPlacePylone = 0;
    app.buttonValider = app.buttonAnnuler = 0;
}

void CMainWindow::validerPylone() {
    app.currentPylone = 0;
    setTextNombrePylones();
    closeNewPylone();
}

void CMainWindow::annulerPylone() {
    CRemontee* lift = app.currentRemontee;
    if (lift && !lift->arrPylones.empty()) {
        CPyloneRM* last = lift->arrPylones.getLast();
        last->remove();
        lift->arrPylones.erase(lift->arrPylones.size() - 1);
        delete last;
        lift->createTroncons();
        printf("ANNULE_PYLONE app.currentRemontee->arrPylones.erase ok\n");
    }
    app.currentPylone = 0;
    closeNewPylone();
    printf("ANNULE_PYLONE app.windowNewPylone->remove() ok\n");
    setTextNombrePylones();
}

void CMainWindow::supprimerPylone() {
    CRemontee* lift = app.currentRemontee;
    if (!lift || lift->arrPylones.empty()) return;
    CPyloneRM* last = lift->arrPylones.getLast();
    lift->arrPylones.erase(lift->arrPylones.size() - 1);
    last->remove();
    // A pylon left standing by the title-bar close of its window may be this one.
    if (app.currentPylone == last) app.currentPylone = 0;
    delete last;
    setTextNombrePylones();
    lift->createTroncons();
}

void CMainWindow::terminerRemontee() {
    CRemontee* lift = app.currentRemontee;
    if (!lift) return;
    app.mode = MODE_IDLE;
    app.statusText = "";
    lift->createTroncons();
    lift->built = true;
    lift->createVehicules();
    lift->running = true;
    lift->setSound(true);
    if (app.windowPylones) app.windowPylones->remove();
    app.windowPylones = 0;
    app.buttonAjouterPylone = app.buttonTerminerRemontee = app.buttonSupprimerPylone = 0;
    app.textNombrePylones = 0;
}
