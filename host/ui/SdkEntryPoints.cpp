// The SDK's free functions backed by the user interface: widgets asking to
// be redrawn or laid out, widgets and dialogs built from a layout, the
// locale, alerts. The plug-in calls them with no host in hand, so they run
// in the current host.
#include "CAlert.h"
#include "CControlView.h"
#include "RsrcSpec.h"
#include "ui/Alerts.h"
#include "ui/LayoutEngine.h"
#include "ui/LayoutReader.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"

using namespace host;
using namespace host::ui;

namespace {

// The one way in from the SDK's free functions of the user interface.
Host& EnteredHost() {
    return Host::Current();
}

} // namespace

void InvalidateWidget(const IControlView* view) {
    Host& host = EnteredHost();
    host.Get<PluginPanels>().Invalidated(BossOf(host, view));
}

void LayoutWidgetChildren(IControlView* view, const PMRect& oldFrame) {
    LayOutChildren(EnteredHost(), view, oldFrame);
}

PMLocaleId WLocaleSetting::GetLocale() {
    return EnteredHost().Language();
}

IPMUnknown* CreateObject(IDataBase* db, const RsrcSpec& spec, PMIID iid) {
    Host& host = EnteredHost();
    if (!host.GetFaults().Acquire() || spec.GetType() != kLayoutRsrcType)
        return nullptr;
    const auto layout = ReadLayout(host, spec.GetPluginID(), spec.GetID(), spec.IsLocalized(),
                                   static_cast<uint16>(spec.GetLocale()));
    Boss* widget = layout ? BuildWidget(host, *layout, db) : nullptr;
    if (!widget)
        return nullptr;
    IPMUnknown* result = widget->QueryInternal(iid);
    widget->Release();
    return result;
}

int16 CAlert::WarningAlertWithDontShowAgain(const PMString& message, int32 alertID,
                                            int8 /*reserved8*/, int32 /*reserved32*/,
                                            const PMString& /*button1*/,
                                            const PMString& /*button2*/,
                                            const PMString& /*button3*/, int16 /*reserved16*/) {
    PMString text = message;
    text.Translate();
    return EnteredHost().Get<Alerts>().WarningWithDontShowAgain(text.GetUTF8String(), alertID);
}
