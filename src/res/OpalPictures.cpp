// The button icons and the About picture, drawn here rather than kept as
// binary files so that they can be reviewed and changed like code.
#include "Definitions.h"
#include "Images.h"
#include "OpalID.h"
#include "ResourceTypes.h"

#include <cmath>

namespace rescomp {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr uint32 kIconWidth = 28;
constexpr uint32 kIconHeight = 15;
constexpr uint32 kAboutWidth = 113;
constexpr uint32 kAboutHeight = 53;

struct Rgb {
    double r, g, b;
};

constexpr Rgb kActiveBlue{0x2b / 255.0, 0x6c / 255.0, 0xd4 / 255.0};
constexpr Rgb kInactiveGrey{0x80 / 255.0, 0x80 / 255.0, 0x80 / 255.0};
constexpr double kStroke = 1.6;

void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

// A power symbol centred in the icon: a ring open at the top and a bar that
// drops into the opening.
void PowerIcon(Canvas& icon, Rgb color) {
    cairo_t* cr = icon.Cr();
    const double cx = kIconWidth / 2.0, cy = kIconHeight / 2.0 + 0.4, radius = 5.0;
    const double gap = 40.0 * kPi / 180.0; // half the opening, from straight up
    SetColor(cr, color);
    cairo_set_line_width(cr, kStroke);
    cairo_arc(cr, cx, cy, radius, -kPi / 2 + gap, 3 * kPi / 2 - gap);
    cairo_stroke(cr);
    cairo_rectangle(cr, cx - kStroke / 2, cy - radius - kStroke / 2, kStroke, radius + kStroke / 2);
    cairo_fill(cr);
}

// Three list lines, each with a square bullet.
void ListIcon(Canvas& icon, Rgb color) {
    cairo_t* cr = icon.Cr();
    SetColor(cr, color);
    for (double row : {4.0, 7.5, 11.0}) {
        cairo_rectangle(cr, 7, row - 1, 2, 2);
        cairo_rectangle(cr, 10.5, row - kStroke / 2, 10.5, kStroke);
    }
    cairo_fill(cr);
}

// Pale colours that shift around the stone, as an opal's play of colour
// does: a texture the stone's shape is filled with.
cairo_surface_t* OpalSheen(double cx, double cy, double rx, double ry) {
    cairo_surface_t* sheen =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kAboutWidth, kAboutHeight);
    cairo_surface_flush(sheen);
    unsigned char* data = cairo_image_surface_get_data(sheen);
    const int stride = cairo_image_surface_get_stride(sheen);
    for (uint32 y = 0; y < kAboutHeight; ++y)
        for (uint32 x = 0; x < kAboutWidth; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            const double hue =
                std::fmod(std::atan2(dy, dx) / (2 * kPi) + std::hypot(dx, dy) * 0.4 + 1.0, 1.0);
            uint32_t pixel = 0;
            for (int channel = 0; channel < 3; ++channel) {
                const double wave = 0.5 + 0.5 * std::cos(2 * kPi * (hue - channel / 3.0));
                const double pale = wave * 0.4 + (channel == 2 ? 0xfb : 0xf5) / 255.0 * 0.6;
                pixel |= static_cast<uint32_t>(std::lround(pale * 255)) << (16 - 8 * channel);
            }
            reinterpret_cast<uint32_t*>(data + y * stride)[x] = pixel;
        }
    cairo_surface_mark_dirty(sheen);
    return sheen;
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
}

void AboutPicture(Canvas& picture) {
    cairo_t* cr = picture.Cr();
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, kAboutHeight);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0xee / 255.0, 0xf2 / 255.0, 0xfa / 255.0);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0xcd / 255.0, 0xd6 / 255.0, 0xec / 255.0);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);

    const double cx = 56.5, cy = 26.5, rx = 30, ry = 19;
    // Shadow, rim, stone, highlight.
    Ellipse(cr, cx + 1.5, cy + 2, rx, ry);
    SetColor(cr, {0x55 / 255.0, 0x5f / 255.0, 0x7a / 255.0}, 0.35);
    cairo_fill(cr);
    Ellipse(cr, cx, cy, rx + 1.2, ry + 1.2);
    SetColor(cr, {0x8a / 255.0, 0x94 / 255.0, 0xb0 / 255.0});
    cairo_fill(cr);
    cairo_surface_t* sheen = OpalSheen(cx, cy, rx, ry);
    Ellipse(cr, cx, cy, rx, ry);
    cairo_set_source_surface(cr, sheen, 0, 0);
    cairo_fill(cr);
    cairo_surface_destroy(sheen);
    Ellipse(cr, cx - 10, cy - 8, 9, 4);
    SetColor(cr, {1, 1, 1}, 0.6);
    cairo_fill(cr);
}

} // namespace

void DefineOpalPictures(ResourceOutput& out) {
    const auto icon = [](auto draw, Rgb color) {
        Canvas canvas(kIconWidth, kIconHeight);
        draw(canvas, color);
        return EncodePng(canvas);
    };
    out.Add(kPNGRsrcType, kOpalOnIconRsrcID, icon(PowerIcon, kActiveBlue));
    out.Add(kPNGRsrcType, kOpalOffIconRsrcID, icon(PowerIcon, kInactiveGrey));
    out.Add(kPNGRsrcType, kOpalSwapContentIconRsrcID, icon(ListIcon, kInactiveGrey));
    Canvas about(kAboutWidth, kAboutHeight);
    AboutPicture(about);
    out.Add(kBitmapRsrcType, kOpalAboutPictureRsrcID, EncodeDib(about));
}

} // namespace rescomp
