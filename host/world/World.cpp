#include "world/World.h"

namespace host {

struct World::State {};

World::World() : fState(new State) {}
World::~World() {
    delete fState;
}

World& World::Get() {
    static World world;
    return world;
}

void World::DefineClasses(ObjectModel& /*model*/) {}

IPMUnknown* World::QueryPanelByWidgetID(WidgetID /*widgetID*/) const {
    return nullptr;
}

IPMUnknown* World::QueryPaletteOfWidget(const IPMUnknown* /*widget*/) const {
    return nullptr;
}

void World::Create() {}

void World::Destroy() {}

} // namespace host
