// The shared media load in the engine and the sound layer, as the game uses
// them; the generator writes the same bytes every time; meshes written by
// ObjMesh face outwards.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "GLDeviceTest.h"
#include "Mp3Decoder.h"
#include "NullDeviceTest.h"
#include "ObjMesh.h"
#include "TempDir.h"
#include "audiere.h"

using namespace irr;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

const char* const kFont = "media/fonthaettenschweiler.bmp";

}  // namespace

TEST_F(NullDeviceTest, SharedPicturesLoadAtTheirSizes) {
    const struct {
        const char* file;
        u32 w, h;
    } pictures[] = {
        {"media/texture-pylone.png", 256, 256},  {"media/title.jpg", 800, 600},
        {"media/snow_positive_x.jpg", 512, 512}, {"media/snow_negative_x.jpg", 512, 512},
        {"media/snow_positive_y.jpg", 512, 512}, {"media/snow_negative_y.jpg", 512, 512},
        {"media/snow_positive_z.jpg", 512, 512}, {"media/snow_negative_z.jpg", 512, 512},
    };
    for (const auto& p : pictures) {
        video::IImage* img = driver->createImageFromFile(p.file);
        ASSERT_NE(img, nullptr) << p.file;
        EXPECT_EQ(img->getDimension(), core::dimension2d<u32>(p.w, p.h)) << p.file;
        img->drop();
    }
}

TEST_F(NullDeviceTest, GuiFontHasEveryCharacterFromSpaceToYDiaeresis) {
    gui::IGUIFont* font = guienv->getFont(kFont);
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(font->getType(), gui::EGFT_BITMAP);
    gui::IGUIFontBitmap* bitmap = static_cast<gui::IGUIFontBitmap*>(font);
    // Unknown characters fall back to the space (sprite 0): each must have its own box.
    for (wchar_t c = 0x20; c <= 0xFF; ++c) EXPECT_EQ(bitmap->getSpriteNoFromChar(&c), u32(c - 0x20)) << int(c);
    EXPECT_EQ(bitmap->getSpriteBank()->getSprites().size(), 224u);

    // The longest button texts fit their buttons (135 and 170 pixels wide, 20 high).
    const core::dimension2d<u32> perche = font->getDimension(L"Faire partir une perche");
    EXPECT_GT(perche.Width, 90u);
    EXPECT_LE(perche.Width, 135u);
    EXPECT_GE(perche.Height, 12u);
    EXPECT_LE(perche.Height, 18u);
    EXPECT_LE(font->getDimension(L"Enregistrer les parametres").Width, 170u);
    // Accented letters are as wide as their base letters.
    EXPECT_EQ(font->getDimension(L"\u00e9").Width, font->getDimension(L"e").Width);
    EXPECT_GT(font->getDimension(L"W").Width, font->getDimension(L"i").Width);
}

TEST_F(NullDeviceTest, MotorSoundOpensAndLoopsWithoutAClick) {
    audiere::AudioDevicePtr dev(audiere::OpenDevice());
    ASSERT_TRUE(dev) << "OpenAL Soft's null driver opens a device";
    audiere::OutputStreamPtr sound(audiere::OpenSound(dev, "media/tkf-sound.mp3", true));
    ASSERT_TRUE(sound);
    sound->setRepeat(true);
    sound->play();
    EXPECT_TRUE(sound->isPlaying());

    // Gapless decoding gives back exactly the 4 seconds that were encoded.
    audiere::Mp3Decoder::Pcm pcm;
    ASSERT_TRUE(audiere::Mp3Decoder::decodeFile("media/tkf-sound.mp3", pcm));
    ASSERT_EQ(pcm.channels, 1);
    ASSERT_EQ(pcm.rate, 44100);
    ASSERT_EQ(pcm.samples.size(), 4u * 44100u);
    // The step from the last sample back to the first is no bigger than the
    // usual steps inside the sound.
    const std::vector<short>& s = pcm.samples;
    std::vector<int> steps;
    for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
    std::sort(steps.begin(), steps.end());
    const int seam = std::abs(s.front() - s.back());
    EXPECT_LE(seam, steps[steps.size() * 99 / 100]) << "the loop clicks";
    // And the sound is not silence.
    EXPECT_GT(steps[steps.size() / 2], 20);
}

