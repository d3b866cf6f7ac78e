// The terrain's shape as the game builds it, and where its camera starts: the
// map generator includes this too, so the default map's heights and picture
// land where the game puts them and its ground stays below the camera.
#pragma once

namespace TerrainGeometry {

// Heightfield pixels a side of the default map: 16n+1, whole patches of 17.
constexpr int PIXELS = 257;
// World units between two heightfield pixels, and for one grey level.
constexpr float UNITS_PER_PIXEL = 40.0f;
constexpr float UNITS_PER_LEVEL = 20.0f;
// The engine terrain's levels of detail and smoothing passes.
constexpr int MAX_LOD = 5;
constexpr int SMOOTH_FACTOR = 4;

// The game's camera starts here.
constexpr float CAMERA_START_X = 6000.0f;
constexpr float CAMERA_START_Y = 500.0f;
constexpr float CAMERA_START_Z = 5000.0f;

}  // namespace TerrainGeometry
