// Tree window, lift window, planting window and the game menu.
#include "GameWindowTest.h"
#include "CArbre.h"
#include "CTKDebrayable.h"
#include "CTKFixe.h"
#include "CVehicule.h"

using namespace irr;
using namespace irr::core;

namespace {
size_t occurrences(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}
}

class DialogsTest : public GameWindowTest {
protected:
    void plant(const array<vector3df>& spots) {
        clickOn(GUI_ID_CONSTRUIRE);
        clickOn(GUI_ID_AJOUTER_ARBRE);
        for (u32 i = 0; i < spots.size(); ++i) clickWorld(spots[i]);
        // Stop through the handler alone, so that no extra tree is planted.
        guiEvent(GUI_ID_STOPPER_PLANTATION, gui::EGET_BUTTON_CLICKED);
        if (win->app.windowConstruction) win->app.windowConstruction->remove();
        win->app.windowConstruction = 0;
        ASSERT_EQ(win->app.mode, MODE_IDLE);
    }

    CRemontee* surfaceLift() {
        CRemontee* lift = beginLift(GUI_ID_TELESKI_FIXE, ground(900, 500), ground(900, 1900));
        clickOn(GUI_ID_TERMINER_REMONTEE);
        return lift;
    }
};

TEST_F(DialogsTest, CutsTheClickedTree) {
    start();
    array<vector3df> spots;
    spots.push_back(ground(800, 1000));
    spots.push_back(ground(1300, 1000));
    spots.push_back(ground(1800, 1000));
    plant(spots);
    ASSERT_EQ(map()->arrArbres.size(), 3u);
    CArbre* second = map()->arrArbres[1];

    capture.start();
    clickTree(second);
    std::string out = capture.stop();
    EXPECT_TRUE(contains(out, "arbre clicked arbre2\n"));
    ASSERT_EQ(win->selectedArbre, second);
    EXPECT_EQ(windows(GUI_ID_WINDOW_ARBRE), 1u);

    // Another press on a tree while its window is open opens no second window.
    clickTree(map()->arrArbres[2]);
    EXPECT_EQ(windows(GUI_ID_WINDOW_ARBRE), 1u);
    EXPECT_EQ(win->selectedArbre, second);

    capture.start();
    clickOn(GUI_ID_COUPER_ARBRE);
    out = capture.stop();
    EXPECT_EQ(occurrences(out, "Compare "), 2u);
    EXPECT_TRUE(contains(out, "Compare arbre1 and arbre2\nCompare arbre2 and arbre2\ncoupe arbre condition ok\n"
                              "nouvelle taille tableau  2\nDrop arbre\n"));
    EXPECT_EQ(win->selectedArbre, nullptr);
    EXPECT_EQ(windows(GUI_ID_WINDOW_ARBRE), 0u);
    ASSERT_EQ(map()->arrArbres.size(), 2u);
    EXPECT_EQ(map()->arrArbres[0]->getName(), "arbre1");
    EXPECT_EQ(map()->arrArbres[1]->getName(), "arbre3");
    EXPECT_EQ(device()->getSceneManager()->getSceneNodeFromName("arbre2"), nullptr);

    // The highest number still stands: the next tree is 4; cut the highest and 3 comes back.
    array<vector3df> more;
    more.push_back(ground(1300, 1400));
    plant(more);
    EXPECT_EQ(map()->arrArbres.getLast()->getName(), "arbre4");
    clickTree(map()->arrArbres.getLast());
    clickOn(GUI_ID_COUPER_ARBRE);
    clickTree(map()->arrArbres.getLast());
    clickOn(GUI_ID_COUPER_ARBRE);
    ASSERT_EQ(map()->arrArbres.size(), 1u);
    plant(more);
    EXPECT_EQ(map()->arrArbres.getLast()->getName(), "arbre2");
    EXPECT_EQ(win->runFrames(3, 0.016f), 3u);
}

TEST_F(DialogsTest, CutWithoutSelectedTreeKeepsTheWindow) {
    start();
    array<vector3df> spots;
    spots.push_back(ground(1300, 1000));
    plant(spots);
    clickTree(map()->arrArbres[0]);
    ASSERT_EQ(windows(GUI_ID_WINDOW_ARBRE), 1u);
    win->selectedArbre = 0;
    clickOn(GUI_ID_COUPER_ARBRE);
    EXPECT_EQ(windows(GUI_ID_WINDOW_ARBRE), 1u);
    EXPECT_EQ(map()->arrArbres.size(), 1u);
}

