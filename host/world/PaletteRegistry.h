// The palette registry (palettes by UID) and its panel manager, which maps a
// panel ID to its palette and shows, hides and tests panels.
#pragma once

#include "core/ObjectModel.h"

namespace host {

// The palette registry's class, carrying the panel manager.
void DefinePaletteRegistryClasses(ObjectModel& model);

} // namespace host
