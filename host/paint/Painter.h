// The painter: the few operations the host's windows are drawn with, so that
// the drawing of palettes, panels, widgets and dialogs (paint/Drawing.h) is
// written once and shown twice: by cairo in the pictures of the screen
// (render/CairoPainter.h, native build) and by GDI in live windows
// (gdi/GdiPainter.h, Windows build).
//
// Using it in a window, say on WM_PAINT of a palette's window:
//
//   const auto measure = paint::NewScreenTextMeasure();
//   const paint::ScreenLook screen = paint::LayOut(*measure);  // where things are
//   const paint::PaletteLook& look = ...;  // the window's, by look.area.name
//   gdi::OffscreenCanvas canvas(look.area.width, look.area.height);
//   paint::DrawPalette(canvas.Painter(), look, {/*menuButton=*/true});
//   canvas.BlitTo(paintDc, 0, 0);  // one copy: nothing flickers
//
// A click finds what it hits in the same look (title, menu, tabs, and
// paint::PanelPlaces for the panel's widgets), as `print places` does.
//
// Coordinates are pixels from the top-left, after Translate; a whole number
// names a pixel's top-left corner. Save and Restore keep the translation and
// the clip (not a colour: every operation names its own).
#pragma once

#include "SDKTypes.h"
#include "resources/Pictures.h"

#include <string>
#include <vector>

namespace host::paint {

struct Rgb {
    uint8 r, g, b;
};

// Channels from 0 to 1: what a view's own drawing asks for, unrounded.
struct Color {
    double r = 0, g = 0, b = 0;
};
constexpr Color ToColor(Rgb c) {
    return {c.r / 255.0, c.g / 255.0, c.b / 255.0};
}

struct Rect {
    double x = 0, y = 0, width = 0, height = 0;
    double Right() const { return x + width; }
    double Bottom() const { return y + height; }
    bool Contains(double px, double py) const {
        return px >= x && px < Right() && py >= y && py < Bottom();
    }
};
OPAL_SDK_API Rect Intersection(const Rect& a, const Rect& b);

struct Point {
    double x = 0, y = 0;
};

// Lines one pixel wide through the points given; each polyline is one run.
struct Path {
    std::vector<std::vector<Point>> runs;
};
// Flat ends stop at the end point; square ends go half a pixel beyond it.
enum class LineEnds { kFlat, kSquare };

// A closed outline from its start, by straight lines and cubic Bézier
// curves; filled, it closes back to its start.
struct Shape {
    struct Step {
        bool curve = false;
        Point c1, c2; // a curve's control points
        Point to;
    };
    Point start;
    std::vector<Step> steps;
    Shape& LineTo(Point to) {
        steps.push_back({false, {}, {}, to});
        return *this;
    }
    Shape& CurveTo(Point c1, Point c2, Point to) {
        steps.push_back({true, c1, c2, to});
        return *this;
    }
};

// A colour at a place along a gradient, from 0 (its start) to 1 (its end).
struct ColorStop {
    double offset = 0;
    Color color;
};

struct Font {
    double size = 10; // pixels to the em
    bool bold = false;
};

// What laying out needs of a painter: the width text takes.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual double TextWidth(const std::string& utf8, const Font& font) = 0;
};

class Painter : public TextMeasure {
public:
    virtual void Save() = 0;
    virtual void Restore() = 0;
    virtual void Translate(double dx, double dy) = 0;
    // Narrows what later operations may touch, until the matching Restore.
    virtual void Clip(const Rect& area) = 0;

    virtual void Fill(const Rect& area, Color color) = 0;
    // A line one pixel wide just inside the rectangle.
    virtual void Outline(const Rect& area, Color color) = 0;
    virtual void Stroke(const Path& path, Color color, LineEnds ends) = 0;
    // From x, centred vertically in the band [top, top + height); the
    // backend puts the baseline on a whole pixel.
    virtual void Text(const std::string& utf8, double x, double top, double height,
                      const Font& font, Color color) = 0;
    // An RGBA picture, unscaled, its top-left at a whole pixel.
    virtual void Image(const Picture& picture, double x, double y) = 0;
    // The rectangle in colours that blend from its top to its bottom through
    // the stops (at least one, in order of their offsets).
    virtual void FillGradient(const Rect& area, const std::vector<ColorStop>& stops) = 0;
    // The ellipse that the rectangle bounds.
    virtual void FillEllipse(const Rect& bounds, Color color) = 0;
    virtual void FillShape(const Shape& shape, Color color) = 0;
};

// Text centred horizontally in [left, left + width), measured in the plain face.
void TextCentred(Painter& painter, const std::string& utf8, const Rect& area, const Font& font,
                 Color color);

} // namespace host::paint
