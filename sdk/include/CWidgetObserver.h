// Base of observers of a panel's widgets: attaches to a widget found by ID
// below the observer's own panel (or a given one).
#pragma once

#include "ISubject.h"
#include "IWidgets.h"
#include "InterfacePtr.h"

// How deep a widget search goes below a panel: the whole tree.
constexpr int32 kWidgetSearchDepth = 9999;

class CWidgetObserver : public CObserver {
public:
    CWidgetObserver(IPMUnknown* boss, PMIID observerIID) : CObserver(boss, observerIID) {}

    void AttachToWidget(WidgetID widgetID, PMIID protocol, IPanelControlData* panel = nullptr) {
        InterfacePtr<ISubject> subject(QueryWidgetSubject(widgetID, panel));
        if (subject && !subject->IsAttached(this, protocol, GetAttachIID()))
            subject->AttachObserver(this, protocol, GetAttachIID());
    }
    void DetachFromWidget(WidgetID widgetID, PMIID protocol, IPanelControlData* panel = nullptr) {
        InterfacePtr<ISubject> subject(QueryWidgetSubject(widgetID, panel));
        if (subject && subject->IsAttached(this, protocol, GetAttachIID()))
            subject->DetachObserver(this, protocol, GetAttachIID());
    }

    virtual void SetTextControlData(WidgetID widgetID, const PMString& text,
                                    IPanelControlData* panel = nullptr, bool16 invalidate = kTrue,
                                    bool16 notifyOfChange = kTrue) {
        InterfacePtr<ITextControlData> data(QueryWidgetInterface(widgetID, panel),
                                            IID_ITEXTCONTROLDATA);
        if (data)
            data->SetString(text, invalidate, notifyOfChange);
    }
    virtual PMString GetTextControlData(WidgetID widgetID, IPanelControlData* panel = nullptr) {
        InterfacePtr<ITextControlData> data(QueryWidgetInterface(widgetID, panel),
                                            IID_ITEXTCONTROLDATA);
        return data ? data->GetString() : PMString();
    }
    // Buttons here have no tri-state; kept for the observer's slot order.
    virtual void SetTriStateControlData(WidgetID /*widgetID*/, bool16 /*state*/,
                                        IPanelControlData* /*panel*/ = nullptr) {}
    virtual bool16 GetTriStateControlData(WidgetID /*widgetID*/,
                                          IPanelControlData* /*panel*/ = nullptr) {
        return kFalse;
    }

private:
    InterfacePtr<IControlView> QueryWidgetInterface(WidgetID widgetID, IPanelControlData* panel) {
        InterfacePtr<IPanelControlData> own;
        if (!panel) {
            own.reset(
                static_cast<IPanelControlData*>(fBoss->QueryInterface(IID_IPANELCONTROLDATA)));
            panel = own.get();
        }
        if (!panel)
            return InterfacePtr<IControlView>();
        return InterfacePtr<IControlView>(panel->QueryWidgetByID(widgetID, kWidgetSearchDepth));
    }
    ISubject* QueryWidgetSubject(WidgetID widgetID, IPanelControlData* panel) {
        InterfacePtr<IControlView> widget = QueryWidgetInterface(widgetID, panel);
        return widget ? static_cast<ISubject*>(widget->QueryInterface(IID_ISUBJECT)) : nullptr;
    }
};