TEST_F(DialogsTest, RenamesALift) {
    start();
    CRemontee* lift = surfaceLift();
    capture.start();
    clickTerminal(lift);
    std::string out = capture.stop();
    EXPECT_TRUE(contains(out, "tkf clicked rmtkf0\n"));
    ASSERT_EQ(win->selectedRemontee, lift);
    EXPECT_TRUE(lift->windowOpen);
    ASSERT_NE(win->app.windowRemontee, nullptr);
    EXPECT_EQ(stringw(win->app.windowRemontee->getText()), L"Teleski fixe");
    EXPECT_FALSE(win->app.windowRemontee->getCloseButton()->isVisible());
    EXPECT_EQ(element(GUI_ID_LANCE_PERCHE), nullptr);
    EXPECT_EQ(stringw(win->app.editNomRemontee->getText()), L"");
    EXPECT_EQ(stringw(win->app.textVitesse->getText()), L"");

    // A second press on the terminal changes nothing.
    clickTerminal(lift);
    EXPECT_EQ(windows(GUI_ID_WINDOW_REMONTEE), 1u);

    win->app.editNomRemontee->setText(L"Combe \xE9t\xE9");
    clickOn(GUI_ID_FERMER);
    EXPECT_FALSE(lift->windowOpen);
    EXPECT_EQ(windows(GUI_ID_WINDOW_REMONTEE), 0u);
    EXPECT_EQ(lift->getName(), "Combe \xE9t\xE9");

    clickTerminal(lift);
    ASSERT_NE(win->app.editNomRemontee, nullptr);
    EXPECT_EQ(stringw(win->app.editNomRemontee->getText()), L"Combe \xE9t\xE9");
}

TEST_F(DialogsTest, StopsAndStartsALift) {
    start();
    CRemontee* lift = surfaceLift();
    win->runFrames(2, 0.05f);
    clickTerminal(lift);
    const bool sound = soundBackendWorks();
    if (sound) {
        ASSERT_TRUE(lift->getSound());
    }

    clickOn(GUI_ID_MARCHE_ARRET);
    EXPECT_FALSE(lift->running);
    win->runFrames(1, 0.05f);
    array<vector3df> before = carrierPositions(lift);
    win->runFrames(10, 0.05f);
    EXPECT_EQ(carriersMoved(lift, before), 0u);
    if (sound) {
        EXPECT_FALSE(lift->getSound()->isPlaying());
    }

    clickOn(GUI_ID_MARCHE_ARRET);
    EXPECT_TRUE(lift->running);
    win->runFrames(10, 0.05f);
    EXPECT_GT(carriersMoved(lift, before), 0u);
    if (sound) {
        EXPECT_TRUE(lift->getSound()->isPlaying());
    }
}

TEST_F(DialogsTest, SpeedBarSetsSpeedTextAndPitch) {
    start();
    CRemontee* lift = surfaceLift();
    clickTerminal(lift);
    ASSERT_NE(win->app.scrollVitesse, nullptr);
    EXPECT_EQ(win->app.scrollVitesse->getPos(), 100);
    EXPECT_EQ(win->app.scrollVitesse->getMin(), 10);
    EXPECT_EQ(win->app.scrollVitesse->getMax(), 100);

    setScroll(GUI_ID_SCROLL_VITESSE, 50);
    EXPECT_FLOAT_EQ(lift->vitesse, 1.0f);
    EXPECT_EQ(stringw(win->app.textVitesse->getText()), L"V = 1.000000 m/s");
    if (soundBackendWorks()) {
        ASSERT_TRUE(lift->getSound());
        EXPECT_FLOAT_EQ(lift->getSound()->getPitchShift(), 0.5f);
    }

    // Reopened, the bar shows the speed it was left at (rounded, not one step low).
    setScroll(GUI_ID_SCROLL_VITESSE, 70);
    clickOn(GUI_ID_FERMER);
    capture.start();
    clickTerminal(lift);
    const std::string out = capture.stop();
    EXPECT_TRUE(contains(out, "vitesse max 2.000000\nscrollPosition 70\n"));
    EXPECT_EQ(win->app.scrollVitesse->getPos(), 70);
    EXPECT_EQ(stringw(win->app.textVitesse->getText()), L"");
    clickOn(GUI_ID_FERMER);

    // A chairlift at a tenth of its full speed.
    CRemontee* chair = beginLift(GUI_ID_TELESIEGE_FIXE, ground(1700, 500), ground(1700, 1900));
    clickOn(GUI_ID_TERMINER_REMONTEE);
    clickTerminal(chair);
    ASSERT_EQ(win->selectedRemontee, chair);
    EXPECT_EQ(stringw(win->app.windowRemontee->getText()), L"Telesiege siege fixe 2 pl");
    setScroll(GUI_ID_SCROLL_VITESSE, 10);
    EXPECT_FLOAT_EQ(chair->vitesse, 0.25f);
    EXPECT_EQ(stringw(win->app.textVitesse->getText()), L"V = 0.250000 m/s");
}

