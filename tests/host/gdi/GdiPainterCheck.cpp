// Paints a known scene with the GDI painter into an off-screen DIB and checks
// pixels of it: the background, filled and outlined rectangles, clipping and
// translation, lines, a picture blended by its alpha, and text that leaves
// dark pixels in its band and nowhere else; then a palette as the host draws
// it, gradients, ellipses and curved shapes, and the document's page. Prints
// each failure; exit 1 if any.
#include "gdi/GdiPainter.h"
#include "paint/Drawing.h"
#include "paint/Page.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using host::paint::Color;
using host::paint::ToColor;

int failures = 0;

void Expect(bool ok, const std::string& what) {
    if (!ok) {
        std::printf("FAIL: %s\n", what.c_str());
        ++failures;
    }
}

void ExpectPixel(const host::gdi::OffscreenCanvas& canvas, int x, int y, uint32 want,
                 const char* what) {
    const uint32 got = canvas.Pixel(x, y);
    char text[128];
    std::snprintf(text, sizeof text, "%s at %d,%d: 0x%06x, not 0x%06x", what, x, y,
                  static_cast<unsigned>(got), static_cast<unsigned>(want));
    Expect(got == want, text);
}

int Darkness(uint32 pixel) {
    return 255 -
           static_cast<int>(((pixel >> 16 & 0xff) + (pixel >> 8 & 0xff) + (pixel & 0xff)) / 3);
}

// How many pixels of the area are darker than half grey.
int DarkPixels(const host::gdi::OffscreenCanvas& canvas, int left, int top, int right, int bottom) {
    int dark = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            dark += Darkness(canvas.Pixel(x, y)) > 128;
    return dark;
}

void ChecksShapes(host::gdi::OffscreenCanvas& canvas) {
    host::paint::Painter& p = canvas.Painter();
    p.Fill({0, 0, 200, 120}, ToColor({0xff, 0xff, 0xff}));
    p.Fill({10, 10, 30, 20}, ToColor({0xc0, 0x20, 0x10}));
    p.Outline({50, 10, 20, 20}, ToColor({0x00, 0x00, 0xff}));
    p.Save();
    p.Clip({100, 10, 10, 10});
    p.Translate(100, 10);
    p.Fill({-5, -5, 40, 40}, ToColor({0x00, 0x80, 0x00}));
    p.Restore();
    p.Fill({150, 10, 1, 1}, Color{0, 0, 0}); // after Restore: no translation
    p.Stroke({{{{10.5, 40.5}, {40.5, 40.5}}}}, ToColor({0x10, 0x10, 0x10}),
             host::paint::LineEnds::kSquare);

    ExpectPixel(canvas, 5, 5, 0xffffff, "background");
    ExpectPixel(canvas, 20, 20, 0xc02010, "filled rectangle");
    ExpectPixel(canvas, 40, 20, 0xffffff, "right of the filled rectangle");
    ExpectPixel(canvas, 50, 20, 0x0000ff, "outline's left edge");
    ExpectPixel(canvas, 69, 29, 0x0000ff, "outline's bottom-right corner");
    ExpectPixel(canvas, 60, 20, 0xffffff, "inside the outline");
    ExpectPixel(canvas, 105, 15, 0x008000, "clipped fill inside its clip");
    ExpectPixel(canvas, 112, 15, 0xffffff, "clipped fill outside its clip");
    ExpectPixel(canvas, 98, 15, 0xffffff, "clipped fill before its clip");
    ExpectPixel(canvas, 150, 10, 0x000000, "fill after Restore");
    ExpectPixel(canvas, 10, 40, 0x101010, "line's first pixel");
    ExpectPixel(canvas, 40, 40, 0x101010, "line's last pixel, square ends");
    ExpectPixel(canvas, 25, 41, 0xffffff, "under the line");
}

void ChecksPicture(host::gdi::OffscreenCanvas& canvas) {
    host::Picture picture;
    picture.width = 2;
    picture.height = 1;
    picture.rgba = {0xff, 0x00, 0x00, 0xff, 0x00, 0x00, 0xff, 0x00}; // red, then transparent
    canvas.Painter().Image(picture, 160, 50);
    ExpectPixel(canvas, 160, 50, 0xff0000, "opaque picture pixel");
    ExpectPixel(canvas, 161, 50, 0xffffff, "transparent picture pixel");
}

void ChecksText(host::gdi::OffscreenCanvas& canvas) {
    host::paint::Painter& p = canvas.Painter();
    const host::paint::Font font{10.5, false};
    const double width = p.TextWidth("Opacity", font);
    Expect(width > 20 && width < 80, "\"Opacity\" is " + std::to_string(width) + " pixels wide");
    Expect(p.TextWidth("Opacity", {10.5, true}) >= width, "bold text is no narrower");
    Expect(p.TextWidth("", font) == 0, "no text, no width");
    p.Text("Opacity", 10, 80, 20, font, Color{0, 0, 0});
    const int inside = DarkPixels(canvas, 10, 80, 10 + static_cast<int>(width) + 1, 100);
    Expect(inside > 15, "text left " + std::to_string(inside) + " dark pixels in its band");
    Expect(DarkPixels(canvas, 0, 60, 200, 80) == 0, "nothing dark above the text's band");
    Expect(DarkPixels(canvas, 0, 100, 200, 120) == 0, "nothing dark below the text's band");
}

