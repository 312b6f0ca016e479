// The button icons (PNG) and the About picture (DIB): valid files of the
// right size, and pictures that look like what they stand for.
#include "resources/Pictures.h"
#include "ResourceTestUtil.h"

#include <set>
#include <string>
#include <vector>

namespace {

using host::Bytes;
using restest::Resource;

// Bit by bit, independent of any table-driven implementation.
uint32 Crc32(const uint8* p, std::size_t n) {
    uint32 crc = 0xffffffff;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320 & (0u - (crc & 1)));
    }
    return ~crc;
}

uint32 Adler32(const Bytes& data) {
    uint32 a = 1, b = 0;
    for (uint8 byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

uint32 Be32(const Bytes& b, std::size_t at) {
    return uint32{b[at]} << 24 | uint32{b[at + 1]} << 16 | uint32{b[at + 2]} << 8 | b[at + 3];
}

struct Chunk {
    std::string type;
    Bytes data;
};

// Splits a PNG into chunks, checking the signature and every CRC.
std::vector<Chunk> Chunks(const Bytes& png) {
    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<Chunk> chunks;
    EXPECT_TRUE(png.size() > 8 && Bytes(png.begin(), png.begin() + 8) == signature);
    for (std::size_t pos = 8; pos < png.size();) {
        if (png.size() - pos < 12) {
            ADD_FAILURE() << "truncated chunk at " << pos;
            break;
        }
        const uint32 length = Be32(png, pos);
        if (png.size() - pos - 12 < length) {
            ADD_FAILURE() << "chunk beyond the file at " << pos;
            break;
        }
        Chunk c{std::string(png.begin() + pos + 4, png.begin() + pos + 8),
                Bytes(png.begin() + pos + 8, png.begin() + pos + 8 + length)};
        EXPECT_EQ(Be32(png, pos + 8 + length), Crc32(png.data() + pos + 4, length + 4))
            << c.type << " CRC";
        chunks.push_back(std::move(c));
        pos += 12 + length;
    }
    return chunks;
}

class Icon : public testing::TestWithParam<uint32> {};

TEST_P(Icon, IsAValidPngOf28By15Rgba) {
    const auto chunks = Chunks(Resource(578, GetParam()));
    ASSERT_GE(chunks.size(), 3u);
    EXPECT_EQ(chunks.front().type, "IHDR");
    EXPECT_EQ(chunks.back().type, "IEND");
    EXPECT_TRUE(chunks.back().data.empty());
    const Bytes header = chunks.front().data;
    ASSERT_EQ(header.size(), 13u);
    EXPECT_EQ(Be32(header, 0), 28u);
    EXPECT_EQ(Be32(header, 4), 15u);
    EXPECT_EQ(Bytes(header.begin() + 8, header.end()), (Bytes{8, 6, 0, 0, 0}));

    Bytes z;
    for (const Chunk& c : chunks)
        if (c.type == "IDAT")
            z.insert(z.end(), c.data.begin(), c.data.end());
    ASSERT_GE(z.size(), 2u);
    EXPECT_EQ(z[0] & 0x0f, 8) << "deflate";
    EXPECT_EQ((z[0] * 256 + z[1]) % 31, 0) << "zlib header check";
    // Stored blocks: header byte, LEN, NLEN, data.
    Bytes raw;
    std::size_t pos = 2;
    bool last = false;
    while (!last && pos + 5 <= z.size()) {
        last = z[pos] & 1;
        EXPECT_EQ(z[pos] >> 1, 0) << "stored block";
        const uint32 len = z[pos + 1] | z[pos + 2] << 8;
        EXPECT_EQ(len ^ 0xffffu, uint32{z[pos + 3]} | uint32{z[pos + 4]} << 8);
        ASSERT_LE(pos + 5 + len, z.size());
        raw.insert(raw.end(), z.begin() + pos + 5, z.begin() + pos + 5 + len);
        pos += 5 + len;
    }
    ASSERT_TRUE(last);
    ASSERT_EQ(z.size(), pos + 4);
    EXPECT_EQ(Be32(z, pos), Adler32(raw));
    EXPECT_EQ(raw.size(), 15u * (1 + 28 * 4));
}

INSTANTIATE_TEST_SUITE_P(Icons, Icon, testing::Values(10000u, 10001u, 10010u));

host::Picture Decoded(uint32 id) {
    std::string error;
    const auto picture = host::DecodePng(Resource(578, id), &error);
    EXPECT_TRUE(picture) << id << ": " << error;
    return picture ? *picture : host::Picture{};
}

Bytes Alpha(const host::Picture& p) {
    Bytes alpha;
    for (std::size_t i = 3; i < p.rgba.size(); i += 4)
        alpha.push_back(p.rgba[i]);
    return alpha;
}

TEST(IconPictures, OnIsABluePowerSymbolAndOffTheSameSymbolInGrey) {
    const host::Picture on = Decoded(10000), off = Decoded(10001), list = Decoded(10010);
    ASSERT_EQ(on.rgba.size(), 28u * 15 * 4);
    std::size_t drawn = 0;
    for (std::size_t i = 0; i < on.rgba.size(); i += 4) {
        if (on.rgba[i + 3] == 0)
            continue;
        ++drawn;
        EXPECT_GT(on.rgba[i + 2], on.rgba[i] + 60) << "blue at pixel " << i / 4;
    }
    EXPECT_GT(drawn, 30u);
    EXPECT_EQ(on.rgba[3], 0) << "transparent corner";
    EXPECT_EQ(Alpha(on), Alpha(off)) << "same symbol";
    EXPECT_NE(Alpha(list), Alpha(off)) << "a different symbol";
    for (const host::Picture* grey : {&off, &list})
        for (std::size_t i = 0; i < grey->rgba.size(); i += 4)
            if (grey->rgba[i + 3] != 0) {
                EXPECT_EQ(grey->rgba[i], grey->rgba[i + 1]);
                EXPECT_EQ(grey->rgba[i + 1], grey->rgba[i + 2]);
            }
}

TEST(AboutPicture, IsABottomUp24BitDibOf113By53) {
    const Bytes dib = Resource(2, 4000);
    restest::Le header;
    header.u32(40).u32(113).u32(53).u16(1).u16(24).u32(0);
    ASSERT_GE(dib.size(), 40u);
    EXPECT_EQ(Bytes(dib.begin(), dib.begin() + 20), header.b);
    const std::size_t stride = 340; // 113 × 3 = 339, padded to 4
    EXPECT_EQ(dib.size(), 40 + stride * 53);

    std::string error;
    const auto picture = host::DecodeBitmap(dib, &error);
    ASSERT_TRUE(picture) << error;
    EXPECT_EQ(picture->width, 113u);
    EXPECT_EQ(picture->height, 53u);
    std::set<uint32> colours;
    for (std::size_t i = 0; i < picture->rgba.size(); i += 4)
        colours.insert(uint32{picture->rgba[i]} << 16 | picture->rgba[i + 1] << 8 |
                       picture->rgba[i + 2]);
    EXPECT_GT(colours.size(), 100u) << "a picture, not a blank";
    // Bottom-up: the file's first row is the picture's last.
    EXPECT_EQ(dib[40], picture->rgba[(52 * 113) * 4 + 2]);
}

TEST(PictureDecoders, RefuseDamagedFiles) {
    const Bytes png = Resource(578, 10000);
    for (std::size_t n : {0, 7, 8, 20, 33, 100, 1000})
        EXPECT_FALSE(host::DecodePng(Bytes(png.begin(), png.begin() + n))) << n;
    std::string error;
    Bytes flipped = png;
    flipped[100] ^= 1;
    EXPECT_FALSE(host::DecodePng(flipped, &error));
    EXPECT_EQ(error, "bad PNG chunk CRC");

    // A fixed-Huffman block in a chunk with a good CRC: refused by name, not misread.
    const Bytes idat = {'I', 'D', 'A', 'T', 0x78, 0x01, 0x03, 0x00, 0, 0, 0, 1};
    const uint32 crc = Crc32(idat.data(), idat.size());
    Bytes compressed(png.begin(), png.begin() + 33); // signature and IHDR
    compressed.insert(compressed.end(), {0, 0, 0, static_cast<uint8>(idat.size() - 4)});
    compressed.insert(compressed.end(), idat.begin(), idat.end());
    compressed.insert(compressed.end(),
                      {static_cast<uint8>(crc >> 24), static_cast<uint8>(crc >> 16),
                       static_cast<uint8>(crc >> 8), static_cast<uint8>(crc)});
    compressed.insert(compressed.end(), png.end() - 12, png.end()); // IEND
    EXPECT_FALSE(host::DecodePng(compressed, &error));
    EXPECT_EQ(error, "compressed image data not supported");

    const Bytes dib = Resource(2, 4000);
    for (std::size_t n : {0, 39, 40, 41, 1000, 18059})
        EXPECT_FALSE(host::DecodeBitmap(Bytes(dib.begin(), dib.begin() + n))) << n;
    Bytes eightBit = dib;
    eightBit[14] = 8;
    EXPECT_FALSE(host::DecodeBitmap(eightBit, &error));
    EXPECT_EQ(error, "not an uncompressed 24-bit bitmap");
}

} // namespace
