// The map list, the map file reader and the scene that loadMap builds, with
// every kind of broken input it must survive.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include "CMapSelection.h"
#include "CPictureCheck.h"
#include "DefaultMap.h"
#include "WorldTest.h"

using namespace irr;
using core::vector3df;
namespace fs = std::filesystem;

namespace {

struct StationSeen {
    std::string name;
    vector3df at;
};

std::vector<StationSeen> stationsOf(CMap& map) {
    std::vector<StationSeen> out;
    for (u32 i = 0; i < map.arrStations.size(); ++i)
        out.push_back({map.arrStations[i]->name.c_str(), map.arrStations[i]->getPosition()});
    return out;
}

const char* COORD_ERROR = "ERREUR DANS LES COORDONNEES DE STATION %s DANS FICHIER MAP\n";
std::string coordError(const std::string& name) {
    char line[200];
    snprintf(line, sizeof line, COORD_ERROR, name.c_str());
    return line;
}
::testing::AssertionResult endsWith(const io::path& path, const std::string& tail) {
    const std::string p = path.c_str();
    if (p.size() >= tail.size() && p.compare(p.size() - tail.size(), tail.size(), tail) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << p << " does not end with " << tail;
}

const std::string OBJECT_ERROR = "ERREUR LORS DE CHARGEMENT D'UN OBJET TYPE STATION DANS FICHIER MAP\n";

// Small BMP and TGA files built byte by byte: W x H pixels of grey(x, y), with
// equal column pairs so that RLE files hold runs.
const u32 W = 5, H = 3;
u32 grey(u32 x, u32 y) { return 20 + 30 * (x / 2) + 50 * y; }

std::string le16(u32 v) { return {static_cast<char>(v), static_cast<char>(v >> 8)}; }
std::string le32(u32 v) { return le16(v) + le16(v >> 16); }
std::string bytes(std::initializer_list<u32> values) {
    std::string out;
    for (u32 v : values) out += static_cast<char>(v);
    return out;
}

// One pixel of `size` bytes: grey in each colour byte, opaque alpha in a fourth.
std::string pixel(u32 size, u32 x, u32 y) {
    return std::string(std::min(size, 3u), static_cast<char>(grey(x, y))) + (size == 4 ? "\xff" : "");
}

// The pixel rows, bottom-up unless asked, each padded to a multiple of `align` bytes.
std::string rows(u32 size, u32 align, bool topDown = false) {
    std::string out;
    for (u32 r = 0; r < H; ++r) {
        std::string row;
        for (u32 x = 0; x < W; ++x) row += pixel(size, x, topDown ? r : H - 1 - r);
        row.resize((row.size() + align - 1) / align * align, '\0');
        out += row;
    }
    return out;
}

// A BMP with an info header of `info` bytes; 8-bit ones get a grey palette of `colours` entries.
std::string bmp(u32 bpp, const std::string& pixels, u32 compression = 0, u32 colours = 256, s32 w = W, s32 h = H,
                u32 info = 40) {
    std::string palette;
    for (u32 i = 0; bpp == 8 && i < colours; ++i) palette += bytes({i, i, i, 0});
    const u32 offset = 14 + info + static_cast<u32>(palette.size()), size = static_cast<u32>(pixels.size());
    std::string header = "BM" + le32(offset + size) + le32(0) + le32(offset) + le32(info) + le32(w) + le32(h) +
                         le16(1) + le16(bpp) + le32(compression) + le32(size) + le32(2835) + le32(2835) +
                         le32(bpp == 8 ? colours : 0) + le32(0);
    header.resize(14 + info, '\0');
    return header + palette + pixels;
}

// RLE8, bottom row first: runs for the column pairs, one row starting with
// three literal indices (padded to four bytes), end of picture after the top row.
std::string rle8(u32 lastRun = 1) {
    std::string s;
    for (u32 y = H; y-- > 0;) {
        if (y == 1)
            s += bytes({0, 3, grey(0, y), grey(1, y), grey(2, y), 0, 1, grey(3, y)});
        else
            s += bytes({2, grey(0, y), 2, grey(2, y)});
        s += bytes({y == 0 ? lastRun : 1, grey(4, y), 0, y == 0 ? 1u : 0u});
    }
    return s;
}

// A TGA with a two-byte id and, when given, a colour map of 24-bit entries.
std::string tga(u32 type, u32 depth, const std::string& pixels, u32 descriptor = 0, u32 mapEntries = 0, u32 w = W,
                u32 h = H) {
    std::string map;
    for (u32 i = 0; i < mapEntries; ++i) map += bytes({i, i, i});
    return bytes({2, mapEntries ? 1u : 0u, type}) + le16(0) + le16(mapEntries) + bytes({mapEntries ? 24u : 0u}) +
           le16(0) + le16(0) + le16(w) + le16(h) + bytes({depth, descriptor}) + "hf" + map + pixels;
}

// TGA RLE, bottom row first: a run packet per column pair, a raw packet for the last column.
std::string tgaRle(u32 size, u32 lastPacket = 0x00) {
    std::string s;
    for (u32 y = H; y-- > 0;)
        s += "\x81" + pixel(size, 0, y) + "\x81" + pixel(size, 2, y) + static_cast<char>(y == 0 ? lastPacket : 0x00) +
             pixel(size, 4, y);
    return s;
}

}  // namespace

TEST_F(WorldTest, MapFileLines) {
    struct Case {
        const char* what;
        std::string file;
        std::vector<StationSeen> stations;
        std::vector<std::string> lines;  // printed, in this order
        std::string heightfield = "", texture = "";
    };
    const std::vector<Case> cases = {
        {"plain station", "station#Col#100-50-200\n", {{"Col", {100, 50, 200}}}, {"Line=station#Col#100-50-200 \n"}},
        {"empty fields dropped", "station##Col##100--50-200#", {{"Col", {100, 50, 200}}}, {}},
        {"leading minus lost", "station#Col#-100-50-200\n", {{"Col", {100, 50, 200}}}, {}},
        {"key anywhere in the line", "xx station#Col#1-2-3\n", {{"Col", {1, 2, 3}}}, {}},
        {"not a number reads 0", "station#D#abc-2x-3.5\n", {{"D", {0, 2, 3.5f}}}, {}},
        {"two coordinates", "station#Col#100-50\n", {}, {coordError("Col")}},
        {"no coordinates", "station#Col\n", {}, {OBJECT_ERROR}},
        {"four fields", "station#Col#1-2-3#x\n", {}, {OBJECT_ERROR}},
        {"not finite",
         "station#A#inf-1-2\nstation#B#1-nan-2\nstation#C#1-2-1e39\nstation#E#1-2-3\n",
         {{"E", {1, 2, 3}}},
         {coordError("A"), coordError("B"), coordError("C")}},
        {"stations in file order", "station#B#1-1-1\nstation#A#2-2-2\n", {{"B", {1, 1, 1}}, {"A", {2, 2, 2}}}, {}},
        {"keys", "heightfield=h.png\ntexture=t.png\n", {}, {}, "h.png", "t.png"},
        // Cut at offset 12 from the line's start, whatever comes before the key.
        {"value cut at the key's offset", "  heightfield=h.png\n", {}, {}, "d=h.png"},
        {"later texture wins", "texture=a.png\ntexture=b.png\n", {}, {}, "", "b.png"},
        {"every line echoed", "\nnothing here\n\n", {}, {"Line= \nLine=nothing here \nLine= \n"}},
        {"windows line ends",
         "texture=t.png\r\nstation#Col#1-2-3\r\n",
         {{"Col", {1, 2, 3}}},
         {"Line=texture=t.png \nLine=station#Col#1-2-3 \n"},
         "",
         "t.png"},
        {"only one carriage return stripped", "station#Col\r#1-2-3\r\r\n", {{"Col\r", {1, 2, 3}}}, {}},
        {"last line without newline", "station#Z#7-8-9", {{"Z", {7, 8, 9}}}, {"Line=station#Z#7-8-9 \n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string out = load("lines.map", c.file);
        const std::vector<StationSeen> got = stationsOf(*map);
        ASSERT_EQ(got.size(), c.stations.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].name, c.stations[i].name);
            EXPECT_EQ(got[i].at, c.stations[i].at);
        }
        EXPECT_TRUE(linesInOrder(out, c.lines));
        EXPECT_EQ(map->heightfieldName.c_str(), c.heightfield);
        EXPECT_EQ(map->textureName.c_str(), c.texture);
        EXPECT_STREQ(map->mapPath.c_str(), "maps/lines.map");
    }
}

TEST_F(WorldTest, SplitKeepsOnlyNonEmptyFields) {
    CMap m("x.map");
    const core::array<std::string> f = m.split("##a#bc###d#", '#');
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0], "a");
    EXPECT_EQ(f[1], "bc");
    EXPECT_EQ(f[2], "d");
    EXPECT_EQ(m.split("", '#').size(), 0u);
    EXPECT_EQ(m.split("---", '-').size(), 0u);
}

