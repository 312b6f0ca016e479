#include "world/Panels.h"

#include "IPanelRegistry.h"
#include "world/WorldState.h"
#include "world/WorldWidgets.h"

namespace host {
namespace {

class PanelRegistryImpl : public CPMUnknown<IPanelRegistry> {
public:
    using CPMUnknown<IPanelRegistry>::CPMUnknown;
    int32 GetPanelCount() const override { return TheWorld().PanelCount(); }
    int32 GetNthPanelID(int32 index) const override { return TheWorld().NthPanelID(index); }
    bool16 IsValidPanel(int32 panelID) const override {
        return TheWorld().PanelName(panelID) ? kTrue : kFalse;
    }
    PMString GetPanelName(int32 panelID) const override {
        const std::string* name = TheWorld().PanelName(panelID);
        return name ? PMString::FromUTF8(*name, PMString::kTranslateDuringCall) : PMString();
    }
    IPMUnknown* QueryPanelByID(int32 panelID) const override {
        if (!HostOf(fBoss).GetFaults().Acquire())
            return nullptr;
        Boss* boss = TheWorld().PanelBoss(panelID);
        if (!boss)
            return nullptr;
        IPMUnknown* view = boss->QueryInternal(IID_ICONTROLVIEW);
        return view ? view : boss->QueryInternal(IID_IUNKNOWN);
    }

private:
    World& TheWorld() const { return HostOf(fBoss).Get<World>(); }
};
CREATE_PMINTERFACE(PanelRegistryImpl, kPanelRegistryImpl);

} // namespace

void DefinePanelClasses(ObjectModel& model) {
    model.DefineClass(kPanelRegistryBoss, 0, {{IID_IPANELREGISTRY, kPanelRegistryImpl}}, "host");
    model.DefineClass(kPanelBoss, 0, {{IID_ICONTROLVIEW, kWorldControlViewImpl}}, "host");
}

// ---- The state's panels -------------------------------------------------------------

World::State::Panel& World::State::PanelNamed(const std::string& name) {
    for (Panel& p : panels)
        if (p.name == name)
            return p;
    throw WorldError("no panel named " + Quoted(name));
}

World::State::Panel* World::State::PanelByID(int32 id) {
    auto it = panelByID.find(id);
    return it == panelByID.end() ? nullptr : &panels[it->second];
}

int32 World::State::FreeID() {
    while (panelByID.count(nextID))
        ++nextID;
    return nextID++;
}

void World::State::BuildPanel(Panel& panel) {
    Boss* boss = NewBoss(panel.classID);
    if (WorldControlView* view = ViewOf(boss))
        view->SetWidgetID(panel.widgetID);
    panel.boss = boss;
    // Panels are built in their order, so the list stays in it.
    if (boss && boss->Peek(IID_IPANELCONTROLDATA))
        widgetHolders.push_back(static_cast<size_t>(&panel - panels.data()));
}

// ---- Adding and finding panels ----------------------------------------------------------

int32 World::AddPanel(const std::string& name, const PanelOptions& options) {
    State& s = *fState;
    if (name.empty())
        throw WorldError("a panel needs a name");
    for (const auto& p : s.panels)
        if (p.name == name)
            throw WorldError("a panel named " + Quoted(name) + " already exists");
    if (options.panelID)
        if (const State::Panel* taken = s.PanelByID(*options.panelID))
            throw WorldError("panel ID " + std::to_string(*options.panelID) + " is taken by " +
                             Quoted(taken->name));
    std::optional<size_t> palette;
    if (!options.palette.empty())
        palette = s.PaletteIndex(options.palette);
    else if (options.newGroup)
        throw WorldError("a new group needs a palette");

    const int32 id = options.panelID ? *options.panelID : s.FreeID();
    s.panels.push_back({name, id, options.classID, options.widgetID, -1, nullptr});
    s.panelByID[id] = s.panels.size() - 1;
    if (options.widgetID != 0)
        s.panelsByWidget[options.widgetID].push_back(s.panels.size() - 1);
    State::Panel& panel = s.panels.back();
    if (fBuilt)
        s.BuildPanel(panel);
    if (palette)
        s.Attach(panel, *palette, options.newGroup);
    s.Flush();
    return id;
}

std::vector<PanelInfo> World::Panels() const {
    std::vector<PanelInfo> result;
    for (const auto& p : fState->panels)
        result.push_back(*FindPanel(p.id));
    return result;
}

std::optional<PanelInfo> World::FindPanel(const std::string& name) const {
    for (const auto& p : fState->panels)
        if (p.name == name)
            return FindPanel(p.id);
    return std::nullopt;
}

std::optional<PanelInfo> World::FindPanel(int32 panelID) const {
    State& s = *fState;
    const State::Panel* p = s.PanelByID(panelID);
    if (!p)
        return std::nullopt;
    PanelInfo info;
    info.name = p->name;
    info.panelID = p->id;
    info.classID = p->classID;
    info.boss = p->boss;
    size_t g = 0, tab = 0;
    if (const State::Group* group = s.GroupOf(*p, &g, &tab)) {
        info.palette = s.palettes[static_cast<size_t>(p->palette)].name;
        info.group = static_cast<int32>(g);
        info.tab = static_cast<int32>(tab);
        info.front = group->front == p->id;
    }
    return info;
}

// ---- What the panel registry answers -------------------------------------------------

int32 World::PanelCount() const {
    return fBuilt ? static_cast<int32>(fState->panels.size()) : 0;
}

int32 World::NthPanelID(int32 index) const {
    if (!fBuilt || index < 0 || index >= PanelCount())
        return 0;
    return fState->panels[static_cast<size_t>(index)].id;
}

const std::string* World::PanelName(int32 panelID) const {
    const State::Panel* p = fBuilt ? fState->PanelByID(panelID) : nullptr;
    return p ? &p->name : nullptr;
}

Boss* World::PanelBoss(int32 panelID) const {
    const State::Panel* p = fState->PanelByID(panelID);
    return p ? p->boss : nullptr;
}

IPMUnknown* World::QueryPanelByWidgetID(WidgetID widgetID) const {
    if (widgetID == 0 || !fBuilt)
        return nullptr;
    const State& s = *fState;
    if (auto it = s.panelsByWidget.find(widgetID); it != s.panelsByWidget.end())
        for (size_t i : it->second) {
            const Boss* boss = s.panels[i].boss;
            if (!boss)
                continue;
            IPMUnknown* view = boss->QueryInternal(IID_ICONTROLVIEW);
            return view ? view : boss->QueryInternal(IID_IUNKNOWN);
        }
    // A plug-in's panel widget sits in its panel object.
    for (size_t i : s.widgetHolders) {
        auto* held = s.panels[i].boss->PeekAs<IPanelControlData>(IID_IPANELCONTROLDATA);
        if (held->Length() > 0)
            if (IControlView* view = held->QueryWidgetByID(widgetID, 1))
                return view;
    }
    return nullptr;
}

} // namespace host
