#include "render/Screen.h"

#include "HostIDs.h"
#include "OSWindows.h"
#include "ResourceTypes.h"
#include "core/Host.h"
#include "core/Text.h"
#include "render/Document.h"
#include "render/Text.h"
#include "ui/DialogManager.h"
#include "ui/GraphicsPort.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"
#include "world/World.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace host::render {

namespace {

// ---- Geometry and colours of the host's windows -------------------------------------
constexpr int32 kBorder = 1;
constexpr int32 kTitleHeight = 18;
constexpr int32 kTabHeight = 20;
constexpr int32 kPlaceholderWidth = 200;
constexpr int32 kPlaceholderHeight = 96;
constexpr double kWindowFontSize = 10.5;
constexpr double kWidgetFontSize = 10;

constexpr Rgb kDesk{0x5d, 0x66, 0x78};
constexpr Rgb kFrame{0x3a, 0x3d, 0x44};
constexpr Rgb kTitleBar{0x4a, 0x4f, 0x5a};
constexpr Rgb kTitleText{0xf4, 0xf4, 0xf4};
constexpr Rgb kTabStrip{0xbd, 0xbf, 0xc4};
constexpr Rgb kBackTab{0xcc, 0xce, 0xd2};
constexpr Rgb kFrontTab{0xe4, 0xe4, 0xe4};
constexpr Rgb kTabText{0x22, 0x22, 0x22};
constexpr Rgb kBackTabText{0x55, 0x58, 0x5e};
constexpr Rgb kPlaceholderText{0x8c, 0x8c, 0x8c};
constexpr Rgb kPanelFace{0xe4, 0xe4, 0xe4};
constexpr Rgb kListFace{0xff, 0xff, 0xff};
constexpr Rgb kListEdge{0x9a, 0x9a, 0x9a};
constexpr Rgb kSelection{0x3b, 0x6e, 0xc6};
constexpr Rgb kText{0x1e, 0x1e, 0x1e};
constexpr Rgb kSelectedText{0xff, 0xff, 0xff};
constexpr Rgb kGreyedText{0x9c, 0x9c, 0x9c};
constexpr Rgb kFieldEdge{0x8c, 0x8c, 0x8c};
constexpr Rgb kDisabledField{0xf0, 0xf0, 0xf0};
constexpr Rgb kGrip{0x8a, 0x8a, 0x8a};

void SetColor(cairo_t* cr, Rgb c) {
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

void FillRect(cairo_t* cr, double x, double y, double w, double h, Rgb c) {
    SetColor(cr, c);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

// A one-pixel outline inside the rectangle.
void Outline(cairo_t* cr, double x, double y, double w, double h, Rgb c) {
    SetColor(cr, c);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
    cairo_stroke(cr);
}

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using ContextPtr = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

SurfacePtr NewSurface(int32 width, int32 height) {
    return SurfacePtr(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height),
                      cairo_surface_destroy);
}

ContextPtr NewContext(cairo_surface_t* surface) {
    ContextPtr cr(cairo_create(surface), cairo_destroy);
    SetTextStyle(cr.get());
    return cr;
}

// An RGBA picture as a cairo surface (premultiplied), or null.
SurfacePtr SurfaceOf(const Picture& picture) {
    SurfacePtr surface =
        NewSurface(static_cast<int32>(picture.width), static_cast<int32>(picture.height));
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (uint32 y = 0; y < picture.height; ++y)
        for (uint32 x = 0; x < picture.width; ++x) {
            const uint8* p = &picture.rgba[(std::size_t{y} * picture.width + x) * 4];
            const auto pre = [a = p[3]](uint8 v) { return (v * a + 127) / 255; };
            reinterpret_cast<uint32_t*>(data + y * stride)[x] =
                static_cast<uint32_t>(p[3]) << 24 | static_cast<uint32_t>(pre(p[0])) << 16 |
                static_cast<uint32_t>(pre(p[1])) << 8 | static_cast<uint32_t>(pre(p[2]));
        }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

// A picture resource of a loaded plug-in, decoded; nothing when missing or damaged.
std::optional<Picture> PluginPicture(PluginID plugin, RsrcType type, RsrcID id) {
    for (const auto& loaded : Host::Current().Plugins()) {
        if (loaded->id != plugin)
            continue;
        const Bytes* bytes = loaded->resources.Find(type, id);
        if (!bytes)
            return std::nullopt;
        return type == kPNGRsrcType ? DecodePng(*bytes) : DecodeBitmap(*bytes);
    }
    return std::nullopt;
}

// ---- Widgets -------------------------------------------------------------------------------

// The host widget class a widget's class is, or derives from; 0 for none.
ClassID HostKind(ClassID id) {
    static constexpr ClassID kKnown[] = {
        kErasablePanelWidgetBoss, kListBoxWidgetBoss,     kCellPanelWidgetBoss,
        kStaticTextWidgetBoss,    kSliderComboWidgetBoss, kIconButtonWidgetBoss,
        kSizeBoxWidgetBoss,       kOKButtonWidgetBoss,    kInfoTextWidgetBoss,
        kSeparatorWidgetBoss,     kPictureWidgetBoss,     kScrollPanelWidgetBoss};
    const ObjectModel& model = Host::Current().Model();
    for (int depth = 0; depth < 32 && id; ++depth) {
        if (std::find(std::begin(kKnown), std::end(kKnown), id) != std::end(kKnown))
            return id;
        const BossClass* boss = model.FindClass(id);
        if (!boss || boss->parent == id)
            return 0;
        id = boss->parent;
    }
    return 0;
}

// Paints a view's own drawing operations through the host's graphics port,
// in the view's coordinates and within its frame.
class CairoPortCanvas final : public ui::PortCanvas {
public:
    explicit CairoPortCanvas(cairo_t* cr) : fCr(cr) {}
    void Save() override { cairo_save(fCr); }
    void Restore() override { cairo_restore(fCr); }
    void SetColor(double r, double g, double b) override { cairo_set_source_rgb(fCr, r, g, b); }
    void FillRect(double x, double y, double w, double h) override {
        if (w <= 0 || h <= 0)
            return;
        cairo_new_path(fCr);
        cairo_rectangle(fCr, x, y, w, h);
        cairo_fill(fCr);
    }
    // Strokes are one pixel wide, on the pixels their coordinates name.
    void StrokeRect(double x, double y, double w, double h) override {
        if (w < 0 || h < 0)
            return;
        cairo_new_path(fCr);
        cairo_rectangle(fCr, x + 0.5, y + 0.5, w, h);
        StrokePath();
    }
    void MoveTo(double x, double y) override { cairo_move_to(fCr, x + 0.5, y + 0.5); }
    void LineTo(double x, double y) override { cairo_line_to(fCr, x + 0.5, y + 0.5); }
    void Stroke() override { StrokePath(); }

private:
    void StrokePath() {
        cairo_set_line_width(fCr, 1);
        cairo_set_line_cap(fCr, CAIRO_LINE_CAP_SQUARE);
        cairo_stroke(fCr);
    }
    cairo_t* fCr;
};

void DrawSizeBox(cairo_t* cr, double x, double y, double w, double h) {
    SetColor(cr, kGrip);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 3; ++i) {
        const double inset = 3 + 4 * i;
        cairo_move_to(cr, x + w - 2, y + h - 2 - (w - inset > h ? h - 4 : w - inset));
        cairo_line_to(cr, x + w - 2 - std::min(w - inset, h - 4), y + h - 2);
    }
    cairo_stroke(cr);
}

struct WidgetPaint {
    cairo_t* cr;
    bool selected = false; // inside a selected list row
};

void DrawWidget(const WidgetPaint& paint, const Boss* widget, double originX, double originY) {
    IControlView* view = ui::ViewOf(widget);
    if (!view || !view->IsVisible())
        return;
    cairo_t* cr = paint.cr;
    const PMRect frame = view->GetFrame();
    const double x = originX + frame.Left(), y = originY + frame.Top();
    const double w = frame.Width(), h = frame.Height();
    WidgetPaint inside = paint;
    const Rgb text = !view->IsEnabled() ? kGreyedText : paint.selected ? kSelectedText : kText;

    switch (HostKind(widget->Class())) {
    case kErasablePanelWidgetBoss:
        FillRect(cr, x, y, w, h, kPanelFace);
        break;
    case kListBoxWidgetBoss:
        FillRect(cr, x, y, w, h, kListFace);
        Outline(cr, x, y, w, h, kListEdge);
        break;
    case kCellPanelWidgetBoss:
        if (view->IsHilited()) {
            FillRect(cr, x, y, w, h, kSelection);
            inside.selected = true;
        }
        break;
    case kStaticTextWidgetBoss:
    case kInfoTextWidgetBoss:
        DrawText(cr, ui::TextOf(widget), x, y, h, kWidgetFontSize, text);
        break;
    case kSliderComboWidgetBoss:
        FillRect(cr, x, y, w, h, view->IsEnabled() ? kListFace : kDisabledField);
        Outline(cr, x, y, w, h, kFieldEdge);
        DrawText(cr, ui::TextOf(widget), x + 3, y, h, kWidgetFontSize,
                 view->IsEnabled() ? kText : kGreyedText);
        break;
    case kIconButtonWidgetBoss:
    case kPictureWidgetBoss:
        if (const auto picture = PluginPicture(
                view->GetRsrcPluginID(),
                HostKind(widget->Class()) == kPictureWidgetBoss ? kBitmapRsrcType : kPNGRsrcType,
                view->GetRsrcID())) {
            // Whole pixels: the picture shows unscaled and unblurred.
            const double left = std::floor(x + (w - picture->width) / 2);
            const double top = std::floor(y + (h - picture->height) / 2);
            SurfacePtr surface = SurfaceOf(*picture);
            cairo_set_source_surface(cr, surface.get(), left, top);
            cairo_paint(cr);
        }
        break;
    case kSizeBoxWidgetBoss:
        DrawSizeBox(cr, x, y, w, h);
        break;
    case kOKButtonWidgetBoss:
        FillRect(cr, x, y, w, h, kBackTab);
        Outline(cr, x, y, w, h, kFieldEdge);
        DrawTextCentred(cr, ui::TextOf(widget), x, y, w, h, kWidgetFontSize, text);
        break;
    case kSeparatorWidgetBoss:
        FillRect(cr, x, y + std::floor(h / 2), w, 1, kListEdge);
        break;
    default:
        break;
    }

    // Then what the view draws itself (a plug-in's own view), clipped to it.
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    CairoPortCanvas canvas(cr);
    ui::DrawNow(view, &canvas);
    cairo_restore(cr);

    // A list shows only the rows within it.
    const ClassID kind = HostKind(widget->Class());
    const bool clips = kind == kListBoxWidgetBoss || kind == kScrollPanelWidgetBoss;
    if (clips) {
        cairo_save(cr);
        cairo_rectangle(cr, x, y, w, h);
        cairo_clip(cr);
    }
    for (const Boss* child : ui::ChildrenOf(widget))
        DrawWidget(inside, child, x, y);
    if (clips)
        cairo_restore(cr);
}

// A panel's name as its tab shows it: translated when it is a string key,
// without its mnemonic marks ("&&" shows one "&").
std::string TabName(const std::string& name) {
    const auto translated = Host::Current().TranslateKey(UTF8ToUTF16(name));
    const std::string text = translated ? UTF16ToUTF8(*translated) : name;
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

// ---- Palette windows -------------------------------------------------------------------------

struct Tab {
    std::string name;
    bool front;
};

struct GroupLook {
    std::vector<Tab> tabs;
    int32 frontID = 0;
    const Boss* widget = nullptr; // the plug-in panel's widget, or null: a placeholder
    std::string frontName;
    int32 width = kPlaceholderWidth, height = kPlaceholderHeight;
};

struct WindowLook {
    WindowArea area;
    std::vector<GroupLook> groups;
};

uint8 WindowAlpha(HWND window) {
    if (!window || !(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED))
        return 255;
    BYTE alpha = 255;
    return GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr) ? alpha : 255;
}

std::vector<WindowLook> Windows() {
    std::vector<WindowLook> windows;
    World& world = Host::Current().Get<World>();
    for (const PaletteInfo& palette : world.Palettes()) {
        const bool shown =
            palette.window ? World::IsPaletteWindowShown(palette.window) : palette.shown;
        if (!shown)
            continue;
        WindowLook look;
        look.area.name = palette.name;
        look.area.alpha = WindowAlpha(palette.window);
        int32 width = kPlaceholderWidth, height = kTitleHeight;
        for (const auto& ids : palette.groups) {
            GroupLook group;
            for (int32 id : ids) {
                const auto panel = world.FindPanel(id);
                if (!panel)
                    continue;
                group.tabs.push_back({TabName(panel->name), panel->front});
                if (!panel->front)
                    continue;
                group.frontID = id;
                group.frontName = TabName(panel->name);
                if (const Boss* widget = Host::Current().Get<ui::PluginPanels>().PanelWidget(id))
                    if (const IControlView* view = ui::ViewOf(widget)) {
                        group.widget = widget;
                        group.width = static_cast<int32>(std::lround(view->GetFrame().Width()));
                        group.height = static_cast<int32>(std::lround(view->GetFrame().Height()));
                    }
            }
            width = std::max(width, group.width);
            height += kTabHeight + group.height;
            look.groups.push_back(group);
        }
        look.area.left = palette.position.x;
        look.area.top = palette.position.y;
        look.area.width = width + 2 * kBorder;
        look.area.height = height + 2 * kBorder;
        int32 top = look.area.top + kBorder + kTitleHeight;
        for (const GroupLook& group : look.groups) {
            look.area.panels.push_back({group.frontID, look.area.left + kBorder, top + kTabHeight});
            top += kTabHeight + group.height;
        }
        windows.push_back(std::move(look));
    }
    return windows;
}

void DrawTitleBar(cairo_t* cr, const std::string& title, int32 width) {
    FillRect(cr, kBorder, kBorder, width - 2 * kBorder, kTitleHeight, kTitleBar);
    DrawText(cr, title, 8, kBorder, kTitleHeight, kWindowFontSize, kTitleText, true);
}

// The window drawn on its own opaque surface, in its own coordinates.
SurfacePtr DrawPalette(const WindowLook& look) {
    const int32 width = look.area.width;
    SurfacePtr surface = NewSurface(width, look.area.height);
    ContextPtr context = NewContext(surface.get());
    cairo_t* cr = context.get();
    FillRect(cr, 0, 0, width, look.area.height, kFrame);
    DrawTitleBar(cr, look.area.name, width);
    int32 top = kBorder + kTitleHeight;
    const int32 inner = width - 2 * kBorder;
    for (const GroupLook& group : look.groups) {
        FillRect(cr, kBorder, top, inner, kTabHeight, kTabStrip);
        double left = kBorder + 4;
        for (const Tab& tab : group.tabs) {
            const double tabWidth = std::ceil(TextWidth(cr, tab.name, kWindowFontSize) + 16);
            if (tab.front)
                FillRect(cr, left, top + 3, tabWidth, kTabHeight - 3, kFrontTab);
            else
                FillRect(cr, left, top + 5, tabWidth, kTabHeight - 6, kBackTab);
            DrawText(cr, tab.name, left + 8, top + 4, kTabHeight - 4, kWindowFontSize,
                     tab.front ? kTabText : kBackTabText, tab.front);
            left += tabWidth + 2;
        }
        top += kTabHeight;
        FillRect(cr, kBorder, top, inner, group.height, kPanelFace);
        if (group.widget) {
            const PMRect frame = ui::ViewOf(group.widget)->GetFrame();
            DrawWidget({cr}, group.widget, kBorder - frame.Left(), top - frame.Top());
        } else {
            FillRect(cr, kBorder, top, inner, group.height, kPlaceholderFace);
            DrawTextCentred(cr, group.frontName, kBorder, top, inner, group.height,
                            kWindowFontSize + 1, kPlaceholderText);
        }
        top += group.height;
    }
    cairo_surface_flush(surface.get());
    return surface;
}

std::function<std::vector<DialogView>()>& DialogSource() {
    static std::function<std::vector<DialogView>()> source;
    return source;
}

void DrawDialog(cairo_t* screen, const DialogView& dialog) {
    if (!dialog.root)
        return;
    // A dialog's own boss need not be a view: then its widgets are drawn.
    const IControlView* view = ui::ViewOf(dialog.root);
    const PMRect frame = view ? view->GetFrame() : PMRect(0, 0, dialog.width, dialog.height);
    const auto inner = [](int32 given, PMReal framed) {
        return given > 0 ? given : static_cast<int32>(std::lround(framed));
    };
    const int32 width = inner(dialog.width, frame.Width()) + 2 * kBorder;
    const int32 height = inner(dialog.height, frame.Height()) + 2 * kBorder + kTitleHeight;
    SurfacePtr surface = NewSurface(width, height);
    ContextPtr context = NewContext(surface.get());
    cairo_t* cr = context.get();
    FillRect(cr, 0, 0, width, height, kFrame);
    DrawTitleBar(cr, dialog.title, width);
    FillRect(cr, kBorder, kBorder + kTitleHeight, width - 2 * kBorder,
             height - 2 * kBorder - kTitleHeight, kPanelFace);
    const double x = kBorder - frame.Left(), y = kBorder + kTitleHeight - frame.Top();
    if (view)
        DrawWidget({cr}, dialog.root, x, y);
    else
        for (const Boss* child : ui::ChildrenOf(dialog.root))
            DrawWidget({cr}, child, x, y);
    cairo_surface_flush(surface.get());
    cairo_set_source_surface(screen, surface.get(), (kScreenWidth - width) / 2,
                             (kScreenHeight - height) / 3);
    cairo_paint(screen);
}

// The dialogs the source gives, else the host's front dialog.
std::vector<DialogView> OpenDialogs() {
    if (DialogSource())
        return DialogSource()();
    ui::DialogManager& dialogs = Host::Current().Get<ui::DialogManager>();
    if (Boss* front = dialogs.FrontDialog())
        return {{dialogs.Title(front), front}};
    return {};
}

SurfacePtr Draw() {
    SurfacePtr screen = NewSurface(kScreenWidth, kScreenHeight);
    ContextPtr context = NewContext(screen.get());
    cairo_t* cr = context.get();
    FillRect(cr, 0, 0, kScreenWidth, kScreenHeight, kDesk);
    DrawDocument(cr);
    for (const WindowLook& look : Windows()) {
        SurfacePtr window = DrawPalette(look);
        cairo_set_source_surface(cr, window.get(), look.area.left, look.area.top);
        cairo_paint_with_alpha(cr, look.area.alpha / 255.0);
    }
    for (const DialogView& dialog : OpenDialogs())
        DrawDialog(cr, dialog);
    cairo_surface_flush(screen.get());
    return screen;
}

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<Bytes*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

void SetDialogSource(std::function<std::vector<DialogView>()> source) {
    DialogSource() = std::move(source);
}

std::vector<WindowArea> ShownWindows() {
    std::vector<WindowArea> areas;
    for (WindowLook& look : Windows())
        areas.push_back(std::move(look.area));
    return areas;
}

Picture DrawScreen() {
    SurfacePtr screen = Draw();
    Picture picture;
    picture.width = kScreenWidth;
    picture.height = kScreenHeight;
    picture.rgba.resize(std::size_t{kScreenWidth} * kScreenHeight * 4);
    const unsigned char* data = cairo_image_surface_get_data(screen.get());
    const int stride = cairo_image_surface_get_stride(screen.get());
    for (int32 y = 0; y < kScreenHeight; ++y)
        for (int32 x = 0; x < kScreenWidth; ++x) {
            // Opaque everywhere: the desk is painted first.
            const uint32_t p = reinterpret_cast<const uint32_t*>(data + y * stride)[x];
            uint8* out = &picture.rgba[(std::size_t(y) * kScreenWidth + std::size_t(x)) * 4];
            out[0] = static_cast<uint8>(p >> 16);
            out[1] = static_cast<uint8>(p >> 8);
            out[2] = static_cast<uint8>(p);
            out[3] = 0xff;
        }
    return picture;
}

Bytes DrawScreenPng() {
    SurfacePtr screen = Draw();
    Bytes png;
    cairo_surface_write_to_png_stream(screen.get(), Append, &png);
    return png;
}

} // namespace host::render
