// The game window: start-up, frame loop, teardown, event dispatch and clicks on the world.
// Its dialogs are in CMainWindowBuild.cpp and CMainWindowDialogs.cpp.
#include "CMainWindow.h"
#include <cstdio>
#include <cstdlib>
#include "CArbre.h"
#include "CDynamicCamera.h"
#include "CMap.h"
#include "CMapSelection.h"
#include "CRemontee.h"
#include "CStation.h"
#include "CTKDebrayable.h"
#include "CTKFixe.h"
#include "CTSFixe.h"
#include "TerrainGeometry.h"
#include "TextConvert.h"

using namespace irr;
using namespace irr::core;
using namespace irr::gui;

namespace {
struct Resolution {
    const wchar_t* text;
    u32 width, height;
    const char* line;
};
const Resolution resolutions[] = {
    {L"640x480", 640, 480, "found 640x480 "},
    {L"800x600", 800, 600, "found 800x600 "},
    {L"1024x768", 1024, 768, "found 1024x768 "},
    {L"1280x960", 1280, 960, "found 1280x960 "},
};
}

CMainWindow::CMainWindow(bool fullscreen, bool music, bool shadows, bool additive, bool vsync, bool antialias,
                         video::E_DRIVER_TYPE driverType, const stringw& resolution)
    : map(0), selectedNode(0), windowWidth(0), windowHeight(0), selectedArbre(0), selectedRemontee(0),
      fullscreen(fullscreen), music(music), shadows(shadows), additive(additive), vsync(vsync), antialias(antialias),
      resolution(resolution), driverType(driverType), device(0), mapSelection(new CMapSelection()), arrowNode(0),
      camera(0), statusTextElement(0), lastFPS(-1) {}

CMainWindow::~CMainWindow() {
    // The map and the device are gone with shutDown(); nothing of the engine is touched here.
    delete mapSelection;
}

void CMainWindow::setMap(const stringc& name) {
    mapName = name;
    mapSelection->setMap(name);
}

const SMouseState& CMainWindow::getMouseState() const { return MouseState; }

void CMainWindow::run() {
    if (!startUp()) return;
    frameLoop();
    shutDown();
}