TEST_F(WorldTest, LoadMapsListsEntriesContainingMap) {
    CMapSelection selection;
    capture.start();
    EXPECT_EQ(selection.LoadMaps().size(), 0u);
    EXPECT_EQ(capture.stop(), "LoadMaps -> dir null exit \n");

    tmp->writeFile("maps/alpes.map", "");
    tmp->writeFile("maps/old.map.bak", "");
    tmp->writeFile("maps/readme.txt", "");
    tmp->writeFile("maps/folder.map/inside.map", "");
    const core::array<core::stringc> list = selection.LoadMaps();
    std::set<std::string> names;
    for (u32 i = 0; i < list.size(); ++i) names.insert(list[i].c_str());
    EXPECT_EQ(list.size(), names.size());
    EXPECT_EQ(names, (std::set<std::string>{"alpes.map", "old.map.bak", "folder.map"}));

    EXPECT_EQ(selection.getMap(), "");
    selection.setMap("alpes.map");
    EXPECT_EQ(selection.getMap(), "alpes.map");
}

TEST_F(WorldTest, LoadMapBuildsTerrainStationsAndSky) {
    writeFlatPicture("flat.png", 33, 50);
    writeFlatPicture("paint.png", 16, 200);
    driver->setTextureCreationFlag(video::ETCF_CREATE_MIP_MAPS, false);
    load("small.map", "heightfield=flat.png\ntexture=paint.png\nstation#Haut#100-1500-200\nstation#Bas#300-900-400\n");

    ASSERT_NE(map->terrain, nullptr);
    EXPECT_EQ(map->terrain->getID(), 1);
    EXPECT_EQ(map->terrain->getScale(), vector3df(40, 20, 40));
    ASSERT_NE(map->terrainSelector, nullptr);
    EXPECT_EQ(map->terrain->getTriangleSelector(), map->terrainSelector);
    EXPECT_EQ(map->terrainSelector->getReferenceCount(), 1);  // the terrain's
    for (u32 i = 0; i < map->terrain->getMaterialCount(); ++i) {
        const video::SMaterial& m = map->terrain->getMaterial(i);
        EXPECT_FALSE(m.Lighting);
        EXPECT_EQ(m.MaterialType, video::EMT_DETAIL_MAP);
        ASSERT_NE(m.getTexture(0), nullptr);
        EXPECT_TRUE(endsWith(m.getTexture(0)->getName().getPath(), "/maps/paint.png"));
        EXPECT_EQ(m.getTexture(1), nullptr);
    }
    // Grey 50 at 20 units a level: the whole 1280-unit square lies at 1000.
    for (const vector3df& p : {vector3df(40, 0, 40), vector3df(640, 3000, 640), vector3df(1200, -5000, 900)})
        EXPECT_NEAR(map->GetHeight(p, 9000), 1000.0f, 0.01f);

    // Stations stand at their file coordinates, not on the ground.
    ASSERT_EQ(map->arrStations.size(), 2u);
    const vector3df at[] = {{100, 1500, 200}, {300, 900, 400}};
    for (u32 i = 0; i < 2; ++i) {
        CStation* s = map->arrStations[i];
        ASSERT_NE(s->node, nullptr);
        EXPECT_EQ(s->getPosition(), at[i]);
        EXPECT_EQ(s->node->getPosition(), at[i]);
        EXPECT_EQ(s->node->getScale(), vector3df(2, 2, 2));
        EXPECT_EQ(s->node->getRotation(), vector3df(0, 270, 0));
        EXPECT_EQ(s->node->getID(), -1);
        EXPECT_EQ(s->node->getTriangleSelector(), nullptr);
        EXPECT_STREQ(s->node->getName(), "");
        ASSERT_GE(s->node->getMaterialCount(), 1u);
        for (u32 m = 0; m < s->node->getMaterialCount(); ++m) EXPECT_FALSE(s->node->getMaterial(m).Lighting);
        const video::SMaterial& m0 = s->node->getMaterial(0);
        EXPECT_EQ(m0.MaterialType, video::EMT_SOLID);
        // The station keeps all four maps; its chalet shows the diffuse map alone.
        const char* layers[] = {"media/Diffuse_map.png", "media/Normal_map.png", "media/Metallic_map.png",
                                "media/Roughness_map.png"};
        for (u32 l = 0; l < 4; ++l) {
            ASSERT_NE(s->material.getTexture(l), nullptr) << layers[l];
            EXPECT_TRUE(endsWith(s->material.getTexture(l)->getName().getPath(), std::string("/") + layers[l]));
            EXPECT_EQ(m0.getTexture(l), l == 0 ? s->material.getTexture(0) : nullptr) << layers[l];
        }
    }
    ASSERT_NE(map->skyBox, nullptr);
    // The sky only fills what the ropes, drawn before the scene, leave free.
    for (u32 i = 0; i < map->skyBox->getMaterialCount(); ++i) {
        EXPECT_EQ(map->skyBox->getMaterial(i).ZBuffer, video::ECFN_LESSEQUAL);
        EXPECT_FALSE(map->skyBox->getMaterial(i).ZWriteEnable);
    }
    EXPECT_EQ(map->skyBox->getID(), -1);
    EXPECT_TRUE(driver->getTextureCreationFlag(video::ETCF_CREATE_MIP_MAPS));
    EXPECT_EQ(map->arrArbres.size() + map->arrRemontees.size() + map->arrRiders.size(), 0u);
}

