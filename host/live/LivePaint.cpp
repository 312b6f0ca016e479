// Painting the live windows: palettes and dialogs as the host draws them
// (paint/Drawing.h) through the GDI painter, each drawn whole off screen and
// copied in one BitBlt, so nothing flickers; and the document's page, as
// the pictures show it (paint/Page.h).
#include "live/LiveApp.h"

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
void DrawEditing(paint::Painter& painter, const paint::PaletteLook& look, const App& app,
                 const PaletteWindow& window) {
    const std::string* text = FieldEditText(app, window);
    if (!text)
        return;
    for (const paint::GroupLook& group : look.groups)
        for (const paint::WidgetPlace& place : paint::PanelPlaces(look, group)) {
            if (place.widget != EditedField(app))
                continue;
            const paint::Rect r{place.shown.x - look.area.left, place.shown.y - look.area.top,
                                place.shown.width, place.shown.height};
            painter.Fill(r, C(kField));
            painter.Outline(r, C(kFieldFocus));
            painter.Text(*text + "|", r.x + 3, r.y, r.height, paint::kWidgetFont, C(kText));
        }
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
    gdi::PaintWindow(dc, whole, [&](paint::Painter& painter) {
        paint::DrawPage(painter, area.right, area.bottom);
    });
}

} // namespace host::live
