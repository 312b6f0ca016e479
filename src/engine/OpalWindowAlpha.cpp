#include "OpalWindowAlpha.h"

#include "IWidgets.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/OpalPointerWatch.h"

namespace {

constexpr double kPercentToAlpha = 2.55;

} // namespace

uint8 WindowAlphaForOpacity(double opacity) {
    // Above 100 the low 8 bits would wrap, and a huge product has no integer
    // value at all; NaN counts as opaque.
    if (!(opacity <= kOpalFullOpacity))
        opacity = kOpalFullOpacity;
    if (!(opacity >= 0.0))
        opacity = 0.0;
    // Truncated, not rounded: 100 % gives 254.
    return static_cast<uint8>(static_cast<int32>(opacity * kPercentToAlpha) & 0xff);
}

void ApplyWindowAlpha(UIDRef palette, double opacity, bool translucent) {
    IDataBase* db = palette.GetDataBase();
    if (!db)
        return;
    InterfacePtr<IPaletteWindow> window(
        static_cast<IPaletteWindow*>(db->Instantiate(palette.GetUID(), IID_IPALETTEWINDOW)));
    if (!window)
        return;
    HWND handle = window->GetWindowHandle();
    // Layered stays set for the window's life, also when opacity is off.
    SetWindowLongW(handle, GWL_EXSTYLE, GetWindowLongW(handle, GWL_EXSTYLE) | WS_EX_LAYERED);
    uint8 alpha = WindowAlphaForOpacity(opacity);
    if (translucent)
        alpha = AlphaUnderPointer(palette.GetUID(), handle, alpha);
    else
        ForgetPaletteUnderPointer(palette.GetUID());
    SetLayeredWindowAttributes(handle, 0, alpha, LWA_ALPHA);
}
