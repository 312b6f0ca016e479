// Pictures drawn by the definitions with cairo and the two file formats they
// are stored in: PNG (icons) and the device-independent bitmap of a bitmap
// resource.
#pragma once

#include "ByteWriter.h"

#include <cairo.h>

namespace rescomp {

// A cairo image surface (ARGB32, initially fully transparent) with its
// drawing context; the definitions draw on Cr().
class Canvas {
public:
    Canvas(uint32 width, uint32 height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    uint32 Width() const { return fWidth; }
    uint32 Height() const { return fHeight; }
    cairo_t* Cr() const { return fCr; }
    // Finishes pending drawing and gives the surface.
    cairo_surface_t* Surface() const;

private:
    uint32 fWidth, fHeight;
    cairo_surface_t* fSurface;
    cairo_t* fCr;
};

// A compressed 8-bit RGBA PNG file.
Bytes EncodePng(const Canvas& canvas);

// BITMAPINFOHEADER and 24-bit rows, bottom row first, each padded to 4 bytes
// (a bitmap resource holds no file header). Alpha is ignored.
Bytes EncodeDib(const Canvas& canvas);

} // namespace rescomp
