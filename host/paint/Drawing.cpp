#include "paint/Drawing.h"

#include "HostIDs.h"
#include "ResourceTypes.h"
#include "core/Host.h"
#include "ui/GraphicsPort.h"
#include "ui/Widgets.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace host::paint {

namespace {

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

void Fill(Painter& painter, const Rect& area, Rgb color) {
    painter.Fill(area, ToColor(color));
}

// A picture resource of a loaded plug-in, decoded; nothing when missing or damaged.
std::optional<Picture> PluginPicture(const Host& host, PluginID plugin, RsrcType type, RsrcID id) {
    for (const auto& loaded : host.Plugins()) {
        if (loaded->id != plugin)
            continue;
        const Bytes* bytes = loaded->resources.Find(type, id);
        if (!bytes)
            return std::nullopt;
        return type == kPNGRsrcType ? DecodePng(*bytes) : DecodeBitmap(*bytes);
    }
    return std::nullopt;
}

// Paints a view's own drawing operations through the host's graphics port,
// in the view's coordinates. Strokes are one pixel wide, on the pixels their
// coordinates name; Save and Restore keep the colour too, as a port does.
class PainterPortCanvas final : public ui::PortCanvas {
public:
    explicit PainterPortCanvas(Painter& painter) : fPainter(painter) {}
    void Save() override {
        fPainter.Save();
        fSaved.push_back(fColor);
    }
    void Restore() override {
        fPainter.Restore();
        if (!fSaved.empty()) {
            fColor = fSaved.back();
            fSaved.pop_back();
        }
    }
    void SetColor(double r, double g, double b) override { fColor = {r, g, b}; }
    void FillRect(double x, double y, double w, double h) override {
        if (w <= 0 || h <= 0)
            return;
        fPath.runs.clear();
        fPainter.Fill({x, y, w, h}, fColor);
    }
    void StrokeRect(double x, double y, double w, double h) override {
        if (w < 0 || h < 0)
            return;
        fPath.runs.clear();
        fPainter.Outline({x, y, w + 1, h + 1}, fColor);
    }
    void MoveTo(double x, double y) override { fPath.runs.push_back({{x + 0.5, y + 0.5}}); }
    void LineTo(double x, double y) override {
        if (fPath.runs.empty())
            fPath.runs.emplace_back();
        fPath.runs.back().push_back({x + 0.5, y + 0.5});
    }
    void Stroke() override {
        fPainter.Stroke(fPath, fColor, LineEnds::kSquare);
        fPath.runs.clear();
    }

private:
    Painter& fPainter;
    Color fColor;
    std::vector<Color> fSaved;
    Path fPath;
};

// Three diagonal ridges in the bottom-right corner.
void DrawSizeBox(Painter& painter, const Rect& box) {
    const double x = box.x, y = box.y, w = box.width, h = box.height;
    Path ridges;
    for (int i = 0; i < 3; ++i) {
        const double inset = 3 + 4 * i;
        ridges.runs.push_back({{x + w - 2, y + h - 2 - (w - inset > h ? h - 4 : w - inset)},
                               {x + w - 2 - std::min(w - inset, h - 4), y + h - 2}});
    }
    painter.Stroke(ridges, ToColor(kGrip), LineEnds::kFlat);
}

// An icon or a picture, centred on whole pixels: it shows unscaled and unblurred.
void DrawPicture(Painter& painter, const Boss* widget, const IControlView& view, const Rect& box) {
    const bool bitmap = HostKind(widget) == kPictureWidgetBoss;
    const auto picture = PluginPicture(widget->GetHost(), view.GetRsrcPluginID(),
                                       bitmap ? kBitmapRsrcType : kPNGRsrcType, view.GetRsrcID());
    if (!picture)
        return;
    painter.Image(*picture, std::floor(box.x + (box.width - picture->width) / 2),
                  std::floor(box.y + (box.height - picture->height) / 2));
}

// What the host draws of a widget of its own classes; returns whether the
// widget's children sit on a selection (a highlighted list row).
bool DrawHostFace(Painter& painter, const Boss* widget, IControlView& view, const Rect& box,
                  bool selected) {
    const Color text = ToColor(!view.IsEnabled() ? kGreyedText : selected ? kSelectedText : kText);
    switch (HostKind(widget)) {
    case kErasablePanelWidgetBoss:
        Fill(painter, box, kPanelFace);
        break;
    case kListBoxWidgetBoss:
        Fill(painter, box, kListFace);
        painter.Outline(box, ToColor(kListEdge));
        break;
    case kCellPanelWidgetBoss:
        if (view.IsHilited()) {
            Fill(painter, box, kSelection);
            return true;
        }
        break;
    case kStaticTextWidgetBoss:
    case kInfoTextWidgetBoss:
        painter.Text(ui::TextOf(widget), box.x, box.y, box.height, kWidgetFont, text);
        break;
    case kSliderComboWidgetBoss:
        Fill(painter, box, view.IsEnabled() ? kListFace : kDisabledField);
        painter.Outline(box, ToColor(kFieldEdge));
        painter.Text(ui::TextOf(widget), box.x + 3, box.y, box.height, kWidgetFont,
                     ToColor(view.IsEnabled() ? kText : kGreyedText));
        break;
    case kIconButtonWidgetBoss:
    case kPictureWidgetBoss:
        DrawPicture(painter, widget, view, box);
        break;
    case kSizeBoxWidgetBoss:
        DrawSizeBox(painter, box);
        break;
    case kOKButtonWidgetBoss:
        Fill(painter, box, kBackTab);
        painter.Outline(box, ToColor(kFieldEdge));
        TextCentred(painter, ui::TextOf(widget), box, kWidgetFont, text);
        break;
    case kSeparatorWidgetBoss:
        Fill(painter, {box.x, box.y + std::floor(box.height / 2), box.width, 1}, kListEdge);
        break;
    default:
        break;
    }
    return selected;
}

// The widget, then what its view draws itself (a plug-in's own view, clipped
// to it), then its children; a list shows only the rows within it.
void DrawWidget(Painter& painter, const Boss* widget, Point origin, bool selected) {
    IControlView* view = ui::ViewOf(widget);
    if (!view || !view->IsVisible())
        return;
    const Rect box = WidgetBox(*view, origin);
    const bool childrenSelected = DrawHostFace(painter, widget, *view, box, selected);

    painter.Save();
    painter.Clip(box);
    painter.Translate(box.x, box.y);
    PainterPortCanvas canvas(painter);
    ui::DrawNow(widget, &canvas);
    painter.Restore();

    const bool clips = ClipsChildren(widget);
    if (clips) {
        painter.Save();
        painter.Clip(box);
    }
    for (const Boss* child : ui::ChildrenOf(widget))
        DrawWidget(painter, child, {box.x, box.y}, childrenSelected);
    if (clips)
        painter.Restore();
}

void DrawTitleBar(Painter& painter, const std::string& title, const Rect& bar) {
    Fill(painter, bar, kTitleBar);
    painter.Text(title, 8, bar.y, bar.height, {kWindowFont.size, true}, ToColor(kTitleText));
}

void DrawTabs(Painter& painter, const GroupLook& group) {
    Fill(painter, group.strip, kTabStrip);
    for (const TabLook& tab : group.tabs) {
        Fill(painter, tab.area, tab.front ? kFrontTab : kBackTab);
        painter.Text(tab.name, tab.area.x + 8, group.strip.y + 4, kTabHeight - 4,
                     {kWindowFont.size, tab.front}, ToColor(tab.front ? kTabText : kBackTabText));
    }
}

// Three bars: the panel's menu opens here.
void DrawMenuButton(Painter& painter, const Rect& button) {
    Path bars;
    const double left = button.x + 6, right = button.Right() - 6;
    for (int i = 0; i < 3; ++i) {
        const double y = button.y + 6.5 + 3 * i;
        bars.runs.push_back({{left, y}, {right, y}});
    }
    painter.Stroke(bars, ToColor(kTabText), LineEnds::kFlat);
}

} // namespace

