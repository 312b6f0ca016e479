#include "gdi/GdiPainter.h"

#include <algorithm>
#include <cmath>

namespace host::gdi {

namespace {

constexpr const wchar_t* kFace = L"Tahoma";

COLORREF ColorRef(paint::Color c) {
    const auto channel = [](double v) {
        return static_cast<BYTE>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    return RGB(channel(c.r), channel(c.g), channel(c.b));
}

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                            length);
    return wide;
}

// A GDI object selected into a DC for one scope, then put back and deleted.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : fDc(dc), fObject(object), fOld(SelectObject(dc, object)) {}
    ~Selected() {
        SelectObject(fDc, fOld);
        DeleteObject(fObject);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC fDc;
    HGDIOBJ fObject, fOld;
};

// A 32-bit top-down DIB section; bits are B, G, R, A.
HBITMAP NewDib(HDC dc, int32 width, int32 height, uint32** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* data = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &data, nullptr, 0);
    *bits = bitmap ? static_cast<uint32*>(data) : nullptr;
    return bitmap;
}

// Measures text as the painter draws it, on a memory DC of its own.
class GdiTextMeasure final : public paint::TextMeasure {
public:
    GdiTextMeasure() : fCanvas(1, 1) {}
    double TextWidth(const std::string& utf8, const paint::Font& font) override {
        return fCanvas.Valid() ? fCanvas.Painter().TextWidth(utf8, font) : 0;
    }

private:
    OffscreenCanvas fCanvas;
};

} // namespace

GdiPainter::GdiPainter(HDC dc) : fDc(dc), fSavedAtStart(SaveDC(dc)) {
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
}

GdiPainter::~GdiPainter() {
    if (fSavedAtStart)
        RestoreDC(fDc, fSavedAtStart);
    for (auto& [key, font] : fFonts)
        DeleteObject(font);
}

RECT GdiPainter::Device(const paint::Rect& area) const {
    const auto at = [](double v) { return static_cast<LONG>(std::lround(v)); };
    return {at(area.x + fOffset.x), at(area.y + fOffset.y), at(area.Right() + fOffset.x),
            at(area.Bottom() + fOffset.y)};
}

POINT GdiPainter::Device(paint::Point point) const {
    return {static_cast<LONG>(std::floor(point.x + fOffset.x)),
            static_cast<LONG>(std::floor(point.y + fOffset.y))};
}

HFONT GdiPainter::FontFor(const paint::Font& font) {
    const int height = static_cast<int>(std::lround(font.size));
    const auto key = std::make_pair(height, font.bold);
    if (const auto found = fFonts.find(key); found != fFonts.end())
        return found->second;
    HFONT made = CreateFontW(-height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                             ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, kFace);
    fFonts.emplace(key, made);
    return made;
}

