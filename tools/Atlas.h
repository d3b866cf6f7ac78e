// Tiles of media/texture-pylone.png, the one atlas that every lift part maps onto.
// The atlas is 256x256 in a 4x4 grid of 64-pixel tiles; keep UVs inside a tile.
#pragma once
#include <irrlicht.h>

namespace mediagen {

enum AtlasTile {
    TILE_STEEL_GREY = 0,  // galvanised steel
    TILE_PAINT_YELLOW,    // painted towers
    TILE_PAINT_RED,       // terminals, grips
    TILE_PAINT_BLUE,      // chairs, housings
    TILE_CONCRETE,        // foundations
    TILE_WOOD,            // T-bar plates, station cladding
    TILE_RUBBER_BLACK,    // sheave liners, tyres
    TILE_ROOF_GREY,       // station roofs
    TILE_WINDOW,          // glazing
    TILE_DARK_METAL,      // bullwheels, motors
    TILE_WHITE_PAINT,     // markings
    TILE_GREEN_PAINT,     // alternative tower colour
    TILE_COUNT_USED
};

// UV rectangle of a tile, inset by one pixel so that filtering stays inside it.
inline irr::core::rectf atlasRect(AtlasTile t) {
    const float s = 1.0f / 4.0f, inset = 1.0f / 256.0f;
    const int col = static_cast<int>(t) % 4, row = static_cast<int>(t) / 4;
    return irr::core::rectf(col * s + inset, row * s + inset, (col + 1) * s - inset, (row + 1) * s - inset);
}

}  // namespace mediagen
