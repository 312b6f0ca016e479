// Widget interfaces: every widget and palette window is a boss with a control
// view (0x601); containers list their children through 0x607. Frames are in
// the parent's coordinates.
#pragma once

#include "IPMUnknown.h"
#include "OSWindows.h"
#include "PMString.h"
#include "PMTypes.h"

class IViewPort;
// A region to draw in; the stand-in host passes none (the whole widget).
using SysRgn = const void*;

// Frame binding: the parent edges a widget follows when the parent is resized.
enum FrameBinding : uint16 {
    kBindNone = 0,
    kBindLeft = 1,
    kBindTop = 2,
    kBindRight = 4,
    kBindBottom = 8,
};

class IControlView : public IPMUnknown {
public:
    enum { kDefaultIID = IID_ICONTROLVIEW };
    virtual WidgetID GetWidgetID() const = 0;
    virtual void SetWidgetID(WidgetID id) = 0;

    virtual bool16 IsVisible() const = 0;
    virtual void Show(bool16 doShow = kTrue) = 0;
    virtual void Hide() = 0;
    virtual bool16 IsEnabled() const = 0;
    virtual void Enable(bool16 enable = kTrue, bool16 invalidate = kTrue) = 0;
    virtual void Disable(bool16 invalidate = kTrue) = 0;
    // A highlighted widget belongs to a selected list row.
    virtual bool16 IsHilited() const = 0;
    virtual void Hilite(bool16 invalidate = kTrue) = 0;
    virtual void Unhilite(bool16 invalidate = kTrue) = 0;

    // The picture a button or picture widget shows (a resource of its plug-in).
    virtual RsrcID GetRsrcID() const = 0;
    virtual void SetRsrcID(RsrcID id) = 0;
    virtual PluginID GetRsrcPluginID() const = 0;
    virtual void SetRsrcPluginID(PluginID id) = 0;

    virtual PMRect GetFrame() const = 0;
    // Children are laid out again by their bindings when the size changes.
    virtual void SetFrame(const PMRect& frame, bool16 invalidate = kTrue) = 0;
    virtual uint16 GetFrameBinding() const = 0;
    virtual void SetFrameBinding(uint16 binding) = 0;
    // The size the widget accepts for a requested size.
    virtual PMPoint ConstrainDimensions(const PMPoint& dimensions) const = 0;
    // Changes the size, keeping the top-left corner.
    virtual void Resize(const PMPoint& dimensions, bool16 invalidate = kTrue) = 0;

    // Asks for a redraw; no area means the whole widget.
    virtual void Invalidate() = 0;
    virtual void Draw(IViewPort* viewPort, SysRgn updateRgn = nullptr) = 0;
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
    // Adds a child at `at` (-1: the end); the container keeps a reference.
    virtual void AddWidget(IControlView* widget, int32 at = -1, bool16 invalidate = kTrue) = 0;
    // Removes and releases every child.
    virtual void ReleaseAll(bool16 invalidate = kTrue) = 0;
};

// The widget a widget sits in (0x60b).
class IWidgetParent : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IWIDGETPARENT };
    // Interface `iid` of the parent widget, with a reference, or nullptr.
    virtual IPMUnknown* QueryParentFor(PMIID iid) const = 0;
};

// A palette window object (0x112): the operating-system window behind it.
class IPaletteWindow : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IPALETTEWINDOW };
    virtual HWND GetWindowHandle() const = 0;
};

// A widget's text (0x603).
class ITextControlData : public IPMUnknown {
public:
    enum { kDefaultIID = IID_ITEXTCONTROLDATA };
    // `notifyOfChange` kFalse: the widget's observers hear nothing of it.
    virtual void SetString(const PMString& text, bool16 invalidate = kTrue,
                           bool16 notifyOfChange = kTrue, bool16 forceNotify = kTrue) = 0;
    virtual PMString GetString() const = 0;
};

// A list box's rows (0x604), in display order.
class IListControlData : public IPMUnknown {
public:
    enum { kDefaultIID = IID_ILISTCONTROLDATA };
    virtual int32 Length() const = 0;
    // `at` -2 (or any position past the end) appends.
    virtual void Add(IControlView* row, int32 at = -2, bool16 invalidate = kTrue,
                     bool16 notifyOfChange = kTrue) = 0;
    virtual void Clear(bool16 invalidate = kTrue, bool16 notifyOfChange = kTrue) = 0;
};

