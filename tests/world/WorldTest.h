// Shared by the world tests: a null device whose ./maps the test fills, a map
// loaded from it, pictures written on the fly, and a stand-in lift.
#pragma once
#include <gtest/gtest.h>
#include <irrlicht.h>
#include <memory>
#include <string>
#include <vector>
#include "CMap.h"
#include "CRemontee.h"
#include "NullDeviceTest.h"

class WorldTest : public NullDeviceTest {
protected:
    void TearDown() override {
        // The map goes first, while the engine still exists, as in the game.
        map.reset();
        NullDeviceTest::TearDown();
    }

    // A picture of w x h pixels in ./maps, each pixel grey(column, row).
    template <typename Grey>
    void writePicture(const std::string& name, irr::u32 w, irr::u32 h, Grey grey) {
        irr::video::IImage* img = driver->createImage(irr::video::ECF_R8G8B8, irr::core::dimension2d<irr::u32>(w, h));
        for (irr::u32 y = 0; y < h; ++y)
            for (irr::u32 x = 0; x < w; ++x) {
                const irr::u32 g = grey(x, y);
                img->setPixel(x, y, irr::video::SColor(255, g, g, g));
            }
        tmp->writeFile("maps/.keep", "");
        ASSERT_TRUE(driver->writeImageToFile(img, ("maps/" + name).c_str()));
        img->drop();
    }
    void writeFlatPicture(const std::string& name, irr::u32 size, irr::u32 grey) {
        writePicture(name, size, size, [grey](irr::u32, irr::u32) { return grey; });
    }

    // Loads maps/file into a fresh map and returns what it printed.
    std::string load(const std::string& file, const std::string& content) {
        tmp->writeFile("maps/" + file, content);
        return loadExisting(file);
    }
    std::string loadExisting(const std::string& file) {
        map.reset(new CMap(file.c_str()));
        map->driver = driver;
        map->smgr = smgr;
        map->device = device;
        capture.start();
        map->loadMap();
        return capture.stop();
    }

    // A camera looking from `from` at `to`, ready for picking.
    irr::scene::ICameraSceneNode* aim(const irr::core::vector3df& from, const irr::core::vector3df& to,
                                      irr::f32 far = 8000) {
        irr::scene::ICameraSceneNode* camera = smgr->addCameraSceneNode(nullptr, from, to);
        camera->setFarValue(far);
        stepFrame();
        return camera;
    }
    void cursor(irr::s32 x, irr::s32 y) { device->getCursorControl()->setPosition(x, y); }

    std::unique_ptr<CMap> map;
};

// Every expected line appears in `out`, in this order (the engine's own log lines may fall between).
inline ::testing::AssertionResult linesInOrder(const std::string& out, const std::vector<std::string>& lines) {
    size_t at = 0;
    for (const std::string& l : lines) {
        const size_t found = out.find(l, at);
        if (found == std::string::npos)
            return ::testing::AssertionFailure() << "missing or out of order: [" << l << "] in:\n" << out;
        at = found + l.size();
    }
    return ::testing::AssertionSuccess();
}

// A lift reduced to what the map needs: a bottom-terminal node with a selector and a node name.
class StandInLift : public CRemontee {
public:
    StandInLift(irr::scene::ISceneManager* smgr, const irr::core::vector3df& at, const char* nodeName,
                irr::s32 id = 4) {
        irr::scene::IMesh* cube = smgr->getGeometryCreator()->createCubeMesh(irr::core::vector3df(20, 20, 20));
        node = smgr->addMeshSceneNode(cube, nullptr, id, at);
        node->setName(nodeName);
        irr::scene::ITriangleSelector* selector = smgr->createTriangleSelector(cube, node);
        node->setTriangleSelector(selector);
        selector->drop();
        cube->drop();
    }
    irr::core::stringc getNodeName() override { return node->getName(); }
    irr::scene::ISceneNode* node;
};
