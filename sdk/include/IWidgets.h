// Widget interfaces: every widget and palette window is a boss with a control
// view (0x601); containers list their children through 0x607.
#pragma once

#include "IPMUnknown.h"
#include "OSWindows.h"

class IControlView : public IPMUnknown {
public:
    enum { kDefaultIID = IID_ICONTROLVIEW };
    virtual WidgetID GetWidgetID() const = 0;
    virtual bool16 IsVisible() const = 0;
    virtual bool16 IsEnabled() const = 0;
    virtual void Enable(bool16 enable = kTrue, bool16 invalidate = kTrue) = 0;
    virtual void Disable(bool16 invalidate = kTrue) = 0;
    virtual RsrcID GetRsrcID() const = 0;
    virtual void SetRsrcID(RsrcID id) = 0;
    // Asks for a redraw; no area means the whole widget.
    virtual void Invalidate() = 0;
};

// A widget's children (0x607).
class IPanelControlData : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IPANELCONTROLDATA };
    virtual int32 Length() const = 0;
    // The child at `index` (its control view) with a reference, or nullptr.
    virtual IControlView* QueryWidget(int32 index) const = 0;
    // The first descendant with that widget ID, searching `depth` levels
    // down, with a reference, or nullptr.
    virtual IControlView* QueryWidgetByID(WidgetID id, int32 depth) const = 0;
};

// A palette window object (0x112): the operating-system window behind it.
class IPaletteWindow : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IPALETTEWINDOW };
    virtual HWND GetWindowHandle() const = 0;
};
