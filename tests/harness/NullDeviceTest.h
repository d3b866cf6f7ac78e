// Fixture: an Irrlicht null-driver device (800x600) in a temporary working
// folder that sees the generated media/ through a link.
#pragma once
#include <gtest/gtest.h>
#include <irrlicht.h>
#include <memory>
#include "StdoutCapture.h"
#include "TempDir.h"

class NullDeviceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Advances the scene one frame: animators, absolute transforms, drawing.
    void stepFrame();

    std::unique_ptr<TempDir> tmp;
    irr::IrrlichtDevice* device = nullptr;
    irr::scene::ISceneManager* smgr = nullptr;
    irr::video::IVideoDriver* driver = nullptr;
    irr::gui::IGUIEnvironment* guienv = nullptr;
    StdoutCapture capture;
};
