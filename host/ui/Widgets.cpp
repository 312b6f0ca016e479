#include "ui/Widgets.h"

#include "ui/PanelContainer.h"

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

// ---- Helpers ------------------------------------------------------------------------------

Boss* BossOf(Host& host, const IPMUnknown* object) {
    return object ? host.Model().BossOf(object) : nullptr;
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
    if (!HostOf(fBoss).GetFaults().Acquire() || !parent)
        return nullptr;
    return parent->QueryInternal(iid);
}

} // namespace host::ui
