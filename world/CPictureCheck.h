// Pictures named by a map file come from outside the game, and the engine's
// image readers trust what they are given: its JPEG reader runs off the end of
// a truncated file, its other readers allocate whatever size a header claims.
// So a map's picture reaches the engine only once libpng or libjpeg has read
// it completely and found nothing wrong.
#pragma once
#include <irrlicht.h>

class CPictureCheck {
public:
    // True when path is a regular file holding a PNG (name ending in .png) or a
    // JPEG (.jpg, .jpeg) that decodes without an error or a warning, with both
    // sides between 1 and maxSide pixels. The name must match the content: the
    // engine picks its reader by the name first.
    static bool isUsable(const irr::core::stringc& path, irr::u32 maxSide);

private:
    static bool pngDecodes(const unsigned char* data, size_t size, irr::u32 maxSide);
    static bool jpegDecodes(const unsigned char* data, size_t size, irr::u32 maxSide);
};
