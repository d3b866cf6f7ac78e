#include "CMainMenu.h"
#include <cstdio>
#include "TextConvert.h"

using namespace irr;

namespace {

enum {
    ID_COMMENCER = 1,
    ID_CONTINUER = 2,
    ID_QUITTER = 3,
    ID_MAP_WINDOW = 5,
    ID_OK = 6,
    ID_OPTIONS = 7,
    ID_ENREGISTRER = 8,
    ID_ANNULER = 9,
    ID_PLEIN_ECRAN = 10
};

const wchar_t* const DEFAULT_RESOLUTION = L"1280x960";

}  // namespace

CMainMenu::CMainMenu()
    : startButton(0), continueButton(0), optionsButton(0), quitButton(0), mapWindow(0), mapComboBox(0), okButton(0),
      optionsWindow(0), resolutionListBox(0), saveButton(0), cancelButton(0), fullscreenCheckBox(0), device(0),
      startGame(false), fullscreen(true), music(true), shadows(false), additive(false), transparentGui(true),
      vsync(false), antialias(false), mapSelection(new CMapSelection()), parametres(0), title(0), noDevice(false) {}

CMainMenu::~CMainMenu() {
    delete mapSelection;
    delete parametres;
}

bool CMainMenu::run(bool* fs, bool* mus, bool* shad, bool* add, bool* vs, bool* aa, video::E_DRIVER_TYPE* dt) {
    if (start(video::EDT_OPENGL)) {
        while (frame()) {}
    } else {
        printf("Travondel: cannot open the launcher window (no X display or no OpenGL)\n");
    }
    finish(fs, mus, shad, add, vs, aa, dt);
    return startGame;
}

bool CMainMenu::start(video::E_DRIVER_TYPE driverType) {
    device = createDevice(driverType, core::dimension2d<u32>(800, 600), 16, false, false, false, this);
    if (!device) {
        noDevice = true;
        return false;
    }
    video::IVideoDriver* driver = device->getVideoDriver();
    scene::ISceneManager* smgr = device->getSceneManager();
    gui::IGUIEnvironment* guienv = device->getGUIEnvironment();

    core::stringw caption(L"Travondel");
    caption += device->getVersion();
    device->setWindowCaption(caption.c_str());

    gui::IGUISkin* skin = guienv->createSkin(gui::EGST_BURNING_SKIN);
    guienv->setSkin(skin);
    skin->drop();
    gui::IGUIFont* font = guienv->getFont("media/fonthaettenschweiler.bmp");
    if (font) skin->setFont(font);

    parametres = new CParametres(L"settings.xml", device);
    if (!parametres->load()) {
        guienv->addMessageBox(L"Erreur de chargement parametres",
                              L"Le fichier settings.xml des parametres est introuvable a la racine du jeu", true,
                              gui::EMBF_OK, 0, -1, 0);
        fullscreen = false;
        resolution = DEFAULT_RESOLUTION;
    } else {
        fullscreen = parametres->getSettingAsBoolean(L"fullscreen");
        resolution = parametres->getSetting(L"resolution");
        printf("-get fullscreen %i\n", fullscreen ? 1 : 0);
        printf("-get resolution %s\n", narrow(parametres->getSetting(L"resolution")).c_str());
        printf("-get resolution2 %s\n", narrow(resolution).c_str());
        // An empty or unknown size would open a 0x0 game window, which X refuses.
        if (!parametres->resolutions.find(resolution)) {
            printf("Resolution \"%s\" inconnue, %s utilisee\n", narrow(resolution).c_str(),
                   narrow(DEFAULT_RESOLUTION).c_str());
            resolution = DEFAULT_RESOLUTION;
        }
    }

    startButton = guienv->addButton(core::rect<s32>(80, 178, 250, 207), 0, ID_COMMENCER, L"Commencer");
    continueButton = guienv->addButton(core::rect<s32>(80, 236, 250, 265), 0, ID_CONTINUER, L"Continuer");
    optionsButton = guienv->addButton(core::rect<s32>(80, 295, 250, 324), 0, ID_OPTIONS, L"Options");
    quitButton = guienv->addButton(core::rect<s32>(80, 355, 250, 394), 0, ID_QUITTER, L"Quitter");

    smgr->setAmbientLight(video::SColorf(0.8f, 0.8f, 0.8f, 1.0f));
    smgr->addCameraSceneNode(0, core::vector3df(45, 0, 0), core::vector3df(0, 0, 10), -1, true);

    const bool mipmaps = driver->getTextureCreationFlag(video::ETCF_CREATE_MIP_MAPS);
    driver->setTextureCreationFlag(video::ETCF_CREATE_MIP_MAPS, false);
    title = driver->getTexture("media/title.jpg");
    driver->setTextureCreationFlag(video::ETCF_CREATE_MIP_MAPS, mipmaps);

    saveSkinColors();
    return true;
}