// The host's own drawing over GDI: a palette with a placeholder panel and
// its menu button, as a live window shows it.
void ChecksPalette() {
    using namespace host::paint;
    PaletteLook look;
    look.area = {"P", 0, 0, 202, 136, 255, {}};
    look.title = {1, 1, 200, 18};
    look.menu = {181, 19, 20, 20};
    GroupLook group;
    group.strip = {1, 19, 200, 20};
    group.content = {1, 39, 200, 96};
    group.frontName = "Swatches";
    group.tabs.push_back({"Swatches", true, {5, 22, 60, 17}});
    look.groups.push_back(group);
    host::gdi::OffscreenCanvas canvas(look.area.width, look.area.height);
    DrawPalette(canvas.Painter(), look, {true});
    ExpectPixel(canvas, 0, 0, 0x3a3d44, "the palette's frame");
    ExpectPixel(canvas, 198, 10, 0x4a4f5a, "the title bar, right of its text");
    ExpectPixel(canvas, 6, 23, 0xe4e4e4, "the front tab");
    ExpectPixel(canvas, 100, 25, 0xbdbfc4, "the tab strip");
    ExpectPixel(canvas, 5, 130, 0xe4e4e4, "the placeholder's face");
    Expect(DarkPixels(canvas, 1, 19, 60, 39) > 10, "the tab's name is written");
    Expect(DarkPixels(canvas, 181, 19, 201, 39) > 10, "the menu button is drawn");
    Expect(DarkPixels(canvas, 1, 39, 201, 135) == 0, "the placeholder's name is light");
}

int Red(uint32 pixel) {
    return static_cast<int>(pixel >> 16 & 0xff);
}
int Blue(uint32 pixel) {
    return static_cast<int>(pixel & 0xff);
}

void ChecksFilledShapes() {
    host::gdi::OffscreenCanvas canvas(200, 100);
    host::paint::Painter& p = canvas.Painter();
    p.Fill({0, 0, 200, 100}, ToColor({0xff, 0xff, 0xff}));
    p.FillGradient({0, 0, 10, 100}, {{0, Color{1, 0, 0}}, {1, Color{0, 0, 1}}});
    Expect(Red(canvas.Pixel(5, 1)) > 240 && Blue(canvas.Pixel(5, 1)) < 15, "gradient's top is red");
    Expect(Blue(canvas.Pixel(5, 98)) > 240 && Red(canvas.Pixel(5, 98)) < 15,
           "gradient's bottom is blue");
    Expect(std::abs(Red(canvas.Pixel(5, 50)) - Blue(canvas.Pixel(5, 50))) < 16,
           "gradient's middle is half of each");
    ExpectPixel(canvas, 10, 50, 0xffffff, "right of the gradient");

    p.FillEllipse({20, 20, 40, 20}, ToColor({0x00, 0x80, 0x00}));
    ExpectPixel(canvas, 40, 30, 0x008000, "the ellipse's middle");
    ExpectPixel(canvas, 58, 30, 0x008000, "the ellipse's right end");
    ExpectPixel(canvas, 21, 21, 0xffffff, "the corner outside the ellipse");

    host::paint::Shape triangle{{100, 10}, {}};
    triangle.LineTo({140, 10}).LineTo({100, 50});
    p.FillShape(triangle, Color{0, 0, 0});
    ExpectPixel(canvas, 105, 15, 0x000000, "inside the triangle");
    ExpectPixel(canvas, 135, 45, 0xffffff, "beyond the triangle's long side");

    // A hill: from (150, 90) up through its curve, whose top is at y = 60.
    host::paint::Shape hill{{150, 90}, {}};
    hill.CurveTo({150, 50}, {190, 50}, {190, 90});
    p.FillShape(hill, ToColor({0xc0, 0x20, 0x10}));
    ExpectPixel(canvas, 170, 65, 0xc02010, "under the curve's top");
    ExpectPixel(canvas, 170, 55, 0xffffff, "over the curve's top");
    ExpectPixel(canvas, 152, 62, 0xffffff, "outside the curve's flank");
}

// The document's page as the live window shows it: the same as the pictures.
void ChecksPage() {
    host::gdi::OffscreenCanvas canvas(960, 640);
    host::paint::DrawPage(canvas.Painter(), 960, 640);
    ExpectPixel(canvas, 5, 5, 0x5d6678, "the desk");
    ExpectPixel(canvas, 800, 600, 0x5d6678, "the desk right of the page");
    ExpectPixel(canvas, 492, 300, 0x414854, "the page's shadow");
    ExpectPixel(canvas, 485, 612, 0xffffff, "the paper");
    Expect(DarkPixels(canvas, 96, 62, 400, 96) > 100, "the heading is written");
    int gold = 0;
    for (int y = 28; y < 618; ++y)
        for (int x = 96; x < 454; ++x) {
            const uint32 pixel = canvas.Pixel(x, y);
            gold += Red(pixel) > 200 && Blue(pixel) < 120 && (pixel >> 8 & 0xff) > 120;
        }
    Expect(gold > 1000, "the picture's sky and sun are gold (" + std::to_string(gold) + ")");
    // Lines of text under the heading, each a band of dark pixels.
    Expect(DarkPixels(canvas, 96, 128, 454, 200) > 300, "the paragraph is written");
}

} // namespace

int main() {
    host::gdi::OffscreenCanvas canvas(200, 120);
    Expect(canvas.Valid(), "the canvas is made");
    if (!canvas.Valid())
        return 1;
    ChecksShapes(canvas);
    ChecksPicture(canvas);
    ChecksText(canvas);
    // A window is copied whole: the blit carries what was painted.
    host::gdi::OffscreenCanvas copy(200, 120);
    canvas.BlitTo(copy.Dc(), 0, 0);
    ExpectPixel(copy, 20, 20, 0xc02010, "blitted copy");
    ChecksPalette();
    ChecksFilledShapes();
    ChecksPage();
    if (failures == 0)
        std::printf("GDI painter: every check passed\n");
    return failures == 0 ? 0 : 1;
}