// A list box's selection (0x630); several rows may be selected.
class IListSelection : public IPMUnknown {
public:
    enum { kDefaultIID = IID_ILISTSELECTION };
    virtual bool16 IsSelected(int32 row) const = 0;
    // The first selected row, or -1.
    virtual int32 GetSelected() const = 0;
    // Adds the row to the selection.
    virtual void Select(int32 row, bool16 invalidate = kTrue, bool16 notifyOfChange = kTrue) = 0;
    virtual void DeselectAll(bool16 invalidate = kTrue, bool16 notifyOfChange = kTrue) = 0;
};

// A list box told that its rows are about to be replaced (0x608).
class IListRowsChange : public IPMUnknown {
public:
    enum { kDefaultIID = IID_ILISTBOXCONTROLLER_UPDATE };
    // kTrue before the rows are replaced, kFalse after.
    virtual void SetRowsChanging(bool16 changing) = 0;
};

class IEvent;

// Mouse and key events of a widget (0x108); an operation returns kTrue when
// it handled the event.
class IEventHandler : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IEVENTHANDLER };
    virtual bool16 Activate(IEvent* e) = 0;
    virtual bool16 Deactivate(IEvent* e) = 0;
    virtual bool16 Suspend(IEvent* e) = 0;
    virtual bool16 Resume(IEvent* e) = 0;
    virtual bool16 MouseMove(IEvent* e) = 0;
    virtual bool16 MouseDrag(IEvent* e) = 0;
    virtual bool16 LButtonDn(IEvent* e) = 0;
    virtual bool16 RButtonDn(IEvent* e) = 0;
    virtual bool16 MButtonDn(IEvent* e) = 0;
    virtual bool16 LButtonUp(IEvent* e) = 0;
    virtual bool16 RButtonUp(IEvent* e) = 0;
    virtual bool16 MButtonUp(IEvent* e) = 0;
    virtual bool16 ButtonDblClk(IEvent* e) = 0;
    virtual bool16 ButtonTrplClk(IEvent* e) = 0;
    virtual bool16 ButtonQuadClk(IEvent* e) = 0;
    virtual bool16 ButtonQuintClk(IEvent* e) = 0;
    virtual bool16 ControlCmd(IEvent* e) = 0;
    virtual bool16 KeyDown(IEvent* e) = 0;
    virtual bool16 KeyCmd(IEvent* e) = 0;
    virtual bool16 KeyUp(IEvent* e) = 0;
    virtual bool16 GetKeyFocus() = 0;
    virtual bool16 GiveUpKeyFocus() = 0;
    virtual bool16 WillingToGiveUpKeyFocus() = 0;
    virtual bool16 SuspendKeyFocus() = 0;
    virtual bool16 ResumeKeyFocus() = 0;
    virtual bool16 CanHaveKeyFocus() const = 0;
    virtual bool16 WantsTabKeyFocus() const = 0;
    virtual bool16 Menu(IEvent* e) = 0;
    virtual bool16 Update(IEvent* e) = 0;
    virtual bool16 PlatformEvent(IEvent* e) = 0;
    virtual bool16 CallSysEventHandler(IEvent* e) = 0;
    virtual void SetView(IControlView* view) = 0;
};

// Where a widget is drawn: a boss whose graphics port (0x1605) takes the
// drawing operations.
class IViewPort : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IVIEWPORT };
};

// Drawing operations in the widget's coordinates (PostScript-like).
class IGraphicsPort : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IGRAPHICSPORT };
    virtual void gsave() = 0;
    virtual void grestore() = 0;
    virtual void setrgbcolor(PMReal r, PMReal g, PMReal b) = 0;
    virtual void rectfill(PMReal x, PMReal y, PMReal width, PMReal height) = 0;
    virtual void rectstroke(PMReal x, PMReal y, PMReal width, PMReal height) = 0;
    virtual void moveto(PMReal x, PMReal y) = 0;
    virtual void lineto(PMReal x, PMReal y) = 0;
    virtual void stroke() = 0;
};

// The host's user-interface colours (0x2203 on the session, the host's
// global object).
class IUIColorUtils : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IUICOLORUTILS };
    // The RGB value of UI colour `index`; kFalse for an unknown index.
    virtual bool16 GetRGBColor(int32 index, RGBColor* color) const = 0;
};
