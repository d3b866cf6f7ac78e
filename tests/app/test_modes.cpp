// Interaction modes, world clicks, the build menu and the pylon dialog,
// driven through injected mouse presses and GUI events.
#include "GameWindowTest.h"
#include "CArbre.h"
#include "CPyloneRM.h"
#include "CTKFixe.h"
#include "CTSFixe.h"
#include "CTKDebrayable.h"
#include "CVehicule.h"

using namespace irr;
using namespace irr::core;

namespace {
vector3df lerp(const vector3df& a, const vector3df& b, f32 percent) { return a + (b - a) * (percent / 100.0f); }
}

class ModesTest : public GameWindowTest {
protected:
    stringc status() { return win->app.statusText; }
    void expectOnGround(const vector3df& p) { EXPECT_NEAR(p.Y, map()->GetHeight(vector3df(p.X, 0, p.Z), 9000), 0.01f); }
};

TEST_F(ModesTest, BuildsSurfaceLiftWithBothPylonModels) {
    start();
    const vector3df bottom = ground(900, 500), top = ground(1000, 2000);
    capture.start();
    clickOn(GUI_ID_CONSTRUIRE);
    ASSERT_NE(win->app.windowConstruction, nullptr);
    clickOn(GUI_ID_NOUVELLE_PISTE);  // does nothing, the window stays
    EXPECT_EQ(windows(GUI_ID_WINDOW_CONSTRUCTION), 1u);
    clickOn(GUI_ID_NOUVELLE_REMONTEE);
    EXPECT_EQ(windows(GUI_ID_WINDOW_CONSTRUCTION), 0u);
    EXPECT_EQ(windows(GUI_ID_WINDOW_TYPE_REMONTEE), 1u);
    clickOn(GUI_ID_TELESKI_FIXE);
    EXPECT_EQ(windows(GUI_ID_WINDOW_TYPE_REMONTEE), 0u);
    EXPECT_EQ(win->app.mode, MODE_TKF_DEPART);
    EXPECT_EQ(status(), "Placez la gare de depart");

    clickWorld(bottom);
    EXPECT_EQ(win->app.mode, MODE_TKF_ARRIVEE);
    EXPECT_EQ(status(), "Placez la gare d arrivee");
    CRemontee* lift = win->app.currentRemontee;
    ASSERT_NE(lift, nullptr);
    EXPECT_EQ(lift->type, REMONTEE_TKFIXE);
    EXPECT_EQ(lift->getNodeName(), "rmtkf0");
    ASSERT_EQ(map()->arrRemontees.size(), 1u);
    EXPECT_LT(lift->getPositionDepart().getDistanceFrom(bottom), 12.0f);

    clickWorld(top);
    EXPECT_EQ(win->app.mode, MODE_TKF_PYLONES);
    EXPECT_EQ(status(), "Placez les pylones");
    ASSERT_NE(win->app.windowPylones, nullptr);
    EXPECT_FALSE(win->app.windowPylones->getCloseButton()->isVisible());
    EXPECT_EQ(stringw(element(GUI_ID_TERMINER_REMONTEE)->getText()), L"Terminer remontee");
    EXPECT_EQ(stringw(win->app.textNombrePylones->getText()), L"Nombre de pylones : 0");

    // First pylon: 5 % of the way, on the terrain, first model.
    clickOn(GUI_ID_AJOUTER_PYLONE);
    EXPECT_EQ(win->app.mode, MODE_TKF_NOUVEAU_PYLONE);
    EXPECT_EQ(status(), "Placez le pylone numero 0");
    ASSERT_EQ(lift->arrPylones.size(), 1u);
    CPyloneRM* p0 = lift->arrPylones[0];
    EXPECT_EQ(win->app.currentPylone, p0);
    EXPECT_EQ(p0->getTypePylone(), PYLONE_TK_MONTEE_DESCENTE);
    vector3df expected = lerp(lift->getPositionDepart(), lift->getPositionArrivee(), 5);
    EXPECT_NEAR(p0->getPosition().X, expected.X, 0.01f);
    EXPECT_NEAR(p0->getPosition().Z, expected.Z, 0.01f);
    expectOnGround(p0->getPosition());
    EXPECT_EQ(lift->arrTroncons.size(), 0u);  // adding does not lay the rope

    // Moved to 30 %, then changed to the up-line-only model.
    setScroll(GUI_ID_SCROLL_PLACE_PYLONE, 30);
    expected = lerp(lift->getPositionDepart(), lift->getPositionArrivee(), 30);
    EXPECT_NEAR(p0->getPosition().Z, expected.Z, 0.01f);
    expectOnGround(p0->getPosition());
    EXPECT_EQ(lift->arrTroncons.size(), 6u);  // one kind-1 pylon: 1 + 1 + 4
    setCombo(GUI_ID_COMBO_TYPE_PYLONE, 1);
    EXPECT_EQ(p0->getTypePylone(), PYLONE_TK_MONTEE);
    EXPECT_EQ(lift->arrTroncons.size(), 6u);  // a model change lays no rope
    clickOn(GUI_ID_VALIDER);
    EXPECT_EQ(win->app.currentPylone, nullptr);
    EXPECT_EQ(win->app.windowNewPylone, nullptr);
    EXPECT_EQ(windows(GUI_ID_WINDOW_NEW_PYLONE), 0u);
    EXPECT_EQ(win->app.mode, MODE_TKF_NOUVEAU_PYLONE);
    EXPECT_EQ(stringw(win->app.textNombrePylones->getText()), L"Nombre de pylones : 1");

    // Second pylon: 5 % of the way from the first pylon to the top, kept as "Montee + descente".
    clickOn(GUI_ID_AJOUTER_PYLONE);
    EXPECT_EQ(status(), "Placez le pylone numero 1");
    ASSERT_EQ(lift->arrPylones.size(), 2u);
    expected = lerp(p0->getPosition(), lift->getPositionArrivee(), 5);
    EXPECT_NEAR(lift->arrPylones[1]->getPosition().Z, expected.Z, 0.01f);
    setScroll(GUI_ID_SCROLL_PLACE_PYLONE, 50);
    clickOn(GUI_ID_VALIDER);

    clickOn(GUI_ID_TERMINER_REMONTEE);
    const std::string out = capture.stop();
    EXPECT_EQ(win->app.mode, MODE_IDLE);
    EXPECT_EQ(status(), "");
    EXPECT_EQ(windows(GUI_ID_WINDOW_PYLONES), 0u);
    EXPECT_TRUE(lift->built);
    EXPECT_TRUE(lift->running);
    EXPECT_EQ(lift->arrTroncons.size(), 7u);  // two pylons, one of kind 1: 2 + 1 + 4
    ASSERT_GT(lift->arrVehicules.size(), 0u);
    EXPECT_EQ(win->app.currentRemontee, lift);

    EXPECT_TRUE(contains(out, "Place depart TK Fixe\n"));
    EXPECT_TRUE(contains(out, "clickTerrainCoordinates TKFDepart: "));
    EXPECT_TRUE(contains(out, "clickTerrainCoordinates TKFArrivee: "));
    EXPECT_TRUE(contains(out, "Place pylone TKF "));
    EXPECT_TRUE(contains(out, "Type pylone changed\n"));

    if (soundBackendWorks()) {
        audiere::OutputStreamPtr s = lift->getSound();
        ASSERT_TRUE(s);
        EXPECT_TRUE(s->isPlaying());
        EXPECT_TRUE(s->getRepeat());
    }

    // Carriers move over the next frames.
    const vector3df before = lift->arrVehicules[0]->getPosition();
    win->runFrames(10, 0.05f);
    EXPECT_GT(lift->arrVehicules[0]->getPosition().getDistanceFrom(before), 0.1f);
}

