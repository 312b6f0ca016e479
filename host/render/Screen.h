// Pictures of the host's screen: a page of a document behind everything,
// every shown palette window at its place with its tabs and its front
// panels, and the open dialogs, each window composited with the alpha the
// window system holds for it. Drawn with cairo, text in DejaVu.
#pragma once

#include "SDKTypes.h"
#include "core/ObjectModel.h"
#include "resources/Pictures.h"

#include <functional>
#include <string>
#include <vector>

namespace host::render {

constexpr int32 kScreenWidth = 960;
constexpr int32 kScreenHeight = 640;

struct Rgb {
    uint8 r, g, b;
};

// The face of a host panel's placeholder, filled flat away from its name.
constexpr Rgb kPlaceholderFace{0xe4, 0xe4, 0xe4};

// A window as the picture shows it, in screen pixels.
struct WindowArea {
    std::string name;
    int32 left = 0, top = 0, width = 0, height = 0;
    uint8 alpha = 255; // as composited
    // Where the front panel of each tab group sits.
    struct Panel {
        int32 panelID = 0;
        int32 left = 0, top = 0;
    };
    std::vector<Panel> panels;
};

// An open dialog: its title, the root of its widget tree and its size (0:
// the root's frame). Unless a source is set, the host's dialog manager gives
// its front dialog.
struct DialogView {
    std::string title;
    const Boss* root = nullptr;
    int32 width = 0, height = 0;
};
OPAL_SDK_API void SetDialogSource(std::function<std::vector<DialogView>()> source);

// The palette windows shown now, bottom first, where the picture puts them.
OPAL_SDK_API std::vector<WindowArea> ShownWindows();

// The screen now, kScreenWidth × kScreenHeight, opaque RGBA.
OPAL_SDK_API Picture DrawScreen();
// The same as a PNG file: the same screen gives the same bytes.
OPAL_SDK_API Bytes DrawScreenPng();

} // namespace host::render
