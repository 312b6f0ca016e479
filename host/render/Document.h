// The document behind the windows: a page with a heading, lines of text and
// a coloured picture, so that what shows through a window is plain to see.
#pragma once

#include <cairo.h>

namespace host::render {

void DrawDocument(cairo_t* cr);

} // namespace host::render
