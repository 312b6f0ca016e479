// Painting the live windows: palettes and dialogs as the host draws them
// (paint/Drawing.h) through the GDI painter, each drawn whole off screen and
// copied in one BitBlt, so nothing flickers; and the document's page, as
// the pictures show it (paint/Page.h).
#include "live/LiveApp.h"
#include "live/LiveLayout.h"

#include "gdi/GdiPainter.h"
#include "paint/Drawing.h"
#include "paint/Page.h"

namespace host::live {

namespace {

constexpr paint::Rgb kField{0xff, 0xff, 0xff};
constexpr paint::Rgb kFieldFocus{0x3b, 0x6e, 0xc6};
constexpr paint::Rgb kText{0x1e, 0x1e, 0x1e};

paint::Color C(paint::Rgb c) {
    return paint::ToColor(c);
}

// What the user is typing into the field, before Enter hands it to the host.
void DrawEditing(paint::Painter& painter, const paint::PaletteLook& look, HWND window) {
    const std::string* text = FieldEditText(window);
    const auto opal = text ? FindOpal(look) : std::nullopt;
    if (!opal)
        return;
    const paint::Rect r{opal->field.x - look.area.left, opal->field.y - look.area.top,
                        opal->field.width, opal->field.height};
    painter.Fill(r, C(kField));
    painter.Outline(r, C(kFieldFocus));
    painter.Text(*text + "|", r.x + 3, r.y, r.height, paint::kWidgetFont, C(kText));
}

} // namespace

void PaintPalette(HWND window, HDC dc) {
    const auto look = FindPalette(window);
    if (!look)
        return;
    gdi::PaintWindow(dc, look->area, [&](paint::Painter& painter) {
        paint::DrawPalette(painter, *look, {/*menuButton=*/true});
        DrawEditing(painter, *look, window);
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
    gdi::PaintWindow(dc, whole, [&](paint::Painter& painter) {
        paint::DrawPage(painter, area.right, area.bottom);
    });
}

} // namespace host::live
