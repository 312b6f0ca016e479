// Containers (0x607) of every widget that holds others, and of every host
// panel object: a plug-in's panel widget sits in its panel object. A
// container holds one reference to each child and is the child's parent.
#pragma once

#include "core/FlatMap.h"
#include "ui/Widgets.h"

namespace host::ui {

class WidgetChildren : public CPMUnknown<IPanelControlData> {
public:
    using CPMUnknown<IPanelControlData>::CPMUnknown;
    ~WidgetChildren() override;
    WidgetChildren(const WidgetChildren&) = delete;
    WidgetChildren& operator=(const WidgetChildren&) = delete;

    int32 Length() const override { return static_cast<int32>(fChildren.size()); }
    IControlView* QueryWidget(int32 index) const override;
    IControlView* QueryWidgetByID(WidgetID id, int32 depth) const override;
    void AddWidget(IControlView* widget, int32 at = -1, bool16 invalidate = kTrue) override;
    void ReleaseAll(bool16 invalidate = kTrue) override;

    const std::vector<Boss*>& Children() const { return fChildren; }
    Boss* Find(WidgetID id, int32 depth) const;

private:
    std::vector<Boss*> fChildren;
    FlatMap<const Boss*, bool> fHeld; // what fChildren holds, to refuse a second place quickly
};

} // namespace host::ui
