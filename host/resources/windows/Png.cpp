// PNG in the Windows build, which has zlib but no libpng: the chunks are
// walked here and the rows unfiltered; zlib inflates and checks.
#include "resources/Pictures.h"

#include <cstdlib>
#include <cstring>
#include <zlib.h>

namespace host {

namespace {

std::nullopt_t Fail(std::string* error, const char* reason) {
    if (error)
        *error = reason;
    return std::nullopt;
}

uint32 BigEndian32(const uint8* p) {
    return static_cast<uint32>(p[0]) << 24 | static_cast<uint32>(p[1]) << 16 |
           static_cast<uint32>(p[2]) << 8 | p[3];
}

// The whole zlib stream inflated, its checksum verified: exactly `expected`
// bytes, or a reason.
std::optional<Bytes> Inflate(const Bytes& z, std::size_t expected, std::string* error) {
    Bytes out(expected + 1); // one more, so that a stream holding too much is caught
    uLongf length = static_cast<uLongf>(out.size());
    uLong consumed = static_cast<uLong>(z.size());
    const int status = uncompress2(out.data(), &length, z.data(), &consumed);
    if (status == Z_OK && length != expected)
        return Fail(error, "PNG pixel data does not match its size");
    if (status == Z_BUF_ERROR && length == out.size())
        return Fail(error, "PNG pixel data does not match its size");
    if (status != Z_OK)
        return Fail(error, status == Z_BUF_ERROR ? "truncated image data" : "bad image data");
    if (consumed != z.size())
        return Fail(error, "bytes after image data");
    out.resize(length);
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
        if (BigEndian32(data + length) != crc32(0, type, length + 4))
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
            if (picture.width == 0 || picture.height == 0 || picture.width > kMaxPictureSide ||
                picture.height > kMaxPictureSide)
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
    const auto raw =
        Inflate(compressed, (std::size_t{picture.width} * 4 + 1) * picture.height, error);
    if (!raw)
        return std::nullopt;
    if (!Unfilter(*raw, picture.width, picture.height, picture.rgba))
        return Fail(error, "PNG pixel data does not match its size");
    return picture;
}

} // namespace host