TEST_F(WorldTest, LoadMapTwiceKeepsOnlyTheNewStations) {
    writeFlatPicture("flat.png", 17, 10);
    load("twice.map", "heightfield=flat.png\nstation#A#1-2-3\nstation#B#4-5-6\n");
    capture.start();
    map->loadMap();
    capture.stop();
    // The dropped stations are deleted (the sanitizer build reports any leak).
    ASSERT_EQ(map->arrStations.size(), 2u);
    EXPECT_EQ(map->arrStations[1]->name, "B");
}

TEST_F(WorldTest, UnusableHeightfieldLeavesNoTerrainButStationsAndSky) {
    writeFlatPicture("good.png", 17, 40);
    {
        std::ifstream in("maps/good.png", std::ios::binary);
        std::string png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        tmp->writeFile("maps/truncated.png", png.substr(0, png.size() / 2));
    }
    tmp->writeFile("maps/empty.png", "");
    tmp->writeFile("maps/words.png", "heightfield=this is no picture\n");
    fs::create_directories("maps/folder.png");
    writePicture("wide.png", 4113, 2, [](u32 x, u32) { return x % 256; });

    const std::string unreadable = "loadMap -> heightfield illisible : ";
    struct Case {
        const char* what;
        std::string heightLine;
        std::string line;
    };
    const std::vector<Case> cases = {
        {"missing picture", "heightfield=nowhere.png\n", unreadable + "maps/nowhere.png\n"},
        {"empty picture", "heightfield=empty.png\n", unreadable + "maps/empty.png\n"},
        {"truncated picture", "heightfield=truncated.png\n", unreadable + "maps/truncated.png\n"},
        {"not a picture", "heightfield=words.png\n", unreadable + "maps/words.png\n"},
        {"a folder", "heightfield=folder.png\n", unreadable + "maps/folder.png\n"},
        {"empty name", "heightfield=\n", unreadable + "maps/\n"},
        {"no heightfield line", "texture=good.png\n", unreadable + "maps/\n"},
        {"too wide", "heightfield=wide.png\n",
         "loadMap -> heightfield trop large (4113 pixels, 4097 au plus) : maps/wide.png\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string out = load("bad.map", c.heightLine + "station#Col#10-20-30\n");
        EXPECT_TRUE(linesInOrder(out, {c.line}));
        EXPECT_EQ(map->terrain, nullptr);
        EXPECT_EQ(map->terrainSelector, nullptr);
        ASSERT_EQ(map->arrStations.size(), 1u);
        EXPECT_NE(map->arrStations[0]->node, nullptr);
        EXPECT_NE(map->skyBox, nullptr);
        // Picking finds nothing and touches no terrain.
        aim(vector3df(0, 100, 0), vector3df(0, 0, 50));
        cursor(400, 300);
        capture.start();
        EXPECT_EQ(map->clickTerrainCoordinates(), vector3df(0, 0, 0));
        EXPECT_EQ(map->GetHeight(vector3df(10, 0, 10), 9000), -100.0f);
        EXPECT_EQ(map->getNodeByClick(), nullptr);
        EXPECT_EQ(capture.stop(), "clickTerrainCoordinates mousepos : 400 300 \ngetNodeByClick mousepos : 400 300 \n");
        smgr->clear();
    }
}

// BMP and TGA reach the engine only when every header field, run and pixel is
// where the engine's reader will look; what passes, the engine reads as written.
TEST_F(WorldTest, BmpAndTgaPicturesAreCheckedBeforeTheEngineReadsThem) {
    const std::string bmp8 = bmp(8, rows(1, 4)), bmp24 = bmp(24, rows(3, 4));
    const std::string tga24 = tga(2, 24, rows(3, 1)), tgaRle24 = tga(10, 24, tgaRle(3));
    struct Case {
        std::string name, content;
        bool usable;
    };
    const std::vector<Case> cases = {
        {"grey8.bmp", bmp8, true},
        {"rgb24.bmp", bmp24, true},
        {"rgba32.bmp", bmp(32, rows(4, 4)), true},
        {"rle8.bmp", bmp(8, rle8(), 1), true},
        {"longer-header24.bmp", bmp(24, rows(3, 4), 0, 0, W, H, 124), true},
        {"cut24.bmp", bmp24.substr(0, bmp24.size() - 1), false},
        {"cut-palette8.bmp", bmp8.substr(0, 54 + 3 * 4), false},
        {"size-past-file.bmp", bmp24.substr(0, 34) + le32(1000) + bmp24.substr(38), false},
        {"index-past-palette8.bmp", bmp(8, rows(1, 4), 0, 100), false},
        {"longer-header8.bmp", bmp(8, rows(1, 4), 0, 256, W, H, 124), false},
        {"rle8-run-past-row.bmp", bmp(8, bytes({6, 20}) + rle8().substr(2), 1), false},
        {"rle8-run-past-end.bmp", bmp(8, rle8(255), 1), false},
        {"rle8-no-end.bmp", bmp(8, rle8().substr(0, rle8().size() - 2), 1), false},
        {"rle8-skips-pixels.bmp", bmp(8, bytes({0, 2, 1, 0}) + rle8().substr(2), 1), false},
        {"rle8-24bit.bmp", bmp(24, rle8(), 1), false},
        {"bitfields32.bmp", bmp(32, rows(4, 4), 3), false},
        {"rgb16.bmp", bmp(16, rows(2, 4)), false},
        {"top-down.bmp", bmp(24, rows(3, 4, true), 0, 0, W, -static_cast<s32>(H)), false},
        {"no-width.bmp", bmp(24, rows(3, 4), 0, 0, 0, H), false},
        {"too-wide.bmp", bmp(24, std::string(24580, '\0'), 0, 0, 8193, 1), false},
        {"tga24.bmp", tga24, false},
        {"grey8.tga", tga(3, 8, rows(1, 1)), true},
        {"rgb24.tga", tga24, true},
        {"rgba32-top-down.tga", tga(2, 32, rows(4, 1, true), 0x28), true},
        {"mapped8.tga", tga(1, 8, rows(1, 1), 0, 256), true},
        {"rle24.tga", tgaRle24, true},
        {"rle32.tga", tga(10, 32, tgaRle(4), 8), true},
        {"cut24.tga", tga24.substr(0, tga24.size() - 1), false},
        {"rle-cut.tga", tgaRle24.substr(0, tgaRle24.size() - 1), false},
        {"rle-run-past-end.tga", tga(10, 24, tgaRle(3, 0x81)), false},
        {"index-past-map.tga", tga(1, 8, rows(1, 1), 0, 100), false},
        {"mapped-without-map.tga", tga(1, 8, rows(1, 1)), false},
        {"grey-rle.tga", tga(11, 8, rows(1, 1)), false},
        {"rgb16.tga", tga(2, 16, rows(2, 1)), false},
        {"right-to-left.tga", tga(2, 24, rows(3, 1), 0x10), false},
        {"no-height.tga", tga(2, 24, "", 0, 0, W, 0), false},
        {"too-tall.tga", tga(3, 8, std::string(8193, '\0'), 0, 0, 1, 8193), false},
        {"bmp24.tga", bmp24, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = "maps/" + c.name;
        tmp->writeFile(path, c.content);
        ASSERT_EQ(CPictureCheck::isUsable(path.c_str(), 8192), c.usable);
        if (!c.usable) continue;
        EXPECT_FALSE(CPictureCheck::isUsable(path.c_str(), W - 1));
        video::IImage* image = driver->createImageFromFile(path.c_str());
        ASSERT_NE(image, nullptr);
        ASSERT_EQ(image->getDimension(), core::dimension2d<u32>(W, H));
        // 8-bit pictures come out as 16-bit colours: five bits a channel.
        for (u32 y = 0; y < H; ++y)
            for (u32 x = 0; x < W; ++x) EXPECT_NEAR(image->getPixel(x, y).getRed(), grey(x, y), 7u) << x << "," << y;
        image->drop();
    }
}

TEST_F(WorldTest, MapFileThatCannotBeOpened) {
    fs::create_directories("maps/folder.map");
    for (const char* name : {"missing.map", "folder.map", ""}) {
        SCOPED_TRACE(name);
        const std::string out = loadExisting(name);
        EXPECT_TRUE(linesInOrder(out, {std::string("loadMap -> impossible d'ouvrir le fichier map maps/") + name + "\n",
                                       "loadMap -> heightfield illisible : maps/\n"}));
        EXPECT_EQ(out.find("Line="), std::string::npos);
        EXPECT_EQ(map->arrStations.size(), 0u);
        EXPECT_EQ(map->terrain, nullptr);
        EXPECT_NE(map->skyBox, nullptr);
    }
}

TEST_F(WorldTest, MissingMeshesTouchNoNode) {
    fs::remove("media");
    fs::create_directories("media");
    writeFlatPicture("flat.png", 17, 10);
    load("bare.map", "heightfield=flat.png\nstation#Col#1-2-3\n");
    ASSERT_EQ(map->arrStations.size(), 1u);
    EXPECT_EQ(map->arrStations[0]->mesh, nullptr);
    EXPECT_EQ(map->arrStations[0]->node, nullptr);

    CArbre* tree = new CArbre(smgr, driver);
    tree->setPosition(vector3df(5, 6, 7));
    tree->createNode();
    EXPECT_EQ(tree->node, nullptr);
    EXPECT_FLOAT_EQ(tree->getPosition().Y, 6.0f + 0.6f);
    tree->setName("arbre1");
    EXPECT_EQ(tree->getName(), "");
    map->arrArbres.push_back(tree);
    EXPECT_EQ(map->getArbreByName("arbre1"), nullptr);
    tree->removeNode();
}

// Thousands of broken map files, each naming good, broken or odd pictures: the reader keeps going.
TEST_F(WorldTest, FuzzedMapFilesNeverCrash) {
    writeFlatPicture("good.png", 17, 30);
    writePicture("wide.png", 4200, 1, [](u32 x, u32) { return x % 200; });
    for (u32 size : {1, 2, 16}) writeFlatPicture("tiny" + std::to_string(size) + ".png", size, 90);
    {
        std::ifstream in("maps/good.png", std::ios::binary);
        std::string png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (size_t cut : {1, 8, 16, 33, 50, 70})
            tmp->writeFile("maps/cut" + std::to_string(cut) + ".png", png.substr(0, cut));
    }
    fs::create_directories("maps/dir");
    const std::vector<std::string> pictures = {"good.png",   "wide.png",  "cut1.png",  "cut8.png",  "cut16.png",
                                               "cut33.png",  "cut50.png", "cut70.png", "tiny1.png", "tiny2.png",
                                               "tiny16.png", "dir",       "",          "none.png",  "../maps/good.png"};
    const std::vector<std::string> pieces = {
        "station",  "#",      "##",      "-",    "--",  "heightfield=", "texture=", "\r",  "\n", "\r\n",
        "1",        "-7",     "3.5",     "1e39", "inf", "nan",          "0x1p3",    "abc", " ",  std::string(1, '\0'),
        "\xff\xfe", "%s%n%x", "station#"};
    std::mt19937 rng(7);
    auto pick = [&](const std::vector<std::string>& v) { return v[rng() % v.size()]; };
    const int files = 2500;
    capture.start();
    for (int i = 0; i < files; ++i) {
        std::string file;
        const int lines = rng() % 6;
        for (int l = 0; l < lines; ++l) {
            switch (rng() % 4) {
            case 0: file += (rng() % 2 ? "heightfield=" : "texture=") + pick(pictures); break;
            case 1:
                file += "station#" + pick(pieces) + "#" + pick(pieces) + "-" + pick(pieces) + "-" + pick(pieces);
                break;
            default:
                for (int k = rng() % 8; k > 0; --k) file += pick(pieces);
            }
            if (rng() % 5) file += rng() % 3 ? "\n" : "\r\n";
        }
        if (i % 97 == 0) file += std::string(5000, 'x');
        tmp->writeFile("maps/fuzz.map", file);
        map.reset(new CMap("fuzz.map"));
        map->driver = driver;
        map->smgr = smgr;
        map->device = device;
        map->loadMap();
        for (u32 s = 0; s < map->arrStations.size(); ++s) {
            const vector3df p = map->arrStations[s]->getPosition();
            ASSERT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z));
        }
        map.reset();
        smgr->clear();
    }
    capture.stop();
}

