#include "ui/Widgets.h"

#include "CControlView.h"
#include "CEventHandler.h"
#include "ISubject.h"
#include "core/Host.h"

#include <algorithm>

namespace host::ui {
namespace {

// The view of every standard widget; plug-in views derive from the same base.
class WidgetView : public CControlView {
public:
    using CControlView::CControlView;
};
CREATE_PMINTERFACE(WidgetView, kWidgetViewImpl);

// A row's events that no plug-in handles: the list's own handling applies.
class WidgetEventHandler : public CEventHandler {
public:
    using CEventHandler::CEventHandler;
};
CREATE_PMINTERFACE(WidgetEventHandler, kEventHandlerImpl);

} // namespace

CREATE_PMINTERFACE(WidgetRecord, kWidgetRecordImpl);
CREATE_PMINTERFACE(WidgetChildren, kWidgetChildrenImpl);
CREATE_PMINTERFACE(TextData, kTextDataImpl);

// ---- Helpers ------------------------------------------------------------------------------

Boss* BossOf(const IPMUnknown* object) {
    return object ? Host::Get().Model().BossOf(object) : nullptr;
}

WidgetRecord* RecordOf(const Boss* widget) {
    return OwnPart<WidgetRecord>(widget, IID_IWIDGETPARENT, kWidgetRecordImpl);
}

IControlView* ViewOf(const Boss* widget) {
    return widget ? widget->PeekAs<IControlView>(IID_ICONTROLVIEW) : nullptr;
}

std::vector<Boss*> ChildrenOf(const Boss* widget) {
    if (auto* children =
            OwnPart<WidgetChildren>(widget, IID_IPANELCONTROLDATA, kWidgetChildrenImpl))
        return children->Children();
    return {};
}

Boss* FindWidget(const Boss* root, WidgetID id, int32 depth) {
    if (!root)
        return nullptr;
    if (IControlView* view = ViewOf(root); view && view->GetWidgetID() == id)
        return const_cast<Boss*>(root);
    auto* children = OwnPart<WidgetChildren>(root, IID_IPANELCONTROLDATA, kWidgetChildrenImpl);
    return children ? children->Find(id, depth) : nullptr;
}

std::string TextOf(const Boss* widget) {
    auto* text = widget ? widget->PeekAs<ITextControlData>(IID_ITEXTCONTROLDATA) : nullptr;
    return text ? text->GetString().GetUTF8String() : std::string();
}

void Notify(const Boss* widget, ClassID change, PMIID protocol) {
    if (auto* subject = widget ? widget->PeekAs<ISubject>(IID_ISUBJECT) : nullptr) {
        // An observer may release the last other reference to the widget.
        widget->AddRef();
        subject->Change(change, protocol, nullptr);
        widget->Release();
    }
}

// ---- Record ------------------------------------------------------------------------------

IPMUnknown* WidgetRecord::QueryParentFor(PMIID iid) const {
    if (!Host::Get().GetFaults().Acquire() || !parent)
        return nullptr;
    return parent->QueryInternal(iid);
}

// ---- Children ----------------------------------------------------------------------------

WidgetChildren::~WidgetChildren() {
    ReleaseAll(kFalse);
}

IControlView* WidgetChildren::QueryWidget(int32 index) const {
    if (!Host::Get().GetFaults().Acquire() || index < 0 || index >= Length())
        return nullptr;
    return static_cast<IControlView*>(
        fChildren[static_cast<size_t>(index)]->QueryInternal(IID_ICONTROLVIEW));
}

IControlView* WidgetChildren::QueryWidgetByID(WidgetID id, int32 depth) const {
    if (!Host::Get().GetFaults().Acquire())
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
            if (Boss* found = own->Find(id, depth - 1))
                return found;
        }
    }
    return nullptr;
}

void WidgetChildren::AddWidget(IControlView* widget, int32 at, bool16 invalidate) {
    Boss* child = BossOf(widget);
    if (!child || std::find(fChildren.begin(), fChildren.end(), child) != fChildren.end())
        return;
    child->AddRef();
    if (at < 0 || at > Length())
        fChildren.push_back(child);
    else
        fChildren.insert(fChildren.begin() + at, child);
    if (WidgetRecord* record = RecordOf(child))
        record->parent = static_cast<Boss*>(fBoss);
    if (invalidate)
        widget->Invalidate();
}

void WidgetChildren::ReleaseAll(bool16 invalidate) {
    for (Boss* child : std::exchange(fChildren, {})) {
        if (WidgetRecord* record = RecordOf(child))
            record->parent = nullptr;
        child->Release();
    }
    if (invalidate)
        if (IControlView* view = ViewOf(static_cast<Boss*>(fBoss)))
            view->Invalidate();
}

// ---- Text --------------------------------------------------------------------------------

void TextData::SetString(const PMString& text, bool16 invalidate, bool16 notifyOfChange,
                         bool16 forceNotify) {
    const bool changed = text != fText;
    fText = text;
    if (invalidate)
        if (IControlView* view = ViewOf(static_cast<Boss*>(fBoss)))
            view->Invalidate();
    if (notifyOfChange && (changed || forceNotify))
        NotifyChange();
}

void TextData::NotifyChange() {
    Notify(static_cast<Boss*>(fBoss), kTextChangedMsg, IID_ITEXTCONTROLDATA);
}

} // namespace host::ui
