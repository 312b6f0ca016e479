#include "render/Document.h"

#include "render/Text.h"

#include <sstream>
#include <string>
#include <vector>

namespace host::render {

namespace {

constexpr double kPageLeft = 60, kPageTop = 28, kPageWidth = 430, kPageHeight = 590;
constexpr double kMargin = 36;
constexpr double kBodySize = 11, kLineHeight = 16;
constexpr paint::Rgb kPaper{0xff, 0xff, 0xff};
constexpr paint::Rgb kInk{0x33, 0x36, 0x3b};
constexpr paint::Rgb kHeadingInk{0x1c, 0x2a, 0x44};

constexpr const char* kBody =
    "Floating panels sit over the page while you work, and every one of them hides "
    "a little of the layout beneath. Made translucent, a panel keeps its controls at "
    "hand and lets the columns, the pictures and the margins show through, so that "
    "the spread stays in view while you choose a swatch or adjust a layer. Each "
    "panel keeps its own opacity, remembered between sessions, and a single switch "
    "turns them all solid again when a steady hand is needed.";

// Greedy line breaking at spaces within the given width.
std::vector<std::string> Lines(cairo_t* cr, const std::string& text, double width) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(cr, longer, kBodySize) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

double Paragraph(cairo_t* cr, double top) {
    for (const std::string& line : Lines(cr, kBody, kPageWidth - 2 * kMargin)) {
        DrawText(cr, line, kPageLeft + kMargin, top, kLineHeight, kBodySize, kInk);
        top += kLineHeight;
    }
    return top + kLineHeight / 2;
}

// A landscape at dusk: sky from gold to violet, a sun, two hills.
void Picture(cairo_t* cr, double left, double top, double width, double height) {
    cairo_save(cr);
    cairo_rectangle(cr, left, top, width, height);
    cairo_clip(cr);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, top, 0, top + height);
    cairo_pattern_add_color_stop_rgb(sky, 0.0, 0.97, 0.62, 0.20);
    cairo_pattern_add_color_stop_rgb(sky, 0.55, 0.85, 0.22, 0.37);
    cairo_pattern_add_color_stop_rgb(sky, 1.0, 0.36, 0.17, 0.51);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    cairo_set_source_rgb(cr, 1.0, 0.84, 0.35);
    cairo_arc(cr, left + width * 0.68, top + height * 0.42, height * 0.18, 0, 6.2832);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.18, 0.36, 0.31);
    cairo_move_to(cr, left, top + height * 0.75);
    cairo_curve_to(cr, left + width * 0.3, top + height * 0.45, left + width * 0.5,
                   top + height * 0.9, left + width, top + height * 0.62);
    cairo_line_to(cr, left + width, top + height);
    cairo_line_to(cr, left, top + height);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.10, 0.24, 0.22);
    cairo_move_to(cr, left, top + height * 0.92);
    cairo_curve_to(cr, left + width * 0.4, top + height * 0.7, left + width * 0.7,
                   top + height * 1.0, left + width, top + height * 0.85);
    cairo_line_to(cr, left + width, top + height);
    cairo_line_to(cr, left, top + height);
    cairo_fill(cr);
    cairo_restore(cr);
}

} // namespace

void DrawDocument(cairo_t* cr) {
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_rectangle(cr, kPageLeft + 5, kPageTop + 5, kPageWidth, kPageHeight);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, kPaper.r / 255.0, kPaper.g / 255.0, kPaper.b / 255.0);
    cairo_rectangle(cr, kPageLeft, kPageTop, kPageWidth, kPageHeight);
    cairo_fill(cr);

    const double left = kPageLeft + kMargin;
    DrawText(cr, "The Quiet Panel", left, kPageTop + 34, 34, 26, kHeadingInk, true);
    DrawText(cr, "Notes on working with translucent palettes", left, kPageTop + 70, 18, 12.5,
             paint::Rgb{0x6a, 0x70, 0x7a});
    double top = Paragraph(cr, kPageTop + 100);
    Picture(cr, left, top, kPageWidth - 2 * kMargin, 150);
    top = Paragraph(cr, top + 150 + 12);
    Paragraph(cr, top);
}

} // namespace host::render
