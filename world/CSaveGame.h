// A saved game: writes the XML skeleton of a saved ski area and reads such a
// file back through the engine's XML writer and reader, plus a store of named
// text values with typed accessors (the store is not part of the file).
#pragma once
#include <irrlicht.h>

class CSaveGame {
public:
    // The device is not owned; it must outlive the object.
    CSaveGame(const irr::core::stringw& fileName, irr::IrrlichtDevice* device);
    ~CSaveGame();
    // The engine's map copies shallowly: a copy would free the store twice.
    CSaveGame(const CSaveGame&) = delete;
    CSaveGame& operator=(const CSaveGame&) = delete;

    // False when the file can't be created.
    bool save();
    // False when the file can't be opened or holds no node; reads nothing in.
    bool load();

    void setSetting(const irr::core::stringw& key, const irr::core::stringw& value);
    void setSetting(const irr::core::stringw& key, irr::s32 value);
    // Empty for an absent key (which is not inserted).
    irr::core::stringw getSetting(const irr::core::stringw& key);
    // True only for the value "1".
    bool getSettingAsBoolean(const irr::core::stringw& key);
    // Optional sign and leading digits, clamped to the s32 range; 0 without digits.
    irr::s32 getSettingAsInteger(const irr::core::stringw& key);

private:
    irr::core::stringw fileName;
    irr::IrrlichtDevice* device;
    irr::core::map<irr::core::stringw, irr::core::stringw> settings;
};
