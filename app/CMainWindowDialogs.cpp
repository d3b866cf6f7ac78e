// The game window's tree window, lift window, planting window and game menu.
#include "CMainWindow.h"
#include <cstdio>
#include "CArbre.h"
#include "CMap.h"
#include "CRemontee.h"
#include "CTKDebrayable.h"
#include "TextConvert.h"

using namespace irr;
using namespace irr::core;
using namespace irr::gui;

// ---------------------------------------------------------------- tree, lift, planting, menu

void CMainWindow::openArbre() {
    IGUIWindow* w = addWindow(rect<s32>(100, 170, 250, 238), L"Arbre", GUI_ID_WINDOW_ARBRE);
    app.windowArbre = w;
    app.buttonCouperArbre = app.guienv->addButton(rect<s32>(5, 22, 145, 62), w, GUI_ID_COUPER_ARBRE, L"Couper l'arbre");
}

void CMainWindow::couperArbre() {
    if (!selectedArbre) return;
    const stringc selected = selectedArbre->getName();
    if (selected.size() == 0) return;
    for (u32 i = 0; i < map->arrArbres.size(); ++i) {
        const stringc name = map->arrArbres[i]->getName();
        printf("Compare %s and %s\n", name.c_str(), selected.c_str());
        if (name == selected) {
            printf("coupe arbre condition ok\n");
            map->arrArbres.erase(i);
            printf("nouvelle taille tableau  %i\n", (s32)map->arrArbres.size());
            selectedArbre->removeNode();
            printf("Drop arbre\n");
            delete selectedArbre;
            selectedArbre = 0;
            break;
        }
    }
    if (app.windowArbre) app.windowArbre->remove();
    app.windowArbre = 0;
    app.buttonCouperArbre = 0;
}

void CMainWindow::openRemontee() {
    CRemontee* lift = selectedRemontee;
    const bool tkd = lift->type == REMONTEE_TKDEBRAYABLE;
    const bool chairlift = lift->type == REMONTEE_TSFIXE;
    const wchar_t* title = tkd ? L"Teleski debrayable" : chairlift ? L"Telesiege siege fixe 2 pl" : L"Teleski fixe";
    IGUIWindow* w =
        addWindow(tkd ? rect<s32>(100, 170, 400, 460) : rect<s32>(100, 170, 400, 410), title, GUI_ID_WINDOW_REMONTEE);
    w->getCloseButton()->setVisible(false);
    app.windowRemontee = w;
    addLabel(chairlift ? L"Nom du telesiege:" : L"Nom du teleski:", rect<s32>(5, 40, 395, 60), w);
    app.editNomRemontee = app.guienv->addEditBox(widen(lift->getName()).c_str(), rect<s32>(5, 60, 275, 90), false, w,
                                                 GUI_ID_EDIT_NOM_REMONTEE);
    app.buttonMarcheArret =
        app.guienv->addButton(rect<s32>(5, 100, 145, 120), w, GUI_ID_MARCHE_ARRET, L"Marche / Arret");
    addLabel(chairlift ? L"Vitesse du telesiege:" : L"Vitesse du teleski:", rect<s32>(5, 140, 155, 160), w);
    app.textVitesse = addLabel(L"", rect<s32>(160, 140, 295, 160), w);
    app.scrollVitesse = app.guienv->addScrollBar(true, rect<s32>(5, 180, 295, 200), w, GUI_ID_SCROLL_VITESSE);
    app.scrollVitesse->setMin(10);
    app.scrollVitesse->setMax(100);
    // Rounded: truncating 100 * 1.4 / 2.0 = 69.99997 would reopen one step low.
    const s32 pos = lift->vitesseMax != 0 ? round32(100.0f * lift->vitesse / lift->vitesseMax) : 100;
    printf("vitesse max %f\n", lift->vitesseMax);
    printf("scrollPosition %i\n", pos);
    app.scrollVitesse->setPos(pos);
    app.scrollVitesse->setSmallStep(1);
    if (tkd) app.guienv->addButton(rect<s32>(60, 210, 195, 230), w, GUI_ID_LANCE_PERCHE, L"Faire partir une perche");
    app.buttonFermer = app.guienv->addButton(tkd ? rect<s32>(110, 240, 155, 260) : rect<s32>(100, 210, 145, 230), w,
                                             GUI_ID_FERMER, L"Fermer");
    lift->windowOpen = true;
}

void CMainWindow::changeVitesse() {
    if (!selectedRemontee || !app.scrollVitesse) return;
    const s32 pos = app.scrollVitesse->getPos();
    selectedRemontee->vitesse = (f32)pos * selectedRemontee->vitesseMax / 100.0f;
    char buffer[256];
    snprintf(buffer, sizeof(buffer), "%0.6f", selectedRemontee->vitesse);
    stringw text = L"V = ";
    text += stringw(buffer);
    text += L" m/s";
    if (app.textVitesse) app.textVitesse->setText(text.c_str());
    audiere::OutputStreamPtr sound = selectedRemontee->getSound();
    if (sound) sound->setPitchShift((f32)pos / 100.0f);
}

void CMainWindow::marcheArret() {
    if (selectedRemontee) selectedRemontee->running = !selectedRemontee->running;
}

void CMainWindow::fermerRemontee() {
    if (!selectedRemontee) return;
    if (app.editNomRemontee) selectedRemontee->setName(narrow(app.editNomRemontee->getText()));
    selectedRemontee->windowOpen = false;
    if (app.windowRemontee) app.windowRemontee->remove();
    app.windowRemontee = 0;
    app.editNomRemontee = 0;
    app.buttonMarcheArret = 0;
    app.textVitesse = 0;
    app.scrollVitesse = 0;
    app.buttonFermer = 0;
}

void CMainWindow::lancePerche() {
    if (selectedRemontee && selectedRemontee->type == REMONTEE_TKDEBRAYABLE)
        static_cast<CTKDebrayable*>(selectedRemontee)->lancePerche();
}

void CMainWindow::startPlantation() {
    app.mode = MODE_PLANTATION;
    if (!isOpen(GUI_ID_WINDOW_PLANTATION)) {
        IGUIWindow* w = addWindow(rect<s32>(250, 170, 400, 238), L"Plantation", GUI_ID_WINDOW_PLANTATION);
        w->getCloseButton()->setVisible(false);
        app.windowPlantation = w;
        app.buttonStopperPlantation =
            app.guienv->addButton(rect<s32>(5, 22, 145, 62), w, GUI_ID_STOPPER_PLANTATION, L"Stopper la plantation");
    }
    printf("Plante arbre(s)\n");
}

void CMainWindow::stopPlantation() {
    app.mode = MODE_IDLE;
    if (app.windowPlantation) app.windowPlantation->remove();
    app.windowPlantation = 0;
    app.buttonStopperPlantation = 0;
}

void CMainWindow::openMenu() {
    if (isOpen(GUI_ID_WINDOW_MENU)) return;
    IGUIWindow* w = addWindow(rect<s32>(800, 70, 1000, 200), L"Menu", GUI_ID_WINDOW_MENU);
    app.windowMenu = w;
    app.buttonSauvegarder = addMenuButton(w, 0, GUI_ID_SAUVEGARDER, L"Sauvegarder");
    app.buttonQuitter = addMenuButton(w, 1, GUI_ID_QUITTER, L"Quitter");
}