// The generated default map: stations on the ground, the starting camera above it.
TEST_F(WorldTest, DefaultMapStandsItsStationsOnTheGround) {
    tmp->copyDefaultMaps();
    CMapSelection selection;
    const core::array<core::stringc> list = selection.LoadMaps();
    ASSERT_NE(list.linear_search(core::stringc("ecrins.map")), -1);
    loadExisting("ecrins.map");
    ASSERT_NE(map->terrain, nullptr);
    ASSERT_NE(map->terrain->getMaterial(0).getTexture(0), nullptr);
    ASSERT_GE(map->arrStations.size(), 3u);
    for (u32 i = 0; i < map->arrStations.size(); ++i) {
        const vector3df p = map->arrStations[i]->getPosition();
        SCOPED_TRACE(map->arrStations[i]->name.c_str());
        EXPECT_NEAR(map->GetHeight(p, 9000), p.Y, 0.01f);
    }
    // Vertical segments along triangle edges meet the ground too.
    for (float t = 0; t <= 2000; t += 20) {
        SCOPED_TRACE(t);
        EXPECT_GT(map->GetHeight(vector3df(8400, 0, 4000 + t), 9000), 0.0f);
        EXPECT_GT(map->GetHeight(vector3df(4000 + t, 0, 5000), 9000), 0.0f);
    }
    // The camera starts at (6000, 500, 5000).
    for (float dx : {-100.0f, 0.0f, 100.0f})
        for (float dz : {-100.0f, 0.0f, 100.0f})
            EXPECT_LT(map->GetHeight(vector3df(6000 + dx, 0, 5000 + dz), 9000), 400.0f);
}

