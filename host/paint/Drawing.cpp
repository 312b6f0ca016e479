#include "paint/Drawing.h"

#include "HostIDs.h"
#include "ResourceTypes.h"
#include "core/Host.h"
#include "ui/GraphicsPort.h"
#include "ui/ListBox.h"
#include "ui/SliderCombo.h"
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
// A line of a row's text: the font's height from its ascent to its descent.
constexpr double kRowTextLeading = 1.2;
constexpr Rgb kScrollTrack{0xee, 0xee, 0xee};
constexpr Rgb kScrollThumb{0xb4, 0xb6, 0xba};
constexpr Rgb kFocusMark{0x3b, 0x6e, 0xc6};
constexpr Rgb kHoverFace{0xd6, 0xdd, 0xea};
constexpr Rgb kPressedFace{0xb2, 0xbe, 0xd6};
constexpr Rgb kButtonEdge{0x8c, 0x96, 0xaa};

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

// The field's text, and while it has the focus what is typed with its
// selection and caret; text longer than the field scrolls to keep the caret
// in it.
void DrawField(Painter& painter, const Boss* widget, const IControlView& view, const Rect& box) {
    Fill(painter, box, view.IsEnabled() ? kListFace : kDisabledField);
    const ui::FieldEdit* edit = ui::EditOf(widget);
    const bool editing = edit && edit->active && view.IsEnabled();
    const std::string text = editing ? edit->text : ui::TextOf(widget);
    painter.Save();
    painter.Clip({box.x + 1, box.y + 1, box.width - 2, box.height - 2});
    double x = box.x + 3;
    if (editing) {
        const double caret = painter.TextWidth(text.substr(0, edit->caret), kWidgetFont);
        x -= std::max(0.0, caret - (box.width - 7));
        const double start = painter.TextWidth(text.substr(0, edit->SelectionStart()), kWidgetFont);
        const double end = painter.TextWidth(text.substr(0, edit->SelectionEnd()), kWidgetFont);
        if (end > start)
            Fill(painter,
                 {std::floor(x + start), box.y + 3, std::ceil(end - start), box.height - 6},
                 kSelection);
        painter.Text(text, x, box.y, box.height, kWidgetFont, ToColor(kText));
        if (end > start) {
            // The selected characters again, light on the highlight.
            painter.Save();
            painter.Clip({std::floor(x + start), box.y, std::ceil(end - start), box.height});
            painter.Text(text, x, box.y, box.height, kWidgetFont, ToColor(kSelectedText));
            painter.Restore();
        }
        Fill(painter, {std::floor(x + caret), box.y + 3, 1, box.height - 6}, kText);
    } else {
        painter.Text(text, x, box.y, box.height, kWidgetFont,
                     ToColor(view.IsEnabled() ? kText : kGreyedText));
    }
    painter.Restore();
    painter.Outline(box, ToColor(editing ? kFocusMark : kFieldEdge));
}

// A label's font: the widget font, or where that is wider than the font its
// layout was made for (the text would run into what follows it), as much
// smaller as keeps it clear.
constexpr double kLabelGap = 2;
constexpr double kLeastLabelSize = 8;

Font LabelFont(Painter& painter, const std::string& text, double width) {
    Font font = kWidgetFont;
    while (font.size > kLeastLabelSize && painter.TextWidth(text, font) > width - kLabelGap)
        font.size -= 0.5;
    return font;
}

// An icon button: a face while the pointer is on it or holds it down, the
// icon a pixel down and right while it is held.
void DrawIconButton(Painter& painter, const Boss* widget, const IControlView& view,
                    const Rect& box) {
    const ui::WidgetRecord* record = ui::RecordOf(widget);
    const bool pressed = record && record->pressed && view.IsEnabled();
    const bool hovered = record && record->hovered && view.IsEnabled();
    if (pressed || hovered) {
        Fill(painter, box, pressed ? kPressedFace : kHoverFace);
        painter.Outline(box, ToColor(kButtonEdge));
    }
    DrawPicture(painter, widget, view,
                pressed ? Rect{box.x + 1, box.y + 1, box.width, box.height} : box);
}

