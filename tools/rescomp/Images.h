// Pictures drawn by the definitions and the two file formats they are stored
// in: PNG (icons) and the device-independent bitmap of a bitmap resource.
#pragma once

#include "ByteWriter.h"

#include <functional>

namespace rescomp {

struct Color {
    uint8 r, g, b;
};

// An RGBA picture, initially fully transparent, that shapes are painted on.
// A shape is a predicate over continuous coordinates (pixel (x, y) covers
// [x, x+1) × [y, y+1)); its coverage of each pixel is sampled, so edges are
// smooth without any geometry code in the definitions.
class Canvas {
public:
    Canvas(uint32 width, uint32 height);

    uint32 Width() const { return fWidth; }
    uint32 Height() const { return fHeight; }
    const Bytes& Rgba() const { return fRgba; }

    // Paints `color` where `inside` holds, with the given opacity, over what
    // is already there.
    void Fill(const std::function<bool(double x, double y)>& inside, Color color,
              double opacity = 1.0);
    // The same with a colour that varies over the shape (taken at pixel centres).
    void Fill(const std::function<bool(double x, double y)>& inside,
              const std::function<Color(double x, double y)>& color, double opacity = 1.0);
    // Sets every pixel opaque to the colour `shade` gives for its centre.
    void Shade(const std::function<Color(double x, double y)>& shade);

private:
    uint32 fWidth, fHeight;
    Bytes fRgba;
};

// A PNG file, 8-bit RGBA, with the pixel data in stored (uncompressed)
// deflate blocks.
Bytes EncodePng(const Canvas& canvas);

// BITMAPINFOHEADER and 24-bit rows, bottom row first, each padded to 4 bytes
// (a bitmap resource holds no file header). Alpha is ignored.
Bytes EncodeDib(const Canvas& canvas);

uint32 Crc32(const uint8* data, std::size_t size);
uint32 Adler32(const Bytes& data);

} // namespace rescomp