double GdiPainter::TextWidth(const std::string& utf8, const paint::Font& font) {
    const std::wstring text = Wide(utf8);
    if (text.empty())
        return 0;
    const HGDIOBJ old = SelectObject(fDc, FontFor(font));
    SIZE size{};
    GetTextExtentPoint32W(fDc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(fDc, old);
    return size.cx;
}

void GdiPainter::Save() {
    SaveDC(fDc);
    fSaved.push_back(fOffset);
}

void GdiPainter::Restore() {
    if (fSaved.empty())
        return;
    RestoreDC(fDc, -1);
    fOffset = fSaved.back();
    fSaved.pop_back();
}

void GdiPainter::Translate(double dx, double dy) {
    fOffset.x += dx;
    fOffset.y += dy;
}

void GdiPainter::Clip(const paint::Rect& area) {
    const RECT r = Device(area);
    IntersectClipRect(fDc, r.left, r.top, r.right, r.bottom);
}

void GdiPainter::Fill(const paint::Rect& area, paint::Color color) {
    const RECT r = Device(area);
    HBRUSH brush = CreateSolidBrush(ColorRef(color));
    FillRect(fDc, &r, brush);
    DeleteObject(brush);
}

void GdiPainter::Outline(const paint::Rect& area, paint::Color color) {
    const RECT r = Device(area);
    HBRUSH brush = CreateSolidBrush(ColorRef(color));
    FrameRect(fDc, &r, brush);
    DeleteObject(brush);
}

// GDI's lines leave out their last pixel: square ends put it back.
void GdiPainter::Stroke(const paint::Path& path, paint::Color color, paint::LineEnds ends) {
    const COLORREF ref = ColorRef(color);
    Selected pen(fDc, CreatePen(PS_SOLID, 1, ref));
    for (const auto& run : path.runs) {
        if (run.size() < 2)
            continue;
        const POINT first = Device(run.front());
        MoveToEx(fDc, first.x, first.y, nullptr);
        for (std::size_t i = 1; i < run.size(); ++i) {
            const POINT to = Device(run[i]);
            LineTo(fDc, to.x, to.y);
        }
        if (ends == paint::LineEnds::kSquare) {
            const POINT last = Device(run.back());
            SetPixelV(fDc, last.x, last.y, ref);
        }
    }
}

void GdiPainter::Text(const std::string& utf8, double x, double top, double height,
                      const paint::Font& font, paint::Color color) {
    const std::wstring text = Wide(utf8);
    if (text.empty())
        return;
    const HGDIOBJ old = SelectObject(fDc, FontFor(font));
    TEXTMETRICW metrics{};
    GetTextMetricsW(fDc, &metrics);
    const double baseline =
        std::round(top + (height - (metrics.tmAscent + metrics.tmDescent)) / 2 + metrics.tmAscent);
    SetTextColor(fDc, ColorRef(color));
    const POINT at = Device(paint::Point{std::round(x), baseline});
    TextOutW(fDc, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
    SelectObject(fDc, old);
}

// Blended by its alpha, premultiplied as AlphaBlend wants it.
void GdiPainter::Image(const Picture& picture, double x, double y) {
    if (picture.width == 0 || picture.height == 0)
        return;
    const auto width = static_cast<int32>(picture.width),
               height = static_cast<int32>(picture.height);
    HDC source = CreateCompatibleDC(fDc);
    if (!source)
        return;
    uint32* bits = nullptr;
    if (HBITMAP bitmap = NewDib(source, width, height, &bits)) {
        for (std::size_t i = 0; i < std::size_t{picture.width} * picture.height; ++i) {
            const uint8* p = &picture.rgba[i * 4];
            const auto pre = [a = p[3]](uint8 v) { return uint32((v * a + 127) / 255); };
            bits[i] = uint32{p[3]} << 24 | pre(p[0]) << 16 | pre(p[1]) << 8 | pre(p[2]);
        }
        Selected picked(source, bitmap);
        const POINT at = Device(paint::Point{x, y});
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(fDc, at.x, at.y, width, height, source, 0, 0, width, height, blend);
    }
    DeleteDC(source);
}

// One band of GradientFill between each two stops.
void GdiPainter::FillGradient(const paint::Rect& area, const std::vector<paint::ColorStop>& stops) {
    if (stops.empty())
        return;
    const RECT r = Device(area);
    const auto vertex = [&](LONG y, paint::Color c, LONG x) {
        const auto channel = [](double v) {
            return static_cast<COLOR16>(std::lround(std::clamp(v, 0.0, 1.0) * 0xff00));
        };
        return TRIVERTEX{x, y, channel(c.r), channel(c.g), channel(c.b), 0};
    };
    const auto at = [&](double offset) {
        return r.top + static_cast<LONG>(std::lround(offset * (r.bottom - r.top)));
    };
    std::vector<TRIVERTEX> vertices;
    std::vector<GRADIENT_RECT> bands;
    const auto band = [&](LONG top, paint::Color from, LONG bottom, paint::Color to) {
        if (bottom <= top)
            return;
        const auto first = static_cast<ULONG>(vertices.size());
        vertices.push_back(vertex(top, from, r.left));
        vertices.push_back(vertex(bottom, to, r.right));
        bands.push_back({first, first + 1});
    };
    band(r.top, stops.front().color, at(stops.front().offset), stops.front().color);
    for (std::size_t i = 1; i < stops.size(); ++i)
        band(at(stops[i - 1].offset), stops[i - 1].color, at(stops[i].offset), stops[i].color);
    band(at(stops.back().offset), stops.back().color, r.bottom, stops.back().color);
    if (!bands.empty())
        GradientFill(fDc, vertices.data(), static_cast<ULONG>(vertices.size()), bands.data(),
                     static_cast<ULONG>(bands.size()), GRADIENT_FILL_RECT_V);
}

void GdiPainter::FillEllipse(const paint::Rect& bounds, paint::Color color) {
    const RECT r = Device(bounds);
    Selected brush(fDc, CreateSolidBrush(ColorRef(color)));
    const HGDIOBJ pen = SelectObject(fDc, GetStockObject(NULL_PEN));
    // Without a pen GDI leaves out the right and bottom edges: one more pixel.
    Ellipse(fDc, r.left, r.top, r.right + 1, r.bottom + 1);
    SelectObject(fDc, pen);
}

void GdiPainter::FillShape(const paint::Shape& shape, paint::Color color) {
    const POINT start = Device(shape.start);
    BeginPath(fDc);
    MoveToEx(fDc, start.x, start.y, nullptr);
    for (const paint::Shape::Step& step : shape.steps) {
        if (step.curve) {
            const POINT points[3] = {Device(step.c1), Device(step.c2), Device(step.to)};
            PolyBezierTo(fDc, points, 3);
        } else {
            const POINT to = Device(step.to);
            LineTo(fDc, to.x, to.y);
        }
    }
    CloseFigure(fDc);
    EndPath(fDc);
    Selected brush(fDc, CreateSolidBrush(ColorRef(color)));
    const HGDIOBJ pen = SelectObject(fDc, GetStockObject(NULL_PEN));
    FillPath(fDc);
    SelectObject(fDc, pen);
}

OffscreenCanvas::OffscreenCanvas(int32 width, int32 height)
    : fWidth(std::max(width, 1)), fHeight(std::max(height, 1)) {
    fDc = CreateCompatibleDC(nullptr);
    if (!fDc)
        return;
    fBitmap = NewDib(fDc, fWidth, fHeight, &fBits);
    if (!fBitmap)
        return;
    fOldBitmap = SelectObject(fDc, fBitmap);
    fPainter = std::make_unique<GdiPainter>(fDc);
}

OffscreenCanvas::~OffscreenCanvas() {
    fPainter.reset();
    if (fOldBitmap)
        SelectObject(fDc, fOldBitmap);
    if (fBitmap)
        DeleteObject(fBitmap);
    if (fDc)
        DeleteDC(fDc);
}

uint32 OffscreenCanvas::Pixel(int32 x, int32 y) const {
    if (!fBits || x < 0 || y < 0 || x >= fWidth || y >= fHeight)
        return 0;
    GdiFlush();
    return fBits[std::size_t(y) * std::size_t(fWidth) + std::size_t(x)] & 0xffffff;
}

void OffscreenCanvas::BlitTo(HDC target, int32 x, int32 y) const {
    if (fBits)
        BitBlt(target, x, y, fWidth, fHeight, fDc, 0, 0, SRCCOPY);
}

void PaintWindow(HDC target, const paint::WindowArea& area,
                 const std::function<void(paint::Painter&)>& draw) {
    OffscreenCanvas canvas(area.width, area.height);
    if (!canvas.Valid())
        return;
    draw(canvas.Painter());
    canvas.BlitTo(target, 0, 0);
}

} // namespace host::gdi

namespace host::paint {

std::unique_ptr<TextMeasure> NewScreenTextMeasure() {
    return std::make_unique<gdi::GdiTextMeasure>();
}

} // namespace host::paint
