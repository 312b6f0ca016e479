#include "render/Screen.h"

#include "paint/Page.h"
#include "render/CairoPainter.h"

#include <cairo.h>

namespace host::render {

namespace {

// A window drawn on its own opaque surface, in its own coordinates.
template <typename Look, typename DrawFn> SurfacePtr DrawWindow(const Look& look, DrawFn draw) {
    SurfacePtr surface = NewSurface(look.area.width, look.area.height);
    ContextPtr context = NewContext(surface.get());
    CairoPainter painter(context.get());
    draw(painter, look);
    cairo_surface_flush(surface.get());
    return surface;
}

SurfacePtr Draw(const Host& host) {
    SurfacePtr screen = NewSurface(kScreenWidth, kScreenHeight);
    ContextPtr context = NewContext(screen.get());
    cairo_t* cr = context.get();
    CairoPainter page(cr);
    paint::DrawPage(page, kScreenWidth, kScreenHeight);
    const paint::ScreenLook look = paint::LayOut(host, page);
    for (const paint::PaletteLook& palette : look.palettes) {
        SurfacePtr window = DrawWindow(palette, [](paint::Painter& painter, const auto& p) {
            paint::DrawPalette(painter, p);
        });
        cairo_set_source_surface(cr, window.get(), palette.area.left, palette.area.top);
        cairo_paint_with_alpha(cr, palette.area.alpha / 255.0);
    }
    for (const paint::DialogLook& dialog : look.dialogs) {
        SurfacePtr window = DrawWindow(dialog, paint::DrawDialog);
        cairo_set_source_surface(cr, window.get(), dialog.area.left, dialog.area.top);
        cairo_paint(cr);
    }
    cairo_surface_flush(screen.get());
    return screen;
}

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<Bytes*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

Picture DrawScreen(const Host& host) {
    SurfacePtr screen = Draw(host);
    Picture picture;
    picture.width = kScreenWidth;
    picture.height = kScreenHeight;
    picture.rgba.resize(std::size_t{kScreenWidth} * kScreenHeight * 4);
    const unsigned char* data = cairo_image_surface_get_data(screen.get());
    const int stride = cairo_image_surface_get_stride(screen.get());
    for (int32 y = 0; y < kScreenHeight; ++y)
        for (int32 x = 0; x < kScreenWidth; ++x) {
            // Opaque everywhere: the desk is painted first.
            const uint32_t p = reinterpret_cast<const uint32_t*>(data + y * stride)[x];
            uint8* out = &picture.rgba[(std::size_t(y) * kScreenWidth + std::size_t(x)) * 4];
            out[0] = static_cast<uint8>(p >> 16);
            out[1] = static_cast<uint8>(p >> 8);
            out[2] = static_cast<uint8>(p);
            out[3] = 0xff;
        }
    return picture;
}

Bytes DrawScreenPng(const Host& host) {
    SurfacePtr screen = Draw(host);
    Bytes png;
    cairo_surface_write_to_png_stream(screen.get(), Append, &png);
    return png;
}

} // namespace host::render
