// Cursor and left button as last seen by the game window's event handler.
#pragma once
#include <irrlicht.h>

struct SMouseState {
    irr::s32 X = 0;
    irr::s32 Y = 0;
    bool leftButtonDown = false;
};

// The one record, zero at start; written by CMainWindow::OnEvent.
extern SMouseState MouseState;
