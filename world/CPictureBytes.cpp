#include "CPictureBytes.h"

using namespace irr;

CPictureBytes::CPictureBytes(const unsigned char* bytes, size_t length) : data(bytes), size(length) {}

bool CPictureBytes::has(size_t at, size_t n) const { return at <= size && n <= size - at; }

u32 CPictureBytes::byte(size_t at) const { return data[at]; }

u32 CPictureBytes::le16(size_t at) const { return data[at] | data[at + 1] << 8; }

u32 CPictureBytes::le32(size_t at) const { return le16(at) | le16(at + 2) << 16; }

bool CPictureBytes::indicesBelow(size_t at, size_t width, size_t rows, size_t stride, u32 limit) const {
    if (rows == 0) return true;
    if (stride < width || !has(at, (rows - 1) * stride + width)) return false;
    for (size_t r = 0; r < rows; ++r)
        for (size_t i = 0; i < width; ++i)
            if (data[at + r * stride + i] >= limit) return false;
    return true;
}
