// Palette windows and the tab groups in them. A palette stacks its groups;
// each group shows one front tab of its tab area. Every palette is one
// operating-system window.
#pragma once

#include "OSWindows.h"
#include "core/ObjectModel.h"

#include <string>
#include <vector>

namespace host {

struct WorldTabGroup {
    std::vector<int32> tabs; // panel IDs in tab order
    int32 front = 0;         // panel ID of the front tab
    Boss* container = nullptr;
    Boss* tabArea = nullptr;
};

struct WorldPalette {
    std::string name;
    ClassID classID;
    bool shown;
    std::vector<WorldTabGroup> groups;
    Boss* boss = nullptr;
    HWND window = nullptr;
    bool placed = false; // else the host cascades it
    uint64 raisedAt = 0; // palettes stack by when they were last raised, then by creation
    int32 x = 0, y = 0;
};

// The palette window classes, the tab group container and the tab areas.
void DefinePaletteClasses(ObjectModel& model);

} // namespace host
