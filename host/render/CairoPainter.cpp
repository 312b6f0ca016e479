#include "render/CairoPainter.h"

#include "paint/Layout.h"
#include "render/Text.h"

namespace host::render {

namespace {

void SetColor(cairo_t* cr, paint::Color c) {
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

// An RGBA picture as a cairo surface (premultiplied).
SurfacePtr SurfaceOf(const Picture& picture) {
    SurfacePtr surface =
        NewSurface(static_cast<int32>(picture.width), static_cast<int32>(picture.height));
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (uint32 y = 0; y < picture.height; ++y)
        for (uint32 x = 0; x < picture.width; ++x) {
            const uint8* p = &picture.rgba[(std::size_t{y} * picture.width + x) * 4];
            const auto pre = [a = p[3]](uint8 v) { return (v * a + 127) / 255; };
            reinterpret_cast<uint32_t*>(data + y * stride)[x] =
                static_cast<uint32_t>(p[3]) << 24 | static_cast<uint32_t>(pre(p[0])) << 16 |
                static_cast<uint32_t>(pre(p[1])) << 8 | static_cast<uint32_t>(pre(p[2]));
        }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

// Measures on a context of its own, with the same text style as the pictures.
class CairoTextMeasure final : public paint::TextMeasure {
public:
    CairoTextMeasure() : fSurface(NewSurface(1, 1)), fContext(NewContext(fSurface.get())) {}
    double TextWidth(const std::string& utf8, const paint::Font& font) override {
        return render::TextWidth(fContext.get(), utf8, font.size, font.bold);
    }

private:
    SurfacePtr fSurface;
    ContextPtr fContext;
};

} // namespace

SurfacePtr NewSurface(int32 width, int32 height) {
    return SurfacePtr(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height),
                      cairo_surface_destroy);
}

ContextPtr NewContext(cairo_surface_t* surface) {
    ContextPtr cr(cairo_create(surface), cairo_destroy);
    SetTextStyle(cr.get());
    return cr;
}

double CairoPainter::TextWidth(const std::string& utf8, const paint::Font& font) {
    return render::TextWidth(fCr, utf8, font.size, font.bold);
}

void CairoPainter::Clip(const paint::Rect& area) {
    cairo_new_path(fCr);
    cairo_rectangle(fCr, area.x, area.y, area.width, area.height);
    cairo_clip(fCr);
}

void CairoPainter::Fill(const paint::Rect& area, paint::Color color) {
    SetColor(fCr, color);
    cairo_new_path(fCr);
    cairo_rectangle(fCr, area.x, area.y, area.width, area.height);
    cairo_fill(fCr);
}

void CairoPainter::Outline(const paint::Rect& area, paint::Color color) {
    SetColor(fCr, color);
    cairo_set_line_width(fCr, 1);
    cairo_new_path(fCr);
    cairo_rectangle(fCr, area.x + 0.5, area.y + 0.5, area.width - 1, area.height - 1);
    cairo_stroke(fCr);
}

void CairoPainter::Stroke(const paint::Path& path, paint::Color color, paint::LineEnds ends) {
    SetColor(fCr, color);
    cairo_new_path(fCr);
    for (const auto& run : path.runs)
        for (std::size_t i = 0; i < run.size(); ++i)
            (i == 0 ? cairo_move_to : cairo_line_to)(fCr, run[i].x, run[i].y);
    cairo_set_line_width(fCr, 1);
    cairo_set_line_cap(fCr, ends == paint::LineEnds::kSquare ? CAIRO_LINE_CAP_SQUARE
                                                             : CAIRO_LINE_CAP_BUTT);
    cairo_stroke(fCr);
}

void CairoPainter::Text(const std::string& utf8, double x, double top, double height,
                        const paint::Font& font, paint::Color color) {
    DrawText(fCr, utf8, x, top, height, font.size, color, font.bold);
}

void CairoPainter::Image(const Picture& picture, double x, double y) {
    SurfacePtr surface = SurfaceOf(picture);
    cairo_set_source_surface(fCr, surface.get(), x, y);
    cairo_paint(fCr);
}

void CairoPainter::FillGradient(const paint::Rect& area,
                                const std::vector<paint::ColorStop>& stops) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, area.y, 0, area.Bottom());
    for (const paint::ColorStop& stop : stops)
        cairo_pattern_add_color_stop_rgb(pattern, stop.offset, stop.color.r, stop.color.g,
                                         stop.color.b);
    cairo_set_source(fCr, pattern);
    cairo_new_path(fCr);
    cairo_rectangle(fCr, area.x, area.y, area.width, area.height);
    cairo_fill(fCr);
    cairo_pattern_destroy(pattern);
}

void CairoPainter::FillEllipse(const paint::Rect& bounds, paint::Color color) {
    constexpr double kTurn = 6.2832;
    const double cx = bounds.x + bounds.width / 2, cy = bounds.y + bounds.height / 2;
    SetColor(fCr, color);
    cairo_new_path(fCr);
    if (bounds.width == bounds.height) {
        cairo_arc(fCr, cx, cy, bounds.width / 2, 0, kTurn);
    } else {
        cairo_save(fCr);
        cairo_translate(fCr, cx, cy);
        cairo_scale(fCr, bounds.width / 2, bounds.height / 2);
        cairo_arc(fCr, 0, 0, 1, 0, kTurn);
        cairo_restore(fCr);
    }
    cairo_fill(fCr);
}

void CairoPainter::FillShape(const paint::Shape& shape, paint::Color color) {
    SetColor(fCr, color);
    cairo_new_path(fCr);
    cairo_move_to(fCr, shape.start.x, shape.start.y);
    for (const paint::Shape::Step& step : shape.steps)
        if (step.curve)
            cairo_curve_to(fCr, step.c1.x, step.c1.y, step.c2.x, step.c2.y, step.to.x, step.to.y);
        else
            cairo_line_to(fCr, step.to.x, step.to.y);
    cairo_fill(fCr);
}

} // namespace host::render

namespace host::paint {

std::unique_ptr<TextMeasure> NewScreenTextMeasure() {
    return std::make_unique<render::CairoTextMeasure>();
}

} // namespace host::paint