bool CMainWindow::startUp() {
    bool known = false;
    for (const Resolution& r : resolutions) {
        if (resolution == r.text) {
            windowWidth = r.width;
            windowHeight = r.height;
            printf("%s\n", r.line);
            known = true;
        }
    }
    if (!known) {
        // A hand-edited settings.xml: a 0x0 window is of no use, take the launcher's default.
        printf("resolution inconnue, 1280x960 utilisee\n");
        windowWidth = 1280;
        windowHeight = 960;
    }

    SIrrlichtCreationParameters p;
    p.DeviceType = EIDT_BEST;
    p.DriverType = driverType;
    p.WindowSize = dimension2d<u32>(windowWidth, windowHeight);
    p.Bits = 32;
    p.ZBufferBits = 16;
    p.Fullscreen = fullscreen;
    p.Stencilbuffer = shadows;
    p.Vsync = vsync;
    p.AntiAlias = antialias ? 1 : 0;
    p.HandleSRGB = false;
    p.WithAlphaChannel = false;
    p.Doublebuffer = true;
    p.IgnoreInput = false;
    p.Stereobuffer = false;
    p.HighPrecisionFPU = false;
    p.EventReceiver = this;
    p.WindowId = 0;
    p.LoggingLevel = ELL_INFORMATION;
    p.DisplayAdapter = 0;
    p.DriverMultithreaded = false;
    p.UsePerformanceTimer = true;
    device = createDeviceEx(p);
    if (!device) {
        noDevice = true;
        printf("Impossible de creer la fenetre du jeu\n");
        return false;
    }
    // The engine quietly opens a window where the display cannot switch modes.
    if (fullscreen && !device->isFullscreen())
        printf("Plein ecran impossible sur cet affichage: le jeu s'ouvre dans une fenetre\n");
    app.device = device;
    video::IVideoDriver* driver = device->getVideoDriver();
    scene::ISceneManager* smgr = device->getSceneManager();
    IGUIEnvironment* guienv = device->getGUIEnvironment();
    device->setWindowCaption(L"Travondel");
    app.guienv = guienv;
    app.driver = driver;
    app.quit = false;
    app.mode = MODE_IDLE;
    app.statusText = "";

    camera = new CDynamicCamera(device, smgr->getRootSceneNode(), smgr, -1, 100.0f, 3.0f, 1.0f);
    // The scene owns the camera (its constructor gave up the creation reference).
    camera->setMoveSpeed(2.0f);
    camera->setRotateSpeed(20.0f);
    camera->setPosition(
        vector3df(TerrainGeometry::CAMERA_START_X, TerrainGeometry::CAMERA_START_Y, TerrainGeometry::CAMERA_START_Z));
    camera->setFarValue(8000.0f);

    map = new CMap(mapSelection->getMap());
    map->driver = driver;
    map->smgr = smgr;
    map->device = device;
    map->loadMap();

    if (map->arrStations.size() > 0) {
        camera->setTarget(map->arrStations[0]->getPosition());
    } else if (map->terrain) {
        printf("Pas de station dans la map: camera sur le centre du terrain\n");
        camera->setTarget(map->terrain->getTerrainCenter());
    } else {
        printf("Pas de station dans la map\n");
    }

    if (map->terrainSelector) {
        scene::ISceneNodeAnimator* anim = smgr->createCollisionResponseAnimator(
            map->terrainSelector, camera, vector3df(30, 50, 30), vector3df(0, -10, 0), vector3df(0, 30, 0), 0.0005f);
        if (anim) {
            camera->addAnimator(anim);
            anim->drop();
        }
    }
    printf("Camera %f", camera->getFarValue());

    scene::IAnimatedMesh* arrow = smgr->addArrowMesh("arrow", video::SColor(0xFFFF0000), video::SColor(0xFF00FF00), 4,
                                                     8, 1.0f, 0.6f, 0.05f, 0.3f);
    arrowNode =
        smgr->addAnimatedMeshSceneNode(arrow, 0, -1, vector3df(0, 0, 0), vector3df(0, 0, 0), vector3df(1, 1, 1));
    if (arrowNode) {
        arrowNode->setMaterialFlag(video::EMF_LIGHTING, false);
        arrowNode->setScale(vector3df(20, 20, 20));
        arrowNode->setRotation(vector3df(0, 0, 180));
    }

    IGUISkin* skin = guienv->createSkin(EGST_BURNING_SKIN);
    guienv->setSkin(skin);
    skin->drop();
    IGUIFont* font = guienv->getFont("media/fonthaettenschweiler.bmp");
    if (font) skin->setFont(font);

    statusTextElement = guienv->addStaticText(L"", rect<s32>(190, 10, 600, 40), false, true, 0, -1, false);
    statusTextElement->setOverrideColor(video::SColor(0xFF96643C));

    app.buttonConstruire = guienv->addButton(rect<s32>(5, 5, 80, 40), 0, GUI_ID_CONSTRUIRE, L"Construire");
    app.buttonRechercher = guienv->addButton(rect<s32>(90, 5, 180, 40), 0, GUI_ID_RECHERCHER, L"Rechercher");
    app.buttonMenu = guienv->addButton(rect<s32>(windowWidth - 64, 5, windowWidth - 5, 40), 0, GUI_ID_MENU, L"Menu");
    return true;
}

void CMainWindow::frameLoop() {
    ITimer* timer = device->getTimer();
    u32 then = timer->getTime();
    lastFPS = -1;
    while (device->run() && !app.quit) {
        const u32 now = timer->getTime();
        const f32 dt = (f32)(u32)(now - then) * 0.001f;
        frameStep(dt);
        then = now;
    }
}

u32 CMainWindow::runFrames(u32 n, f32 dt) {
    u32 drawn = 0;
    while (drawn < n && device->run() && !app.quit) {
        frameStep(dt);
        ++drawn;
    }
    return drawn;
}

void CMainWindow::frameStep(f32 dt) {
    drawFrame(dt);
    endFrame();
}

