// The whole scripted game session on the null driver, through the game
// window's own event handling: a lift of each kind built through the menus
// (pylons added, moved, cancelled and removed), each lift's window opened and
// used, trees planted and cut, every window opened and closed, then "Menu" and
// "Quitter". It runs in the test suite's sanitizer build; under valgrind with
// scripts/valgrind-session.sh.
#include "GameWindowTest.h"
#include "CPyloneRM.h"

using namespace irr;
using namespace irr::core;

class SessionTest : public GameWindowTest {
protected:
    // Closes a window through its title-bar button, as a player does.
    void closeByTitleBar(gui::IGUIWindow* window, s32 id) {
        ASSERT_NE(window, nullptr);
        clickAt(window->getCloseButton()->getAbsolutePosition().getCenter());
        EXPECT_EQ(windows(id), 0u);
    }

    // Pylons through the dialog: one kept, one cancelled, one kept then removed.
    void pylons(CRemontee* lift, s32 models) {
        for (s32 i = 0; i < 3; ++i) {
            clickOn(GUI_ID_AJOUTER_PYLONE);
            ASSERT_NE(win->app.windowNewPylone, nullptr);
            setScroll(GUI_ID_SCROLL_PLACE_PYLONE, 20 + 10 * i);
            setCombo(GUI_ID_COMBO_TYPE_PYLONE, i % models);
            clickOn(i == 1 ? GUI_ID_ANNULER : GUI_ID_VALIDER);
        }
        EXPECT_EQ(lift->arrPylones.size(), 2u);
        clickOn(GUI_ID_SUPPRIMER_PYLONE);
        EXPECT_EQ(lift->arrPylones.size(), 1u);
        // A new pylon's window closed by its title bar keeps the pylon, as "Valider" would.
        clickOn(GUI_ID_AJOUTER_PYLONE);
        setScroll(GUI_ID_SCROLL_PLACE_PYLONE, 40);
        closeByTitleBar(win->app.windowNewPylone, GUI_ID_WINDOW_NEW_PYLONE);
        EXPECT_EQ(lift->arrPylones.size(), 2u);
        clickOn(GUI_ID_TERMINER_REMONTEE);
        EXPECT_EQ(win->app.mode, MODE_IDLE);
        EXPECT_TRUE(lift->built && lift->running);
    }

    // The lift's window: speed, stop and start, the pole for the detachable lift, "Fermer".
    void useLiftWindow(CRemontee* lift) {
        clickTerminal(lift);
        ASSERT_TRUE(lift->windowOpen);
        setScroll(GUI_ID_SCROLL_VITESSE, 40);
        clickOn(GUI_ID_MARCHE_ARRET);
        win->runFrames(5, 0.1f);
        clickOn(GUI_ID_MARCHE_ARRET);
        if (lift->type == REMONTEE_TKDEBRAYABLE) clickOn(GUI_ID_LANCE_PERCHE);
        win->runFrames(5, 0.1f);
        clickOn(GUI_ID_FERMER);
        EXPECT_FALSE(lift->windowOpen);
    }
};

TEST_F(SessionTest, BuildsPlantsCutsOpensEveryWindowAndQuits) {
    start();
    capture.start();  // the session traces every step

    // The build menu and the window of lift kinds, each closed by its title bar once.
    clickOn(GUI_ID_CONSTRUIRE);
    clickOn(GUI_ID_NOUVELLE_PISTE);
    closeByTitleBar(win->app.windowConstruction, GUI_ID_WINDOW_CONSTRUCTION);
    clickOn(GUI_ID_CONSTRUIRE);
    clickOn(GUI_ID_NOUVELLE_REMONTEE);
    closeByTitleBar(win->app.windowTypeRemontee, GUI_ID_WINDOW_TYPE_REMONTEE);

    CRemontee* surface = beginLift(GUI_ID_TELESKI_FIXE, ground(700, 500), ground(750, 1900));
    ASSERT_NE(surface, nullptr);
    pylons(surface, 2);
    CRemontee* chair = beginLift(GUI_ID_TELESIEGE_FIXE, ground(1300, 450), ground(1250, 2000));
    ASSERT_NE(chair, nullptr);
    pylons(chair, 3);
    CRemontee* detachable = beginLift(GUI_ID_TELESKI_DEBRAYABLE, ground(1900, 500), ground(1900, 1900));
    ASSERT_NE(detachable, nullptr);
    EXPECT_TRUE(detachable->running);
    ASSERT_EQ(map()->arrRemontees.size(), 3u);
    EXPECT_EQ(win->runFrames(100, 0.05f), 100u);

    for (CRemontee* lift : {surface, chair, detachable}) useLiftWindow(lift);

    // Trees: planted in the planting mode, stopped with its button, then cut.
    aim(vector3df(1280, 4200, -900), vector3df(1280, 900, 1280));
    clickOn(GUI_ID_CONSTRUIRE);
    clickOn(GUI_ID_AJOUTER_ARBRE);
    ASSERT_EQ(win->app.mode, MODE_PLANTATION);
    for (f32 x : {500.0f, 900.0f, 1500.0f, 2100.0f}) clickWorld(ground(x, 1100));
    guiEvent(GUI_ID_STOPPER_PLANTATION, gui::EGET_BUTTON_CLICKED);
    if (win->app.windowConstruction) closeByTitleBar(win->app.windowConstruction, GUI_ID_WINDOW_CONSTRUCTION);
    ASSERT_GE(map()->arrArbres.size(), 4u);
    const u32 planted = map()->arrArbres.size();
    clickTree(map()->arrArbres[1]);
    clickOn(GUI_ID_COUPER_ARBRE);
    clickTree(map()->arrArbres[0]);
    closeByTitleBar(win->app.windowArbre, GUI_ID_WINDOW_ARBRE);  // the tree window left without cutting
    clickTree(map()->arrArbres.getLast());
    clickOn(GUI_ID_COUPER_ARBRE);
    EXPECT_EQ(map()->arrArbres.size(), planted - 2);
    EXPECT_EQ(win->runFrames(50, 0.05f), 50u);

    // The game menu: closed once by its title bar, then "Sauvegarder" (nothing) and "Quitter".
    clickOn(GUI_ID_MENU);
    closeByTitleBar(win->app.windowMenu, GUI_ID_WINDOW_MENU);
    clickOn(GUI_ID_MENU);
    clickOn(GUI_ID_SAUVEGARDER);
    clickOn(GUI_ID_QUITTER);
    EXPECT_TRUE(win->app.quit);
    EXPECT_EQ(win->runFrames(5, 0.016f), 0u);
    capture.stop();
    win->shutDown();
    win.reset();
}
