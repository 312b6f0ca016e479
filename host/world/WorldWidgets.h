// The world's own widgets: the control view, the child container and the
// palette window handle that the world's palettes, tab groups, tab areas and
// host panels carry. A plug-in's panel carries its own; the world finds its
// own implementations only (Own), and treats others through their interfaces.
#pragma once

#include "CControlView.h"
#include "CPMUnknown.h"
#include "IWidgets.h"
#include "core/ObjectModel.h"
#include "world/World.h"

#include <vector>

namespace host {

class WorldControlView : public CControlView {
public:
    using CControlView::CControlView;
    void SetVisible(bool visible) {
        if (visible)
            Show();
        else
            Hide();
    }
};

// A container's children. The world owns them (through the UI database); the
// list only points at them and is emptied before they go.
class WorldChildren : public CPMUnknown<IPanelControlData> {
public:
    using CPMUnknown<IPanelControlData>::CPMUnknown;
    int32 Length() const override { return static_cast<int32>(fChildren.size()); }
    IControlView* QueryWidget(int32 index) const override;
    IControlView* QueryWidgetByID(WidgetID id, int32 depth) const override;
    // The world's containers are the world's to fill: palettes, groups and tab
    // areas change only through the world's own operations.
    void AddWidget(IControlView* /*widget*/, int32 /*at*/, bool16 /*invalidate*/) override {}
    void ReleaseAll(bool16 /*invalidate*/) override {}

    std::vector<Boss*> fChildren;

private:
    const Boss* Find(WidgetID id, int32 depth) const;
};

class WorldPaletteWindow : public CPMUnknown<IPaletteWindow> {
public:
    using CPMUnknown<IPaletteWindow>::CPMUnknown;
    HWND GetWindowHandle() const override { return fWindow; }
    HWND fWindow = nullptr;
};

inline WorldChildren* ChildrenOf(const Boss* boss) {
    return OwnPart<WorldChildren>(boss, IID_IPANELCONTROLDATA, kWorldChildrenImpl);
}

inline WorldControlView* ViewOf(const Boss* boss) {
    return OwnPart<WorldControlView>(boss, IID_ICONTROLVIEW, kWorldControlViewImpl);
}

inline WorldPaletteWindow* PaletteWindowOf(const Boss* boss) {
    return OwnPart<WorldPaletteWindow>(boss, IID_IPALETTEWINDOW, kPaletteWindowImpl);
}

} // namespace host
