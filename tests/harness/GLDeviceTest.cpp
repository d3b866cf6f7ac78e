#include "GLDeviceTest.h"
#include <GL/gl.h>
#include <cstdlib>
#include <dlfcn.h>
#include <vector>

using namespace irr;

void GLDeviceTest::pinGLDriver() {
    // Mesa unloads its driver at exit; LeakSanitizer then cannot name the
    // module of the memory it keeps, and the suppressions for it cannot match.
    // Keeping the driver mapped lets them match.
    static const char* const drivers[] = {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
                                          "/usr/lib/x86_64-linux-gnu/dri/kms_swrast_dri.so"};
    for (const char* d : drivers) dlopen(d, RTLD_LAZY | RTLD_NODELETE | RTLD_GLOBAL);
}

void GLDeviceTest::SetUp() {
    if (!getenv("DISPLAY")) GTEST_SKIP() << "no X display (run through ./test.sh, which starts Xvfb)";
    pinGLDriver();
    tmp.reset(new TempDir());
    SIrrlichtCreationParameters p;
    p.DriverType = video::EDT_OPENGL;
    p.WindowSize = core::dimension2d<u32>(800, 600);
    p.Bits = 24;
    p.LoggingLevel = ELL_ERROR;
    device = createDeviceEx(p);
    ASSERT_NE(device, nullptr) << "no OpenGL device on this display";
    smgr = device->getSceneManager();
    driver = device->getVideoDriver();
    guienv = device->getGUIEnvironment();
}

void GLDeviceTest::TearDown() {
    if (device) {
        device->closeDevice();
        device->run();
        device->drop();
    }
    device = nullptr;
    tmp.reset();
}

video::IImage* GLDeviceTest::readBackBuffer(video::IVideoDriver* drv) {
    const core::dimension2d<u32> size = drv->getScreenSize();
    std::vector<u8> rgba(size.Width * size.Height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, size.Width, size.Height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    video::IImage* img = drv->createImage(video::ECF_A8R8G8B8, size);
    for (u32 y = 0; y < size.Height; ++y)
        for (u32 x = 0; x < size.Width; ++x) {
            const u8* px = &rgba[((size.Height - 1 - y) * size.Width + x) * 4];
            img->setPixel(x, y, video::SColor(255, px[0], px[1], px[2]));
        }
    return img;
}

video::IImage* GLDeviceTest::grabFrame(video::SColor clear) {
    device->run();
    driver->beginScene(true, true, clear);
    smgr->drawAll();
    guienv->drawAll();
    video::IImage* img = readBackBuffer(driver);
    driver->endScene();
    return img;
}
