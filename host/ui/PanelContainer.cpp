#include "ui/PanelContainer.h"

#include "CPMUnknown.h"
#include "ImplementationRegistry.h"
#include "core/Host.h"

#include <algorithm>

namespace host::ui {

CREATE_PMINTERFACE(WidgetChildren, kWidgetChildrenImpl);

namespace {

// The host's stock parts of a plug-in panel's boss (its menu, tips and
// palette support); the stand-in host drives the panel without asking them,
// so they have no operations of their own. One class per implementation ID.
template <ImplementationID> class PanelSupport : public CPMUnknown<IPMUnknown> {
public:
    using CPMUnknown<IPMUnknown>::CPMUnknown;
};
using PanelMenuSupport = PanelSupport<kPanelMenuSupportImpl>;
using PanelTipSupport = PanelSupport<kPanelTipSupportImpl>;
using PanelPaletteSupport = PanelSupport<kPanelPaletteSupportImpl>;

} // namespace

CREATE_PMINTERFACE(PanelMenuSupport, kPanelMenuSupportImpl);
CREATE_PMINTERFACE(PanelTipSupport, kPanelTipSupportImpl);
CREATE_PMINTERFACE(PanelPaletteSupport, kPanelPaletteSupportImpl);

WidgetChildren::~WidgetChildren() {
    // Nothing holds this widget any more, so no container above counts it.
    fBelow.Clear();
    ReleaseAll(kFalse);
}

IControlView* WidgetChildren::QueryWidget(int32 index) const {
    if (!HostOf(fBoss).GetFaults().Acquire() || index < 0 || index >= Length())
        return nullptr;
    return static_cast<IControlView*>(
        fChildren[static_cast<size_t>(index)]->QueryInternal(IID_ICONTROLVIEW));
}

IControlView* WidgetChildren::QueryWidgetByID(WidgetID id, int32 depth) const {
    if (!HostOf(fBoss).GetFaults().Acquire())
        return nullptr;
    const Boss* found = Find(id, depth);
    return found ? static_cast<IControlView*>(found->QueryInternal(IID_ICONTROLVIEW)) : nullptr;
}

Boss* WidgetChildren::Find(WidgetID id, int32 depth) const {
    if (depth <= 0)
        return nullptr;
    for (Boss* child : fChildren)
        if (IControlView* view = ViewOf(child); view && view->GetWidgetID() == id)
            return child;
    for (Boss* child : fChildren) {
        if (auto* own =
                OwnPart<WidgetChildren>(child, IID_IPANELCONTROLDATA, kWidgetChildrenImpl)) {
            if (depth <= 1 || Lacks(own, id))
                continue;
            if (Boss* found = own->Find(id, depth - 1))
                return found;
        }
    }
    return nullptr;
}

void WidgetChildren::AddWidget(IControlView* widget, int32 at, bool16 invalidate) {
    Boss* child = BossOf(HostOf(fBoss), widget);
    if (!child || fHeld.Find(child))
        return;
    fHeld.Insert(child, true);
    child->AddRef();
    if (at < 0 || at > Length())
        fChildren.push_back(child);
    else
        fChildren.insert(fChildren.begin() + at, child);
    WidgetRecord* record = RecordOf(child);
    auto* own = OwnPart<WidgetChildren>(child, IID_IPANELCONTROLDATA, kWidgetChildrenImpl);
    if (!record || record->parent || (own && own->fUnsure)) {
        // Changes below the child would not reach this container's counts.
        if (record && record->parent)
            if (auto* other = OwnPart<WidgetChildren>(record->parent, IID_IPANELCONTROLDATA,
                                                      kWidgetChildrenImpl))
                other->MarkUnsure();
        MarkUnsure();
    }
    if (record)
        record->parent = static_cast<Boss*>(fBoss);
    if (const WidgetID id = widget->GetWidgetID(); id != 0)
        CountBelow(id, 1, true);
    if (own)
        own->fBelow.ForEach([this](WidgetID id, int32 count) { CountBelow(id, count, true); });
    if (invalidate)
        widget->Invalidate();
}

WidgetChildren* WidgetChildren::Above(const WidgetChildren* at) {
    const WidgetRecord* record = RecordOf(static_cast<const Boss*>(at->fBoss));
    return record && record->parent
               ? OwnPart<WidgetChildren>(record->parent, IID_IPANELCONTROLDATA, kWidgetChildrenImpl)
               : nullptr;
}

void WidgetChildren::CountBelow(WidgetID id, int32 delta, bool self) {
    for (WidgetChildren* at = self ? this : Above(this); at; at = Above(at)) {
        const int32 count = at->fBelow.Find(id) + delta;
        if (count > 0)
            at->fBelow.Insert(id, count);
        else
            at->fBelow.Erase(id);
    }
}

void WidgetChildren::MarkUnsure() {
    for (WidgetChildren* at = this; at && !at->fUnsure; at = Above(at))
        at->fUnsure = true;
}

bool WidgetChildren::Lacks(const WidgetChildren* child, WidgetID id) {
    return id != 0 && !child->fUnsure && child->fBelow.Find(id) == 0;
}

void WidgetChildren::ReleaseAll(bool16 invalidate) {
    fHeld.Clear();
    fBelow.ForEach([this](WidgetID id, int32 count) { CountBelow(id, -count, false); });
    fBelow.Clear();
    for (Boss* child : std::exchange(fChildren, {})) {
        if (WidgetRecord* record = RecordOf(child))
            record->parent = nullptr;
        child->Release();
    }
    if (invalidate)
        if (IControlView* view = ViewOf(static_cast<Boss*>(fBoss)))
            view->Invalidate();
}

} // namespace host::ui