// The scroll bar of a list whose rows overflow: a track with a thumb as long
// as the part of the rows in view.
void DrawScrollBar(Painter& painter, const ScrollBarLook& bar) {
    Fill(painter, bar.track, kScrollTrack);
    Fill(painter, {bar.thumb.x + 2, bar.thumb.y + 1, bar.thumb.width - 4, bar.thumb.height - 2},
         kScrollThumb);
}

} // namespace

std::string FitText(TextMeasure& measure, const std::string& text, const Font& font, double width) {
    if (measure.TextWidth(text, font) <= width)
        return text;
    static const std::string kEllipsis = "\xE2\x80\xA6"; // …
    std::string cut = text;
    while (!cut.empty()) {
        // Back by one UTF-8 character.
        do
            cut.pop_back();
        while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xc0) == 0x80);
        if (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xc0) == 0xc0)
            cut.pop_back();
        while (!cut.empty() && cut.back() == ' ')
            cut.pop_back();
        if (measure.TextWidth(cut + kEllipsis, font) <= width)
            return cut + kEllipsis;
    }
    return kEllipsis;
}

namespace {

// What the host draws of a widget of its own classes; returns whether the
// widget's children sit on a selection (a highlighted list row).
// What a widget's drawing knows of where it sits: the root of its tree (which
// keeps the focus), and inside a list, where its rows' highlight ends (the
// scrolling area's right edge or the scroll bar) so that it reaches the edge
// whatever the row's own frame.
struct Within {
    const ui::WidgetRecord* root = nullptr;
    double rowsRight = 0; // 0: not in a list
};

bool DrawHostFace(Painter& painter, const Boss* widget, IControlView& view, const Rect& box,
                  bool selected, const Within& within) {
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
            Fill(painter, {box.x, box.y, std::max(box.width, within.rowsRight - box.x), box.height},
                 kSelection);
            return true;
        }
        break;
    case kStaticTextWidgetBoss:
    case kInfoTextWidgetBoss:
        if (within.rowsRight > 0) {
            // In a row: a name too long for it ends in "…", and a text whose
            // frame is shorter than the font takes the room above it, so
            // that its descenders stay off what lies under it (a row's bar)
            // and it sits on the middle of what lies beside it.
            const double band = std::max(box.height, std::ceil(kWidgetFont.size * kRowTextLeading));
            painter.Text(FitText(painter, ui::TextOf(widget), kWidgetFont, box.width), box.x,
                         box.Bottom() - band, band, kWidgetFont, text);
        } else {
            const std::string label = ui::TextOf(widget);
            painter.Text(label, box.x, box.y, box.height, LabelFont(painter, label, box.width),
                         text);
        }
        break;
    case kSliderComboWidgetBoss:
        DrawField(painter, widget, view, box);
        break;
    case kIconButtonWidgetBoss:
        DrawIconButton(painter, widget, view, box);
        break;
    case kPictureWidgetBoss:
        DrawPicture(painter, widget, view, box);
        break;
    case kSizeBoxWidgetBoss:
        DrawSizeBox(painter, box);
        break;
    case kOKButtonWidgetBoss: {
        const ui::WidgetRecord* record = ui::RecordOf(widget);
        Fill(painter, box, record && record->pressed && view.IsEnabled() ? kPressedFace : kBackTab);
        painter.Outline(box, ToColor(kFieldEdge));
        TextCentred(painter, ui::TextOf(widget), box, kWidgetFont, text);
        break;
    }
    case kSeparatorWidgetBoss:
        Fill(painter, {box.x, box.y + std::floor(box.height / 2), box.width, 1}, kListEdge);
        break;
    default:
        break;
    }
    return selected;
}

// The control with the keyboard focus shows a mark: a list and a button an
// outline (the field shows its caret).
void DrawFocusMark(Painter& painter, const Boss* widget, const IControlView& view, const Rect& box,
                   const ui::WidgetRecord* root) {
    if (!root || !root->focus || *root->focus != view.GetWidgetID() || !view.IsEnabled())
        return;
    switch (HostKind(widget)) {
    case kListBoxWidgetBoss:
    case kIconButtonWidgetBoss:
    case kOKButtonWidgetBoss:
        painter.Outline(box, ToColor(kFocusMark));
        break;
    default:
        break;
    }
}

