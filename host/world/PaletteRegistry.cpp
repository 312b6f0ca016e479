#include "world/PaletteRegistry.h"

#include "CPMUnknown.h"
#include "IPanelRegistry.h"
#include "IWidgets.h"
#include "world/WorldState.h"

#include <algorithm>

namespace host {
namespace {

class PaletteRegistryImpl : public CPMUnknown<IPaletteRegistry> {
public:
    using CPMUnknown<IPaletteRegistry>::CPMUnknown;
    int32 GetPaletteCount() const override { return TheWorld().PaletteCount(); }
    UID GetNthPaletteUID(int32 index) const override { return TheWorld().NthPaletteUID(index); }
    bool16 IsPaletteShown(int32 /*locale*/, UID palette) const override {
        return TheWorld().IsPaletteShown(palette) ? kTrue : kFalse;
    }

private:
    World& TheWorld() const { return HostOf(fBoss).Get<World>(); }
};
CREATE_PMINTERFACE(PaletteRegistryImpl, kPaletteRegistryImpl);

class PanelMgrImpl : public CPMUnknown<IPanelMgr> {
public:
    using CPMUnknown<IPanelMgr>::CPMUnknown;
    UID GetPaletteUIDOfPanel(int32 panelID) const override {
        return TheWorld().PaletteUIDOfPanel(panelID);
    }
    bool16 IsPanelActive(int32 panelID, int32 /*reserved*/) const override {
        return TheWorld().IsPanelActive(panelID) ? kTrue : kFalse;
    }
    bool16 IsPanelPaletteShown(int32 panelID) const override {
        return TheWorld().IsPanelPaletteShown(panelID) ? kTrue : kFalse;
    }
    void ShowPanel(int32 panelID, bool16 bringToFront) override {
        TheWorld().ShowPanel(panelID, bringToFront != kFalse);
    }
    void HidePanel(int32 panelID) override { TheWorld().HidePanel(panelID); }

private:
    World& TheWorld() const { return HostOf(fBoss).Get<World>(); }
};
CREATE_PMINTERFACE(PanelMgrImpl, kPanelMgrImpl);

} // namespace

void DefinePaletteRegistryClasses(ObjectModel& model) {
    model.DefineClass(
        kPaletteRegistryBoss, 0,
        {{IID_IPALETTEREGISTRY, kPaletteRegistryImpl}, {IID_IPANELMGR, kPanelMgrImpl}}, "host");
}

// ---- What the palette registry answers --------------------------------------------------

int32 World::PaletteCount() const {
    return fBuilt ? static_cast<int32>(fState->palettes.size()) : 0;
}

UID World::NthPaletteUID(int32 index) const {
    if (!fBuilt || index < 0 || index >= PaletteCount())
        return kInvalidUID;
    const Boss* boss = fState->palettes[static_cast<size_t>(index)].boss;
    return boss ? boss->GetUID() : kInvalidUID;
}

bool World::IsPaletteShown(UID palette) const {
    auto it = fState->paletteByUID.find(palette);
    return it != fState->paletteByUID.end() && fState->palettes[it->second].shown;
}

IPMUnknown* World::QueryPaletteOfWidget(const IPMUnknown* widget) const {
    if (!fBuilt)
        return nullptr;
    State& s = *fState;
    const Boss* boss = widget ? fHost.Model().BossOf(widget) : nullptr;
    // A widget inside a panel is in the panel's palette.
    while (boss && !s.owner.count(boss) &&
           std::none_of(s.panels.begin(), s.panels.end(),
                        [boss](const State::Panel& p) { return p.boss == boss; })) {
        auto* parent = boss->PeekAs<IWidgetParent>(IID_IWIDGETPARENT);
        IPMUnknown* up = parent ? parent->QueryParentFor(IID_IUNKNOWN) : nullptr;
        boss = up ? fHost.Model().BossOf(up) : nullptr;
        if (up)
            up->Release(); // the child's parent outlives this look
    }
    if (!boss)
        return nullptr;
    std::optional<size_t> palette;
    if (auto it = s.owner.find(boss); it != s.owner.end())
        palette = it->second;
    for (size_t i = 0; !palette && i < s.panels.size(); ++i)
        if (s.panels[i].boss == boss && s.panels[i].palette >= 0)
            palette = static_cast<size_t>(s.panels[i].palette);
    const Boss* window = palette ? s.palettes[*palette].boss : nullptr;
    return window ? window->QueryInternal(IID_IPALETTEWINDOW) : nullptr;
}

// ---- What its panel manager answers -----------------------------------------------------

UID World::PaletteUIDOfPanel(int32 panelID) const {
    const State::Panel* p = fState->PanelByID(panelID);
    if (!p || p->palette < 0)
        return kInvalidUID;
    const Boss* boss = fState->palettes[static_cast<size_t>(p->palette)].boss;
    return boss ? boss->GetUID() : kInvalidUID;
}

bool World::IsPanelActive(int32 panelID) const {
    State& s = *fState;
    const State::Panel* p = s.PanelByID(panelID);
    const State::Group* group = p ? s.GroupOf(*p) : nullptr;
    return group && s.palettes[static_cast<size_t>(p->palette)].shown && group->front == panelID;
}

bool World::IsPanelPaletteShown(int32 panelID) const {
    const State::Panel* p = fState->PanelByID(panelID);
    return p && p->palette >= 0 && fState->palettes[static_cast<size_t>(p->palette)].shown;
}

void World::ShowPanel(int32 panelID, bool bringToFront) {
    State& s = *fState;
    State::Panel* p = s.PanelByID(panelID);
    if (!p || p->palette < 0)
        return;
    if (bringToFront)
        s.SetFront(*p);
    s.SetShown(s.palettes[static_cast<size_t>(p->palette)], true);
    s.Flush();
}

void World::HidePanel(int32 panelID) {
    State& s = *fState;
    State::Panel* p = s.PanelByID(panelID);
    if (!p || p->palette < 0)
        return;
    s.SetShown(s.palettes[static_cast<size_t>(p->palette)], false);
    s.Flush();
}

} // namespace host