void DrawPalette(Painter& painter, const PaletteLook& look, const PaletteChrome& chrome) {
    Fill(painter, {0, 0, double(look.area.width), double(look.area.height)}, kFrame);
    DrawTitleBar(painter, look.area.name, look.title);
    for (const GroupLook& group : look.groups) {
        DrawTabs(painter, group);
        Fill(painter, group.content, kPanelFace);
        if (group.widget) {
            DrawWidget(painter, group.widget, PanelOrigin(group), false);
        } else {
            Fill(painter, group.content, kPlaceholderFace);
            TextCentred(painter, group.frontName, group.content, {kWindowFont.size + 1, false},
                        ToColor(kPlaceholderText));
        }
    }
    if (chrome.menuButton && look.menu.width > 0)
        DrawMenuButton(painter, look.menu);
}

void DrawDialog(Painter& painter, const DialogLook& look) {
    Fill(painter, {0, 0, double(look.area.width), double(look.area.height)}, kFrame);
    DrawTitleBar(painter, look.view.title, look.title);
    Fill(painter, look.content, kPanelFace);
    for (const Boss* widget : DialogWidgets(look))
        DrawWidget(painter, widget, look.origin, false);
}

void DrawBareWindow(Painter& painter, const std::string& title, double width, double height) {
    DrawTitleBar(painter, title, {0, 0, width, kTitleHeight});
    Fill(painter, {0, kTitleHeight, width, height - kTitleHeight}, kPanelFace);
}

} // namespace host::paint
