// The painter over GDI, for live windows (Windows build). Draw a window into
// an off-screen canvas, then copy it to the window in one BitBlt, so nothing
// flickers; say, on WM_PAINT of a palette window:
//
//   PAINTSTRUCT ps;
//   HDC dc = BeginPaint(window, &ps);
//   const paint::ScreenLook screen = paint::LayOut(*paint::NewScreenTextMeasure());
//   const paint::PaletteLook& look = ...;                  // the window's palette
//   gdi::PaintWindow(dc, look.area, [&](paint::Painter& painter) {
//       paint::DrawPalette(painter, look, {/*menuButton=*/true});
//   });
//   EndPaint(window, &ps);
//
// Text is Tahoma, anti-aliased; its widths are GDI's, so tabs may be a pixel
// or two wider or narrower than in the pictures that cairo draws.
#pragma once

#include "paint/Layout.h"
#include "paint/Painter.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace host::gdi {

// Paints on a device context it does not own; what it selects and creates it
// puts back and deletes by the time it is destroyed.
class OPAL_SDK_API GdiPainter final : public paint::Painter {
public:
    explicit GdiPainter(HDC dc);
    ~GdiPainter() override;
    GdiPainter(const GdiPainter&) = delete;
    GdiPainter& operator=(const GdiPainter&) = delete;

    double TextWidth(const std::string& utf8, const paint::Font& font) override;
    void Save() override;
    void Restore() override;
    void Translate(double dx, double dy) override;
    void Clip(const paint::Rect& area) override;
    void Fill(const paint::Rect& area, paint::Color color) override;
    void Outline(const paint::Rect& area, paint::Color color) override;
    void Stroke(const paint::Path& path, paint::Color color, paint::LineEnds ends) override;
    void Text(const std::string& utf8, double x, double top, double height, const paint::Font& font,
              paint::Color color) override;
    void Image(const Picture& picture, double x, double y) override;
    void FillGradient(const paint::Rect& area, const std::vector<paint::ColorStop>& stops) override;
    void FillEllipse(const paint::Rect& bounds, paint::Color color) override;
    void FillShape(const paint::Shape& shape, paint::Color color) override;

private:
    RECT Device(const paint::Rect& area) const;
    POINT Device(paint::Point point) const;
    HFONT FontFor(const paint::Font& font);

    HDC fDc;
    int fSavedAtStart;
    paint::Point fOffset;
    std::vector<paint::Point> fSaved;
    std::map<std::pair<int, bool>, HFONT> fFonts;
};

// A 32-bit top-down DIB section selected into a memory DC, with a painter on it.
class OPAL_SDK_API OffscreenCanvas {
public:
    // A canvas at least 1 × 1; Valid() says whether GDI made it.
    OffscreenCanvas(int32 width, int32 height);
    ~OffscreenCanvas();
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    bool Valid() const { return fBits != nullptr; }
    int32 Width() const { return fWidth; }
    int32 Height() const { return fHeight; }
    HDC Dc() const { return fDc; }
    paint::Painter& Painter() { return *fPainter; }
    // The pixel as 0xRRGGBB (0 outside the canvas).
    uint32 Pixel(int32 x, int32 y) const;
    void BlitTo(HDC target, int32 x, int32 y) const;

private:
    int32 fWidth, fHeight;
    HDC fDc = nullptr;
    HBITMAP fBitmap = nullptr;
    HGDIOBJ fOldBitmap = nullptr;
    uint32* fBits = nullptr; // owned by fBitmap
    std::unique_ptr<GdiPainter> fPainter;
};

// Draws a window of the given area off screen and copies it to `target` at
// its top-left, in one BitBlt.
OPAL_SDK_API void PaintWindow(HDC target, const paint::WindowArea& area,
                              const std::function<void(paint::Painter&)>& draw);

} // namespace host::gdi
