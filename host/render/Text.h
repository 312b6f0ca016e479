// Text in pictures: DejaVu through cairo, anti-aliased in grey (no colour
// fringes, the same pixels on every screen).
#pragma once

#include "paint/Painter.h"

#include <cairo.h>

#include <string>

namespace host::render {

// The font options every picture uses.
void SetTextStyle(cairo_t* cr);
double TextWidth(cairo_t* cr, const std::string& utf8, double size, bool bold = false);
// From x, centred vertically in the band [top, top + height).
void DrawText(cairo_t* cr, const std::string& utf8, double x, double top, double height,
              double size, paint::Color color, bool bold = false);
inline void DrawText(cairo_t* cr, const std::string& utf8, double x, double top, double height,
                     double size, paint::Rgb color, bool bold = false) {
    DrawText(cr, utf8, x, top, height, size, paint::ToColor(color), bold);
}

} // namespace host::render
