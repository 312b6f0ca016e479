#include "ui/PluginPanels.h"

#include "ISubject.h"
#include "core/Text.h"
#include "ui/LayoutReader.h"
#include "ui/Widgets.h"
#include "world/World.h"

namespace host::ui {

void PluginPanels::DefineClasses(ObjectModel& model) {
    DefineWidgetClasses(model);
}

void PluginPanels::PluginLoaded(const LoadedPlugin& plugin) {
    for (const auto& [key, bytes] : plugin.resources.All())
        if (key.type == kPanelListRsrcType)
            if (const auto list = DecodePanelList(bytes))
                Register(*list);
}

void PluginPanels::Register(const PanelList& list) {
    World& world = fHost.Get<World>();
    for (const PanelDef& def : list.panels) {
        Panel* known = nullptr;
        for (Panel& p : fPanels)
            if (p.nameKey == def.nameKey)
                known = &p;
        if (!known) {
            // Plug-in panels count from 1; host panels from 101.
            int32 id = 1;
            while (world.FindPanel(id) || Find(id))
                ++id;
            fPanels.push_back({id, def.nameKey, def.layoutOwner, def.layoutID});
            known = &fPanels.back();
        }
        known->owner = def.layoutOwner;
        known->layoutID = def.layoutID;
        if (!world.FindPanel(def.nameKey)) {
            PanelOptions options;
            options.panelID = known->panelID;
            world.AddPanel(def.nameKey, options);
        }
    }
}

std::optional<int32> PluginPanels::FindByNameKey(const std::string& key) const {
    for (const Panel& p : fPanels)
        if (p.nameKey == key)
            return p.panelID;
    return std::nullopt;
}

PluginPanels::Panel* PluginPanels::Find(int32 panelID) {
    for (Panel& p : fPanels)
        if (p.panelID == panelID)
            return &p;
    return nullptr;
}

const PluginPanels::Panel* PluginPanels::Find(int32 panelID) const {
    return const_cast<PluginPanels*>(this)->Find(panelID);
}

bool PluginPanels::Built(const Panel& panel) const {
    const Boss* container = fHost.Get<World>().PanelBoss(panel.panelID);
    return panel.widget && container && container->GetUID() == panel.container;
}

std::string PluginPanels::PaletteName(int32 panelID) const {
    const Panel* panel = Find(panelID);
    if (!panel)
        return {};
    const auto text = fHost.TranslateKey(Windows1252ToUTF16(panel->nameKey));
    return text ? UTF16ToUTF8(*text) : panel->nameKey;
}

void PluginPanels::Build(Panel& panel) {
    World& world = fHost.Get<World>();
    Host& host = fHost;
    const auto layout = ReadLayout(host, panel.owner, panel.layoutID, true, host.Language());
    if (!layout)
        throw WorldError("the panel " + panel.nameKey + " has no usable layout");
    const std::string palette = PaletteName(panel.panelID);
    const auto info = world.FindPanel(panel.panelID);
    if (!info || !info->boss)
        throw WorldError("the panel " + panel.nameKey + " is not in the panel registry");
    if (info->palette.empty()) {
        if (!world.FindPalette(palette))
            world.AddPalette(palette, kPaletteFloatingBoss, false);
        world.MovePanel(panel.nameKey, palette);
    }
    Boss* container = world.PanelBoss(panel.panelID);
    auto* children = container->PeekAs<IPanelControlData>(IID_IPANELCONTROLDATA);
    Boss* widget = BuildWidget(host, *layout, &host.UIDataBase());
    IControlView* view = ViewOf(widget);
    if (!widget || !view || !children) {
        if (widget)
            widget->Release();
        throw WorldError("the panel " + panel.nameKey + " cannot be built");
    }
    children->ReleaseAll(kFalse);
    children->AddWidget(view, -1, kFalse);
    widget->Release();
    panel.widget = widget;
    panel.container = container->GetUID();
    panel.attached = false;
}

void PluginPanels::Show(int32 panelID) {
    Panel* panel = Find(panelID);
    if (!panel)
        throw WorldError("no plug-in panel with ID " + std::to_string(panelID));
    if (!Built(*panel))
        Build(*panel);
    fHost.Get<World>().ShowPanel(panelID, true);
    // Already shown (no change for the world to report): attach if not yet.
    if (IsShown(panelID) && !panel->attached)
        Attach(*panel, true);
}

void PluginPanels::Close(int32 panelID) {
    const Panel* panel = Find(panelID);
    if (!panel || !Built(*panel))
        return;
    fHost.Get<World>().HidePanel(panelID);
}

bool PluginPanels::IsShown(int32 panelID) const {
    const Panel* panel = Find(panelID);
    return panel && Built(*panel) && fHost.Get<World>().IsPanelPaletteShown(panelID);
}

Boss* PluginPanels::PanelWidget(int32 panelID) const {
    const Panel* panel = Find(panelID);
    return panel && Built(*panel) ? panel->widget : nullptr;
}

std::vector<Boss*> PluginPanels::PanelWidgets() const {
    std::vector<Boss*> widgets;
    for (const Panel& panel : fPanels)
        if (Built(panel))
            widgets.push_back(panel.widget);
    return widgets;
}

void PluginPanels::Attach(Panel& panel, bool attach) {
    const WidgetRecord* record = RecordOf(panel.widget);
    auto* observer = record && record->observerIID
                         ? panel.widget->PeekAs<IObserver>(*record->observerIID)
                         : nullptr;
    panel.attached = attach;
    if (!observer)
        return;
    panel.widget->AddRef();
    if (attach)
        observer->AutoAttach();
    else
        observer->AutoDetach();
    panel.widget->Release();
}

void PluginPanels::PaletteShown(const Boss* palette, bool shown) {
    World& world = fHost.Get<World>();
    for (Panel& panel : fPanels) {
        if (!Built(panel) || panel.attached == shown)
            continue;
        const auto info = world.FindPanel(panel.panelID);
        const auto holder =
            info && !info->palette.empty() ? world.FindPalette(info->palette) : std::nullopt;
        if (holder && holder->boss == palette)
            Attach(panel, shown);
    }
}

void PluginPanels::WorldTakenDown() {
    // The widgets went with their panel objects; a new session builds anew
    // and shows the panel closed until it is opened.
    World& world = fHost.Get<World>();
    for (Panel& panel : fPanels) {
        panel.widget = nullptr;
        panel.container = kInvalidUID;
        panel.attached = false;
        const auto info = world.FindPanel(panel.panelID);
        if (info && !info->palette.empty())
            world.HidePalette(info->palette);
    }
}

// Widgets are drawn when the host asks them to (print bar, pictures); a
// redraw request is counted so that tests and the host can see it was made.
void PluginPanels::Invalidated(const Boss* widget) {
    ++fInvalidations;
    if (WidgetRecord* record = RecordOf(widget))
        ++record->invalidations;
    // A window that shows the widget draws it again.
    if (widget)
        redrawn.Publish(widget);
}

} // namespace host::ui
