// The host's windows drawn over a painter, in each window's own coordinates
// (its top-left at 0, 0), from where paint/Layout.h puts their parts: the
// frame, the title bar, tab strips, front panels with their widgets (and what
// a plug-in's view draws itself through the graphics port), and dialogs.
#pragma once

#include "paint/Layout.h"
#include "paint/Painter.h"

namespace host::paint {

// The face of a host panel's placeholder, filled flat away from its name.
constexpr Rgb kPlaceholderFace{0xe4, 0xe4, 0xe4};

struct PaletteChrome {
    // The pictures of the screen show no menu button; live windows do.
    bool menuButton = false;
};

OPAL_SDK_API void DrawPalette(Painter& painter, const PaletteLook& look,
                              const PaletteChrome& chrome = {});
OPAL_SDK_API void DrawDialog(Painter& painter, const DialogLook& look);
// The text as it fits the width: whole, or cut to end in "…".
OPAL_SDK_API std::string FitText(TextMeasure& measure, const std::string& text, const Font& font,
                                 double width);
// A window of the host's own with nothing laid out in it (the live
// application's alert): the title bar over a panel's face.
OPAL_SDK_API void DrawBareWindow(Painter& painter, const std::string& title, double width,
                                 double height);

} // namespace host::paint
