#include "NullDeviceTest.h"

using namespace irr;

void NullDeviceTest::SetUp() {
    tmp.reset(new TempDir());
    SIrrlichtCreationParameters p;
    p.DriverType = video::EDT_NULL;
    p.WindowSize = core::dimension2d<u32>(800, 600);
    p.LoggingLevel = ELL_ERROR;
    device = createDeviceEx(p);
    ASSERT_NE(device, nullptr);
    smgr = device->getSceneManager();
    driver = device->getVideoDriver();
    guienv = device->getGUIEnvironment();
}

void NullDeviceTest::TearDown() {
    capture.stop();
    if (device) device->drop();
    device = nullptr;
    tmp.reset();
}

void NullDeviceTest::stepFrame() {
    driver->beginScene(true, true, video::SColor(255, 200, 200, 200));
    smgr->drawAll();
    guienv->drawAll();
    driver->endScene();
}
