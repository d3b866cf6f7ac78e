// The TGA pictures the engine's reader can take safely. TGA has no signature,
// so the name alone says a file is one; the reader then trusts the header for
// its buffer sizes and runs RLE packets on without looking where they end.
#pragma once
#include <irrlicht.h>
#include "CPictureBytes.h"

class CTgaCheck {
public:
    // True for an uncompressed grey or colour-mapped 8-bit picture, or an
    // uncompressed or RLE 24 or 32-bit one, with both sides between 1 and
    // maxSide, whose pixels all lie in the file and whose colour-map indices
    // all fall in the map.
    static bool isValid(const CPictureBytes& file, irr::u32 maxSide);

private:
    // Every packet inside the file, none running past the last pixel, and every pixel written.
    static bool rleFits(const CPictureBytes& file, size_t at, irr::u32 pixels, irr::u32 bytesPerPixel);
};
