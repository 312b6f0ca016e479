#include "paint/Page.h"

#include <sstream>
#include <string>
#include <vector>

namespace host::paint {

namespace {

constexpr double kPageLeft = 60, kPageTop = 28, kPageWidth = 430, kPageHeight = 590;
constexpr double kMargin = 36;
// Lines of text end above the page's foot, the last whole one first.
constexpr double kTextBottom = kPageTop + kPageHeight - 20;
constexpr double kLineHeight = 16;
constexpr double kPictureHeight = 150;
constexpr Font kBodyFont{11, false};
constexpr Font kHeadingFont{26, true};
constexpr Font kSubtitleFont{12.5, false};
// The page's shadow: the desk under black at 30 %.
constexpr Rgb kShadow{0x41, 0x48, 0x54};
constexpr Rgb kPaper{0xff, 0xff, 0xff};
constexpr Rgb kInk{0x33, 0x36, 0x3b};
constexpr Rgb kHeadingInk{0x1c, 0x2a, 0x44};
constexpr Rgb kSubtitleInk{0x6a, 0x70, 0x7a};

constexpr const char* kBody =
    "Floating panels sit over the page while you work, and every one of them hides "
    "a little of the layout beneath. Made translucent, a panel keeps its controls at "
    "hand and lets the columns, the pictures and the margins show through, so that "
    "the spread stays in view while you choose a swatch or adjust a layer. Each "
    "panel keeps its own opacity, remembered between sessions, and a single switch "
    "turns them all solid again when a steady hand is needed.";

// Greedy line breaking at spaces within the given width.
std::vector<std::string> Lines(TextMeasure& measure, const std::string& text, double width) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && measure.TextWidth(longer, kBodyFont) > width) {
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

// The body text from `top`; returns where what follows it starts.
double Paragraph(Painter& painter, double top) {
    for (const std::string& line : Lines(painter, kBody, kPageWidth - 2 * kMargin)) {
        if (top + kLineHeight > kTextBottom)
            break;
        painter.Text(line, kPageLeft + kMargin, top, kLineHeight, kBodyFont, ToColor(kInk));
        top += kLineHeight;
    }
    return top + kLineHeight / 2;
}

// A landscape at dusk: sky from gold to violet, a sun, two hills.
void Picture(Painter& painter, const Rect& area) {
    const double left = area.x, top = area.y, width = area.width, height = area.height;
    const auto at = [&](double x, double y) { return Point{left + width * x, top + height * y}; };
    painter.Save();
    painter.Clip(area);
    painter.FillGradient(
        area, {{0.0, {0.97, 0.62, 0.20}}, {0.55, {0.85, 0.22, 0.37}}, {1.0, {0.36, 0.17, 0.51}}});
    const double sun = height * 0.18;
    const Point centre = at(0.68, 0.42);
    painter.FillEllipse({centre.x - sun, centre.y - sun, 2 * sun, 2 * sun}, {1.0, 0.84, 0.35});
    Shape farHills{at(0, 0.75), {}};
    farHills.CurveTo(at(0.3, 0.45), at(0.5, 0.9), at(1, 0.62)).LineTo(at(1, 1)).LineTo(at(0, 1));
    painter.FillShape(farHills, {0.18, 0.36, 0.31});
    Shape nearHills{at(0, 0.92), {}};
    nearHills.CurveTo(at(0.4, 0.7), at(0.7, 1.0), at(1, 0.85)).LineTo(at(1, 1)).LineTo(at(0, 1));
    painter.FillShape(nearHills, {0.10, 0.24, 0.22});
    painter.Restore();
}

} // namespace

void DrawPage(Painter& painter, double width, double height) {
    painter.Fill({0, 0, width, height}, ToColor(kDesk));
    painter.Fill({kPageLeft + 5, kPageTop + 5, kPageWidth, kPageHeight}, ToColor(kShadow));
    painter.Fill({kPageLeft, kPageTop, kPageWidth, kPageHeight}, ToColor(kPaper));

    const double left = kPageLeft + kMargin;
    painter.Text("The Quiet Panel", left, kPageTop + 34, 34, kHeadingFont, ToColor(kHeadingInk));
    painter.Text("Notes on working with translucent palettes", left, kPageTop + 70, 18,
                 kSubtitleFont, ToColor(kSubtitleInk));
    double top = Paragraph(painter, kPageTop + 100);
    Picture(painter, {left, top, kPageWidth - 2 * kMargin, kPictureHeight});
    top = Paragraph(painter, top + kPictureHeight + 12);
    Paragraph(painter, top);
}

} // namespace host::paint
