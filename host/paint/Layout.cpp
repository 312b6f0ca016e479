#include "paint/Layout.h"

#include "HostIDs.h"
#include "OSWindows.h"
#include "core/Host.h"
#include "core/Text.h"
#include "ui/DialogManager.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"
#include "world/World.h"

#include <algorithm>
#include <cmath>

namespace host::paint {

// The world places palettes clear of each other's title bars on this screen.
static_assert(kBorder + kTitleHeight == kPaletteTitleBar);
static_assert(kPlaceholderWidth + 2 * kBorder == kPaletteLeastWidth);
static_assert(kScreenWidth == kPlacingWidth && kScreenHeight == kPlacingHeight);

Rect Intersection(const Rect& a, const Rect& b) {
    const double x = std::max(a.x, b.x), y = std::max(a.y, b.y);
    const double right = std::min(a.Right(), b.Right()), bottom = std::min(a.Bottom(), b.Bottom());
    if (right <= x || bottom <= y)
        return {};
    return {x, y, right - x, bottom - y};
}

namespace {

// A panel's name as its tab shows it: translated when it is a string key,
// without its mnemonic marks ("&&" shows one "&").
std::string TabName(const Host& host, const std::string& name) {
    const auto translated = host.TranslateKey(UTF8ToUTF16(name));
    const std::string text = translated ? UTF16ToUTF8(*translated) : name;
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

uint8 WindowAlpha(HWND window) {
    if (!window || !(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED))
        return 255;
    BYTE alpha = 255;
    return GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr) ? alpha : 255;
}

// A tab group: its tabs side by side from the strip's left, and the size of
// its front panel (a placeholder's when the panel has no widget).
GroupLook LayOutGroup(const Host& host, const std::vector<int32>& ids, TextMeasure& measure) {
    World& world = host.Get<World>();
    GroupLook group;
    group.content = {0, 0, kPlaceholderWidth, kPlaceholderHeight};
    double left = kBorder + 4;
    for (int32 id : ids) {
        const auto panel = world.FindPanel(id);
        if (!panel)
            continue;
        const std::string name = TabName(host, panel->name);
        TabLook tab{name, name, panel->front, {}, id};
        const double width = std::ceil(measure.TextWidth(tab.name, kWindowFont) + 16);
        tab.area =
            tab.front ? Rect{left, 3, width, kTabHeight - 3} : Rect{left, 5, width, kTabHeight - 6};
        left += width + 2;
        group.tabs.push_back(tab);
        if (!panel->front)
            continue;
        group.frontID = id;
        group.frontName = tab.name;
        if (const Boss* widget = host.Get<ui::PluginPanels>().PanelWidget(id))
            if (const IControlView* view = ui::ViewOf(widget)) {
                group.widget = widget;
                group.content.width = static_cast<double>(std::lround(view->GetFrame().Width()));
                group.content.height = static_cast<double>(std::lround(view->GetFrame().Height()));
            }
    }
    return group;
}

// Tabs that would run past the strip (or under the menu button) share its
// room, their names cut to fit; when even the narrowest tabs do not fit,
// those furthest from the front tab are left out, so the front tab shows.
void FitTabs(GroupLook& group, double room, TextMeasure& measure) {
    constexpr double kGap = 2, kMinTab = 30, kPadding = 16;
    double wanted = 0;
    for (const TabLook& tab : group.tabs)
        wanted += tab.area.width + kGap;
    if (wanted <= room || group.tabs.empty())
        return;
    const auto fitting = static_cast<size_t>(std::max(1.0, std::floor(room / (kMinTab + kGap))));
    if (group.tabs.size() > fitting) {
        size_t front = 0;
        for (size_t i = 0; i < group.tabs.size(); ++i)
            if (group.tabs[i].front)
                front = i;
        const size_t first =
            std::min(front >= fitting ? front - fitting + 1 : 0, group.tabs.size() - fitting);
        group.tabs =
            std::vector<TabLook>(group.tabs.begin() + static_cast<std::ptrdiff_t>(first),
                                 group.tabs.begin() + static_cast<std::ptrdiff_t>(first + fitting));
    }
    const double width = std::floor(room / static_cast<double>(group.tabs.size())) - kGap;
    double left = kBorder + 4;
    for (TabLook& tab : group.tabs) {
        tab.area.x = left;
        tab.area.width = std::min(tab.area.width, width);
        tab.label =
            FitText(measure, tab.name, {kWindowFont.size, tab.front}, tab.area.width - kPadding);
        left += tab.area.width + kGap;
    }
}

// Groups stack under the title bar, each its tab strip over its front panel,
// in a window as wide as the widest panel.
PaletteLook LayOutPalette(const Host& host, const PaletteInfo& palette, TextMeasure& measure) {
    PaletteLook look;
    look.area.name = palette.name;
    look.area.alpha = WindowAlpha(palette.window);
    int32 width = kPlaceholderWidth, height = kTitleHeight;
    for (const auto& ids : palette.groups) {
        look.groups.push_back(LayOutGroup(host, ids, measure));
        const Rect& content = look.groups.back().content;
        width = std::max(width, static_cast<int32>(content.width));
        height += kTabHeight + static_cast<int32>(content.height);
    }
    look.area.left = palette.position.x;
    look.area.top = palette.position.y;
    look.area.width = width + 2 * kBorder;
    look.area.height = height + 2 * kBorder;
    const int32 inner = width;
    look.title = {kBorder, kBorder, static_cast<double>(inner), kTitleHeight};
    int32 top = kBorder + kTitleHeight;
    for (GroupLook& group : look.groups) {
        const bool withMenu = &group == &look.groups.front();
        FitTabs(group, inner - 4 - (withMenu ? kMenuButtonWidth + 2 : 2), measure);
        for (TabLook& tab : group.tabs)
            tab.area.y += top;
        group.strip = {kBorder, static_cast<double>(top), static_cast<double>(inner), kTabHeight};
        top += kTabHeight;
        group.content = {kBorder, static_cast<double>(top), static_cast<double>(inner),
                         group.content.height};
        look.area.panels.push_back({group.frontID, look.area.left + kBorder, look.area.top + top});
        top += static_cast<int32>(group.content.height);
    }
    if (!look.groups.empty()) {
        const Rect& strip = look.groups.front().strip;
        look.menu = {strip.Right() - kMenuButtonWidth, strip.y, kMenuButtonWidth, kTabHeight};
    }
    return look;
}

// The host's front dialog.
std::vector<DialogView> OpenDialogs(const Host& host) {
    ui::DialogManager& dialogs = host.Get<ui::DialogManager>();
    if (Boss* front = dialogs.FrontDialog())
        return {{dialogs.Title(front), front}};
    return {};
}

// A dialog sits centred across the screen and a third of the way down, its
// widgets under its title bar. Its own boss need not be a view: then its
// size is the one given.
DialogLook LayOutDialog(const DialogView& dialog) {
    DialogLook look;
    look.view = dialog;
    const IControlView* view = ui::ViewOf(dialog.root);
    const PMRect frame = view ? view->GetFrame() : PMRect(0, 0, dialog.width, dialog.height);
    const auto inner = [](int32 given, PMReal framed) {
        return given > 0 ? given : static_cast<int32>(std::lround(framed));
    };
    const int32 width = inner(dialog.width, frame.Width()) + 2 * kBorder;
    const int32 height = inner(dialog.height, frame.Height()) + 2 * kBorder + kTitleHeight;
    look.area = {dialog.title,
                 (kScreenWidth - width) / 2,
                 (kScreenHeight - height) / 3,
                 width,
                 height,
                 255,
                 {}};
    look.title = {kBorder, kBorder, static_cast<double>(width - 2 * kBorder), kTitleHeight};
    look.content = {kBorder, kBorder + kTitleHeight, static_cast<double>(width - 2 * kBorder),
                    static_cast<double>(height - 2 * kBorder - kTitleHeight)};
    look.origin = {kBorder - frame.Left(), kBorder + kTitleHeight - frame.Top()};
    return look;
}

class NoMeasure final : public TextMeasure {
public:
    double TextWidth(const std::string&, const Font&) override { return 0; }
};

} // namespace

ScreenLook LayOut(const Host& host, TextMeasure& measure) {
    ScreenLook screen;
    // Bottom first: in creation order, the palettes raised since over them.
    std::vector<PaletteInfo> palettes = host.Get<World>().Palettes();
    std::stable_sort(
        palettes.begin(), palettes.end(),
        [](const PaletteInfo& a, const PaletteInfo& b) { return a.raisedAt < b.raisedAt; });
    for (const PaletteInfo& palette : palettes) {
        const bool shown =
            palette.window ? host.Get<World>().IsPaletteWindowShown(palette.window) : palette.shown;
        if (shown)
            screen.palettes.push_back(LayOutPalette(host, palette, measure));
    }
    for (const DialogView& dialog : OpenDialogs(host))
        if (dialog.root)
            screen.dialogs.push_back(LayOutDialog(dialog));
    return screen;
}

std::vector<WindowArea> ShownWindows(const Host& host) {
    NoMeasure none;
    std::vector<WindowArea> areas;
    for (PaletteLook& look : LayOut(host, none).palettes)
        areas.push_back(std::move(look.area));
    return areas;
}

// ---- The host's alert ------------------------------------------------------------------

std::vector<std::string> WrapText(TextMeasure& measure, const std::string& text, const Font& font,
                                  double width) {
    std::vector<std::string> lines;
    std::string line;
    size_t at = 0;
    while (at < text.size()) {
        if (text[at] == '\n') {
            lines.push_back(line);
            line.clear();
            ++at;
            continue;
        }
        const size_t end = std::min(text.find_first_of(" \n", at), text.size());
        const std::string word = text.substr(at, end - at);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && measure.TextWidth(longer, font) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        at = end < text.size() && text[end] == ' ' ? end + 1 : end;
    }
    if (!line.empty() || lines.empty())
        lines.push_back(line);
    return lines;
}

AlertLook LayOutAlert(TextMeasure& measure, const std::string& text, bool offered) {
    constexpr int32 kPad = 14, kLine = 15, kOkWidth = 80, kOkHeight = 20, kBox = 13;
    AlertLook look;
    look.offered = offered;
    look.width = kAlertWidth;
    const double inner = kAlertWidth - 2 * kBorder - 2 * kPad;
    look.lines = WrapText(measure, text, kWidgetFont, inner);
    look.titleBar = {kBorder, kBorder, double(kAlertWidth - 2 * kBorder), kTitleHeight};
    double top = kBorder + kTitleHeight + kPad;
    look.text = {kBorder + kPad, top, inner, double(kLine * look.lines.size())};
    top = look.text.Bottom() + kPad;
    if (offered) {
        look.check = {kBorder + kPad, top + (kOkHeight - kBox) / 2.0, kBox, kBox};
        look.checkLabel = {look.check.Right() + 6, top,
                           std::ceil(measure.TextWidth(kDontShowAgainText, kWidgetFont)) + 4,
                           kOkHeight};
    }
    look.ok = {double(kAlertWidth - kBorder - kPad - kOkWidth), top, kOkWidth, kOkHeight};
    look.height = static_cast<int32>(look.ok.Bottom()) + kPad + kBorder;
    return look;
}

// ---- Widgets -------------------------------------------------------------------------

ClassID HostKind(const Boss* widget) {
    static constexpr ClassID kKnown[] = {
        kErasablePanelWidgetBoss, kListBoxWidgetBoss,     kCellPanelWidgetBoss,
        kStaticTextWidgetBoss,    kSliderComboWidgetBoss, kIconButtonWidgetBoss,
        kSizeBoxWidgetBoss,       kOKButtonWidgetBoss,    kInfoTextWidgetBoss,
        kSeparatorWidgetBoss,     kPictureWidgetBoss,     kScrollPanelWidgetBoss};
    if (!widget)
        return 0;
    const ObjectModel& model = widget->Model();
    ClassID id = widget->Class();
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

Rect WidgetBox(const IControlView& view, Point origin) {
    const PMRect frame = view.GetFrame();
    return {origin.x + frame.Left(), origin.y + frame.Top(), frame.Width(), frame.Height()};
}

bool ClipsChildren(const Boss* widget) {
    const ClassID kind = HostKind(widget);
    return kind == kListBoxWidgetBoss || kind == kScrollPanelWidgetBoss;
}

namespace {

void CollectPlaces(const Boss* widget, Point origin, const Rect& clip,
                   std::vector<WidgetPlace>& places) {
    IControlView* view = ui::ViewOf(widget);
    if (!view || !view->IsVisible())
        return;
    const Rect box = WidgetBox(*view, origin);
    places.push_back({widget, box, Intersection(box, clip)});
    const Rect inner = ClipsChildren(widget) ? Intersection(box, clip) : clip;
    for (const Boss* child : ui::ChildrenOf(widget))
        CollectPlaces(child, {box.x, box.y}, inner, places);
}

constexpr Rect kEverywhere{-1e9, -1e9, 2e9, 2e9};

} // namespace

std::vector<WidgetPlace> WidgetPlaces(const Boss* root, Point origin) {
    std::vector<WidgetPlace> places;
    CollectPlaces(root, origin, kEverywhere, places);
    return places;
}

std::optional<ScrollBarLook> ScrollBarOf(const Boss* list, const Rect& listBox) {
    const ui::ListScroll scroll = ui::ScrollOf(list);
    if (!scroll.overflows || scroll.rows <= scroll.inView)
        return std::nullopt;
    const Boss* area = ui::FindWidget(list, kListScrollWidgetID, 1);
    const IControlView* areaView = ui::ViewOf(area);
    const Rect inner = areaView ? WidgetBox(*areaView, {listBox.x, listBox.y}) : listBox;
    ScrollBarLook bar;
    bar.track = {inner.Right() - ui::kScrollBarWidth, inner.y, double(ui::kScrollBarWidth),
                 inner.height};
    const double length =
        std::max(12.0, std::round(inner.height * scroll.inView / double(scroll.rows)));
    const double travel = inner.height - length;
    const double top =
        std::round(travel * scroll.first / double(std::max(1, scroll.rows - scroll.inView)));
    bar.thumb = {bar.track.x, inner.y + top, bar.track.width, length};
    return bar;
}

Point PanelOrigin(const GroupLook& group) {
    const IControlView* view = group.widget ? ui::ViewOf(group.widget) : nullptr;
    const PMRect frame = view ? view->GetFrame() : PMRect();
    return {group.content.x - frame.Left(), group.content.y - frame.Top()};
}

std::vector<WidgetPlace> PanelPlaces(const PaletteLook& look, const GroupLook& group) {
    if (!group.widget)
        return {};
    const Point origin = PanelOrigin(group);
    return WidgetPlaces(group.widget, {look.area.left + origin.x, look.area.top + origin.y});
}

std::vector<const Boss*> DialogWidgets(const DialogLook& look) {
    if (ui::ViewOf(look.view.root))
        return {look.view.root};
    const auto children = ui::ChildrenOf(look.view.root);
    return {children.begin(), children.end()};
}

std::vector<WidgetPlace> DialogPlaces(const DialogLook& look) {
    std::vector<WidgetPlace> places;
    const Point origin{look.area.left + look.origin.x, look.area.top + look.origin.y};
    for (const Boss* widget : DialogWidgets(look))
        CollectPlaces(widget, origin, kEverywhere, places);
    return places;
}

} // namespace host::paint