TEST_F(ModesTest, BuildsChairliftWithTheThreeHeights) {
    start();
    CRemontee* lift = beginLift(GUI_ID_TELESIEGE_FIXE, ground(1500, 400), ground(1400, 2100));
    ASSERT_NE(lift, nullptr);
    EXPECT_EQ(lift->type, REMONTEE_TSFIXE);
    EXPECT_EQ(lift->getNodeName(), "tsf2p0");
    EXPECT_EQ(win->app.mode, MODE_TSF_PYLONES);
    EXPECT_EQ(stringw(element(GUI_ID_TERMINER_REMONTEE)->getText()), L"Terminer pylone");

    const s32 kinds[] = {PYLONE_TS_MOYEN, PYLONE_TS_BAS, PYLONE_TS_HAUT};
    for (s32 i = 0; i < 3; ++i) {
        clickOn(GUI_ID_AJOUTER_PYLONE);
        EXPECT_EQ(win->app.mode, MODE_TSF_NOUVEAU_PYLONE);
        EXPECT_EQ(lift->arrPylones.getLast()->getTypePylone(), PYLONE_TS_MOYEN);
        capture.start();
        setScroll(GUI_ID_SCROLL_PLACE_PYLONE, 25);
        EXPECT_TRUE(contains(capture.stop(), "scrollbar ->changeTypePylone TS \n"));
        expectOnGround(lift->arrPylones.getLast()->getPosition());
        setCombo(GUI_ID_COMBO_TYPE_PYLONE, i);
        EXPECT_EQ(lift->arrPylones.getLast()->getTypePylone(), kinds[i]);
        clickOn(GUI_ID_VALIDER);
    }
    EXPECT_EQ(lift->arrPylones.size(), 3u);
    EXPECT_EQ(lift->arrTroncons.size(), 2u * 3u + 10u);

    // A fourth pylon cancelled, then the last one removed: rope relaid each time.
    clickOn(GUI_ID_AJOUTER_PYLONE);
    EXPECT_EQ(lift->arrPylones.size(), 4u);
    capture.start();
    clickOn(GUI_ID_ANNULER);
    const std::string out = capture.stop();
    EXPECT_TRUE(contains(out, "ANNULE_PYLONE app.currentRemontee->arrPylones.erase ok\n"));
    EXPECT_TRUE(contains(out, "ANNULE_PYLONE app.windowNewPylone->remove() ok\n"));
    EXPECT_EQ(win->app.mode, MODE_TSF_NOUVEAU_PYLONE);
    EXPECT_EQ(lift->arrPylones.size(), 3u);
    EXPECT_EQ(lift->arrTroncons.size(), 16u);
    EXPECT_EQ(stringw(win->app.textNombrePylones->getText()), L"Nombre de pylones : 3");
    clickOn(GUI_ID_SUPPRIMER_PYLONE);
    EXPECT_EQ(lift->arrPylones.size(), 2u);
    EXPECT_EQ(lift->arrTroncons.size(), 14u);
    EXPECT_EQ(stringw(win->app.textNombrePylones->getText()), L"Nombre de pylones : 2");

    clickOn(GUI_ID_TERMINER_REMONTEE);
    EXPECT_EQ(win->app.mode, MODE_IDLE);
    EXPECT_TRUE(lift->built && lift->running);
    EXPECT_EQ(lift->arrTroncons.size(), 14u);
    EXPECT_FALSE(lift->getSound());  // the chairlift has no motor sound
    ASSERT_GT(lift->arrVehicules.size(), 0u);
    const vector3df before = lift->arrVehicules[0]->getPosition();
    win->runFrames(10, 0.05f);
    EXPECT_GT(lift->arrVehicules[0]->getPosition().getDistanceFrom(before), 0.1f);
}