void CMainWindow::drawFrame(f32 dt) {
    video::IVideoDriver* driver = device->getVideoDriver();
    driver->beginScene(true, true, video::SColor(0x00C8C8C8));
    // Ropes first, with the view of the previous frame; the sky box tests depth
    // so it leaves them black.
    for (u32 i = 0; i < map->arrRemontees.size(); ++i) {
        CRemontee* r = map->arrRemontees[i];
        if (!r) continue;
        r->drawCables();
        const vector3df position = camera->getAbsolutePosition();
        r->update(&position, dt);
    }
    device->getSceneManager()->drawAll();
    device->getGUIEnvironment()->drawAll();
}

void CMainWindow::endFrame() {
    video::IVideoDriver* driver = device->getVideoDriver();
    driver->endScene();
    const s32 fps = driver->getFPS();
    if (fps != lastFPS) {
        caption = L"Travondel - v0.0.1 [";
        caption += driver->getName();
        caption += L"] FPS:";
        caption += fps;
        device->setWindowCaption(caption.c_str());
    }
    // Shown from the next frame: the events of this frame came before the drawing.
    statusTextElement->setText(widen(app.statusText).c_str());
    lastFPS = fps;
}

void CMainWindow::shutDown() {
    // The map's trees, stations and lifts still reach their nodes through the engine.
    delete map;
    map = 0;
    device->drop();
    device = 0;
    app.device = 0;
    app.guienv = 0;
    app.driver = 0;
    camera = 0;
    statusTextElement = 0;
    arrowNode = 0;
}

// ---------------------------------------------------------------- events

bool CMainWindow::OnEvent(const SEvent& event) {
    if (event.EventType == EET_MOUSE_INPUT_EVENT) {
        switch (event.MouseInput.Event) {
        case EMIE_LMOUSE_PRESSED_DOWN:
            MouseState.leftButtonDown = true;
            onLeftPress();
            break;
        case EMIE_LMOUSE_LEFT_UP: MouseState.leftButtonDown = false; break;
        case EMIE_MOUSE_MOVED:
            MouseState.X = event.MouseInput.X;
            MouseState.Y = event.MouseInput.Y;
            break;
        default: break;
        }
    } else if (event.EventType == EET_GUI_EVENT && event.GUIEvent.Caller) {
        onGuiEvent(event.GUIEvent);
    }
    return false;
}

void CMainWindow::onLeftPress() {
    if (!map) return;
    switch (app.mode) {
    case MODE_IDLE: pickInIdle(); break;
    case MODE_PLANTATION: plantTree(); break;
    case MODE_TKF_DEPART:
    case MODE_TSF_DEPART:
    case MODE_TKD_DEPART: placeGareDepart(app.mode); break;
    case MODE_TKF_ARRIVEE:
    case MODE_TSF_ARRIVEE: placeGareArrivee(); break;
    case MODE_TKD_ARRIVEE: placeGareArriveeTKD(); break;
    default: break;
    }
}

void CMainWindow::onGuiEvent(const SEvent::SGUIEvent& gui) {
    const s32 id = gui.Caller->getID();
    switch (gui.EventType) {
    case EGET_COMBO_BOX_CHANGED:
        if (id == GUI_ID_COMBO_TYPE_PYLONE) changeModelPylone();
        break;
    case EGET_SCROLL_BAR_CHANGED:
        if (id == GUI_ID_SCROLL_VITESSE)
            changeVitesse();
        else if (id == GUI_ID_SCROLL_PLACE_PYLONE)
            movePylone();
        break;
    case EGET_BUTTON_CLICKED: onButton(id); break;
    case EGET_ELEMENT_CLOSED: onWindowClosed(gui.Caller); break;
    default: break;
    }
}

void CMainWindow::onButton(s32 id) {
    switch (id) {
    case GUI_ID_CONSTRUIRE: openConstruction(); break;
    case GUI_ID_NOUVELLE_REMONTEE: openTypeRemontee(); break;
    case GUI_ID_AJOUTER_ARBRE: startPlantation(); break;
    case GUI_ID_MENU: openMenu(); break;
    case GUI_ID_QUITTER: app.quit = true; break;
    case GUI_ID_TELESKI_FIXE:
    case GUI_ID_TELESKI_DEBRAYABLE:
    case GUI_ID_TELESIEGE_FIXE: chooseKind(id); break;
    case GUI_ID_AJOUTER_PYLONE: ajouterPylone(); break;
    case GUI_ID_TERMINER_REMONTEE: terminerRemontee(); break;
    case GUI_ID_SUPPRIMER_PYLONE: supprimerPylone(); break;
    case GUI_ID_VALIDER: validerPylone(); break;
    case GUI_ID_ANNULER: annulerPylone(); break;
    case GUI_ID_COUPER_ARBRE: couperArbre(); break;
    case GUI_ID_MARCHE_ARRET: marcheArret(); break;
    case GUI_ID_FERMER: fermerRemontee(); break;
    case GUI_ID_STOPPER_PLANTATION: stopPlantation(); break;
    case GUI_ID_LANCE_PERCHE: lancePerche(); break;
    default: break;  // "Nouvelle piste", "Rechercher", "Sauvegarder"
    }
}

