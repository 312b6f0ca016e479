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

// The host's alert; `checked`: its check box ticked; `pressed`: its OK held
// down; `focus`: 0 none, 1 the check box, 2 OK (the keyboard's focus mark).
struct AlertState {
    bool checked = false;
    bool pressed = false;
    int focus = 2;
};
OPAL_SDK_API void DrawAlert(Painter& painter, const AlertLook& look, const AlertState& state = {});
// A window of the host's own with nothing laid out in it (the live
// application's alert): the title bar over a panel's face.
OPAL_SDK_API void DrawBareWindow(Painter& painter, const std::string& title, double width,
                                 double height);

} // namespace host::paint
