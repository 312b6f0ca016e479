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

constexpr Color kActiveBlue{0x2b, 0x6c, 0xd4};
constexpr Color kInactiveGrey{0x80, 0x80, 0x80};
constexpr double kStroke = 1.6;

// A power symbol centred in the icon: a ring open at the top and a bar that
// drops into the opening.
Canvas PowerIcon(Color color) {
    Canvas icon(kIconWidth, kIconHeight);
    const double cx = kIconWidth / 2.0, cy = kIconHeight / 2.0 + 0.4, radius = 5.0;
    const double gap = 40.0 * kPi / 180.0; // half the opening, from straight up
    icon.Fill(
        [=](double x, double y) {
            const double dx = x - cx, dy = y - cy;
            const double r = std::hypot(dx, dy);
            const double fromTop = std::abs(std::atan2(dx, -dy));
            return std::abs(r - radius) <= kStroke / 2 && fromTop >= gap;
        },
        color);
    icon.Fill(
        [=](double x, double y) {
            return std::abs(x - cx) <= kStroke / 2 && y >= cy - radius - kStroke / 2 && y <= cy;
        },
        color);
    return icon;
}

// Three list lines, each with a square bullet.
Canvas ListIcon(Color color) {
    Canvas icon(kIconWidth, kIconHeight);
    for (double row : {4.0, 7.5, 11.0}) {
        icon.Fill([=](double x, double y) { return x >= 7 && x <= 9 && std::abs(y - row) <= 1; },
                  color);
        icon.Fill(
            [=](double x, double y) {
                return x >= 10.5 && x <= 21 && std::abs(y - row) <= kStroke / 2;
            },
            color);
    }
    return icon;
}

Color Mix(Color a, Color b, double t) {
    const auto channel = [t](uint8 from, uint8 to) {
        return static_cast<uint8>(std::lround(from + (to - from) * t));
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

// Pale colours that shift around the stone, as an opal's play of colour does.
Color OpalSheen(double angle, double depth) {
    const double hue = std::fmod(angle / (2 * kPi) + depth * 0.4 + 1.0, 1.0);
    const auto wave = [hue](double shift) { return 0.5 + 0.5 * std::cos(2 * kPi * (hue - shift)); };
    const Color pure{static_cast<uint8>(std::lround(255 * wave(0.0))),
                     static_cast<uint8>(std::lround(255 * wave(1.0 / 3))),
                     static_cast<uint8>(std::lround(255 * wave(2.0 / 3)))};
    return Mix(pure, Color{0xf4, 0xf6, 0xfb}, 0.6);
}

Canvas AboutPicture() {
    Canvas picture(kAboutWidth, kAboutHeight);
    const Color top{0xee, 0xf2, 0xfa}, bottom{0xcd, 0xd6, 0xec};
    picture.Shade([&](double, double y) { return Mix(top, bottom, y / kAboutHeight); });

    const double cx = 56.5, cy = 26.5, rx = 30, ry = 19;
    const auto inStone = [=](double x, double y, double grow) {
        const double dx = (x - cx) / (rx + grow), dy = (y - cy) / (ry + grow);
        return dx * dx + dy * dy <= 1;
    };
    // Shadow, rim, stone, highlight.
    picture.Fill([=](double x, double y) { return inStone(x - 1.5, y - 2, 0); },
                 Color{0x55, 0x5f, 0x7a}, 0.35);
    picture.Fill([=](double x, double y) { return inStone(x, y, 1.2); }, Color{0x8a, 0x94, 0xb0});
    picture.Fill([=](double x, double y) { return inStone(x, y, 0); },
                 [=](double x, double y) {
                     const double dx = (x - cx) / rx, dy = (y - cy) / ry;
                     return OpalSheen(std::atan2(dy, dx), std::hypot(dx, dy));
                 });
    picture.Fill(
        [=](double x, double y) {
            const double dx = (x - (cx - 10)) / 9, dy = (y - (cy - 8)) / 4;
            return dx * dx + dy * dy <= 1;
        },
        Color{0xff, 0xff, 0xff}, 0.6);
    return picture;
}

} // namespace

void DefineOpalPictures(ResourceOutput& out) {
    out.Add(kPNGRsrcType, kOpalOnIconRsrcID, EncodePng(PowerIcon(kActiveBlue)));
    out.Add(kPNGRsrcType, kOpalOffIconRsrcID, EncodePng(PowerIcon(kInactiveGrey)));
    out.Add(kPNGRsrcType, kOpalSwapContentIconRsrcID, EncodePng(ListIcon(kInactiveGrey)));
    out.Add(kBitmapRsrcType, kOpalAboutPictureRsrcID, EncodeDib(AboutPicture()));
}

} // namespace rescomp
