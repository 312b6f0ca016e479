// The document behind the windows: a page on the desk with a heading, a
// paragraph, a coloured picture and more text, so that what shows through a
// translucent window is plain to see. Drawn once, over a painter, for the
// pictures of the screen (cairo) and the live document window (GDI).
#pragma once

#include "paint/Painter.h"

namespace host::paint {

// The desk around the page.
constexpr Rgb kDesk{0x5d, 0x66, 0x78};

// The desk over the whole area, the page at its place on it (the same on
// every screen: the windows' places count from the same corner). The body
// text is wrapped as wide as the painter measures it.
OPAL_SDK_API void DrawPage(Painter& painter, double width, double height);

} // namespace host::paint
