#include "paint/Layout.h"

#include "HostIDs.h"
#include "OSWindows.h"
#include "core/Host.h"
#include "core/Text.h"
#include "ui/DialogManager.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"
#include "world/World.h"

#include <algorithm>
#include <cmath>

namespace host::paint {

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
        TabLook tab{TabName(host, panel->name), panel->front, {}, id};
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
    for (const PaletteInfo& palette : host.Get<World>().Palettes()) {
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