// A window closed through its title bar leaves the GUI: forget its elements.
void CMainWindow::onWindowClosed(IGUIElement* window) {
    if (window == app.windowConstruction) {
        app.windowConstruction = 0;
        app.buttonNouvelleRemontee = app.buttonNouvellePiste = app.buttonAjouterArbre = 0;
    } else if (window == app.windowTypeRemontee) {
        app.windowTypeRemontee = 0;
        app.buttonTeleskiFixe = app.buttonTeleskiDebrayable = app.buttonTelesiegeFixe = 0;
    } else if (window == app.windowNewPylone) {
        app.windowNewPylone = 0;
        app.comboTypePylone = 0;
        app.scrollPlacePylone = 0;
        app.buttonValider = app.buttonAnnuler = 0;
    } else if (window == app.windowArbre) {
        app.windowArbre = 0;
        app.buttonCouperArbre = 0;
    } else if (window == app.windowMenu) {
        app.windowMenu = 0;
        app.buttonSauvegarder = app.buttonQuitter = 0;
    }
}

// ---------------------------------------------------------------- world clicks

void CMainWindow::pickInIdle() {
    selectedNode = map->getNodeByClick();
    if (!selectedNode) {
        printf("no node selected\n");
        return;
    }
    const stringc name = selectedNode->getName();
    printf("Type node %s\n", name.c_str());
    const stringc prefix = name.size() > 5 ? name.subString(0, 5) : name;
    if (prefix == "arbre") {
        printf("arbre clicked %s\n", name.c_str());
        // One tree window at a time, bound to the tree it was opened for.
        if (isOpen(GUI_ID_WINDOW_ARBRE)) return;
        selectedArbre = map->getArbreByName(name);
        if (selectedArbre) openArbre();
    } else if (prefix == "rmtkf" || prefix == "tkdeb" || prefix == "tsf2p") {
        if (prefix == "rmtkf")
            printf("tkf clicked %s\n", name.c_str());
        else if (prefix == "tkdeb")
            printf("tkd clicked %s\n", name.c_str());
        else
            printf("tsf2p clicked %s\n", name.c_str());
        // One lift window at a time: its buttons act on the lift it shows.
        if (isOpen(GUI_ID_WINDOW_REMONTEE)) return;
        selectedRemontee = map->getRemonteeByNodeName(name);
        if (selectedRemontee && !selectedRemontee->windowOpen) openRemontee();
    }
}

void CMainWindow::plantTree() {
    u32 highest = 0;
    for (u32 i = 0; i < map->arrArbres.size(); ++i) {
        stringc rest = map->arrArbres[i]->getName();
        for (s32 at = rest.find("arbre"); at >= 0; at = rest.find("arbre"))
            for (u32 k = 0; k < 5; ++k) rest.erase(at);  // the five letters of "arbre"
        const u32 n = (u32)atoi(rest.c_str());
        if (n > highest) highest = n;
    }
    const stringc number(highest + 1);
    CArbre* tree = new CArbre(device->getSceneManager(), app.driver);
    tree->setPosition(map->clickTerrainCoordinates());
    tree->createNode();
    printf("numero arbre %s\n", number.c_str());
    tree->setName(stringc("arbre") + number);
    map->arrArbres.push_back(tree);
}