bool CMainMenu::frame() {
    if (!device || !device->run()) return false;
    if (device->isWindowActive()) {
        video::IVideoDriver* driver = device->getVideoDriver();
        driver->beginScene(false, true, video::SColor(0));
        if (title) driver->draw2DImage(title, core::position2d<s32>(0, 0));
        device->getSceneManager()->drawAll();
        device->getGUIEnvironment()->drawAll();
        driver->endScene();
    }
    return true;
}

void CMainMenu::finish(bool* fs, bool* mus, bool* shad, bool* add, bool* vs, bool* aa, video::E_DRIVER_TYPE* dt) {
    if (device) {
        device->drop();
        device = 0;
    }
    // Elements and textures went with the device.
    startButton = continueButton = optionsButton = quitButton = okButton = saveButton = cancelButton = 0;
    mapWindow = optionsWindow = 0;
    mapComboBox = 0;
    resolutionListBox = 0;
    fullscreenCheckBox = 0;
    title = 0;
    *fs = fullscreen;
    *mus = music;
    *shad = shadows;
    *add = additive;
    *vs = vsync;
    *aa = antialias;
    *dt = video::EDT_OPENGL;
}

core::stringw CMainMenu::getMap() { return widenSigned(mapSelection->getMap()); }

bool CMainMenu::OnEvent(const SEvent& event) {
    if (event.EventType != EET_GUI_EVENT || !device) return false;
    if (!event.GUIEvent.Caller) return false;
    const s32 id = event.GUIEvent.Caller->getID();
    if (id > 9 || id == 0 || id == 4 || id == 5) return false;
    if (event.GUIEvent.EventType != gui::EGET_BUTTON_CLICKED) return false;
    gui::IGUIEnvironment* guienv = device->getGUIEnvironment();

    switch (id) {
    case ID_COMMENCER: {
        mapWindow = guienv->addWindow(core::rect<s32>(100, 100, 400, 250), true, L"Choisir une Map", 0, ID_MAP_WINDOW);
        mapComboBox = guienv->addComboBox(core::rect<s32>(50, 50, 250, 70), mapWindow, -1);
        okButton = guienv->addButton(core::rect<s32>(100, 90, 200, 130), mapWindow, ID_OK, L"Ok");
        core::array<core::stringc> maps = mapSelection->LoadMaps();
        mapComboBox->clear();
        for (u32 i = 0; i < maps.size(); ++i) mapComboBox->addItem(widenSigned(maps[i]).c_str(), 0);
        return false;
    }
    case ID_CONTINUER: guienv->addFileOpenDialog(L"Choisir une partie", true, 0, -1, true, 0); return false;
    case ID_QUITTER:
        device->closeDevice();
        startGame = false;
        return false;
    case ID_OK: {
        core::stringw chosen;
        if (mapComboBox && mapComboBox->getSelected() >= 0) chosen = mapComboBox->getItem(mapComboBox->getSelected());
        // Without a map there is nothing to start.
        if (chosen.empty()) return false;
        mapSelection->setMap(narrow(chosen));
        device->closeDevice();
        startGame = true;
        return false;
    }
    case ID_OPTIONS: showOptions(); return true;
    case ID_ENREGISTRER: {
        if (resolutionListBox && resolutionListBox->getSelected() >= 0)
            parametres->setSetting(L"resolution", resolutionListBox->getListItem(resolutionListBox->getSelected()));
        else if (parametres->getSetting(L"resolution").empty())
            parametres->setSetting(L"resolution", DEFAULT_RESOLUTION);  // never save an empty size
        parametres->setSetting(L"fullscreen", (fullscreenCheckBox && fullscreenCheckBox->isChecked()) ? 1 : 0);
        if (parametres->save()) {
            guienv->addMessageBox(L"Parametres", L"Les parametres ont ete enregistres", true, gui::EMBF_OK, 0, -1, 0);
        } else {
            printf("Erreur: settings.xml n'a pas pu etre enregistre\n");
            guienv->addMessageBox(L"Parametres", L"Erreur: les parametres n'ont pas pu etre enregistres", true,
                                  gui::EMBF_OK, 0, -1, 0);
        }
        closeOptions();
        return false;
    }
    case ID_ANNULER: closeOptions(); return false;
    }
    return false;
}

