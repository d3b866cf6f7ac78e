#include "CSaveGame.h"
#include <climits>
#include <cstdio>
#include <cstdlib>

using namespace irr;
using namespace irr::core;

CSaveGame::CSaveGame(const stringw& fileName, IrrlichtDevice* device) : fileName(fileName), device(device) {}

CSaveGame::~CSaveGame() { settings.clear(); }

bool CSaveGame::save() {
    const io::path path = stringc(fileName);
    io::IXMLWriter* xml = device->getFileSystem()->createXMLWriter(path);
    if (!xml) return false;

    xml->writeXMLHeader();
    xml->writeLineBreak();
    xml->writeElement(L"save");
    xml->writeLineBreak();
    xml->writeElement(L"map", true, L"name", L"ecrins.map");
    xml->writeLineBreak();
    xml->writeElement(L"stations");
    xml->writeLineBreak();
    xml->writeElement(L"station", false, L"name", L"Pelvoux", L"level", L"1");
    xml->writeLineBreak();
    xml->writeElement(L"riders");
    xml->writeLineBreak();
    xml->writeClosingTag(L"riders");
    xml->writeLineBreak();
    xml->writeClosingTag(L"station");
    xml->writeLineBreak();
    xml->writeClosingTag(L"stations");
    xml->writeLineBreak();
    xml->writeElement(L"rms");
    xml->writeLineBreak();
    xml->writeClosingTag(L"rms");
    xml->writeLineBreak();
    xml->writeElement(L"slopes");
    xml->writeLineBreak();
    xml->writeClosingTag(L"slopes");
    xml->writeLineBreak();
    xml->writeClosingTag(L"save");

    xml->drop();
    return true;
}

bool CSaveGame::load() {
    const io::path path = stringc(fileName);
    io::IFileSystem* fs = device->getFileSystem();
    io::IReadFile* file = fs->createAndOpenFile(path);
    if (!file) return false;

    // A directory opens but reads nothing, and its bogus size would make the
    // XML reader allocate without bound: only a file with content is parsed.
    bool result = false;
    char probe;
    if (file->read(&probe, 1) == 1 && file->seek(0)) {
        io::IXMLReader* xml = fs->createXMLReader(file);
        if (xml) {
            result = xml->read();
            xml->drop();
        }
    }
    file->drop();
    return result;
}

void CSaveGame::setSetting(const stringw& key, const stringw& value) { settings.set(key, value); }

void CSaveGame::setSetting(const stringw& key, s32 value) {
    // Not stringw(s32): it negates the number, which overflows for INT_MIN.
    char text[16];
    snprintf(text, sizeof(text), "%d", (int)value);
    setSetting(key, stringw(text));
}

stringw CSaveGame::getSetting(const stringw& key) {
    map<stringw, stringw>::Node* n = settings.find(key);
    return n ? n->getValue() : stringw();
}

bool CSaveGame::getSettingAsBoolean(const stringw& key) { return getSetting(key) == L"1"; }

s32 CSaveGame::getSettingAsInteger(const stringw& key) {
    const stringc value(getSetting(key));
    const char* text = value.c_str();
    const char* digits = (*text == '+' || *text == '-') ? text + 1 : text;
    if (*digits < '0' || *digits > '9') return 0;
    // strtoll saturates where the engine's strtol10 can wrap (10 digits).
    const long long n = strtoll(text, nullptr, 10);
    if (n > INT_MAX) return INT_MAX;
    if (n < INT_MIN) return INT_MIN;
    return (s32)n;
}