TEST_F(ModesTest, DetachableLiftRunsFromItsTopTerminalClick) {
    start();
    capture.start();
    CRemontee* lift = beginLift(GUI_ID_TELESKI_DEBRAYABLE, ground(700, 500), ground(700, 1900));
    const std::string out = capture.stop();
    ASSERT_NE(lift, nullptr);
    EXPECT_EQ(lift->type, REMONTEE_TKDEBRAYABLE);
    EXPECT_EQ(lift->getNodeName(), "tkdeb0");
    EXPECT_EQ(win->app.mode, MODE_IDLE);
    EXPECT_EQ(status(), "");
    EXPECT_EQ(windows(GUI_ID_WINDOW_PYLONES), 0u);
    EXPECT_TRUE(contains(out, "Place depart TK Debrayable\n"));
    EXPECT_FALSE(contains(out, "TKDDepart"));
    EXPECT_TRUE(contains(out, "clickTerrainCoordinates TKDArrivee: "));
    EXPECT_TRUE(contains(out, "update troncon at tkd arrivee build\n"));
    EXPECT_TRUE(lift->built && lift->running);
    EXPECT_EQ(lift->arrTroncons.size(), 8u);
    ASSERT_EQ(lift->arrVehicules.size(), 1u);
    EXPECT_EQ(lift->arrVehicules[0]->placeGareTk, 0);
    EXPECT_FALSE(lift->getSound());
    const vector3df before = lift->arrVehicules[0]->getPosition();
    win->runFrames(10, 0.05f);  // the pole waits in the station
    EXPECT_EQ(lift->arrVehicules[0]->getPosition(), before);
}

