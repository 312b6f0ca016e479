// Text in pictures: DejaVu through cairo, anti-aliased in grey (no colour
// fringes, the same pixels on every screen).
#pragma once

#include "render/Screen.h"

#include <cairo.h>

#include <string>

namespace host::render {

// The font options every picture uses.
void SetTextStyle(cairo_t* cr);
double TextWidth(cairo_t* cr, const std::string& utf8, double size, bool bold = false);
// From x, centred vertically in the band [top, top + height).
void DrawText(cairo_t* cr, const std::string& utf8, double x, double top, double height,
              double size, Rgb color, bool bold = false);
void DrawTextCentred(cairo_t* cr, const std::string& utf8, double left, double top, double width,
                     double height, double size, Rgb color);

} // namespace host::render
