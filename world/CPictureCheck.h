// Pictures named by a map file come from outside the game, and the engine's
// image readers trust what they are given: its JPEG reader runs off the end of
// a truncated file, its other readers allocate whatever size a header claims
// and follow RLE codes past their buffers. So a map's picture reaches the
// engine only once libpng or libjpeg has read it completely and found nothing
// wrong, or, for BMP and TGA, which no library checks the way the engine reads
// them, once our own checker has walked its header and pixel data.
#pragma once
#include <irrlicht.h>

class CPictureCheck {
public:
    // True when path is a regular file holding a PNG (name ending in .png) or a
    // JPEG (.jpg, .jpeg) that decodes without an error or a warning, or a BMP
    // (.bmp) or TGA (.tga) that passes CBmpCheck or CTgaCheck, with both sides
    // between 1 and maxSide pixels. The name must match the content: the engine
    // picks its reader by the name first.
    static bool isUsable(const irr::core::stringc& path, irr::u32 maxSide);

private:
    static bool pngDecodes(const unsigned char* data, size_t size, irr::u32 maxSide);
    static bool jpegDecodes(const unsigned char* data, size_t size, irr::u32 maxSide);
};
