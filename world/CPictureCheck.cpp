#include "CPictureCheck.h"
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <vector>
#include <jpeglib.h>
#include <png.h>
#include "CBmpCheck.h"
#include "CTgaCheck.h"

using namespace irr;

namespace {

bool endsWith(const core::stringc& path, const char* ext) {
    core::stringc lower = path;
    lower.make_lower();
    const u32 n = static_cast<u32>(strlen(ext));
    return lower.size() >= n && strcmp(lower.c_str() + lower.size() - n, ext) == 0;
}

// libjpeg reports errors through a callback that must not return.
struct JpegTrap {
    jpeg_error_mgr mgr;
    jmp_buf jump;
    bool warned;
};

void jpegError(j_common_ptr info) { longjmp(reinterpret_cast<JpegTrap*>(info->err)->jump, 1); }

// Level -1 is a warning (corrupt data, data running out): the engine's reader would read past the end.
void jpegMessage(j_common_ptr info, int level) {
    if (level < 0) reinterpret_cast<JpegTrap*>(info->err)->warned = true;
}

}  // namespace

bool CPictureCheck::isUsable(const core::stringc& path, u32 maxSide) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    std::ifstream in(path.c_str(), std::ios::binary);
    const std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    static const unsigned char pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (endsWith(path, ".png"))
        return data.size() >= 8 && memcmp(data.data(), pngSignature, 8) == 0 &&
               pngDecodes(data.data(), data.size(), maxSide);
    if (endsWith(path, ".jpg") || endsWith(path, ".jpeg"))
        return data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF &&
               jpegDecodes(data.data(), data.size(), maxSide);
    if (endsWith(path, ".bmp")) return CBmpCheck::isValid(CPictureBytes(data.data(), data.size()), maxSide);
    if (endsWith(path, ".tga")) return CTgaCheck::isValid(CPictureBytes(data.data(), data.size()), maxSide);
    return false;
}

bool CPictureCheck::pngDecodes(const unsigned char* data, size_t size, u32 maxSide) {
    png_image image;
    memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) return false;
    if (image.width == 0 || image.height == 0 || image.width > maxSide || image.height > maxSide) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_GRAY;
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
    const bool ok = png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0 &&
                    !(image.warning_or_error & PNG_IMAGE_ERROR);
    png_image_free(&image);
    return ok;
}

bool CPictureCheck::jpegDecodes(const unsigned char* data, size_t size, u32 maxSide) {
    jpeg_decompress_struct info;
    JpegTrap trap;
    info.err = jpeg_std_error(&trap.mgr);
    trap.mgr.error_exit = jpegError;
    trap.mgr.emit_message = jpegMessage;
    trap.warned = false;
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (trap.warned || info.image_width == 0 || info.image_height == 0 || info.image_width > maxSide ||
        info.image_height > maxSide) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    // The colour output the engine asks for: CMYK kept as it is, everything else as RGB.
    info.out_color_space = info.jpeg_color_space == JCS_CMYK ? JCS_CMYK : JCS_RGB;
    info.do_fancy_upsampling = FALSE;
    jpeg_start_decompress(&info);
    // From libjpeg's own pool, which jpeg_destroy_decompress frees on every way out.
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * info.output_components, 1);
    while (!trap.warned && info.output_scanline < info.output_height) jpeg_read_scanlines(&info, row, 1);
    if (!trap.warned) jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return !trap.warned;
}
