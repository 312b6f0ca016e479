#include "resources/Pictures.h"

#include "resources/ByteReader.h"

namespace host {

namespace {

using detail::ByteReader;

std::nullopt_t Fail(std::string* error, const char* reason) {
    if (error)
        *error = reason;
    return std::nullopt;
}

constexpr uint32 kBitmapInfoHeaderSize = 40;
constexpr uint32 kBitmapUncompressed = 0; // BI_RGB

} // namespace

std::optional<Picture> DecodeBitmap(const Bytes& bytes, std::string* error) {
    ByteReader in(bytes);
    const uint32 headerSize = in.U32();
    const int32 width = in.I32();
    const int32 height = in.I32();
    const uint16 planes = in.U16();
    const uint16 bitCount = in.U16();
    const uint32 compression = in.U32();
    in.Take(kBitmapInfoHeaderSize - 20); // image size, resolution, palette counts
    if (!in.Ok() || headerSize != kBitmapInfoHeaderSize)
        return Fail(error, "bad bitmap header");
    if (planes != 1 || bitCount != 24 || compression != kBitmapUncompressed)
        return Fail(error, "not an uncompressed 24-bit bitmap");
    // A negative height marks top-down rows.
    const bool bottomUp = height > 0;
    const int64 rows = bottomUp ? int64{height} : -int64{height};
    if (width <= 0 || width > int32{kMaxPictureSide} || rows == 0 || rows > kMaxPictureSide)
        return Fail(error, "bad bitmap size");
    Picture picture;
    picture.width = static_cast<uint32>(width);
    picture.height = static_cast<uint32>(rows);
    const std::size_t stride = (std::size_t{picture.width} * 3 + 3) & ~std::size_t{3};
    if (in.Remaining() != stride * picture.height)
        return Fail(error, "bitmap size does not match its pixels");
    picture.rgba.resize(std::size_t{picture.width} * picture.height * 4);
    for (uint32 y = 0; y < picture.height; ++y) {
        const uint8* src = in.Take(stride);
        uint8* dst = picture.rgba.data() +
                     std::size_t{bottomUp ? picture.height - 1 - y : y} * picture.width * 4;
        for (uint32 x = 0; x < picture.width; ++x) {
            dst[4 * x + 0] = src[3 * x + 2];
            dst[4 * x + 1] = src[3 * x + 1];
            dst[4 * x + 2] = src[3 * x + 0];
            dst[4 * x + 3] = 0xff;
        }
    }
    return picture;
}

} // namespace host
