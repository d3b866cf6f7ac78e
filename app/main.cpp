// Start-up and shutdown: the launcher first, then the game window with the
// launcher's values. The two engine devices never exist at the same time.
#include <irrlicht.h>
#include "CMainMenu.h"
#include "CMainWindow.h"
#include "TextConvert.h"

using namespace irr;

int main() {
    bool fullscreen = false;
    bool music = true;
    bool shadows = false;
    bool additive = false;
    bool vsync = false;
    bool antialias = false;
    video::E_DRIVER_TYPE driverType = video::EDT_OPENGL;

    CMainMenu menu;
    bool noWindow = false;
    if (menu.run(&fullscreen, &music, &shadows, &additive, &vsync, &antialias, &driverType)) {
        CMainWindow game(fullscreen, music, shadows, additive, vsync, antialias, driverType, menu.resolution);
        game.setMap(narrow(menu.getMap()));
        game.run();
        noWindow = game.deviceFailed();
    }
    // A launcher or a game that never got its window is a failure the shell should see.
    return (menu.deviceFailed() || noWindow) ? 1 : 0;
}
