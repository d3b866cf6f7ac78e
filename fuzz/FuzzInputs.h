// What the fuzz targets do with one input, shared with the test suite, which
// replays the corpus under its own sanitizer build. Both work in the current
// folder (a scratch folder of their own) and return false when a property that
// must hold for every input is broken.
#pragma once
#include <cstddef>
#include <cstdint>
#include <irrlicht.h>

// settings.xml: the input is the file. Whatever loads must only hold the two
// keys in use and must come back unchanged through save() and load().
bool settingsInput(const uint8_t* data, size_t size);

// A map file: the map text, then optionally a zero byte and the bytes of a
// picture, written under every picture name the seeds use (maps/h.png, h.jpg,
// ...). Stations must stand at finite points; a terrain always comes with its
// triangle selector. Needs a ./maps folder; leaves the scene and the driver's
// map textures empty. `terrain`, when given, tells whether a terrain was built.
bool mapInput(irr::IrrlichtDevice* device, const uint8_t* data, size_t size, bool* terrain = nullptr);
