// Fixture: a real OpenGL window (Mesa under Xvfb in the test run), for the few
// tests that must see pixels. grabFrame() reads the back buffer before the
// buffers swap, since a screenshot after endScene is black under Xvfb.
#pragma once
#include <gtest/gtest.h>
#include <irrlicht.h>
#include <memory>
#include "TempDir.h"

class GLDeviceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Draws one frame (scene + GUI) and returns its pixels; drop() the image.
    irr::video::IImage* grabFrame(irr::video::SColor clear = irr::video::SColor(255, 200, 200, 200));
    static irr::video::IImage* readBackBuffer(irr::video::IVideoDriver* driver);
    // Call before creating any OpenGL device outside this fixture, too.
    static void pinGLDriver();

    std::unique_ptr<TempDir> tmp;
    irr::IrrlichtDevice* device = nullptr;
    irr::scene::ISceneManager* smgr = nullptr;
    irr::video::IVideoDriver* driver = nullptr;
    irr::gui::IGUIEnvironment* guienv = nullptr;
};
