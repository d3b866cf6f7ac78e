#include "FuzzInputs.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include "CMap.h"
#include "CParametres.h"

using namespace irr;

namespace {

// Values the file format carries back unchanged: save() writes them unescaped.
bool writable(const core::stringw& v) {
    for (u32 i = 0; i < v.size(); ++i) {
        const wchar_t c = static_cast<wchar_t>(v[i] & 0xFF);
        if (c == L'"' || c == L'&' || c == L'<' || c == L'>' || c == L'\'' || c == L'\n') return false;
    }
    return true;
}

bool writeBytes(const char* name, const uint8_t* data, size_t size) {
    FILE* f = fopen(name, "wb");
    if (!f) return false;
    const bool ok = size == 0 || fwrite(data, 1, size, f) == size;
    return fclose(f) == 0 && ok;
}

bool finite(const core::vector3df& v) { return std::isfinite(v.X) && std::isfinite(v.Y) && std::isfinite(v.Z); }

const char* const PICTURES[] = {"maps/h.png", "maps/h.jpg", "maps/h.bmp", "maps/h.tga",
                                "maps/h.pcx", "maps/h.ppm", "maps/h.psd"};

}  // namespace

bool settingsInput(const uint8_t* data, size_t size) {
    if (!writeBytes("settings.xml", data, size)) return false;
    CParametres first(L"settings.xml", nullptr);
    if (!first.load()) return true;

    bool roundTrip = true;
    core::map<core::stringw, core::stringw>::Iterator it = first.settings.getIterator();
    for (; !it.atEnd(); it++) {
        if (it->getKey() != L"fullscreen" && it->getKey() != L"resolution") return false;
        roundTrip = roundTrip && writable(it->getValue());
    }
    (void)first.getSettingAsBoolean(L"fullscreen");
    (void)first.getSettingAsInteger(L"resolution");
    if (!roundTrip) return true;

    if (!first.save()) return false;
    CParametres second(L"settings.xml", nullptr);
    if (!second.load() || second.settings.size() != first.settings.size()) return false;
    for (it = first.settings.getIterator(); !it.atEnd(); it++)
        if (second.getSetting(it->getKey()) != it->getValue()) return false;
    return true;
}

bool mapInput(IrrlichtDevice* device, const uint8_t* data, size_t size, bool* terrain) {
    const uint8_t* zero = static_cast<const uint8_t*>(memchr(data, 0, size));
    const size_t textSize = zero ? static_cast<size_t>(zero - data) : size;
    if (!writeBytes("maps/fuzz.map", data, textSize)) return false;
    for (const char* name : PICTURES) {
        if (zero) {
            if (!writeBytes(name, zero + 1, size - textSize - 1)) return false;
        } else {
            remove(name);
        }
    }

    CMap* map = new CMap("fuzz.map");
    map->driver = device->getVideoDriver();
    map->smgr = device->getSceneManager();
    map->device = device;
    map->loadMap();
    bool ok = (map->terrain == nullptr) == (map->terrainSelector == nullptr);
    if (terrain) *terrain = map->terrain != nullptr;
    for (u32 i = 0; i < map->arrStations.size(); ++i)
        ok = ok && map->arrStations[i] && finite(map->arrStations[i]->getPosition());
    if (map->terrain) (void)map->GetHeight(core::vector3df(100, 0, 100), 100000);
    delete map;

    // What one load leaves in the engine goes, so that every input starts afresh.
    device->getSceneManager()->clear();
    video::IVideoDriver* driver = device->getVideoDriver();
    for (s32 i = static_cast<s32>(driver->getTextureCount()) - 1; i >= 0; --i) {
        video::ITexture* t = driver->getTextureByIndex(i);
        if (core::stringc(t->getName().getPath()).find("maps/") >= 0) driver->removeTexture(t);
    }
    return ok;
}
