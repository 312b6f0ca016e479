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
    // Adds `delta` to the count of `id` here and in every container above.
    void CountBelow(WidgetID id, int32 delta, bool self);
    void MarkUnsure();
    static WidgetChildren* Above(const WidgetChildren* at);
    // Whether Find may skip `child`: its subtree holds no widget with `id`.
    static bool Lacks(const WidgetChildren* child, WidgetID id);

    std::vector<Boss*> fChildren;
    FlatMap<const Boss*, bool> fHeld; // what fChildren holds, to refuse a second place quickly
    // The widget IDs below this container (children and deeper), counted, so
    // that a search by ID passes over a subtree without it (a long list's
    // rows). Widget IDs are set before a widget is placed. A widget placed in
    // two containers, or one without a record, leaves its containers unsure:
    // they are always searched.
    FlatMap<WidgetID, int32> fBelow;
    bool fUnsure = false;
};

} // namespace host::ui
