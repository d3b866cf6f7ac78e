// The BMP pictures the engine's reader can take safely. That reader believes
// the header: it sizes its buffers from it, runs RLE8 codes without bounds and
// looks colours up in whatever palette the pixel offset leaves room for.
#pragma once
#include <irrlicht.h>
#include "CPictureBytes.h"

class CBmpCheck {
public:
    // True for an uncompressed 8, 24 or 32-bit or an RLE8 BMP, bottom-up, with
    // both sides between 1 and maxSide, whose pixels all lie in the file and
    // whose 8-bit indices all fall in the palette.
    static bool isValid(const CPictureBytes& file, irr::u32 maxSide);

private:
    // Every code inside the file's pixel data, every run inside its row and every pixel written.
    static bool rle8Fits(const CPictureBytes& file, size_t at, size_t end, irr::u32 width, irr::u32 height,
                         irr::u32 palette);
};