TEST(MediaGenerator, WritesTheSameBytesEveryTime) {
    TempDir tmp(false);
    const std::string cmd = std::string(TRAVONDEL_MEDIA_TOOL) + " " + tmp.path() + "/again " +
                            TRAVONDEL_SOURCE_DIR "/tools > " + tmp.path() + "/log.txt 2>&1";
    ASSERT_EQ(system(cmd.c_str()), 0) << slurp(tmp.path() + "/log.txt");
    const fs::path built = TempDir::runtimeDir(), again = tmp.path() + "/again";
    int compared = 0;
    for (const auto& e : fs::recursive_directory_iterator(again)) {
        if (!e.is_regular_file()) continue;
        const fs::path rel = fs::relative(e.path(), again);
        EXPECT_TRUE(slurp(e.path()) == slurp(built / rel)) << rel << " differs from the build's copy";
        ++compared;
    }
    EXPECT_GE(compared, 10);
}

// Pixels of the frame, for the GL checks below.
namespace {
int channelSum(video::IImage* img, int x, int y) {
    const video::SColor c = img->getPixel(x, y);
    return int(c.getRed()) + int(c.getGreen()) + int(c.getBlue());
}
}

// Closed shapes round the origin, each seen from outside along every axis
// (drawn) and from its centre (nothing drawn): a face wound the wrong way
// shows up as a hole or as a face seen from inside.
TEST_F(GLDeviceTest, ObjMeshShapesAreSeenFromOutsideOnly) {
    const core::rectf uv(0, 0, 1, 1);
    const struct {
        const char* name;
        void (*build)(mediagen::ObjMesh&, const core::rectf&);
    } shapes[] = {
        {"box",
         [](mediagen::ObjMesh& m, const core::rectf& t) {
             m.box({-1, -1, -1}, {1, 1, 1}, t);
         }},
        {"cylinder",
         [](mediagen::ObjMesh& m, const core::rectf& t) {
             m.cylinder({0, -1, 0}, {0, 1, 0}, 1.2f, 6, t);
         }},
        {"beam",
         [](mediagen::ObjMesh& m, const core::rectf& t) {
             m.beam({0, 0, -1}, {0, 0, 1}, 2, t);
         }},
        // A grooved disc: fans on the axis, quads round the rim.
        {"lathe",
         [](mediagen::ObjMesh& m, const core::rectf& t) {
             m.lathe({{0, -1}, {1.3f, -1}, {1.1f, 0}, {1.3f, 1}, {0, 1}}, 8, t);
         }},
    };
    scene::ICameraSceneNode* cam = smgr->addCameraSceneNode();
    const core::vector3df views[] = {{0, 0, -5}, {0, 0, 5}, {5, 0, 0}, {-5, 0, 0}, {0, 5, 0.01f}, {0, -5, 0.01f}};
    for (const auto& shape : shapes) {
        mediagen::ObjMesh mesh;
        mesh.useMaterial("red", "", video::SColorf(1, 0, 0, 1));
        shape.build(mesh, uv);
        ASSERT_TRUE(mesh.write(tmp->path(), shape.name));
        scene::IAnimatedMesh* loaded = smgr->getMesh((std::string(shape.name) + ".obj").c_str());
        ASSERT_NE(loaded, nullptr) << shape.name;
        scene::IMeshSceneNode* node = smgr->addMeshSceneNode(loaded);
        node->setMaterialFlag(video::EMF_LIGHTING, false);
        node->setMaterialFlag(video::EMF_BACK_FACE_CULLING, true);
        for (const core::vector3df& eye : views) {
            cam->setPosition(eye);
            cam->setTarget(core::vector3df(0, 0, 0));
            video::IImage* outside = grabFrame(video::SColor(255, 0, 0, 255));
            const video::SColor c = outside->getPixel(400, 300);
            EXPECT_GT(c.getRed(), 200u) << shape.name << ": face towards (" << eye.X << ", " << eye.Y << ", " << eye.Z
                                        << ") is culled";
            EXPECT_LT(c.getBlue(), 50u) << shape.name;
            outside->drop();

            cam->setPosition(core::vector3df(0, 0, 0));
            cam->setTarget(eye);
            video::IImage* inside = grabFrame(video::SColor(255, 0, 0, 255));
            EXPECT_GT(inside->getPixel(400, 300).getBlue(), 200u)
                << shape.name << ": inside of the face towards (" << eye.X << ", " << eye.Y << ", " << eye.Z
                << ") is drawn";
            inside->drop();
        }
        node->remove();
    }
}