TEST_F(ModesTest, LiftsAreNumberedByTheirPlaceInTheMap) {
    start();
    beginLift(GUI_ID_TELESKI_FIXE, ground(600, 500), ground(600, 1500));
    clickOn(GUI_ID_TERMINER_REMONTEE);
    beginLift(GUI_ID_TELESIEGE_FIXE, ground(1200, 500), ground(1200, 1500));
    clickOn(GUI_ID_TERMINER_REMONTEE);
    beginLift(GUI_ID_TELESKI_DEBRAYABLE, ground(1800, 500), ground(1800, 1500));
    ASSERT_EQ(map()->arrRemontees.size(), 3u);
    EXPECT_EQ(map()->arrRemontees[0]->getNodeName(), "rmtkf0");
    EXPECT_EQ(map()->arrRemontees[1]->getNodeName(), "tsf2p1");
    EXPECT_EQ(map()->arrRemontees[2]->getNodeName(), "tkdeb2");
    EXPECT_EQ(win->runFrames(5, 0.05f), 5u);
}

TEST_F(ModesTest, PlantsTreesWithTheNextFreeNumber) {
    start();
    clickOn(GUI_ID_CONSTRUIRE);
    clickOn(GUI_ID_AJOUTER_ARBRE);
    EXPECT_EQ(win->app.mode, MODE_PLANTATION);
    EXPECT_EQ(windows(GUI_ID_WINDOW_CONSTRUCTION), 1u);  // stays open under the planting window
    ASSERT_NE(win->app.windowPlantation, nullptr);
    EXPECT_FALSE(win->app.windowPlantation->getCloseButton()->isVisible());

    capture.start();
    const vector3df spots[] = {ground(1000, 1000), ground(1300, 1100), ground(1600, 900)};
    for (const vector3df& p : spots) clickWorld(p);
    const std::string out = capture.stop();
    EXPECT_LT(out.find("numero arbre 1\n"), out.find("numero arbre 2\n"));
    EXPECT_LT(out.find("numero arbre 2\n"), out.find("numero arbre 3\n"));
    EXPECT_NE(out.find("numero arbre 3\n"), std::string::npos);
    ASSERT_EQ(map()->arrArbres.size(), 3u);
    for (u32 i = 0; i < 3; ++i) {
        EXPECT_EQ(map()->arrArbres[i]->getName(), stringc("arbre") + stringc(i + 1));
        EXPECT_LT(map()->arrArbres[i]->getPosition().getDistanceFrom(spots[i] + vector3df(0, 0.6f, 0)), 12.0f);
    }

    // Gaps: the next number is one above the highest.
    map()->arrArbres[1]->setName("arbre5");
    clickWorld(ground(1100, 1400));
    EXPECT_EQ(map()->arrArbres.getLast()->getName(), "arbre6");

    // The press on "Stopper la plantation" plants one more tree first.
    clickOn(GUI_ID_STOPPER_PLANTATION);
    EXPECT_EQ(win->app.mode, MODE_IDLE);
    EXPECT_EQ(map()->arrArbres.size(), 5u);
    EXPECT_EQ(map()->arrArbres.getLast()->getName(), "arbre7");
    EXPECT_EQ(windows(GUI_ID_WINDOW_PLANTATION), 0u);
}

