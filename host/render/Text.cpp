#include "render/Text.h"

#include <cmath>

namespace host::render {

namespace {

constexpr const char* kFace = "DejaVu Sans";

void UseFont(cairo_t* cr, double size, bool bold) {
    cairo_select_font_face(cr, kFace, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

// The baseline that centres the font's ascent and descent in the band, on a
// whole pixel so that letters look the same wherever they are drawn.
double Baseline(cairo_t* cr, double top, double height) {
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    return std::round(top + (height - (font.ascent + font.descent)) / 2 + font.ascent);
}

} // namespace

void SetTextStyle(cairo_t* cr) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double TextWidth(cairo_t* cr, const std::string& utf8, double size, bool bold) {
    UseFont(cr, size, bold);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, utf8.c_str(), &extents);
    return extents.x_advance;
}

void DrawText(cairo_t* cr, const std::string& utf8, double x, double top, double height,
              double size, paint::Color color, bool bold) {
    if (utf8.empty())
        return;
    UseFont(cr, size, bold);
    cairo_set_source_rgb(cr, color.r, color.g, color.b);
    cairo_move_to(cr, std::round(x), Baseline(cr, top, height));
    cairo_show_text(cr, utf8.c_str());
    cairo_new_path(cr);
}

} // namespace host::render
