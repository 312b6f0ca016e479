// Where the live windows show what: the host's one layout of the screen
// (paint/Layout.h), with text measured as GDI draws it, so that what the
// windows paint, what a click hits and what `print places` says agree.
#pragma once

#include "OSWindows.h"
#include "paint/Layout.h"

#include <optional>
#include <string>
#include <vector>

namespace host::live {

// The panel ID of a palette's tab (group g, tab t), 0 for none.
int32 TabPanel(const paint::PaletteLook& look, size_t g, size_t t);

// The Opal panel's parts a person clicks, on the screen; a row that the
// list scrolls out of view has an empty rectangle.
struct OpalPlaces {
    Boss* panel = nullptr;
    Boss* list = nullptr;
    std::vector<paint::Rect> rows;
    paint::Rect field, onOff, swap, sizeBox;
};
std::optional<OpalPlaces> FindOpal(const paint::PaletteLook& look);

} // namespace host::live