void CMainWindow::placeGareDepart(s32 mode) {
    scene::ISceneManager* smgr = device->getSceneManager();
    CRemontee* lift;
    const char* prefix;
    s32 next;
    if (mode == MODE_TKF_DEPART) {
        lift = new CTKFixe(smgr, app.driver);
        prefix = "rmtkf";
        next = MODE_TKF_ARRIVEE;
    } else if (mode == MODE_TSF_DEPART) {
        lift = new CTSFixe(smgr, app.driver);
        prefix = "tsf2p";
        next = MODE_TSF_ARRIVEE;
    } else {
        lift = new CTKDebrayable(smgr, app.driver);
        prefix = "tkdeb";
        next = MODE_TKD_ARRIVEE;
    }
    lift->setPositionDepart(map->clickTerrainCoordinates());
    if (mode != MODE_TKD_DEPART) {
        const vector3df d = lift->getPositionDepart();
        printf(mode == MODE_TKF_DEPART ? "clickTerrainCoordinates TKFDepart: %f %f %f \n"
                                       : "clickTerrainCoordinates TSF2Depart: %f %f %f \n",
               d.X, d.Y, d.Z);
    }
    lift->createGareDepart();
    lift->setNodeName(stringc(prefix) + stringc(map->arrRemontees.size()));
    map->arrRemontees.push_back(lift);
    app.currentRemontee = lift;
    app.mode = next;
    app.statusText = "Placez la gare d arrivee";
}

void CMainWindow::placeGareArrivee() {
    CRemontee* lift = app.currentRemontee;
    lift->setPositionArrivee(map->clickTerrainCoordinates());
    const vector3df a = lift->getPositionArrivee();
    printf(app.mode == MODE_TKF_ARRIVEE ? "clickTerrainCoordinates TKFArrivee: %f %f %f \n"
                                        : "clickTerrainCoordinates TSF2Arrivee: %f %f %f \n",
           a.X, a.Y, a.Z);
    lift->createGareArrivee();
    app.mode = app.mode == MODE_TKF_ARRIVEE ? MODE_TKF_PYLONES : MODE_TSF_PYLONES;
    openPylones();
}

void CMainWindow::placeGareArriveeTKD() {
    CRemontee* lift = app.currentRemontee;
    lift->setPositionArrivee(map->clickTerrainCoordinates());
    const vector3df a = lift->getPositionArrivee();
    printf("clickTerrainCoordinates TKDArrivee: %f %f %f \n", a.X, a.Y, a.Z);
    lift->createGareArrivee();
    app.mode = MODE_IDLE;
    app.statusText = "";
    lift->createTroncons();
    printf("update troncon at tkd arrivee build\n");
    lift->built = true;
    lift->createVehicules();
    lift->running = true;
}

// ---------------------------------------------------------------- helpers

bool CMainWindow::isOpen(s32 windowId) const {
    // Looked up by id: a pointer to a window closed by its title bar must not be followed.
    return app.guienv && app.guienv->getRootGUIElement()->getElementFromId(windowId, true) != 0;
}

rect<s32> CMainWindow::onScreen(const rect<s32>& r) const {
    const dimension2d<u32> screen = app.driver->getScreenSize();
    rect<s32> out = r;
    const s32 w = r.getWidth(), h = r.getHeight();
    if (out.LowerRightCorner.X > (s32)screen.Width) {
        out.UpperLeftCorner.X = core::max_((s32)screen.Width - w - 5, 0);
        out.LowerRightCorner.X = out.UpperLeftCorner.X + w;
    }
    if (out.LowerRightCorner.Y > (s32)screen.Height) {
        out.UpperLeftCorner.Y = core::max_((s32)screen.Height - h - 5, 0);
        out.LowerRightCorner.Y = out.UpperLeftCorner.Y + h;
    }
    return out;
}

IGUIWindow* CMainWindow::addWindow(const rect<s32>& r, const wchar_t* title, s32 id) {
    return app.guienv->addWindow(onScreen(r), true, title, 0, id);
}

IGUIElement* CMainWindow::addMenuButton(IGUIWindow* w, s32 row, s32 id, const wchar_t* text) {
    const s32 top = 25 + 35 * row;
    return app.guienv->addButton(rect<s32>(5, top, 195, top + 30), w, id, text);
}

IGUIStaticText* CMainWindow::addLabel(const wchar_t* text, const rect<s32>& r, IGUIElement* parent) {
    return app.guienv->addStaticText(text, r, false, true, parent, -1, false);
}
