// The plug-in's resource definitions (src/res/), each adding its records.
#pragma once

#include "ResourceOutput.h"

namespace rescomp {

// Version record, class table, implementation list, panel list, menus,
// actions, tips, locale indexes, string tables, version information, manifest.
void DefineOpalResources(ResourceOutput& out);
// Panel, list-row and About dialog layouts.
void DefineOpalLayouts(ResourceOutput& out);
// The About picture and the button icons.
void DefineOpalPictures(ResourceOutput& out);

} // namespace rescomp
