// Painting the live windows with GDI: each window is drawn whole into a
// bitmap of its size, then copied to the screen in one BitBlt, so nothing
// flickers.
#include "live/LiveApp.h"
#include "live/LiveLayout.h"

#include "HostIDs.h"
#include "ResourceTypes.h"
#include "core/Host.h"
#include "core/Text.h"
#include "resources/Pictures.h"
#include "ui/GraphicsPort.h"
#include "ui/Widgets.h"

#include <cmath>
#include <optional>

namespace host::live {

namespace {

constexpr COLORREF kDesk = RGB(0x5d, 0x66, 0x78);
constexpr COLORREF kFrame = RGB(0x3a, 0x3d, 0x44);
constexpr COLORREF kTitleBar = RGB(0x4a, 0x4f, 0x5a);
constexpr COLORREF kTitleText = RGB(0xf4, 0xf4, 0xf4);
constexpr COLORREF kTabStrip = RGB(0xbd, 0xbf, 0xc4);
constexpr COLORREF kBackTab = RGB(0xcc, 0xce, 0xd2);
constexpr COLORREF kFrontTab = RGB(0xe4, 0xe4, 0xe4);
constexpr COLORREF kTabText = RGB(0x22, 0x22, 0x22);
constexpr COLORREF kBackTabText = RGB(0x55, 0x58, 0x5e);
constexpr COLORREF kPlaceholderText = RGB(0x8c, 0x8c, 0x8c);
constexpr COLORREF kPanelFace = RGB(0xe4, 0xe4, 0xe4);
constexpr COLORREF kListFace = RGB(0xff, 0xff, 0xff);
constexpr COLORREF kListEdge = RGB(0x9a, 0x9a, 0x9a);
constexpr COLORREF kSelection = RGB(0x3b, 0x6e, 0xc6);
constexpr COLORREF kText = RGB(0x1e, 0x1e, 0x1e);
constexpr COLORREF kSelectedText = RGB(0xff, 0xff, 0xff);
constexpr COLORREF kGreyedText = RGB(0x9c, 0x9c, 0x9c);
constexpr COLORREF kFieldEdge = RGB(0x8c, 0x8c, 0x8c);
constexpr COLORREF kDisabledField = RGB(0xf0, 0xf0, 0xf0);
constexpr COLORREF kGrip = RGB(0x8a, 0x8a, 0x8a);
constexpr COLORREF kPaper = RGB(0xff, 0xff, 0xff);
constexpr COLORREF kHeadingInk = RGB(0x1c, 0x2a, 0x44);

// A window's picture, drawn off screen.
class Buffer {
public:
    Buffer(HDC screen, int width, int height) : fWidth(width), fHeight(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        fDC = CreateCompatibleDC(screen);
        void* bits = nullptr;
        fBitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        fBits = static_cast<uint32*>(bits);
        fOld = SelectObject(fDC, fBitmap);
        SetBkMode(fDC, TRANSPARENT);
    }
    ~Buffer() {
        SelectObject(fDC, fOld);
        DeleteObject(fBitmap);
        DeleteDC(fDC);
    }
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    void CopyTo(HDC screen) const { BitBlt(screen, 0, 0, fWidth, fHeight, fDC, 0, 0, SRCCOPY); }
    HDC dc() const { return fDC; }
    // Blends an RGBA picture at (x, y) of the buffer, within the clip.
    void Blend(const Picture& picture, int x, int y, const RECT& clip) const;

private:
    int fWidth, fHeight;
    HDC fDC;
    HBITMAP fBitmap;
    HGDIOBJ fOld;
    uint32* fBits = nullptr;
};

void Buffer::Blend(const Picture& picture, int x, int y, const RECT& clip) const {
    GdiFlush();
    for (uint32 py = 0; py < picture.height; ++py)
        for (uint32 px = 0; px < picture.width; ++px) {
            const int sx = x + static_cast<int>(px), sy = y + static_cast<int>(py);
            if (sx < clip.left || sy < clip.top || sx >= clip.right || sy >= clip.bottom ||
                sx < 0 || sy < 0 || sx >= fWidth || sy >= fHeight)
                continue;
            const uint8* p = &picture.rgba[(std::size_t{py} * picture.width + px) * 4];
            uint32& d = fBits[std::size_t(sy) * std::size_t(fWidth) + std::size_t(sx)];
            const auto mix = [a = p[3]](uint32 under, uint8 over) {
                return (over * a + under * (255 - a) + 127) / 255;
            };
            d = mix(d >> 16 & 0xff, p[0]) << 16 | mix(d >> 8 & 0xff, p[1]) << 8 |
                mix(d & 0xff, p[2]);
        }
}

void Fill(HDC dc, const Rect& r, COLORREF colour) {
    const RECT area{r.x, r.y, r.x + r.w, r.y + r.h};
    SetDCBrushColor(dc, colour);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Outline(HDC dc, const Rect& r, COLORREF colour) {
    const RECT area{r.x, r.y, r.x + r.w, r.y + r.h};
    SetDCBrushColor(dc, colour);
    FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Text(HDC dc, const std::string& text, const Rect& r, COLORREF colour, bool bold = false,
          UINT align = DT_LEFT) {
    RECT area{r.x, r.y, r.x + r.w, r.y + r.h};
    SelectObject(dc, App::Get().Font(bold));
    SetTextColor(dc, colour);
    const std::wstring wide = UTF8ToWide(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area,
              align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// A view's own drawing through the host's graphics port, in the view's
// coordinates, clipped to the view.
class GdiPortCanvas final : public ui::PortCanvas {
public:
    GdiPortCanvas(HDC dc, int x, int y) : fDC(dc), fX(x), fY(y) {}
    void Save() override { SaveDC(fDC); }
    void Restore() override { RestoreDC(fDC, -1); }
    void SetColor(double r, double g, double b) override {
        const auto c = [](double v) { return static_cast<BYTE>(std::lround(v * 255)); };
        fColour = RGB(c(r), c(g), c(b));
    }
    void FillRect(double x, double y, double w, double h) override {
        if (w > 0 && h > 0)
            Fill(fDC, Box(x, y, w, h), fColour);
    }
    // Strokes are one pixel wide, on the pixels their coordinates name.
    void StrokeRect(double x, double y, double w, double h) override {
        if (w >= 0 && h >= 0)
            Outline(fDC, Box(x, y, w + 1, h + 1), fColour);
    }
    void MoveTo(double x, double y) override { fPath.push_back({true, At(x, fX), At(y, fY)}); }
    void LineTo(double x, double y) override { fPath.push_back({false, At(x, fX), At(y, fY)}); }
    void Stroke() override;

private:
    struct Step {
        bool move;
        int x, y;
    };
    static int At(double v, int origin) { return origin + static_cast<int>(std::lround(v)); }
    Rect Box(double x, double y, double w, double h) const {
        return {At(x, fX), At(y, fY), static_cast<int>(std::lround(w)),
                static_cast<int>(std::lround(h))};
    }
    HDC fDC;
    int fX, fY;
    COLORREF fColour = RGB(0, 0, 0);
    std::vector<Step> fPath;
};

void GdiPortCanvas::Stroke() {
    SelectObject(fDC, GetStockObject(DC_PEN));
    SetDCPenColor(fDC, fColour);
    for (const Step& step : fPath) {
        if (step.move) {
            MoveToEx(fDC, step.x, step.y, nullptr);
        } else {
            ::LineTo(fDC, step.x, step.y);
            SetPixelV(fDC, step.x, step.y, fColour); // GDI leaves a line's last pixel out
        }
    }
    fPath.clear();
}

std::optional<Picture> PluginPicture(PluginID plugin, RsrcType type, RsrcID id) {
    for (const auto& loaded : Host::Get().Plugins()) {
        if (loaded->id != plugin)
            continue;
        const Bytes* bytes = loaded->resources.Find(type, id);
        if (!bytes)
            return std::nullopt;
        return type == kPNGRsrcType ? DecodePng(*bytes) : DecodeBitmap(*bytes);
    }
    return std::nullopt;
}

struct WidgetPaint {
    const Buffer& buffer;
    HWND window;
    RECT clip;
    bool selected = false;
};

void DrawSizeBox(HDC dc, const Rect& r) {
    SelectObject(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, kGrip);
    for (int i = 0; i < 3; ++i) {
        const int inset = 3 + 4 * i;
        const int reach = std::min(r.w - inset, r.h - 4);
        MoveToEx(dc, r.x + r.w - 2, r.y + r.h - 2 - reach, nullptr);
        LineTo(dc, r.x + r.w - 2 - reach, r.y + r.h - 2);
    }
}

void DrawPicture(const WidgetPaint& paint, const IControlView& view, ClassID kind, const Rect& r) {
    const auto picture = PluginPicture(view.GetRsrcPluginID(),
                                       kind == kPictureWidgetBoss ? kBitmapRsrcType : kPNGRsrcType,
                                       view.GetRsrcID());
    if (!picture)
        return;
    const int left = r.x + (r.w - static_cast<int>(picture->width)) / 2;
    const int top = r.y + (r.h - static_cast<int>(picture->height)) / 2;
    paint.buffer.Blend(*picture, left, top, paint.clip);
}

void DrawField(HDC dc, const Boss* widget, const IControlView& view, const Rect& r, HWND window) {
    Fill(dc, r, view.IsEnabled() ? kListFace : kDisabledField);
    const std::string* editing = FieldEditText(window);
    Outline(dc, r, editing ? kSelection : kFieldEdge);
    const std::string text = editing ? *editing + "|" : ui::TextOf(widget);
    Text(dc, text, {r.x + 3, r.y, r.w - 6, r.h}, view.IsEnabled() ? kText : kGreyedText);
}

void DrawOwnKind(const WidgetPaint& paint, const Boss* widget, IControlView& view, const Rect& r,
                 bool* selected) {
    const HDC dc = paint.buffer.dc();
    const COLORREF text = !view.IsEnabled() ? kGreyedText : paint.selected ? kSelectedText : kText;
    switch (const ClassID kind = HostKind(widget)) {
    case kErasablePanelWidgetBoss:
        Fill(dc, r, kPanelFace);
        break;
    case kListBoxWidgetBoss:
        Fill(dc, r, kListFace);
        Outline(dc, r, kListEdge);
        break;
    case kCellPanelWidgetBoss:
        if (view.IsHilited()) {
            Fill(dc, r, kSelection);
            *selected = true;
        }
        break;
    case kStaticTextWidgetBoss:
    case kInfoTextWidgetBoss:
        Text(dc, ui::TextOf(widget), r, text);
        break;
    case kSliderComboWidgetBoss:
        DrawField(dc, widget, view, r, paint.window);
        break;
    case kIconButtonWidgetBoss:
    case kPictureWidgetBoss:
        DrawPicture(paint, view, kind, r);
        break;
    case kSizeBoxWidgetBoss:
        DrawSizeBox(dc, r);
        break;
    case kOKButtonWidgetBoss:
        Fill(dc, r, kBackTab);
        Outline(dc, r, kFieldEdge);
        Text(dc, ui::TextOf(widget), r, text, false, DT_CENTER);
        break;
    case kSeparatorWidgetBoss:
        Fill(dc, {r.x, r.y + r.h / 2, r.w, 1}, kListEdge);
        break;
    default:
        break;
    }
}

void DrawWidget(const WidgetPaint& paint, const Boss* widget, int ox, int oy) {
    IControlView* view = ui::ViewOf(widget);
    if (!view || !view->IsVisible())
        return;
    const HDC dc = paint.buffer.dc();
    const PMRect f = view->GetFrame();
    const Rect r{
        ox + static_cast<int>(std::lround(f.Left())), oy + static_cast<int>(std::lround(f.Top())),
        static_cast<int>(std::lround(f.Width())), static_cast<int>(std::lround(f.Height()))};
    WidgetPaint inside = paint;
    DrawOwnKind(paint, widget, *view, r, &inside.selected);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.x, r.y, r.x + r.w, r.y + r.h);
    GdiPortCanvas canvas(dc, r.x, r.y);
    ui::DrawNow(view, &canvas);
    RestoreDC(dc, saved);
    // A list shows only the rows within it.
    const ClassID kind = HostKind(widget);
    const int clipped = SaveDC(dc);
    if (kind == kListBoxWidgetBoss || kind == kScrollPanelWidgetBoss) {
        IntersectClipRect(dc, r.x, r.y, r.x + r.w, r.y + r.h);
        inside.clip = {std::max(paint.clip.left, LONG(r.x)), std::max(paint.clip.top, LONG(r.y)),
                       std::min(paint.clip.right, LONG(r.x + r.w)),
                       std::min(paint.clip.bottom, LONG(r.y + r.h))};
    }
    for (const Boss* child : ui::ChildrenOf(widget))
        DrawWidget(inside, child, r.x, r.y);
    RestoreDC(dc, clipped);
}

void DrawTitle(HDC dc, const std::string& title, int width) {
    Fill(dc, {kBorder, kBorder, width - 2 * kBorder, kTitleHeight}, kTitleBar);
    Text(dc, title, {8, kBorder, width - 16, kTitleHeight}, kTitleText, true);
}

void DrawMenuButton(HDC dc, const Rect& r) {
    Fill(dc, r, kBackTab);
    // Four short lines: the host's menu mark.
    for (int i = 0; i < 3; ++i)
        Fill(dc, {r.x + 5, r.y + 4 + 4 * i, r.w - 10, 2}, kBackTabText);
}

void DrawGroup(const Buffer& buffer, HWND window, const GroupPlace& group) {
    const HDC dc = buffer.dc();
    Fill(dc, group.strip, kTabStrip);
    for (const TabPlace& tab : group.tabs) {
        const Rect r =
            tab.front ? tab.rect : Rect{tab.rect.x, tab.rect.y + 2, tab.rect.w, tab.rect.h - 3};
        Fill(dc, r, tab.front ? kFrontTab : kBackTab);
        Text(dc, tab.label, {r.x + 8, r.y, r.w - 8, r.h}, tab.front ? kTabText : kBackTabText,
             tab.front);
    }
    Fill(dc, group.content, kPanelFace);
    if (group.widget) {
        int x = 0, y = 0;
        PanelOrigin(group, &x, &y);
        const RECT clip{group.content.x, group.content.y, group.content.x + group.content.w,
                        group.content.y + group.content.h};
        DrawWidget({buffer, window, clip}, group.widget, x, y);
    } else {
        Text(dc, group.frontLabel, group.content, kPlaceholderText, false, DT_CENTER);
    }
}

} // namespace

void PaintPalette(HWND window, HDC screen) {
    const auto layout =
        FindLayout(window, [](const std::string& text) { return App::Get().TextWidth(text); });
    if (!layout)
        return;
    Buffer buffer(screen, layout->w, layout->h);
    const HDC dc = buffer.dc();
    Fill(dc, {0, 0, layout->w, layout->h}, kFrame);
    DrawTitle(dc, layout->name, layout->w);
    for (const GroupPlace& group : layout->groups)
        DrawGroup(buffer, window, group);
    DrawMenuButton(dc, layout->menu);
    buffer.CopyTo(screen);
}

void PaintDialog(HWND window, HDC screen, const Boss* root, const std::string& title) {
    RECT area;
    GetClientRect(window, &area);
    Buffer buffer(screen, area.right, area.bottom);
    const HDC dc = buffer.dc();
    Fill(dc, {0, 0, area.right, area.bottom}, kFrame);
    DrawTitle(dc, title, area.right);
    Fill(dc,
         {kBorder, kBorder + kTitleHeight, area.right - 2 * kBorder,
          area.bottom - 2 * kBorder - kTitleHeight},
         kPanelFace);
    const PMRect f = ui::ViewOf(root)->GetFrame();
    const int x = kBorder - static_cast<int>(f.Left());
    const int y = kBorder + kTitleHeight - static_cast<int>(f.Top());
    DrawWidget({buffer, window, area}, root, x, y);
    buffer.CopyTo(screen);
}

void PaintDocument(HDC screen, const RECT& area) {
    Buffer buffer(screen, area.right, area.bottom);
    const HDC dc = buffer.dc();
    constexpr int kLeft = 60, kTop = 28, kWidth = 430, kHeight = 590, kMargin = 36;
    Fill(dc, {0, 0, area.right, area.bottom}, kDesk);
    Fill(dc, {kLeft + 5, kTop + 5, kWidth, kHeight}, RGB(0x41, 0x47, 0x54));
    Fill(dc, {kLeft, kTop, kWidth, kHeight}, kPaper);
    Text(dc, "The Quiet Panel", {kLeft + kMargin, kTop + 34, kWidth, 34}, kHeadingInk, true);
    Text(dc, "Notes on working with translucent palettes", {kLeft + kMargin, kTop + 70, kWidth, 18},
         RGB(0x6a, 0x70, 0x7a));
    for (int line = 0; line < 6; ++line)
        Fill(dc,
             {kLeft + kMargin, kTop + 110 + 16 * line, kWidth - 2 * kMargin - 7 * (line % 3), 6},
             RGB(0xc8, 0xca, 0xce));
    // The picture: a dusk sky in bands, over which translucency is plain to see.
    const int top = kTop + 220;
    for (int band = 0; band < 10; ++band)
        Fill(dc, {kLeft + kMargin, top + 15 * band, kWidth - 2 * kMargin, 15},
             RGB(0xf7 - 15 * band, 0x9e - 9 * band, 0x33 + 8 * band));
    Fill(dc, {kLeft + kMargin, top + 110, kWidth - 2 * kMargin, 40}, RGB(0x2e, 0x5c, 0x4f));
    for (int line = 0; line < 8; ++line)
        Fill(dc, {kLeft + kMargin, top + 170 + 16 * line, kWidth - 2 * kMargin - 9 * (line % 4), 6},
             RGB(0xc8, 0xca, 0xce));
    buffer.CopyTo(screen);
}

} // namespace host::live
