#include "world/WorldWidgets.h"

#include "core/Host.h"

namespace host {

IControlView* WorldChildren::QueryWidget(int32 index) const {
    if (!HostOf(fBoss).GetFaults().Acquire() || index < 0 ||
        static_cast<size_t>(index) >= fChildren.size())
        return nullptr;
    return static_cast<IControlView*>(
        fChildren[static_cast<size_t>(index)]->QueryInternal(IID_ICONTROLVIEW));
}

IControlView* WorldChildren::QueryWidgetByID(WidgetID id, int32 depth) const {
    if (!HostOf(fBoss).GetFaults().Acquire())
        return nullptr;
    const Boss* found = Find(id, depth);
    return found ? static_cast<IControlView*>(found->QueryInternal(IID_ICONTROLVIEW)) : nullptr;
}

const Boss* WorldChildren::Find(WidgetID id, int32 depth) const {
    if (depth <= 0)
        return nullptr;
    for (const Boss* child : fChildren) {
        auto* view = child->PeekAs<IControlView>(IID_ICONTROLVIEW);
        if (view && view->GetWidgetID() == id)
            return child;
    }
    for (const Boss* child : fChildren) {
        if (auto* ours = ChildrenOf(child)) {
            if (const Boss* found = ours->Find(id, depth - 1))
                return found;
        } else if (auto* below = child->PeekAs<IPanelControlData>(IID_IPANELCONTROLDATA);
                   below && below->Length() > 0) {
            // Somebody else's container (a plug-in panel's) searches itself.
            if (IControlView* view = below->QueryWidgetByID(id, depth - 1)) {
                const Boss* boss = HostOf(fBoss).Model().BossOf(view);
                view->Release();
                return boss;
            }
        }
    }
    return nullptr;
}

CREATE_PMINTERFACE(WorldControlView, kWorldControlViewImpl);
CREATE_PMINTERFACE(WorldChildren, kWorldChildrenImpl);
CREATE_PMINTERFACE(WorldPaletteWindow, kPaletteWindowImpl);

} // namespace host
