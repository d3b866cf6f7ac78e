// The save file: the skeleton it writes, read back through the engine's XML
// reader, failing paths, and its typed store.
#include <climits>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include "CSaveGame.h"
#include "NullDeviceTest.h"

using namespace irr;
using core::stringw;

namespace {

// One line per element event: "<name a=v ...>", "<name .../>" or "</name>".
std::vector<std::wstring> readElements(io::IFileSystem* fs, const char* path) {
    std::vector<std::wstring> out;
    io::IXMLReader* xml = fs->createXMLReader(path);
    if (!xml) return out;
    while (xml->read()) {
        std::wstring line;
        if (xml->getNodeType() == io::EXN_ELEMENT) {
            line = L"<" + std::wstring(xml->getNodeName());
            for (u32 i = 0; i < xml->getAttributeCount(); ++i)
                line += L" " + std::wstring(xml->getAttributeName(i)) + L"=" + xml->getAttributeValue(i);
            line += xml->isEmptyElement() ? L"/>" : L">";
        } else if (xml->getNodeType() == io::EXN_ELEMENT_END) {
            line = L"</" + std::wstring(xml->getNodeName()) + L">";
        } else {
            continue;
        }
        out.push_back(line);
    }
    xml->drop();
    return out;
}

TEST_F(NullDeviceTest, SaveWritesAWellFormedSkeleton) {
    CSaveGame game(L"game.xml", device);
    game.setSetting(L"map", L"other.map");
    ASSERT_TRUE(game.save());

    const std::vector<std::wstring> expected = {
        L"<save>",     L"<map name=ecrins.map/>",
        L"<stations>", L"<station name=Pelvoux level=1>",
        L"<riders>",   L"</riders>",
        L"</station>", L"</stations>",
        L"<rms>",      L"</rms>",
        L"<slopes>",   L"</slopes>",
        L"</save>",
    };
    EXPECT_EQ(readElements(device->getFileSystem(), "game.xml"), expected);

    // Wide characters, nothing after the last end tag.
    std::ifstream in("game.xml", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size() % sizeof(wchar_t), 0u);
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    ASSERT_GE(text.size(), 7u);
    EXPECT_EQ(text.substr(text.size() - 7), L"</save>");

    EXPECT_TRUE(game.load());
    EXPECT_EQ(game.getSetting(L"map"), stringw(L"other.map"));
    ASSERT_TRUE(game.save());  // the file is rewritten whole
    EXPECT_EQ(readElements(device->getFileSystem(), "game.xml"), expected);
}

TEST_F(NullDeviceTest, PathsThatCannotBeUsedGiveFalse) {
    std::filesystem::create_directory("adir");
    tmp->writeFile("empty.xml", "");
    tmp->writeFile("text.xml", "<a/>");
    struct Case {
        const wchar_t* path;
        bool loads, saves, loadsAfterSave;
    } cases[] = {
        {L"absent.xml", false, true, true}, {L"no/such/dir/game.xml", false, false, false},
        {L"adir", false, false, false},  // a folder opens but can't be read
        {L"empty.xml", false, true, true},  {L"text.xml", true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << core::stringc(c.path).c_str());
        CSaveGame game(c.path, device);
        EXPECT_EQ(game.load(), c.loads);
        EXPECT_EQ(game.save(), c.saves);
        EXPECT_EQ(game.load(), c.loadsAfterSave);
    }
}

TEST_F(NullDeviceTest, StoreAnswersTypedValues) {
    struct Case {
        const wchar_t* key;
        const wchar_t* text;  // set as text when given, else as the number
        s32 number;
        const wchar_t* stored;
        s32 asInteger;
        bool asBoolean;
    } cases[] = {
        {L"absent", nullptr, 0, nullptr, 0, false},
        {L"a", L"42abc", 0, L"42abc", 42, false},
        {L"b", L"abc", 0, L"abc", 0, false},
        {L"c", nullptr, -15, L"-15", -15, false},
        {L"d", nullptr, INT_MIN, L"-2147483648", INT_MIN, false},
        {L"e", nullptr, INT_MAX, L"2147483647", INT_MAX, false},
        {L"f", nullptr, 0, L"0", 0, false},
        {L"g", nullptr, 1, L"1", 1, true},
        {L"h", L"true", 0, L"true", 0, false},
        {L"i", L"+7", 0, L"+7", 7, false},
        {L"j", L" 5", 0, L" 5", 0, false},
        {L"k", L"9999999999", 0, L"9999999999", INT_MAX, false},
        {L"l", L"-9999999999", 0, L"-9999999999", INT_MIN, false},
        {L"a", L"1", 0, L"1", 1, true},  // overwrite
        {L"g", L"", 0, L"", 0, false},
    };
    CSaveGame game(L"game.xml", device);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << core::stringc(c.key).c_str());
        if (c.stored) {
            if (c.text)
                game.setSetting(c.key, stringw(c.text));
            else
                game.setSetting(c.key, c.number);
        }
        EXPECT_EQ(game.getSetting(c.key), stringw(c.stored ? c.stored : L""));
        EXPECT_EQ(game.getSettingAsInteger(c.key), c.asInteger);
        EXPECT_EQ(game.getSettingAsBoolean(c.key), c.asBoolean);
    }
}

}  // namespace
