// A picture file's bytes, read little-endian and only after asking whether
// they are there: the header checks read fields at offsets the file chose.
#pragma once
#include <cstddef>
#include <irrlicht.h>

class CPictureBytes {
public:
    CPictureBytes(const unsigned char* data, size_t size);

    // True when the n bytes from `at` lie in the file.
    bool has(size_t at, size_t n) const;
    // These read inside the file only: callers ask has() first.
    irr::u32 byte(size_t at) const;
    irr::u32 le16(size_t at) const;
    irr::u32 le32(size_t at) const;
    // True when `rows` rows of `width` bytes, `stride` apart from `at`, lie in the
    // file and every byte is below `limit` (palette indices).
    bool indicesBelow(size_t at, size_t width, size_t rows, size_t stride, irr::u32 limit) const;

    const unsigned char* const data;
    const size_t size;
};
