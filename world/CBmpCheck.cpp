#include "CBmpCheck.h"

using namespace irr;

namespace {

const u32 FILE_HEADER = 14;
const u32 INFO_HEADER = 40;

}  // namespace

bool CBmpCheck::isValid(const CPictureBytes& file, u32 maxSide) {
    if (!file.has(0, FILE_HEADER + INFO_HEADER) || file.byte(0) != 'B' || file.byte(1) != 'M') return false;
    const u32 offset = file.le32(10), infoSize = file.le32(14), bpp = file.le16(28);
    const u32 compression = file.le32(30), dataSize = file.le32(34);
    // Signed in the file: a negative height is a top-down picture, which the engine reads as a huge one.
    const s32 width = static_cast<s32>(file.le32(18)), height = static_cast<s32>(file.le32(22));
    if (width < 1 || height < 1 || static_cast<u32>(width) > maxSide || static_cast<u32>(height) > maxSide)
        return false;
    if (file.le16(26) != 1 || (bpp != 8 && bpp != 24 && bpp != 32)) return false;
    if (compression != 0 && !(compression == 1 && bpp == 8)) return false;
    if (infoSize < INFO_HEADER || offset < FILE_HEADER + static_cast<u64>(infoSize) || offset > file.size) return false;
    // The engine reads the palette from the end of the 40-byte header on: a longer header would become colours.
    if (bpp == 8 && infoSize != INFO_HEADER) return false;
    const u32 palette = bpp == 8 ? (offset - FILE_HEADER - INFO_HEADER) / 4 : 0;
    if (bpp == 8 && palette == 0) return false;
    // The engine allocates the size the header gives, or guesses the rest of the file for 0.
    const size_t rest = file.size - offset;
    if (dataSize > rest) return false;
    const size_t data = dataSize ? dataSize : rest;
    const size_t rowBytes = (static_cast<size_t>(width) * bpp / 8 + 3) / 4 * 4;
    if (compression == 1) return rle8Fits(file, offset, offset + data, width, height, palette);
    if (rowBytes * height > data) return false;
    return bpp != 8 || file.indicesBelow(offset, width, height, rowBytes, palette);
}

bool CBmpCheck::rle8Fits(const CPictureBytes& file, size_t at, size_t end, u32 width, u32 height, u32 palette) {
    u32 x = 0, y = 0;
    u64 written = 0;
    const CPictureBytes data(file.data, end);
    for (;;) {
        if (!data.has(at, 2)) return false;
        const u32 count = data.byte(at), code = data.byte(at + 1);
        at += 2;
        if (count > 0) {  // a run of one colour
            if (x + count > width || code >= palette) return false;
            x += count;
            written += count;
        } else if (code == 0) {  // end of line; the last one ends the picture too
            x = 0;
            if (++y == height) break;
        } else if (code == 1) {  // end of picture
            break;
        } else if (code == 2) {  // move ahead without writing
            if (!data.has(at, 2)) return false;
            x += data.byte(at);
            y += data.byte(at + 1);
            at += 2;
            if (x > width || y >= height) return false;
        } else {  // `code` literal indices, padded to an even count
            if (x + code > width || !data.indicesBelow(at, code, 1, code, palette) || !data.has(at, code + code % 2))
                return false;
            at += code + code % 2;
            x += code;
            written += code;
        }
    }
    // Pixels left out would come from the engine's uninitialised buffer.
    return written == static_cast<u64>(width) * height;
}
