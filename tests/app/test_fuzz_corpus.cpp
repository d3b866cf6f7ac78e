// The fuzz corpus (seeds and every finding kept as a regression case), replayed
// through the fuzz targets' own input handling under the test suite's builds,
// and the findings' fixes pinned down one by one.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>
#include "CParametres.h"
#include "FuzzInputs.h"
#include "world/WorldTest.h"

namespace fs = std::filesystem;
using namespace irr;

namespace {

std::vector<fs::path> corpus(const char* target) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& e : fs::directory_iterator(fs::path(TRAVONDEL_SOURCE_DIR) / "fuzz/corpus" / target))
        files.push_back(e.path());
    return files;
}

std::vector<uint8_t> bytesOf(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

class FuzzCorpusTest : public WorldTest {
protected:
    // A picture file of w x h pixels, written by the engine in the format its name asks for.
    std::string picture(const std::string& name, u32 w, u32 h) {
        video::IImage* img = driver->createImage(video::ECF_R8G8B8, core::dimension2d<u32>(w, h));
        for (u32 y = 0; y < h; ++y)
            for (u32 x = 0; x < w; ++x) img->setPixel(x, y, video::SColor(255, x * 9, y * 5, 80));
        tmp->writeFile("maps/.keep", "");
        EXPECT_TRUE(driver->writeImageToFile(img, ("maps/" + name).c_str()));
        img->drop();
        std::ifstream in("maps/" + name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
};

TEST_F(FuzzCorpusTest, SettingsCorpusLoadsOrIsRefused) {
    const std::vector<fs::path> files = corpus("settings");
    ASSERT_FALSE(files.empty());
    capture.start();
    for (const fs::path& f : files) {
        const std::vector<uint8_t> bytes = bytesOf(f);
        EXPECT_TRUE(settingsInput(bytes.data(), bytes.size())) << f.filename();
    }
    capture.stop();
}

// Seeds whose height field the game takes build a terrain; the others (broken
// pictures, or formats the game leaves out) build none. A finding kept in the
// corpus that builds one goes into the list.
TEST_F(FuzzCorpusTest, MapCorpusLoadsOrIsRefused) {
    const std::vector<fs::path> files = corpus("map");
    ASSERT_FALSE(files.empty());
    const std::set<std::string> withTerrain = {"bmp",     "bmp_gray8", "bmp_rle8",  "jpg",    "png_gray",
                                               "png_rgb", "tga",       "tga_gray8", "tga_rle"};
    fs::create_directories("maps");
    capture.start();
    for (const fs::path& f : files) {
        const std::vector<uint8_t> bytes = bytesOf(f);
        bool terrain = false;
        EXPECT_TRUE(mapInput(device, bytes.data(), bytes.size(), &terrain)) << f.filename();
        EXPECT_EQ(terrain, withTerrain.count(f.filename().string()) == 1) << f.filename();
    }
    capture.stop();
}

// An element without attributes before the settings: rapidxml's named look-up of
// the last attribute read an unset pointer there.
TEST_F(FuzzCorpusTest, SettingWithoutAttributesIsSkipped) {
    tmp->writeFile("settings.xml", "<mygame><video><setting/><setting name=\"resolution\" value=\"800x600\"/>"
                                   "<setting></setting></video></mygame>");
    CParametres p(L"settings.xml", nullptr);
    ASSERT_TRUE(p.load());
    EXPECT_EQ(p.getSetting(L"resolution"), L"800x600");
    EXPECT_EQ(p.settings.size(), 1u);
}

// Map pictures reach the engine only when libpng or libjpeg reads them whole, or
// the BMP or TGA check passes, and their name matches their content; anything
// else is left out as unreadable.
TEST_F(FuzzCorpusTest, MapPicturesAreCheckedBeforeTheEngineReadsThem) {
    const std::string png = picture("good.png", 33, 33);
    const std::string jpg = picture("good.jpg", 64, 48);
    const std::string bmp = picture("good.bmp", 33, 33);
    const std::string tga = picture("good.tga", 33, 33);
    tmp->writeFile("maps/cut.jpg", jpg.substr(0, jpg.size() / 2));
    tmp->writeFile("maps/noend.jpg", jpg.substr(0, jpg.size() - 2));
    tmp->writeFile("maps/jpeg.png", jpg);
    tmp->writeFile("maps/UP.JPG", jpg);
    tmp->writeFile("maps/png.jpg", png);
    tmp->writeFile("maps/cut.png", png.substr(0, png.size() - 20));
    tmp->writeFile("maps/empty.ppm", "P6\n0 0\n255\n");
    tmp->writeFile("maps/cut.bmp", bmp.substr(0, bmp.size() - 40));
    tmp->writeFile("maps/cut.tga", tga.substr(0, tga.size() - 40));
    tmp->writeFile("maps/tga.bmp", tga);

    const std::string unreadable = "loadMap -> heightfield illisible : maps/";
    struct Case {
        const char* heightfield;
        const char* texture;
        bool terrain, texture0;
    };
    const Case cases[] = {
        {"good.png", "good.jpg", true, true},  {"good.png", "UP.JPG", true, true},
        {"good.png", "cut.jpg", true, false},  {"good.png", "noend.jpg", true, false},
        {"good.png", "jpeg.png", true, false}, {"good.png", "png.jpg", true, false},
        {"good.png", "good.bmp", true, true},  {"good.png", "good.png", true, true},
        {"good.png", "good.tga", true, true},  {"good.png", "cut.bmp", true, false},
        {"good.png", "cut.tga", true, false},  {"good.png", "tga.bmp", true, false},
        {"cut.jpg", "good.jpg", false, false}, {"jpeg.png", "good.jpg", false, false},
        {"cut.png", "good.jpg", false, false}, {"good.bmp", "good.tga", true, true},
        {"good.tga", "good.bmp", true, true},  {"cut.bmp", "good.jpg", false, false},
        {"cut.tga", "good.jpg", false, false}, {"empty.ppm", "good.jpg", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.heightfield) + " / " + c.texture);
        const std::string out = load("pictures.map", std::string("heightfield=") + c.heightfield +
                                                         "\ntexture=" + c.texture + "\nstation#Col#10-20-30\n");
        EXPECT_EQ(map->terrain != nullptr, c.terrain);
        EXPECT_EQ(out.find(unreadable + c.heightfield) == std::string::npos, c.terrain);
        if (map->terrain) {
            EXPECT_EQ(map->terrain->getMaterial(0).getTexture(0) != nullptr, c.texture0);
        }
        EXPECT_EQ(map->arrStations.size(), 1u);
        map.reset();
        smgr->clear();
        driver->removeAllTextures();
    }
}