// The widget, then what its view draws itself (a plug-in's own view, clipped
// to it), then its children; a list shows only the rows within it.
void DrawWidget(Painter& painter, const Boss* widget, Point origin, bool selected,
                Within within = {}) {
    IControlView* view = ui::ViewOf(widget);
    if (!view || !view->IsVisible())
        return;
    const Rect box = WidgetBox(*view, origin);
    const bool childrenSelected = DrawHostFace(painter, widget, *view, box, selected, within);

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
    const ui::WidgetRecord* root = within.root;
    if (!within.root)
        within.root = ui::RecordOf(widget);
    const bool list = HostKind(widget) == kListBoxWidgetBoss;
    const auto bar = list ? ScrollBarOf(widget, box) : std::nullopt;
    if (list) {
        const Boss* area = ui::FindWidget(widget, kListScrollWidgetID, 1);
        const IControlView* areaView = ui::ViewOf(area);
        within.rowsRight = bar        ? bar->track.x
                           : areaView ? WidgetBox(*areaView, {box.x, box.y}).Right()
                                      : box.Right();
    }
    for (const Boss* child : ui::ChildrenOf(widget))
        DrawWidget(painter, child, {box.x, box.y}, childrenSelected, within);
    if (clips)
        painter.Restore();
    if (bar)
        DrawScrollBar(painter, *bar);
    DrawFocusMark(painter, widget, *view, box, root);
}

void DrawTitleBar(Painter& painter, const std::string& title, const Rect& bar) {
    Fill(painter, bar, kTitleBar);
    painter.Text(title, 8, bar.y, bar.height, {kWindowFont.size, true}, ToColor(kTitleText));
}

void DrawTabs(Painter& painter, const GroupLook& group) {
    Fill(painter, group.strip, kTabStrip);
    for (const TabLook& tab : group.tabs) {
        Fill(painter, tab.area, tab.front ? kFrontTab : kBackTab);
        painter.Text(tab.label, tab.area.x + 8, group.strip.y + 4, kTabHeight - 4,
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

void DrawAlert(Painter& painter, const AlertLook& look, const AlertState& state) {
    Fill(painter, {0, 0, double(look.width), double(look.height)}, kFrame);
    DrawTitleBar(painter, look.title, look.titleBar);
    const Rect face{kBorder, look.titleBar.Bottom(), double(look.width - 2 * kBorder),
                    look.height - kBorder - look.titleBar.Bottom()};
    Fill(painter, face, kPanelFace);
    const double line = look.lines.empty() ? 0 : look.text.height / look.lines.size();
    for (size_t i = 0; i < look.lines.size(); ++i)
        painter.Text(look.lines[i], look.text.x, look.text.y + line * i, line, kWidgetFont,
                     ToColor(kText));
    if (look.offered) {
        Fill(painter, look.check, kListFace);
        painter.Outline(look.check, ToColor(kFieldEdge));
        if (state.checked) {
            const Rect& c = look.check;
            Path tick;
            tick.runs.push_back(
                {{c.x + 3, c.y + 6.5}, {c.x + 5.5, c.y + 9}, {c.x + 10, c.y + 3.5}});
            painter.Stroke(tick, ToColor(kText), LineEnds::kFlat);
        }
        painter.Text(kDontShowAgainText, look.checkLabel.x, look.checkLabel.y,
                     look.checkLabel.height, kWidgetFont, ToColor(kText));
        if (state.focus == 1)
            painter.Outline(look.checkLabel, ToColor(kFocusMark));
    }
    // As the About dialog's OK button, darker while held down.
    Fill(painter, look.ok, state.pressed ? kPressedFace : kBackTab);
    painter.Outline(look.ok, ToColor(state.focus == 2 ? kFocusMark : kFieldEdge));
    TextCentred(painter, "OK", look.ok, kWidgetFont, ToColor(kText));
}

void DrawBareWindow(Painter& painter, const std::string& title, double width, double height) {
    DrawTitleBar(painter, title, {0, 0, width, kTitleHeight});
    Fill(painter, {0, kTitleHeight, width, height - kTitleHeight}, kPanelFace);
}

} // namespace host::paint