TEST_F(ModesTest, PressOnAButtonIsAlsoAWorldClick) {
    start();
    clickOn(GUI_ID_CONSTRUIRE);
    clickOn(GUI_ID_NOUVELLE_REMONTEE);
    clickOn(GUI_ID_TELESKI_FIXE);
    ASSERT_EQ(win->app.mode, MODE_TKF_DEPART);
    // The press on "Construire" places the bottom terminal, then the click opens the window.
    clickOn(GUI_ID_CONSTRUIRE);
    EXPECT_EQ(win->app.mode, MODE_TKF_ARRIVEE);
    EXPECT_EQ(map()->arrRemontees.size(), 1u);
    EXPECT_EQ(windows(GUI_ID_WINDOW_CONSTRUCTION), 1u);
}

TEST_F(ModesTest, IdlePressesPickOrPrintAndOtherInputChangesNothing) {
    start();
    capture.start();
    clickWorld(ground(1280, 1280));
    std::string out = capture.stop();
    EXPECT_TRUE(contains(out, "Type node " + std::string(map()->terrain->getName()) + "\n"));
    EXPECT_EQ(win->app.mode, MODE_IDLE);

    aim(vector3df(1280, 4000, -900), vector3df(1280, 6000, -3000));  // looking at the sky
    capture.start();
    clickAt(position2di(400, 300));
    EXPECT_TRUE(contains(capture.stop(), "no node selected\n"));

    const EMOUSE_INPUT_EVENT others[] = {EMIE_RMOUSE_PRESSED_DOWN, EMIE_MMOUSE_PRESSED_DOWN, EMIE_MOUSE_WHEEL};
    for (EMOUSE_INPUT_EVENT e : others) mouse(e, position2di(400, 300));
    SEvent key;
    key.EventType = EET_KEY_INPUT_EVENT;
    key.KeyInput.Key = KEY_KEY_W;
    key.KeyInput.PressedDown = true;
    key.KeyInput.Char = L'w';
    key.KeyInput.Shift = key.KeyInput.Control = false;
    EXPECT_FALSE(win->OnEvent(key));
    EXPECT_EQ(win->app.mode, MODE_IDLE);
    EXPECT_EQ(win->getMouseState().X, 400);
    EXPECT_FALSE(win->getMouseState().leftButtonDown);
}

TEST_F(ModesTest, PylonWhereTheTerrainIsMissingStandsAtMinus100) {
    win.reset(new CMainWindow(false, true, false, false, false, false, video::EDT_NULL, L"800x600"));
    win->setMap("missing.map");
    ASSERT_TRUE(win->startUp());
    ASSERT_EQ(map()->terrain, nullptr);
    CRemontee* lift = beginLift(GUI_ID_TELESKI_FIXE, vector3df(), vector3df());
    ASSERT_NE(lift, nullptr);
    EXPECT_EQ(lift->getPositionDepart(), vector3df(0, 0, 0));
    clickOn(GUI_ID_AJOUTER_PYLONE);
    EXPECT_FLOAT_EQ(lift->arrPylones[0]->getPosition().Y, -100.0f);
    setScroll(GUI_ID_SCROLL_PLACE_PYLONE, 60);
    clickOn(GUI_ID_VALIDER);
    clickOn(GUI_ID_TERMINER_REMONTEE);
    EXPECT_EQ(lift->arrTroncons.size(), 6u);
    EXPECT_TRUE(lift->built);
    EXPECT_EQ(win->runFrames(10, 0.05f), 10u);
}
