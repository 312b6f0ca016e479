#include "world/World.h"

#include "world/PaletteRegistry.h"
#include "world/Palettes.h"
#include "world/Panels.h"
#include "world/WorldState.h"

#include <utility>

namespace host {

World::World(Host& host)
    : fHost(host), fState(new State(*this)), fSystemWindows(NewSystemWindows(host)),
      fPaletteWindows(fSystemWindows.get()) {}

World::~World() {
    Destroy();
    delete fState;
}

void World::DefineClasses(ObjectModel& model) {
    DefinePanelClasses(model);
    DefinePaletteClasses(model);
    DefinePaletteRegistryClasses(model);
}

// ---- Lifetime -----------------------------------------------------------------------------

void World::Create() {
    if (fBuilt)
        return;
    State& s = *fState;
    ObjectModel& model = fHost.Model();
    fPanelRegistry = model.CreateBoss(kPanelRegistryBoss);
    fPaletteRegistry = model.CreateBoss(kPaletteRegistryBoss);
    // Registries are not stored objects, but GetDataBase of them gives the UI database.
    for (Boss* registry : {fPanelRegistry, fPaletteRegistry})
        if (registry)
            registry->SetPlace(&s.DB(), kInvalidUID);
    fBuilt = true;
    fHost.SetApplicationPart(IID_IPANELREGISTRY, fPanelRegistry);
    fHost.SetApplicationPart(IID_IPALETTEREGISTRY, fPaletteRegistry);
    for (auto& panel : s.panels)
        s.BuildPanel(panel);
    for (size_t i = 0; i < s.palettes.size(); ++i)
        s.BuildPalette(i);
}

void World::Destroy() {
    if (!fBuilt)
        return;
    State& s = *fState;
    s.ReleasePending();
    for (auto& palette : s.palettes)
        s.Retire(palette);
    for (auto& panel : s.panels)
        if (panel.boss)
            s.dying.push_back(std::exchange(panel.boss, nullptr));
    s.widgetHolders.clear();
    for (Boss* boss : std::exchange(s.dying, {}))
        s.TakeDown(boss);
    fHost.SetApplicationPart(IID_IPANELREGISTRY, nullptr);
    fHost.SetApplicationPart(IID_IPALETTEREGISTRY, nullptr);
    for (Boss** registry : {&fPanelRegistry, &fPaletteRegistry})
        if (*registry)
            std::exchange(*registry, nullptr)->Release();
    s.owner.clear();
    s.paletteByUID.clear();
    fBuilt = false;
    fHost.Notify(&Layer::WorldTakenDown);
}

} // namespace host