// What the player first meets: a picture of snow over at least half of the
// map, the village close in front of the starting camera, the camera well above
// the ground, and nothing between the camera and the chalet or any point of the
// open slope above it, which climbs gently.
TEST_F(WorldTest, DefaultMapOpensOnTheVillageWithItsSlopeInView) {
    tmp->copyDefaultMaps();
    loadExisting("ecrins.map");
    ASSERT_NE(map->terrain, nullptr);
    ASSERT_GE(map->arrStations.size(), 1u);
    video::IImage* texels = driver->createImageFromFile((core::stringc("maps/") + map->textureName).c_str());
    ASSERT_NE(texels, nullptr);
    EXPECT_EQ(texels->getDimension(), core::dimension2d<u32>(2048, 2048));
    u32 snow = 0, all = 0;
    for (u32 y = 0; y < texels->getDimension().Height; y += 4)
        for (u32 x = 0; x < texels->getDimension().Width; x += 4, ++all)
            snow += defaultmap::snowy(texels->getPixel(x, y));
    texels->drop();
    EXPECT_GT(snow, all / 2);

    const vector3df camera = defaultmap::CAMERA_START;
    const vector3df village = map->arrStations[0]->getPosition();
    EXPECT_LT(camera.getDistanceFrom(village), 320.0f);
    for (float dx : {-60.0f, 0.0f, 60.0f})
        for (float dz : {-60.0f, 0.0f, 60.0f})
            EXPECT_LT(map->GetHeight(camera + vector3df(dx, 0, dz), 9000), camera.Y - 150);

    scene::ISceneCollisionManager* cm = smgr->getSceneCollisionManager();
    auto hidden = [&](const vector3df& p) {
        const core::line3df sight(camera, p + (camera - p).normalize());  // stop short of the point itself
        vector3df hit;
        core::triangle3df tri;
        scene::ISceneNode* node = nullptr;
        return cm->getCollisionPoint(sight, map->terrainSelector, hit, tri, node);
    };
    EXPECT_FALSE(hidden(village + vector3df(0, 10, 0))) << "the chalet's roof is hidden";
    const core::vector2df from = defaultmap::FIRST_LIFT_BOTTOM, to = defaultmap::FIRST_LIFT_TOP;
    vector3df last;
    for (int i = 0; i <= 10; ++i) {
        SCOPED_TRACE(i);
        const core::vector2df at = from + (to - from) * (i / 10.0f);
        vector3df p(village.X + at.X, 0, village.Z + at.Y);
        p.Y = map->GetHeight(p, 9000);
        EXPECT_FALSE(hidden(p + vector3df(0, 2, 0)));
        if (i > 0) {
            const f32 grade = (p.Y - last.Y) / vector3df(p.X - last.X, 0, p.Z - last.Z).getLength();
            EXPECT_GT(grade, 0.03f);
            EXPECT_LT(grade, 0.4f);
        }
        last = p;
    }
}
