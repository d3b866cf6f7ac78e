// settings.xml: the writer's exact bytes, the reader's rules, and bad files.
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include "CParametres.h"
#include "StdoutCapture.h"
#include "TempDir.h"

namespace {
std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
}

TEST(Settings, WritesTheExactDocumentInKeyOrder) {
    TempDir dir(false);
    CParametres p(L"settings.xml", 0);
    p.setSetting(L"resolution", L"800x600");
    p.setSetting(L"fullscreen", 1);
    ASSERT_TRUE(p.save());
    const std::string expected = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<mygame>\n<video>\n"
                                 "<setting name=\"fullscreen\" value=\"1\"></setting>\n"
                                 "<setting name=\"resolution\" value=\"800x600\"></setting>\n"
                                 "</video>\n</mygame>\n";
    EXPECT_EQ(readFile("settings.xml"), expected);
    ASSERT_TRUE(p.save());  // rewritten whole, same bytes
    EXPECT_EQ(readFile("settings.xml"), expected);

    CParametres back(L"settings.xml", 0);
    ASSERT_TRUE(back.load());
    EXPECT_TRUE(back.getSettingAsBoolean(L"fullscreen"));
    EXPECT_EQ(back.getSetting(L"resolution"), L"800x600");
}

TEST(Settings, OnlyFullscreenGivesSixLines) {
    TempDir dir(false);
    CParametres p(L"settings.xml", 0);
    p.setSetting(L"fullscreen", 0);
    ASSERT_TRUE(p.save());
    EXPECT_EQ(readFile("settings.xml"), "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<mygame>\n<video>\n"
                                        "<setting name=\"fullscreen\" value=\"0\"></setting>\n</video>\n</mygame>\n");
}

TEST(Settings, ResolutionsIterateInEngineStringOrder) {
    CParametres p(L"settings.xml", 0);
    std::vector<std::wstring> keys;
    for (auto it = p.resolutions.getIterator(); !it.atEnd(); it++) keys.push_back(it->getKey().c_str());
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"1024x768", L"1280x960", L"640x480", L"800x600"}));
}

struct ReadCase {
    const char* what;
    const char* file;  // nullptr: no file at all
    bool loads;
    const wchar_t* fullscreen;
    const wchar_t* resolution;
};

TEST(Settings, ReadingRules) {
    const ReadCase cases[] = {
        {"any root name", "<config><video><setting name=\"resolution\" value=\"640x480\"/></video></config>", true, L"",
         L"640x480"},
        {"later value wins",
         "<mygame><video><setting name=\"fullscreen\" value=\"0\"/><setting name=\"fullscreen\" value=\"1\"/>"
         "</video></mygame>",
         true, L"1", L""},
        {"other keys ignored", "<mygame><video><setting name=\"language\" value=\"fr\"/></video></mygame>", true, L"",
         L""},
        {"siblings after the first setting count whatever their name",
         "<mygame><video><other name=\"fullscreen\" value=\"1\"/><setting name=\"resolution\" value=\"800x600\"/>"
         "<x name=\"fullscreen\" value=\"1\"/></video></mygame>",
         true, L"1", L"800x600"},
        {"missing attribute skipped", "<mygame><video><setting value=\"1\"/></video></mygame>", true, L"", L""},
        {"last value attribute",
         "<mygame><video><setting name=\"fullscreen\" value=\"0\" value=\"1\"/></video></mygame>", true, L"1", L""},
        {"video must be a child of the root", "<mygame><x><video/></x></mygame>", false, L"", L""},
        {"no element", "", false, L"", L""},
        {"not well-formed", "<mygame><video><setting name=\"fullscreen\" value=\"1\"", false, L"", L""},
        {"garbage", "\x01\x02<<>>&&", false, L"", L""},
        {"no file", nullptr, false, L"", L""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir(false);
        if (c.file) dir.writeFile("settings.xml", c.file);
        CParametres p(L"settings.xml", 0);
        StdoutCapture out;
        out.start();
        EXPECT_EQ(p.load(), c.loads);
        out.stop();
        EXPECT_EQ(p.getSetting(L"fullscreen"), c.fullscreen);
        EXPECT_EQ(p.getSetting(L"resolution"), c.resolution);
    }
}

TEST(Settings, TypedAccessors) {
    CParametres p(L"settings.xml", 0);
    p.setSetting(L"fullscreen", L"true");
    EXPECT_FALSE(p.getSettingAsBoolean(L"fullscreen"));
    EXPECT_FALSE(p.getSettingAsBoolean(L"absent"));
    struct {
        const wchar_t* text;
        irr::s32 value;
    } ints[] = {
        {L"42", 42},
        {L"-7", -7},
        {L"+3x", 3},
        {L"abc", 0},
        {L"", 0},
        {L"99999999999", 2147483647},
        {L"-99999999999", -2147483647 - 1},
    };
    for (auto& c : ints) {
        p.setSetting(L"n", c.text);
        EXPECT_EQ(p.getSettingAsInteger(L"n"), c.value) << irr::core::stringc(c.text).c_str();
    }
    p.setSetting(L"n", -2147483647 - 1);
    EXPECT_EQ(p.getSetting(L"n"), L"-2147483648");
    p.setSetting(L"n", 0);
    EXPECT_EQ(p.getSetting(L"n"), L"0");
}

TEST(Settings, AFailedWriteIsReportedAsFailure) {
    TempDir dir(false);
    CParametres p(L"settings.xml", 0);
    p.setSetting(L"fullscreen", 1);
    // Opens fine, but every byte written fails.
    ASSERT_EQ(symlink("/dev/full", "settings.xml"), 0);
    EXPECT_FALSE(p.save());
    unlink("settings.xml");
    // A folder in its place cannot be opened at all.
    ASSERT_EQ(mkdir("settings.xml", 0755), 0);
    EXPECT_FALSE(p.save());
}
