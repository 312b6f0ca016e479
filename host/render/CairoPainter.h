// The painter over cairo, for the pictures of the screen: what it paints is
// what the pictures have always shown, pixel for pixel.
#pragma once

#include "paint/Painter.h"

#include <cairo.h>

#include <memory>

namespace host::render {

class CairoPainter final : public paint::Painter {
public:
    explicit CairoPainter(cairo_t* cr) : fCr(cr) {}

    double TextWidth(const std::string& utf8, const paint::Font& font) override;
    void Save() override { cairo_save(fCr); }
    void Restore() override { cairo_restore(fCr); }
    void Translate(double dx, double dy) override { cairo_translate(fCr, dx, dy); }
    void Clip(const paint::Rect& area) override;
    void Fill(const paint::Rect& area, paint::Color color) override;
    void Outline(const paint::Rect& area, paint::Color color) override;
    void Stroke(const paint::Path& path, paint::Color color, paint::LineEnds ends) override;
    void Text(const std::string& utf8, double x, double top, double height, const paint::Font& font,
              paint::Color color) override;
    void Image(const Picture& picture, double x, double y) override;
    void FillGradient(const paint::Rect& area, const std::vector<paint::ColorStop>& stops) override;
    void FillEllipse(const paint::Rect& bounds, paint::Color color) override;
    void FillShape(const paint::Shape& shape, paint::Color color) override;

private:
    cairo_t* fCr; // not owned
};

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using ContextPtr = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

// An ARGB surface, and a context on it with the pictures' text style.
SurfacePtr NewSurface(int32 width, int32 height);
ContextPtr NewContext(cairo_surface_t* surface);

} // namespace host::render
