// Panels and the panel registry. A panel is known by its name and its panel
// ID; the registry lists the panels in the order they were added.
#pragma once

#include "core/ObjectModel.h"

#include <string>

namespace host {

struct WorldPanel {
    std::string name;
    int32 id;
    ClassID classID;
    WidgetID widgetID;
    int32 palette = -1; // index into the palettes; -1: in no palette
    Boss* boss = nullptr;
};

// The panel registry's class and the host panel's.
void DefinePanelClasses(ObjectModel& model);

} // namespace host
