#include "world/World.h"

#include "world/PaletteRegistry.h"
#include "world/Palettes.h"
#include "world/Panels.h"
#include "world/WorldState.h"

#include <utility>

namespace host {

World::World() : fState(new State(*this)) {}

World::~World() {
    delete fState;
}

namespace {

constexpr char kWorldExtension[] = "world";

// The world's classes are the host's from the start; its objects come and go
// with the application object.
const LayerRegistration kWorldLayer({
    "world",
    10,
    &World::DefineClasses,
    [] { World::Get().Create(); },
    [] { World::Get().AnnounceWindows(); },
    [] { World::Get().Destroy(); },
});

} // namespace

World& World::Get() {
    // Found once: the host keeps its extensions as long as it lives, which is
    // as long as the process. (Building the host asks for the world too.)
    static World* world = nullptr;
    if (world)
        return *world;
    Host& host = Host::Get();
    if (HostExtension* found = host.Extension(kWorldExtension))
        world = static_cast<World*>(found);
    else
        world = static_cast<World*>(
            &host.AddExtension(kWorldExtension, std::unique_ptr<HostExtension>(new World)));
    return *world;
}

void World::DefineClasses(ObjectModel& model) {
    DefinePanelClasses(model);
    DefinePaletteClasses(model);
    DefinePaletteRegistryClasses(model);
}

void World::Clear() {
    Destroy();
    State& s = *fState;
    s.palettes.clear();
    s.panels.clear();
    s.panelByID.clear();
    s.panelsByWidget.clear();
    s.nextID = 101;
}

// ---- Lifetime -----------------------------------------------------------------------------

void World::Create() {
    if (fBuilt)
        return;
    State& s = *fState;
    ObjectModel& model = Host::Get().Model();
    fPanelRegistry = model.CreateBoss(kPanelRegistryBoss);
    fPaletteRegistry = model.CreateBoss(kPaletteRegistryBoss);
    // Registries are not stored objects, but GetDataBase of them gives the UI database.
    for (Boss* registry : {fPanelRegistry, fPaletteRegistry})
        if (registry)
            registry->SetPlace(&s.DB(), kInvalidUID);
    fBuilt = true;
    Host& host = Host::Get();
    host.SetApplicationPart(IID_IPANELREGISTRY, fPanelRegistry);
    host.SetApplicationPart(IID_IPALETTEREGISTRY, fPaletteRegistry);
    host.widgetLookup.panelByWidgetID = [this](WidgetID id) { return QueryPanelByWidgetID(id); };
    host.widgetLookup.paletteOfWidget = [this](const IPMUnknown* widget) {
        return QueryPaletteOfWidget(widget);
    };
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
    Host& host = Host::Get();
    host.SetApplicationPart(IID_IPANELREGISTRY, nullptr);
    host.SetApplicationPart(IID_IPALETTEREGISTRY, nullptr);
    host.widgetLookup = {};
    for (Boss** registry : {&fPanelRegistry, &fPaletteRegistry})
        if (*registry)
            std::exchange(*registry, nullptr)->Release();
    s.owner.clear();
    s.paletteByUID.clear();
    fBuilt = false;
    if (onTakenDown)
        onTakenDown();
}

} // namespace host
