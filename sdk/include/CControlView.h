// Base of widget views: the state every widget has (ID, frame, binding,
// visible, enabled, highlighted, picture). What needs the window system
// (redraw, laying children out again after a size change) goes to the host.
#pragma once

#include "CPMUnknown.h"
#include "IWidgets.h"

// Implemented by the host's widget layer.
OPAL_SDK_API void InvalidateWidget(const IControlView* view);
// Lays the view's children out again by their bindings after its frame
// changed from `oldFrame`.
OPAL_SDK_API void LayoutWidgetChildren(IControlView* view, const PMRect& oldFrame);

class CControlView : public CPMUnknown<IControlView> {
public:
    explicit CControlView(IPMUnknown* boss) : CPMUnknown<IControlView>(boss) {}

    WidgetID GetWidgetID() const override { return fWidgetID; }
    void SetWidgetID(WidgetID id) override { fWidgetID = id; }

    bool16 IsVisible() const override { return fVisible; }
    void Show(bool16 doShow = kTrue) override { SetFlag(fVisible, doShow, kTrue); }
    void Hide() override { SetFlag(fVisible, kFalse, kTrue); }
    bool16 IsEnabled() const override { return fEnabled; }
    void Enable(bool16 enable = kTrue, bool16 invalidate = kTrue) override {
        SetFlag(fEnabled, enable, invalidate);
    }
    void Disable(bool16 invalidate = kTrue) override { SetFlag(fEnabled, kFalse, invalidate); }
    bool16 IsHilited() const override { return fHilited; }
    void Hilite(bool16 invalidate = kTrue) override { SetFlag(fHilited, kTrue, invalidate); }
    void Unhilite(bool16 invalidate = kTrue) override { SetFlag(fHilited, kFalse, invalidate); }

    RsrcID GetRsrcID() const override { return fRsrcID; }
    void SetRsrcID(RsrcID id) override { fRsrcID = id; }
    PluginID GetRsrcPluginID() const override { return fRsrcPlugin; }
    void SetRsrcPluginID(PluginID id) override { fRsrcPlugin = id; }

    PMRect GetFrame() const override { return fFrame; }
    void SetFrame(const PMRect& frame, bool16 invalidate = kTrue) override {
        const PMRect old = fFrame;
        fFrame = frame;
        if (old.Width() != frame.Width() || old.Height() != frame.Height())
            LayoutWidgetChildren(this, old);
        if (invalidate)
            Invalidate();
    }
    uint16 GetFrameBinding() const override { return fBinding; }
    void SetFrameBinding(uint16 binding) override { fBinding = binding; }
    PMPoint ConstrainDimensions(const PMPoint& dimensions) const override { return dimensions; }
    void Resize(const PMPoint& dimensions, bool16 invalidate = kTrue) override {
        SetFrame(PMRect(fFrame.Left(), fFrame.Top(), fFrame.Left() + dimensions.X(),
                        fFrame.Top() + dimensions.Y()),
                 invalidate);
    }

    void Invalidate() override { InvalidateWidget(this); }
    // Standard widgets are drawn by the host; a plug-in view draws itself.
    void Draw(IViewPort* /*viewPort*/, SysRgn /*updateRgn*/ = nullptr) override {}

private:
    void SetFlag(bool16& flag, bool16 value, bool16 invalidate) {
        const bool16 normalized = value ? kTrue : kFalse;
        if (flag == normalized)
            return;
        flag = normalized;
        if (invalidate)
            Invalidate();
    }

    WidgetID fWidgetID = 0;
    bool16 fVisible = kTrue;
    bool16 fEnabled = kTrue;
    bool16 fHilited = kFalse;
    RsrcID fRsrcID = 0;
    PluginID fRsrcPlugin = kInvalidPlugin;
    PMRect fFrame;
    uint16 fBinding = kBindNone;
};

// A view that holds child widgets; the children follow its size by their
// bindings.
class PanelView : public CControlView {
public:
    using CControlView::CControlView;
};

// A panel view that erases its background before its children draw.
class WErasablePanelView : public PanelView {
public:
    using PanelView::PanelView;
};
