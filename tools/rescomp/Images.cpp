#include "Images.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace rescomp {

namespace {

constexpr int kSamples = 4; // per axis, per pixel

uint8 Blend(uint8 under, uint8 over, double alpha) {
    return static_cast<uint8>(std::lround(under + (over - under) * alpha));
}

} // namespace

Canvas::Canvas(uint32 width, uint32 height)
    : fWidth(width), fHeight(height), fRgba(std::size_t{width} * height * 4, 0) {}

void Canvas::Fill(const std::function<bool(double, double)>& inside, Color color, double opacity) {
    Fill(
        inside, [color](double, double) { return color; }, opacity);
}

void Canvas::Fill(const std::function<bool(double, double)>& inside,
                  const std::function<Color(double, double)>& colorAt, double opacity) {
    for (uint32 y = 0; y < fHeight; ++y)
        for (uint32 x = 0; x < fWidth; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    hits += inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
            if (hits == 0)
                continue;
            const double a = opacity * hits / (kSamples * kSamples);
            const Color color = colorAt(x + 0.5, y + 0.5);
            uint8* p = &fRgba[(std::size_t{y} * fWidth + x) * 4];
            // "Over" compositing with straight (non-premultiplied) alpha.
            const double under = p[3] / 255.0;
            const double out = a + under * (1 - a);
            const double weight = out > 0 ? a / out : 0;
            p[0] = Blend(p[0], color.r, weight);
            p[1] = Blend(p[1], color.g, weight);
            p[2] = Blend(p[2], color.b, weight);
            p[3] = static_cast<uint8>(std::lround(out * 255));
        }
}

void Canvas::Shade(const std::function<Color(double, double)>& shade) {
    for (uint32 y = 0; y < fHeight; ++y)
        for (uint32 x = 0; x < fWidth; ++x) {
            const Color c = shade(x + 0.5, y + 0.5);
            uint8* p = &fRgba[(std::size_t{y} * fWidth + x) * 4];
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
            p[3] = 0xff;
        }
}

uint32 Crc32(const uint8* data, std::size_t size) {
    static const std::array<uint32, 256> table = [] {
        std::array<uint32, 256> t{};
        for (uint32 n = 0; n < 256; ++n) {
            uint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32 crc = 0xffffffffu;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xff] ^ (crc >> 8);
    return crc ^ 0xffffffffu;
}

uint32 Adler32(const Bytes& data) {
    constexpr uint32 kModulus = 65521;
    uint32 a = 1, b = 0;
    for (uint8 byte : data) {
        a = (a + byte) % kModulus;
        b = (b + a) % kModulus;
    }
    return b << 16 | a;
}

namespace {

void BigEndian32(Bytes& out, uint32 v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8>(v >> shift));
}

void Chunk(Bytes& png, const char (&type)[5], const Bytes& data) {
    BigEndian32(png, static_cast<uint32>(data.size()));
    const std::size_t typeAt = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    BigEndian32(png, Crc32(png.data() + typeAt, png.size() - typeAt));
}

// A zlib stream of stored deflate blocks (each at most 65535 bytes).
Bytes StoredZlib(const Bytes& raw) {
    constexpr std::size_t kMaxBlock = 0xffff;
    Bytes z = {0x78, 0x01}; // deflate, 32K window, no dictionary, fastest
    std::size_t pos = 0;
    do {
        const std::size_t length = std::min(kMaxBlock, raw.size() - pos);
        const bool last = pos + length == raw.size();
        z.push_back(last ? 1 : 0); // BFINAL, BTYPE 00 (stored)
        const uint16 len = static_cast<uint16>(length);
        const uint16 nlen = static_cast<uint16>(~len);
        z.insert(z.end(), {static_cast<uint8>(len), static_cast<uint8>(len >> 8),
                           static_cast<uint8>(nlen), static_cast<uint8>(nlen >> 8)});
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
                 raw.begin() + static_cast<std::ptrdiff_t>(pos + length));
        pos += length;
    } while (pos < raw.size());
    BigEndian32(z, Adler32(raw));
    return z;
}

} // namespace

Bytes EncodePng(const Canvas& canvas) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Bytes header;
    BigEndian32(header, canvas.Width());
    BigEndian32(header, canvas.Height());
    // bit depth 8, colour type 6 (RGBA), deflate, adaptive filtering, no interlace
    header.insert(header.end(), {8, 6, 0, 0, 0});
    Chunk(png, "IHDR", header);

    const std::size_t stride = std::size_t{canvas.Width()} * 4;
    Bytes raw;
    for (uint32 y = 0; y < canvas.Height(); ++y) {
        raw.push_back(0); // filter: none
        const auto row = canvas.Rgba().begin() + static_cast<std::ptrdiff_t>(y * stride);
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(stride));
    }
    Chunk(png, "IDAT", StoredZlib(raw));
    Chunk(png, "IEND", {});
    return png;
}

Bytes EncodeDib(const Canvas& canvas) {
    constexpr uint32 kInfoHeaderSize = 40;
    constexpr int32 kPixelsPerMeter = 2835; // 72 dpi
    const std::size_t stride = (std::size_t{canvas.Width()} * 3 + 3) & ~std::size_t{3};
    ByteWriter w;
    w.U32(kInfoHeaderSize)
        .I32(static_cast<int32>(canvas.Width()))
        .I32(static_cast<int32>(canvas.Height())) // positive: bottom-up rows
        .U16(1)                                   // planes
        .U16(24)                                  // bits per pixel
        .U32(0)                                   // BI_RGB, uncompressed
        .U32(static_cast<uint32>(stride * canvas.Height()))
        .I32(kPixelsPerMeter)
        .I32(kPixelsPerMeter)
        .U32(0) // colours used: no palette
        .U32(0);
    for (uint32 row = canvas.Height(); row-- > 0;) {
        const uint8* p = canvas.Rgba().data() + std::size_t{row} * canvas.Width() * 4;
        for (uint32 x = 0; x < canvas.Width(); ++x, p += 4)
            w.U8(p[2]).U8(p[1]).U8(p[0]);
        for (std::size_t pad = canvas.Width() * 3; pad < stride; ++pad)
            w.U8(0);
    }
    return w.Take();
}

} // namespace rescomp
