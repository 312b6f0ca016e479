#include "live/LiveLayout.h"

#include "HostIDs.h"
#include "OpalID.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"
#include "world/World.h"

#include <algorithm>
#include <memory>

namespace host::live {

paint::ScreenLook LayOutScreen() {
    static const std::unique_ptr<paint::TextMeasure> measure = paint::NewScreenTextMeasure();
    return paint::LayOut(Host::Current(), *measure);
}

HWND WindowOf(const std::string& palette) {
    const auto info = Host::Current().Get<World>().FindPalette(palette);
    return info ? info->window : nullptr;
}

std::optional<paint::PaletteLook> FindPalette(HWND window) {
    for (paint::PaletteLook& look : LayOutScreen().palettes)
        if (window && WindowOf(look.area.name) == window)
            return std::move(look);
    return std::nullopt;
}

int32 TabPanel(const paint::PaletteLook& look, size_t g, size_t t) {
    // The layout shows a tab for each panel of the group that exists, in order.
    const auto palette = Host::Current().Get<World>().FindPalette(look.area.name);
    if (!palette || g >= palette->groups.size())
        return 0;
    size_t tab = 0;
    for (int32 id : palette->groups[g])
        if (Host::Current().Get<World>().FindPanel(id) && tab++ == t)
            return id;
    return 0;
}

namespace {

void Assign(OpalPlaces& opal, const std::vector<Boss*>& rows, const paint::WidgetPlace& place) {
    const auto row = std::find(rows.begin(), rows.end(), place.widget);
    const WidgetID id = ui::ViewOf(place.widget)->GetWidgetID();
    if (row != rows.end())
        opal.rows[static_cast<size_t>(row - rows.begin())] = place.shown;
    else if (id == kOpalOpacitySliderWidgetID)
        opal.field = place.shown;
    else if (id == kOpalOnOffButtonWidgetID)
        opal.onOff = place.shown;
    else if (id == kOpalSwapContentButtonWidgetID)
        opal.swap = place.shown;
    else if (paint::HostKind(place.widget) == kSizeBoxWidgetBoss)
        opal.sizeBox = place.shown;
}

} // namespace

std::optional<OpalPlaces> FindOpal(const paint::PaletteLook& look) {
    const auto opalID = Host::Current().Get<ui::PluginPanels>().FindByNameKey(kOpalPanelTitleKey);
    for (const paint::GroupLook& group : look.groups) {
        if (!opalID || group.frontID != *opalID || !group.widget)
            continue;
        OpalPlaces opal;
        opal.panel = const_cast<Boss*>(group.widget);
        opal.list = ui::FindWidget(opal.panel, kOpalPanelListWidgetID);
        const std::vector<Boss*> rows = opal.list ? ui::ListRows(opal.list) : std::vector<Boss*>{};
        opal.rows.resize(rows.size());
        for (const paint::WidgetPlace& place : paint::PanelPlaces(look, group))
            Assign(opal, rows, place);
        return opal;
    }
    return std::nullopt;
}

} // namespace host::live
