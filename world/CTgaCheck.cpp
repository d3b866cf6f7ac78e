#include "CTgaCheck.h"

using namespace irr;

namespace {

const u32 HEADER = 18;
enum { MAPPED = 1, TRUE_COLOUR = 2, GREY = 3, TRUE_COLOUR_RLE = 10 };

}  // namespace

bool CTgaCheck::isValid(const CPictureBytes& file, u32 maxSide) {
    if (!file.has(0, HEADER)) return false;
    const u32 idLength = file.byte(0), mapType = file.byte(1), type = file.byte(2);
    const u32 mapFirst = file.le16(3), mapLength = file.le16(5), mapBits = file.byte(7);
    const u32 width = file.le16(12), height = file.le16(14), depth = file.byte(16), descriptor = file.byte(17);
    if (width < 1 || height < 1 || width > maxSide || height > maxSide) return false;
    const bool eightBit = (type == MAPPED && mapType == 1) || type == GREY;
    const bool trueColour = type == TRUE_COLOUR || type == TRUE_COLOUR_RLE;
    if (!(eightBit && depth == 8) && !(trueColour && (depth == 24 || depth == 32))) return false;
    // Right-to-left or interleaved rows would come out scrambled; only the top-down bit is read.
    if (descriptor & 0xD0) return false;
    // The engine skips a colour map by whole bytes per entry and indexes it from 0.
    const bool wholeBytes = mapBits == 16 || mapBits == 24 || mapBits == 32;
    if (mapType > 1 || (mapType == 1 && (mapFirst != 0 || mapLength == 0 || !wholeBytes))) return false;
    const size_t pixelsAt = HEADER + idLength + (mapType == 1 ? mapLength * (mapBits / 8) : 0);
    if (type == TRUE_COLOUR_RLE) return rleFits(file, pixelsAt, width * height, depth / 8);
    if (!file.has(pixelsAt, static_cast<size_t>(width) * height * (depth / 8))) return false;
    return type != MAPPED || file.indicesBelow(pixelsAt, width, height, width, mapLength);
}

bool CTgaCheck::rleFits(const CPictureBytes& file, size_t at, u32 pixels, u32 bytesPerPixel) {
    u32 done = 0;
    while (done < pixels) {
        if (!file.has(at, 1)) return false;
        const u32 packet = file.byte(at++);
        const u32 count = (packet & 0x7F) + 1;
        // A run packet holds one pixel for all of them, a raw packet each of its own.
        const size_t bytes = (packet & 0x80) ? bytesPerPixel : static_cast<size_t>(count) * bytesPerPixel;
        if (count > pixels - done || !file.has(at, bytes)) return false;
        at += bytes;
        done += count;
    }
    return true;
}