TEST_F(GLDeviceTest, GuiFontDrawsTintedAntialiasedText) {
    gui::IGUIFont* font = guienv->getFont(kFont);
    ASSERT_NE(font, nullptr);
    const wchar_t* text = L"Teleski fixe";
    const core::dimension2d<u32> size = font->getDimension(text);
    guienv->addStaticText(text, core::recti(100, 100, 100 + size.Width, 100 + size.Height))->setOverrideFont(font);
    video::IImage* img = grabFrame(video::SColor(255, 200, 200, 200));
    int ink = 0, partial = 0, total = 0;
    for (u32 y = 100; y < 100 + size.Height; ++y)
        for (u32 x = 100; x < 100 + size.Width; ++x, ++total) {
            const int v = channelSum(img, x, y);
            if (v < 150)
                ++ink;  // the skin's dark text colour
            else if (v < 560)
                ++partial;  // glyph edges blended into the grey
        }
    img->drop();
    EXPECT_GT(ink, total / 20) << "no text was drawn";
    EXPECT_LT(ink + partial, total / 2) << "glyph boxes are opaque: the font lost its alpha";
    EXPECT_GT(partial, 10) << "glyph edges are not smoothed";
}

// The six sky pictures, put on the sky box as the map does, meet without a
// seam: across each cube edge the picture changes no more than it does
// anywhere near it.
TEST_F(GLDeviceTest, SkyBoxFacesMeetWithoutSeams) {
    driver->setTextureCreationFlag(video::ETCF_CREATE_MIP_MAPS, false);
    auto tex = [&](const char* f) { return driver->getTexture((std::string("media/snow_") + f + ".jpg").c_str()); };
    smgr->addSkyBoxSceneNode(tex("positive_y"), tex("negative_y"), tex("positive_z"), tex("negative_z"),
                             tex("positive_x"), tex("negative_x"));
    scene::ICameraSceneNode* cam = smgr->addCameraSceneNode(0, core::vector3df(0, 0, 0));

    // Looking straight at an edge puts it on the middle column (side edges)
    // or the middle row (edges of the top and bottom).
    const struct {
        core::vector3df look;
        bool vertical;
    } edges[] = {
        {{1, 0, 1}, true},   {{1, 0, -1}, true},  {{-1, 0, -1}, true},  {{-1, 0, 1}, true},
        {{1, 1, 0}, false},  {{0, 1, 1}, false},  {{-1, 1, 0}, false},  {{0, 1, -1}, false},
        {{1, -1, 0}, false}, {{0, -1, 1}, false}, {{-1, -1, 0}, false}, {{0, -1, -1}, false},
    };
    for (const auto& e : edges) {
        cam->setTarget(e.look);
        video::IImage* img = grabFrame();
        // Change across the line between pixel k-1 and k, summed along it.
        auto across = [&](int k) {
            long sum = 0;
            for (int t = 100; t < (e.vertical ? 500 : 700); ++t)
                sum += e.vertical ? std::abs(channelSum(img, k + 1, t) - channelSum(img, k - 2, t))
                                  : std::abs(channelSum(img, t, k + 1) - channelSum(img, t, k - 2));
            return sum;
        };
        const int mid = e.vertical ? 400 : 300;
        std::vector<long> around;
        for (int k = mid - 60; k <= mid + 60; k += 3)
            if (std::abs(k - mid) > 6) around.push_back(across(k));
        std::sort(around.begin(), around.end());
        const long seam = across(mid), usual = around[around.size() - 1];
        EXPECT_LE(seam, usual * 5 / 4 + 200) << "seam looking at (" << e.look.X << ", " << e.look.Y << ", " << e.look.Z
                                             << "): " << seam << " against " << usual;
        img->drop();
    }
}