void CMainMenu::closeOptions() {
    if (optionsWindow) optionsWindow->remove();
    optionsWindow = 0;
    resolutionListBox = 0;
    fullscreenCheckBox = 0;
    saveButton = cancelButton = 0;
}

void CMainMenu::showOptions() {
    gui::IGUIEnvironment* guienv = device->getGUIEnvironment();
    optionsWindow = guienv->addWindow(core::rect<s32>(280, 80, 680, 470), true, L"Options", 0, -1);
    guienv->addStaticText(L"Parametres d'affichage", core::rect<s32>(100, 20, 300, 40), false, true, optionsWindow, -1,
                          false);
    guienv->addStaticText(L"Resolution", core::rect<s32>(10, 80, 200, 100), false, true, optionsWindow, -1, false);
    resolutionListBox = guienv->addListBox(core::rect<s32>(10, 110, 320, 200), optionsWindow, ID_COMMENCER, true);
    const core::stringw stored = parametres->getSetting(L"resolution");
    core::map<core::stringw, core::dimension2du>::Iterator it = parametres->resolutions.getIterator();
    for (; !it.atEnd(); it++) {
        const s32 index = resolutionListBox->addItem(it->getKey().c_str());
        if (it->getKey() == stored) resolutionListBox->setSelected(index);
    }
    fullscreenCheckBox = guienv->addCheckBox(fullscreen, core::rect<s32>(10, 220, 290, 240), optionsWindow,
                                             ID_PLEIN_ECRAN, L"Plein ecran");
    saveButton = guienv->addButton(core::rect<s32>(20, 250, 190, 270), optionsWindow, ID_ENREGISTRER,
                                   L"Enregistrer les parametres");
    cancelButton =
        guienv->addButton(core::rect<s32>(210, 250, 380, 270), optionsWindow, ID_ANNULER, L"Annuler et sortir");
}

void CMainMenu::saveSkinColors() {
    gui::IGUISkin* skin = device->getGUIEnvironment()->getSkin();
    for (s32 i = 0; i < 25 && i < gui::EGDC_COUNT; ++i)
        savedSkinColors[i] = skin->getColor(static_cast<gui::EGUI_DEFAULT_COLOR>(i));
}

void CMainMenu::applySkinTransparency() {
    if (!device) return;
    gui::IGUISkin* skin = device->getGUIEnvironment()->getSkin();
    for (s32 i = 0; i < 25 && i < gui::EGDC_COUNT; ++i) {
        video::SColor c = savedSkinColors[i];
        if (!transparentGui) c.setAlpha(255);
        skin->setColor(static_cast<gui::EGUI_DEFAULT_COLOR>(i), c);
    }
}
