// Display settings (resolution, fullscreen) kept as text keys and values, read
// from and written to settings.xml in the working folder.
#pragma once
#include <irrlicht.h>

class CParametres {
public:
    CParametres(const irr::core::stringw& fileName, irr::IrrlichtDevice* device);
    ~CParametres();

    void setSetting(const irr::core::stringw& key, const irr::core::stringw& value);
    void setSetting(const irr::core::stringw& key, irr::s32 value);
    irr::core::stringw getSetting(const irr::core::stringw& key);
    bool getSettingAsBoolean(const irr::core::stringw& key);
    irr::s32 getSettingAsInteger(const irr::core::stringw& key);

    // False when settings.xml cannot be written completely.
    bool save();
    // False when settings.xml cannot be read, is not well-formed, or lacks video.
    bool load();

    irr::core::map<irr::core::stringw, irr::core::dimension2du> resolutions;
    irr::core::stringw fileName;
    irr::IrrlichtDevice* device;
    irr::core::map<irr::core::stringw, irr::core::stringw> settings;
};
