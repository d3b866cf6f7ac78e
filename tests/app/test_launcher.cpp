// The launcher driven through GUI events on the null driver.
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include "CMainMenu.h"
#include "StdoutCapture.h"
#include "TempDir.h"

using namespace irr;

namespace {

bool click(CMainMenu& menu, gui::IGUIElement* element) {
    SEvent e;
    e.EventType = EET_GUI_EVENT;
    e.GUIEvent.Caller = element;
    e.GUIEvent.Element = 0;
    e.GUIEvent.EventType = gui::EGET_BUTTON_CLICKED;
    return menu.OnEvent(e);
}

struct Values {
    bool fullscreen = true, music = false, shadows = true, additive = true, vsync = true, antialias = true;
    video::E_DRIVER_TYPE driver = video::EDT_NULL;
};

void finish(CMainMenu& menu, Values& v) {
    menu.finish(&v.fullscreen, &v.music, &v.shadows, &v.additive, &v.vsync, &v.antialias, &v.driver);
}

// Modal elements sit inside a modal screen: search the whole tree.
bool hasElement(gui::IGUIElement* root, gui::EGUI_ELEMENT_TYPE type, const wchar_t* caption) {
    const core::list<gui::IGUIElement*>& kids = root->getChildren();
    for (auto it = kids.begin(); it != kids.end(); ++it) {
        if ((*it)->getType() == type && core::stringw((*it)->getText()) == caption) return true;
        if (hasElement(*it, type, caption)) return true;
    }
    return false;
}

bool hasMessageBox(CMainMenu& menu, const wchar_t* caption) {
    return hasElement(menu.device->getGUIEnvironment()->getRootGUIElement(), gui::EGUIET_MESSAGE_BOX, caption);
}

class Launcher : public ::testing::Test {
protected:
    void SetUp() override {
        dir.reset(new TempDir());
        dir->writeFile("maps/alpes.map", "heightfield=h.png\n");
        dir->writeFile("maps/readme.txt", "not a map\n");
        out.start();
    }
    void TearDown() override {
        out.stop();
        dir.reset();
    }
    std::unique_ptr<TempDir> dir;
    StdoutCapture out;
};

}  // namespace

TEST_F(Launcher, ChoosingAMapStartsTheGameWithTheSettingsRead) {
    dir->writeFile("settings.xml", "<mygame><video><setting name=\"fullscreen\" value=\"1\"/>"
                                   "<setting name=\"resolution\" value=\"1024x768\"/></video></mygame>");
    CMainMenu menu;
    ASSERT_TRUE(menu.start(video::EDT_NULL));
    EXPECT_EQ(core::stringw(menu.startButton->getText()), L"Commencer");
    EXPECT_FALSE(click(menu, menu.startButton));
    ASSERT_NE(menu.mapComboBox, nullptr);
    ASSERT_EQ(menu.mapComboBox->getItemCount(), 1u);
    EXPECT_EQ(core::stringw(menu.mapComboBox->getItem(0)), L"alpes.map");
    menu.mapComboBox->setSelected(0);
    click(menu, menu.okButton);
    EXPECT_FALSE(menu.frame());  // the device was closed
    Values v;
    finish(menu, v);
    EXPECT_TRUE(menu.startGame);
    EXPECT_EQ(menu.device, nullptr);
    EXPECT_TRUE(v.fullscreen);
    EXPECT_TRUE(v.music);
    EXPECT_FALSE(v.shadows || v.additive || v.vsync || v.antialias);
    EXPECT_EQ(v.driver, video::EDT_OPENGL);
    EXPECT_EQ(menu.resolution, L"1024x768");
    EXPECT_EQ(menu.getMap(), L"alpes.map");
    const std::string printed = out.stop();
    EXPECT_NE(printed.find("-get fullscreen 1\n-get resolution 1024x768\n-get resolution2 1024x768\n"),
              std::string::npos);
}

TEST_F(Launcher, OkWithoutAMapStartsNothing) {
    dir->writeFile("settings.xml", "<mygame><video/></mygame>");
    unlink("maps/alpes.map");
    CMainMenu menu;
    ASSERT_TRUE(menu.start(video::EDT_NULL));
    click(menu, menu.startButton);
    EXPECT_EQ(menu.mapComboBox->getItemCount(), 0u);
    click(menu, menu.okButton);
    EXPECT_FALSE(menu.startGame);
    EXPECT_TRUE(menu.frame());  // still running
    click(menu, menu.quitButton);
    EXPECT_FALSE(menu.frame());
    Values v;
    finish(menu, v);
    EXPECT_FALSE(menu.startGame);
}

