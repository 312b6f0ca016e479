// The button icons (PNG) and the About picture (DIB): files of the fixed size
// and format that decode to pictures that look like what they stand for; and
// the PNG decoder on files from another encoder and on damaged files.
#include "resources/Pictures.h"
#include "ResourceTestUtil.h"

#include <png.h>

#include <csetjmp>
#include <set>
#include <string>
#include <vector>

namespace {

using host::Bytes;
using testing_support::Resource;

uint32 Be32(const Bytes& b, std::size_t at) {
    return uint32{b[at]} << 24 | uint32{b[at + 1]} << 16 | uint32{b[at + 2]} << 8 | b[at + 3];
}

host::Picture Decoded(const Bytes& png) {
    std::string error;
    const auto picture = host::DecodePng(png, &error);
    EXPECT_TRUE(picture) << error;
    return picture ? *picture : host::Picture{};
}

// How a test PNG is written by libpng's own writer.
struct PngOptions {
    int colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    int bitDepth = 8;
    bool interlaced = false;
    int filters = PNG_FILTER_NONE;
};

void AppendTo(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// `rows` hold the samples as the colour type and depth lay them out.
Bytes WritePng(uint32 width, const std::vector<Bytes>& rows, const PngOptions& options,
               const std::vector<png_color>& palette = {}) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> pointers;
    for (const Bytes& row : rows)
        pointers.push_back(const_cast<png_bytep>(row.data()));
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_set_write_fn(png, &out, AppendTo, nullptr);
        png_set_IHDR(png, info, width, static_cast<uint32>(rows.size()), options.bitDepth,
                     options.colorType,
                     options.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        if (!palette.empty())
            png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
        png_set_filter(png, PNG_FILTER_TYPE_BASE, options.filters);
        png_set_rows(png, info, pointers.data());
        png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    } else {
        ADD_FAILURE() << "libpng could not write the test picture";
        out.clear();
    }
    png_destroy_write_struct(&png, &info);
    return out;
}

// A picture with detail in every row and column, so that every filter and
// every interlace pass has work: RGBA, top row first.
Bytes Pattern(uint32 width, uint32 height) {
    Bytes rgba;
    for (uint32 y = 0; y < height; ++y)
        for (uint32 x = 0; x < width; ++x)
            rgba.insert(rgba.end(),
                        {static_cast<uint8>(x * 37 + y), static_cast<uint8>(y * 53),
                         static_cast<uint8>((x ^ y) * 29), static_cast<uint8>(255 - x * y % 200)});
    return rgba;
}

std::vector<Bytes> Rows(const Bytes& rgba, uint32 width) {
    std::vector<Bytes> rows;
    for (std::size_t at = 0; at < rgba.size(); at += width * 4)
        rows.emplace_back(rgba.begin() + static_cast<std::ptrdiff_t>(at),
                          rgba.begin() + static_cast<std::ptrdiff_t>(at + width * 4));
    return rows;
}

class Icon : public testing::TestWithParam<uint32> {};

TEST_P(Icon, IsA28By15RgbaPngThatRoundTrips) {
    const Bytes png = Resource(578, GetParam());
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(Bytes(png.begin(), png.begin() + 8),
              (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'}));
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(Be32(png, 16), 28u);
    EXPECT_EQ(Be32(png, 20), 15u);
    EXPECT_EQ(png[24], 8) << "bit depth";
    EXPECT_EQ(png[25], 6) << "RGBA";
    EXPECT_LT(png.size(), 28u * 15 * 4) << "compressed";

    const host::Picture picture = Decoded(png);
    ASSERT_EQ(picture.rgba.size(), 28u * 15 * 4);
    // Written again by another encoder, with every filter, it reads back the same.
    PngOptions options;
    options.filters = PNG_ALL_FILTERS;
    EXPECT_EQ(Decoded(WritePng(28, Rows(picture.rgba, 28), options)).rgba, picture.rgba);
}

INSTANTIATE_TEST_SUITE_P(Icons, Icon, testing::Values(10000u, 10001u, 10010u));

Bytes Alpha(const host::Picture& p) {
    Bytes alpha;
    for (std::size_t i = 3; i < p.rgba.size(); i += 4)
        alpha.push_back(p.rgba[i]);
    return alpha;
}

TEST(IconPictures, OnIsABluePowerSymbolAndOffTheSameSymbolInGrey) {
    const host::Picture on = Decoded(Resource(578, 10000)), off = Decoded(Resource(578, 10001)),
                        list = Decoded(Resource(578, 10010));
    ASSERT_EQ(on.rgba.size(), 28u * 15 * 4);
    std::size_t drawn = 0;
    for (std::size_t i = 0; i < on.rgba.size(); i += 4) {
        if (on.rgba[i + 3] < 128)
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
    testing_support::Le header;
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
    // Bottom-up: the file's first row is the picture's last; pixels are B, G, R.
    EXPECT_EQ(dib[40], picture->rgba[(52 * 113) * 4 + 2]);
    EXPECT_EQ(dib[42], picture->rgba[(52 * 113) * 4 + 0]);
    EXPECT_NE(picture->rgba[0], picture->rgba[52 * 113 * 4]) << "a gradient from top to bottom";

    // Round trip through PNG: the same pixels come back.
    EXPECT_EQ(Decoded(WritePng(113, Rows(picture->rgba, 113), {})).rgba, picture->rgba);
}

TEST(PngDecoder, ReadsWhatOtherEncodersWrite) {
    constexpr uint32 kWidth = 19, kHeight = 11; // odd sizes leave interlace passes partial
    const Bytes rgba = Pattern(kWidth, kHeight);

    for (int filters :
         {PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG, PNG_FILTER_PAETH, PNG_ALL_FILTERS})
        for (bool interlaced : {false, true}) {
            PngOptions options;
            options.filters = filters;
            options.interlaced = interlaced;
            EXPECT_EQ(Decoded(WritePng(kWidth, Rows(rgba, kWidth), options)).rgba, rgba)
                << "filters " << filters << (interlaced ? ", interlaced" : "");
        }

    // 16 bits a sample: the high byte of each is the 8-bit value.
    std::vector<Bytes> wide;
    for (const Bytes& row : Rows(rgba, kWidth)) {
        Bytes w;
        for (uint8 v : row)
            w.insert(w.end(), {v, static_cast<uint8>(v ^ 0x5a)});
        wide.push_back(w);
    }
    PngOptions sixteen;
    sixteen.bitDepth = 16;
    sixteen.interlaced = true;
    const host::Picture deep = Decoded(WritePng(kWidth, wide, sixteen));
    ASSERT_EQ(deep.rgba.size(), rgba.size());
    for (std::size_t i = 0; i < rgba.size(); ++i)
        EXPECT_NEAR(deep.rgba[i], rgba[i], 1) << "sample " << i;

    // A palette of four colours, two bits a pixel: opaque RGBA out.
    const std::vector<png_color> palette = {{0, 0, 0}, {255, 0, 0}, {0, 128, 0}, {10, 20, 250}};
    std::vector<Bytes> indexed;
    Bytes expected;
    for (uint32 y = 0; y < kHeight; ++y) {
        Bytes row((kWidth * 2 + 7) / 8, 0);
        for (uint32 x = 0; x < kWidth; ++x) {
            const uint32 index = (x + 2 * y) % 4;
            row[x / 4] |= static_cast<uint8>(index << (6 - 2 * (x % 4)));
            expected.insert(expected.end(),
                            {palette[index].red, palette[index].green, palette[index].blue, 255});
        }
        indexed.push_back(row);
    }
    PngOptions paletted;
    paletted.colorType = PNG_COLOR_TYPE_PALETTE;
    paletted.bitDepth = 2;
    EXPECT_EQ(Decoded(WritePng(kWidth, indexed, paletted, palette)).rgba, expected);
}

TEST(PngDecoder, RefusesDamagedFilesWithAReason) {
    const Bytes png = Resource(578, 10000);
    std::string error;
    EXPECT_FALSE(host::DecodePng(Bytes(png.begin(), png.begin() + 8), &error));
    EXPECT_FALSE(error.empty());

    // A flipped bit in the pixel data's chunk: its CRC no longer matches.
    Bytes flipped = png;
    flipped[png.size() - 20] ^= 1;
    error.clear();
    EXPECT_FALSE(host::DecodePng(flipped, &error));
    EXPECT_FALSE(error.empty());

    // A header that claims a picture far larger than its data.
    Bytes huge = png;
    huge[16] = 0x7f;
    error.clear();
    EXPECT_FALSE(host::DecodePng(huge, &error));
    EXPECT_FALSE(error.empty());

    Bytes notPng = png;
    notPng[1] = 'Q';
    error.clear();
    EXPECT_FALSE(host::DecodePng(notPng, &error));
    EXPECT_FALSE(error.empty());
}

TEST(BitmapDecoder, RefusesDamagedFilesWithAReason) {
    const Bytes dib = Resource(2, 4000);
    for (std::size_t n : {0, 39, 40, 41, 1000, 18059})
        EXPECT_FALSE(host::DecodeBitmap(Bytes(dib.begin(), dib.begin() + n))) << n;
    std::string error;
    Bytes eightBit = dib;
    eightBit[14] = 8;
    EXPECT_FALSE(host::DecodeBitmap(eightBit, &error));
    EXPECT_EQ(error, "not an uncompressed 24-bit bitmap");
}

} // namespace
