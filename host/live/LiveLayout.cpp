#include "live/LiveLayout.h"

#include "HostIDs.h"
#include "OpalID.h"
#include "core/Host.h"
#include "core/Text.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"
#include "world/World.h"

#include <algorithm>
#include <cmath>

namespace host::live {

namespace {

int Round(PMReal value) {
    return static_cast<int>(std::lround(value));
}

GroupPlace LayOutGroup(const std::vector<int32>& ids, int top, const TextWidth& width) {
    GroupPlace group;
    World& world = World::Get();
    int left = kBorder + 4;
    for (int32 id : ids) {
        const auto panel = world.FindPanel(id);
        if (!panel)
            continue;
        TabPlace tab{id, TabLabel(panel->name), panel->front, {}};
        const int tabWidth = width(tab.label) + 16;
        tab.rect = {left, top + 3, tabWidth, kTabHeight - 3};
        left += tabWidth + 2;
        group.tabs.push_back(tab);
        if (!panel->front)
            continue;
        group.frontID = id;
        group.frontLabel = tab.label;
        group.content = {kBorder, top + kTabHeight, kPlaceholderWidth, kPlaceholderHeight};
        if (const Boss* widget = ui::PluginPanels::Get().PanelWidget(id))
            if (const IControlView* view = ui::ViewOf(widget)) {
                group.widget = widget;
                group.content.w = Round(view->GetFrame().Width());
                group.content.h = Round(view->GetFrame().Height());
            }
    }
    if (!group.frontID)
        group.content = {kBorder, top + kTabHeight, kPlaceholderWidth, kPlaceholderHeight};
    group.strip = {kBorder, top, 0, kTabHeight};
    return group;
}

PaletteLayout LayOut(const PaletteInfo& palette, const TextWidth& width) {
    PaletteLayout layout;
    layout.name = palette.name;
    layout.window = palette.window;
    layout.x = palette.position.x;
    layout.y = palette.position.y;
    int inner = kPlaceholderWidth, top = kBorder + kTitleHeight;
    for (const auto& ids : palette.groups) {
        GroupPlace group = LayOutGroup(ids, top, width);
        inner = std::max(inner, group.content.w);
        top = group.content.y + group.content.h;
        layout.groups.push_back(std::move(group));
    }
    layout.w = inner + 2 * kBorder;
    layout.h = top + kBorder;
    for (GroupPlace& group : layout.groups) {
        group.strip.w = inner;
        group.content.w = inner;
    }
    layout.title = {kBorder, kBorder, inner, kTitleHeight};
    // The menu button sits at the right of the first tab strip.
    const int stripTop = layout.groups.empty() ? kBorder + kTitleHeight : layout.groups[0].strip.y;
    layout.menu = {kBorder + inner - kMenuButtonWidth - 2, stripTop + 2, kMenuButtonWidth,
                   kTabHeight - 4};
    return layout;
}

void Walk(const Boss* widget, int ox, int oy, bool selected, const WidgetVisit& visit) {
    IControlView* view = ui::ViewOf(widget);
    if (!view || !view->IsVisible())
        return;
    const PMRect f = view->GetFrame();
    const Rect rect{ox + Round(f.Left()), oy + Round(f.Top()), Round(f.Width()), Round(f.Height())};
    if (HostKind(widget) == kCellPanelWidgetBoss && view->IsHilited())
        selected = true;
    visit(widget, rect, selected);
    for (const Boss* child : ui::ChildrenOf(widget))
        Walk(child, rect.x, rect.y, selected, visit);
}

} // namespace

ClassID HostKind(const Boss* widget) {
    static constexpr ClassID kKnown[] = {
        kErasablePanelWidgetBoss, kListBoxWidgetBoss,     kCellPanelWidgetBoss,
        kStaticTextWidgetBoss,    kSliderComboWidgetBoss, kIconButtonWidgetBoss,
        kSizeBoxWidgetBoss,       kOKButtonWidgetBoss,    kInfoTextWidgetBoss,
        kSeparatorWidgetBoss,     kPictureWidgetBoss,     kScrollPanelWidgetBoss};
    const ObjectModel& model = Host::Get().Model();
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

std::string TabLabel(const std::string& name) {
    const auto translated = Host::Get().TranslateKey(UTF8ToUTF16(name));
    const std::string text = translated ? UTF16ToUTF8(*translated) : name;
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

std::vector<PaletteLayout> ShownPalettes(const TextWidth& width) {
    std::vector<PaletteLayout> shown;
    for (const PaletteInfo& palette : World::Get().Palettes())
        if (palette.window && World::IsPaletteWindowShown(palette.window))
            shown.push_back(LayOut(palette, width));
    return shown;
}

std::optional<PaletteLayout> FindLayout(HWND window, const TextWidth& width) {
    for (const PaletteInfo& palette : World::Get().Palettes())
        if (palette.window == window)
            return LayOut(palette, width);
    return std::nullopt;
}

void WalkWidgets(const Boss* root, int originX, int originY, const WidgetVisit& visit) {
    Walk(root, originX, originY, false, visit);
}

void PanelOrigin(const GroupPlace& group, int* x, int* y) {
    const PMRect f = ui::ViewOf(group.widget)->GetFrame();
    *x = group.content.x - Round(f.Left());
    *y = group.content.y - Round(f.Top());
}

std::optional<OpalPlaces> FindOpal(const PaletteLayout& palette) {
    const auto opalID = ui::PluginPanels::Get().FindByNameKey(kOpalPanelTitleKey);
    for (const GroupPlace& group : palette.groups) {
        if (!opalID || group.frontID != *opalID || !group.widget)
            continue;
        OpalPlaces opal;
        opal.panel = const_cast<Boss*>(group.widget);
        opal.list = ui::FindWidget(opal.panel, kOpalPanelListWidgetID);
        const std::vector<Boss*> rows = opal.list ? ui::ListRows(opal.list) : std::vector<Boss*>{};
        opal.rows.resize(rows.size());
        int x = 0, y = 0;
        PanelOrigin(group, &x, &y);
        WalkWidgets(group.widget, x, y, [&](const Boss* widget, const Rect& rect, bool) {
            const WidgetID id = ui::ViewOf(widget)->GetWidgetID();
            const auto row = std::find(rows.begin(), rows.end(), widget);
            if (row != rows.end())
                opal.rows[static_cast<size_t>(row - rows.begin())] = rect;
            else if (id == kOpalPanelListWidgetID)
                opal.listRect = rect;
            else if (id == kOpalOpacitySliderWidgetID)
                opal.field = rect;
            else if (id == kOpalOnOffButtonWidgetID)
                opal.onOff = rect;
            else if (id == kOpalSwapContentButtonWidgetID)
                opal.swap = rect;
            else if (HostKind(widget) == kSizeBoxWidgetBoss)
                opal.sizeBox = rect;
        });
        return opal;
    }
    return std::nullopt;
}

} // namespace host::live
