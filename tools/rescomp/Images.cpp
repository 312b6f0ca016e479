#include "Images.h"

#include <stdexcept>

namespace rescomp {

Canvas::Canvas(uint32 width, uint32 height)
    : fWidth(width), fHeight(height),
      fSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width),
                                          static_cast<int>(height))),
      fCr(cairo_create(fSurface)) {
    if (cairo_status(fCr) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot make a picture surface");
}

Canvas::~Canvas() {
    cairo_destroy(fCr);
    cairo_surface_destroy(fSurface);
}

cairo_surface_t* Canvas::Surface() const {
    cairo_surface_flush(fSurface);
    return fSurface;
}

namespace {

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<Bytes*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

Bytes EncodePng(const Canvas& canvas) {
    Bytes png;
    if (cairo_surface_write_to_png_stream(canvas.Surface(), Append, &png) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot encode a PNG");
    return png;
}

Bytes EncodeDib(const Canvas& canvas) {
    constexpr uint32 kInfoHeaderSize = 40;
    constexpr int32 kPixelsPerMeter = 2835; // 72 dpi
    cairo_surface_t* surface = canvas.Surface();
    const unsigned char* pixels = cairo_image_surface_get_data(surface);
    const std::size_t sourceStride =
        static_cast<std::size_t>(cairo_image_surface_get_stride(surface));
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
        // ARGB32 pixels are native 32-bit words; the picture is drawn opaque, so
        // the premultiplied channels are the colour itself.
        const auto* p = reinterpret_cast<const uint32_t*>(pixels + row * sourceStride);
        for (uint32 x = 0; x < canvas.Width(); ++x)
            w.U8(static_cast<uint8>(p[x]))
                .U8(static_cast<uint8>(p[x] >> 8))
                .U8(static_cast<uint8>(p[x] >> 16));
        for (std::size_t pad = canvas.Width() * 3; pad < stride; ++pad)
            w.U8(0);
    }
    return w.Take();
}

} // namespace rescomp