TEST_F(Launcher, OptionsAreSavedForTheNextStartOnly) {
    dir->writeFile("settings.xml", "<mygame><video><setting name=\"fullscreen\" value=\"0\"/>"
                                   "<setting name=\"resolution\" value=\"640x480\"/></video></mygame>");
    {
        CMainMenu menu;
        ASSERT_TRUE(menu.start(video::EDT_NULL));
        EXPECT_TRUE(click(menu, menu.optionsButton));  // consumed
        ASSERT_NE(menu.resolutionListBox, nullptr);
        ASSERT_EQ(menu.resolutionListBox->getItemCount(), 4u);
        EXPECT_EQ(core::stringw(menu.resolutionListBox->getListItem(menu.resolutionListBox->getSelected())),
                  L"640x480");
        // A list-box selection shares id 1 with "Commencer" but opens no map window.
        SEvent sel;
        sel.EventType = EET_GUI_EVENT;
        sel.GUIEvent.Caller = menu.resolutionListBox;
        sel.GUIEvent.Element = 0;
        sel.GUIEvent.EventType = gui::EGET_LISTBOX_CHANGED;
        menu.resolutionListBox->setSelected(3);  // "800x600"
        EXPECT_FALSE(menu.OnEvent(sel));
        EXPECT_EQ(menu.mapWindow, nullptr);
        menu.fullscreenCheckBox->setChecked(true);
        click(menu, menu.saveButton);
        EXPECT_EQ(menu.optionsWindow, nullptr);
        EXPECT_TRUE(hasMessageBox(menu, L"Parametres"));
        // Reopened: the saved size is selected, the box shows the start-up value.
        click(menu, menu.optionsButton);
        EXPECT_EQ(core::stringw(menu.resolutionListBox->getListItem(menu.resolutionListBox->getSelected())),
                  L"800x600");
        EXPECT_FALSE(menu.fullscreenCheckBox->isChecked());
        click(menu, menu.cancelButton);
        click(menu, menu.quitButton);
        Values v;
        finish(menu, v);
        EXPECT_FALSE(v.fullscreen);
        EXPECT_EQ(menu.resolution, L"640x480");
    }
    std::ifstream in("settings.xml");
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_NE(ss.str().find("<setting name=\"fullscreen\" value=\"1\"></setting>"), std::string::npos);
    EXPECT_NE(ss.str().find("<setting name=\"resolution\" value=\"800x600\"></setting>"), std::string::npos);

    CMainMenu next;
    ASSERT_TRUE(next.start(video::EDT_NULL));
    Values v;
    finish(next, v);
    EXPECT_TRUE(v.fullscreen);
    EXPECT_EQ(next.resolution, L"800x600");
}

TEST_F(Launcher, MissingOrBrokenSettingsFallBackToDefaults) {
    const char* files[] = {nullptr, "<mygame><video><setting name=", "<mygame/>"};
    for (const char* f : files) {
        SCOPED_TRACE(f ? f : "(no file)");
        unlink("settings.xml");
        if (f) dir->writeFile("settings.xml", f);
        CMainMenu menu;
        ASSERT_TRUE(menu.start(video::EDT_NULL));
        EXPECT_TRUE(hasMessageBox(menu, L"Erreur de chargement parametres"));
        EXPECT_EQ(menu.resolution, L"1280x960");
        // Saving with nothing selected still writes a usable size.
        click(menu, menu.optionsButton);
        EXPECT_LT(menu.resolutionListBox->getSelected(), 0);
        click(menu, menu.saveButton);
        CParametres back(L"settings.xml", 0);
        ASSERT_TRUE(back.load());
        EXPECT_EQ(back.getSetting(L"resolution"), L"1280x960");
        EXPECT_EQ(back.getSetting(L"fullscreen"), L"0");
        Values v;
        finish(menu, v);
        EXPECT_FALSE(v.fullscreen);
    }
}

TEST_F(Launcher, UnknownResolutionFallsBackAndFailedSaveIsSaid) {
    dir->writeFile("settings.xml", "<mygame><video><setting name=\"resolution\" value=\"\"/></video></mygame>");
    CMainMenu menu;
    ASSERT_TRUE(menu.start(video::EDT_NULL));
    EXPECT_EQ(menu.resolution, L"1280x960");
    unlink("settings.xml");
    ASSERT_EQ(mkdir("settings.xml", 0755), 0);  // cannot be written
    click(menu, menu.optionsButton);
    click(menu, menu.saveButton);
    EXPECT_TRUE(hasMessageBox(menu, L"Parametres"));
    Values v;
    finish(menu, v);
    const std::string printed = out.stop();
    EXPECT_NE(printed.find("Erreur: settings.xml n'a pas pu etre enregistre\n"), std::string::npos);
}

TEST_F(Launcher, ContinuerOpensTheFileDialog) {
    CMainMenu menu;
    ASSERT_TRUE(menu.start(video::EDT_NULL));
    click(menu, menu.continueButton);
    const bool found = hasElement(menu.device->getGUIEnvironment()->getRootGUIElement(), gui::EGUIET_FILE_OPEN_DIALOG,
                                  L"Choisir une partie");
    EXPECT_TRUE(found);
    click(menu, menu.quitButton);
    Values v;
    finish(menu, v);
}
