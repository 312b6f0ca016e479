// PNG in the native build: libpng decodes.
#include "resources/Pictures.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace host {

namespace {

std::nullopt_t Fail(std::string* error, const char* reason) {
    if (error)
        *error = reason;
    return std::nullopt;
}

struct PngInput {
    const Bytes* bytes;
    std::size_t pos;
    std::string reason;
    bool read = false;
};

void ReadPngBytes(png_structp png, png_bytep out, png_size_t length) {
    auto* in = static_cast<PngInput*>(png_get_io_ptr(png));
    if (in->bytes->size() - in->pos < length)
        png_error(png, "truncated PNG file");
    std::memcpy(out, in->bytes->data() + in->pos, length);
    in->pos += length;
}

void PngError(png_structp png, png_const_charp message) {
    static_cast<PngInput*>(png_get_error_ptr(png))->reason = message;
    png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

// Reads the whole file into `picture` as 8-bit RGBA; libpng leaves through
// PngError on damage, so everything this fills lives in the caller's frame.
void ReadPng(png_structp png, png_infop info, Picture* picture, std::vector<png_bytep>* rows) {
    png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
    png_read_info(png, info);
    const png_byte colorType = png_get_color_type(png, info);
    png_set_expand(png); // palette, low-bit grey and transparency chunks
    png_set_scale_16(png);
    if (!(colorType & PNG_COLOR_MASK_COLOR))
        png_set_gray_to_rgb(png);
    if (!(colorType & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    picture->width = png_get_image_width(png, info);
    picture->height = png_get_image_height(png, info);
    if (png_get_rowbytes(png, info) != std::size_t{picture->width} * 4)
        png_error(png, "unexpected PNG row layout");
    picture->rgba.resize(std::size_t{picture->width} * picture->height * 4);
    for (uint32 y = 0; y < picture->height; ++y)
        rows->push_back(picture->rgba.data() + std::size_t{y} * picture->width * 4);
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    static_cast<PngInput*>(png_get_io_ptr(png))->read = true;
}

} // namespace

std::optional<Picture> DecodePng(const Bytes& bytes, std::string* error) {
    PngInput input{&bytes, 0, {}};
    Picture picture;
    std::vector<png_bytep> rows;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &input, PngError, PngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return Fail(error, "out of memory");
    }
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_set_read_fn(png, &input, ReadPngBytes);
        ReadPng(png, info, &picture, &rows);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    if (!input.read)
        return Fail(error, input.reason.c_str());
    return picture;
}

} // namespace host
