// Pictures the plug-in ships: device-independent bitmaps (type 2) and PNG icons
// (type 578), decoded to 8-bit RGBA rows, top row first.
#pragma once

#include "SDKTypes.h"
#include "resources/Resources.h"

#include <optional>
#include <string>

namespace host {

// Far beyond any picture a plug-in ships; keeps a damaged header from asking
// for gigabytes.
constexpr uint32 kMaxPictureSide = 16384;

struct Picture {
    uint32 width = 0;
    uint32 height = 0;
    Bytes rgba; // width × height × 4 bytes, top row first
};

// A DIB as stored in a bitmap resource: BITMAPINFOHEADER and uncompressed
// 24-bit rows, bottom-up or top-down, each padded to 4 bytes.
OPAL_SDK_API std::optional<Picture> DecodeBitmap(const Bytes& bytes, std::string* error = nullptr);

// Any valid PNG, converted to 8-bit RGBA (libpng: unix/Png.cpp). The Windows
// build (windows/Png.cpp) reads 8-bit RGBA PNGs that are not interlaced,
// which is what the resource compiler writes, and refuses others with a
// reason. Chunk CRCs and the zlib checksum are verified.
OPAL_SDK_API std::optional<Picture> DecodePng(const Bytes& bytes, std::string* error = nullptr);

} // namespace host
