#include "resources/Pictures.h"

#include "resources/ByteReader.h"
#include "resources/Checksum.h"

#include <array>
#include <cstdlib>
#include <cstring>

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
// Far beyond any picture a plug-in ships; keeps a damaged header from asking
// for gigabytes.
constexpr uint32 kMaxSide = 16384;

uint32 BigEndian32(const uint8* p) {
    return static_cast<uint32>(p[0]) << 24 | static_cast<uint32>(p[1]) << 16 |
           static_cast<uint32>(p[2]) << 8 | p[3];
}

uint32 Adler32(const Bytes& data) {
    uint32 a = 1, b = 0;
    for (uint8 byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

// The raw bytes of a zlib stream made of stored deflate blocks.
std::optional<Bytes> InflateStored(const Bytes& z, std::string* error) {
    if (z.size() < 6 || (z[0] & 0x0f) != 8 || ((z[0] << 8) | z[1]) % 31 != 0 || (z[1] & 0x20))
        return Fail(error, "bad zlib header");
    Bytes out;
    std::size_t pos = 2;
    for (bool last = false; !last;) {
        if (pos >= z.size())
            return Fail(error, "truncated image data");
        const uint8 header = z[pos++];
        last = header & 1;
        if (((header >> 1) & 3) != 0)
            return Fail(error, "compressed image data not supported");
        if (z.size() - pos < 4)
            return Fail(error, "truncated image data");
        const uint16 length = static_cast<uint16>(z[pos] | z[pos + 1] << 8);
        const uint16 complement = static_cast<uint16>(z[pos + 2] | z[pos + 3] << 8);
        pos += 4;
        if (static_cast<uint16>(~length) != complement)
            return Fail(error, "bad stored block length");
        if (z.size() - pos < length)
            return Fail(error, "truncated image data");
        out.insert(out.end(), z.begin() + static_cast<std::ptrdiff_t>(pos),
                   z.begin() + static_cast<std::ptrdiff_t>(pos + length));
        pos += length;
    }
    if (z.size() - pos != 4)
        return Fail(error, "bad zlib trailer");
    if (BigEndian32(z.data() + pos) != Adler32(out))
        return Fail(error, "bad zlib checksum");
    return out;
}

uint8 Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return static_cast<uint8>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Undoes the per-row filters (bytes per pixel 4).
bool Unfilter(const Bytes& raw, uint32 width, uint32 height, Bytes& rgba) {
    const std::size_t stride = std::size_t{width} * 4;
    if (raw.size() != (stride + 1) * height)
        return false;
    rgba.assign(stride * height, 0);
    for (uint32 y = 0; y < height; ++y) {
        const uint8 filter = raw[y * (stride + 1)];
        const uint8* in = raw.data() + y * (stride + 1) + 1;
        uint8* row = rgba.data() + y * stride;
        const uint8* up = y > 0 ? row - stride : nullptr;
        for (std::size_t x = 0; x < stride; ++x) {
            const int a = x >= 4 ? row[x - 4] : 0;
            const int b = up ? up[x] : 0;
            const int c = up && x >= 4 ? up[x - 4] : 0;
            int predictor;
            switch (filter) {
            case 0:
                predictor = 0;
                break;
            case 1:
                predictor = a;
                break;
            case 2:
                predictor = b;
                break;
            case 3:
                predictor = (a + b) / 2;
                break;
            case 4:
                predictor = Paeth(a, b, c);
                break;
            default:
                return false;
            }
            row[x] = static_cast<uint8>(in[x] + predictor);
        }
    }
    return true;
}

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
    if (width <= 0 || width > int32{kMaxSide} || rows == 0 || rows > kMaxSide)
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

std::optional<Picture> DecodePng(const Bytes& bytes, std::string* error) {
    static constexpr uint8 kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (bytes.size() < sizeof kSignature || std::memcmp(bytes.data(), kSignature, 8) != 0)
        return Fail(error, "not a PNG file");
    Picture picture;
    Bytes compressed;
    bool haveHeader = false, ended = false;
    std::size_t pos = sizeof kSignature;
    while (!ended) {
        if (bytes.size() - pos < 12)
            return Fail(error, "truncated PNG chunk");
        const uint32 length = BigEndian32(bytes.data() + pos);
        const uint8* type = bytes.data() + pos + 4;
        if (length > bytes.size() - pos - 12)
            return Fail(error, "truncated PNG chunk");
        const uint8* data = type + 4;
        if (BigEndian32(data + length) != Crc32(type, length + 4))
            return Fail(error, "bad PNG chunk CRC");
        pos += 12 + std::size_t{length};
        const std::string name(reinterpret_cast<const char*>(type), 4);
        if (!haveHeader && name != "IHDR")
            return Fail(error, "PNG does not start with IHDR");
        if (name == "IHDR") {
            if (haveHeader || length != 13)
                return Fail(error, "bad PNG header");
            picture.width = BigEndian32(data);
            picture.height = BigEndian32(data + 4);
            if (picture.width == 0 || picture.height == 0 || picture.width > kMaxSide ||
                picture.height > kMaxSide)
                return Fail(error, "bad PNG size");
            // bit depth 8, colour type 6 (RGBA), deflate, adaptive filters, no interlace
            if (data[8] != 8 || data[9] != 6 || data[10] != 0 || data[11] != 0 || data[12] != 0)
                return Fail(error, "not an 8-bit RGBA PNG");
            haveHeader = true;
        } else if (name == "IDAT") {
            compressed.insert(compressed.end(), data, data + length);
        } else if (name == "IEND") {
            ended = true;
        } else if (!(type[0] & 0x20)) {
            return Fail(error, "unknown critical PNG chunk");
        }
    }
    if (pos != bytes.size())
        return Fail(error, "bytes after PNG end");
    const auto raw = InflateStored(compressed, error);
    if (!raw)
        return std::nullopt;
    if (!Unfilter(*raw, picture.width, picture.height, picture.rgba))
        return Fail(error, "PNG pixel data does not match its size");
    return picture;
}

} // namespace host
