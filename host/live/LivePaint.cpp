// Painting the live windows: palettes and dialogs as the host draws them
// (paint/Drawing.h) through the GDI painter, each drawn whole off screen and
// copied in one BitBlt, so nothing flickers; and the document's page.
#include "live/LiveApp.h"
#include "live/LiveLayout.h"

#include "gdi/GdiPainter.h"
#include "paint/Drawing.h"

namespace host::live {

namespace {

constexpr paint::Rgb kDesk{0x5d, 0x66, 0x78};
constexpr paint::Rgb kShadow{0x41, 0x47, 0x54};
constexpr paint::Rgb kPaper{0xff, 0xff, 0xff};
constexpr paint::Rgb kHeadingInk{0x1c, 0x2a, 0x44};
constexpr paint::Rgb kSubtitleInk{0x6a, 0x70, 0x7a};
constexpr paint::Rgb kLine{0xc8, 0xca, 0xce};
constexpr paint::Rgb kHills{0x2e, 0x5c, 0x4f};
constexpr paint::Rgb kField{0xff, 0xff, 0xff};
constexpr paint::Rgb kFieldFocus{0x3b, 0x6e, 0xc6};
constexpr paint::Rgb kText{0x1e, 0x1e, 0x1e};

paint::Color C(paint::Rgb c) {
    return paint::ToColor(c);
}

// What the user is typing into the field, before Enter hands it to the host.
void DrawEditing(paint::Painter& painter, const paint::PaletteLook& look, const App& app,
                 const PaletteWindow& window) {
    const std::string* text = FieldEditText(app, window);
    const auto opal = text ? FindOpal(look) : std::nullopt;
    if (!opal)
        return;
    const paint::Rect r{opal->field.x - look.area.left, opal->field.y - look.area.top,
                        opal->field.width, opal->field.height};
    painter.Fill(r, C(kField));
    painter.Outline(r, C(kFieldFocus));
    painter.Text(*text + "|", r.x + 3, r.y, r.height, paint::kWidgetFont, C(kText));
}

// Lines of grey standing for text, each a little shorter than the last.
void TextLines(paint::Painter& painter, double left, double top, double width, int lines) {
    for (int line = 0; line < lines; ++line)
        painter.Fill({left, top + 16.0 * line, width - 7.0 * (line % 4), 6}, C(kLine));
}

void DrawPage(paint::Painter& painter, double width, double height) {
    constexpr double kLeft = 60, kTop = 28, kWidth = 430, kHeight = 590, kMargin = 36;
    const double inner = kWidth - 2 * kMargin, left = kLeft + kMargin;
    painter.Fill({0, 0, width, height}, C(kDesk));
    painter.Fill({kLeft + 5, kTop + 5, kWidth, kHeight}, C(kShadow));
    painter.Fill({kLeft, kTop, kWidth, kHeight}, C(kPaper));
    painter.Text("The Quiet Panel", left, kTop + 34, 34, {26, true}, C(kHeadingInk));
    painter.Text("Notes on working with translucent palettes", left, kTop + 70, 18, {12.5, false},
                 C(kSubtitleInk));
    TextLines(painter, left, kTop + 110, inner, 6);
    // A dusk sky in bands over hills: translucency over it is plain to see.
    const double top = kTop + 220;
    for (int band = 0; band < 10; ++band)
        painter.Fill({left, top + 15.0 * band, inner, 15},
                     C({static_cast<uint8>(0xf7 - 15 * band), static_cast<uint8>(0x9e - 9 * band),
                        static_cast<uint8>(0x33 + 8 * band)}));
    painter.Fill({left, top + 110, inner, 40}, C(kHills));
    TextLines(painter, left, top + 170, inner, 8);
}

} // namespace

void PaintPalette(App& app, const paint::PaletteLook& look, const PaletteWindow& window, HDC dc) {
    gdi::PaintWindow(dc, look.area, [&](paint::Painter& painter) {
        paint::DrawPalette(painter, look, {/*menuButton=*/true});
        DrawEditing(painter, look, app, window);
    });
}

void PaintDialog(HDC dc, const paint::DialogLook& look) {
    gdi::PaintWindow(dc, look.area,
                     [&](paint::Painter& painter) { paint::DrawDialog(painter, look); });
}

void PaintDocument(HDC dc, const RECT& area) {
    paint::WindowArea whole;
    whole.width = area.right;
    whole.height = area.bottom;
    gdi::PaintWindow(dc, whole,
                     [&](paint::Painter& painter) { DrawPage(painter, area.right, area.bottom); });
}

} // namespace host::live
