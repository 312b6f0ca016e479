// Painting the live windows: palettes and dialogs as the host draws them
// (paint/Drawing.h) through the GDI painter, each drawn whole off screen and
// copied in one BitBlt, so nothing flickers; and the document's page, as
// the pictures show it (paint/Page.h).
#include "live/LiveApp.h"

#include "gdi/GdiPainter.h"
#include "paint/Drawing.h"
#include "paint/Page.h"

namespace host::live {

// The field's typing, caret and selection are the host's own widget's, drawn with it.
void PaintPalette(App& /*app*/, const paint::PaletteLook& look, const PaletteWindow& /*window*/,
                  HDC dc) {
    gdi::PaintWindow(dc, look.area, [&](paint::Painter& painter) {
        paint::DrawPalette(painter, look, {/*menuButton=*/true});
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