TEST_F(DialogsTest, SendsTheDetachablePoleOffSeveralTimes) {
    start();
    CRemontee* lift = beginLift(GUI_ID_TELESKI_DEBRAYABLE, ground(1000, 500), ground(1000, 1200));
    ASSERT_NE(lift, nullptr);
    clickTerminal(lift);
    ASSERT_EQ(win->selectedRemontee, lift);
    EXPECT_EQ(stringw(win->app.windowRemontee->getText()), L"Teleski debrayable");
    ASSERT_NE(element(GUI_ID_LANCE_PERCHE), nullptr);
    ASSERT_EQ(lift->arrVehicules.size(), 1u);
    CVehicule* pole = lift->arrVehicules[0];

    clickOn(GUI_ID_LANCE_PERCHE);
    EXPECT_EQ(pole->placeGareTk, -1);
    const vector3df start = pole->getPosition();
    win->runFrames(20, 0.05f);
    EXPECT_GT(pole->getPosition().getDistanceFrom(start), 0.5f);
    for (int i = 0; i < 3; ++i) {
        clickOn(GUI_ID_LANCE_PERCHE);
        win->runFrames(200, 0.1f);
    }
    EXPECT_EQ(lift->arrVehicules.size(), 1u);
    clickOn(GUI_ID_FERMER);
    EXPECT_FALSE(lift->windowOpen);
}

TEST_F(DialogsTest, PoleButtonActsOnDetachableLiftsOnly) {
    start();
    CRemontee* lift = surfaceLift();
    clickTerminal(lift);
    win->app.guienv->addButton(rect<s32>(0, 500, 50, 550), 0, GUI_ID_LANCE_PERCHE, L"x");
    guiEvent(GUI_ID_LANCE_PERCHE, gui::EGET_BUTTON_CLICKED);  // not a detachable lift: nothing
    EXPECT_EQ(win->runFrames(2, 0.05f), 2u);
}

TEST_F(DialogsTest, MenuThenQuitterEndsTheLoop) {
    const wchar_t* resolutions[] = {L"640x480", L"800x600", L"1024x768", L"1280x960"};
    for (const wchar_t* r : resolutions) {
        SCOPED_TRACE(stringc(r).c_str());
        start(r);
        clickOn(GUI_ID_MENU);
        ASSERT_NE(win->app.windowMenu, nullptr);
        const rect<s32> where = win->app.windowMenu->getAbsolutePosition();
        const dimension2d<u32> screen = device()->getVideoDriver()->getScreenSize();
        EXPECT_GE(where.UpperLeftCorner.X, 0);
        EXPECT_LE(where.LowerRightCorner.X, (s32)screen.Width);
        EXPECT_EQ(where.getWidth(), 200);
        EXPECT_EQ(where.getHeight(), 130);
        if (screen.Width >= 1000) {
            EXPECT_EQ(where, rect<s32>(800, 70, 1000, 200));
        }

        clickOn(GUI_ID_MENU);  // behind the modal menu: no second one
        EXPECT_EQ(windows(GUI_ID_WINDOW_MENU), 1u);
        clickOn(GUI_ID_SAUVEGARDER);
        EXPECT_FALSE(win->app.quit);
        clickOn(GUI_ID_QUITTER);
        EXPECT_TRUE(win->app.quit);
        EXPECT_EQ(win->runFrames(5, 0.016f), 0u);
        win->frameLoop();  // returns before drawing a frame
        win->shutDown();
        win.reset();
    }
}

TEST_F(DialogsTest, MenuClosedByItsTitleBarCanBeOpenedAgain) {
    start(L"800x600");
    clickOn(GUI_ID_MENU);
    ASSERT_NE(win->app.windowMenu, nullptr);
    clickAt(win->app.windowMenu->getCloseButton()->getAbsolutePosition().getCenter());
    EXPECT_EQ(windows(GUI_ID_WINDOW_MENU), 0u);
    EXPECT_EQ(win->app.windowMenu, nullptr);
    clickOn(GUI_ID_MENU);
    EXPECT_EQ(windows(GUI_ID_WINDOW_MENU), 1u);
}
