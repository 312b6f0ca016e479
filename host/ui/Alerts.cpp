#include "ui/Alerts.h"

#include "CAlert.h"
#include "CPMUnknown.h"
#include "IPMStream.h"
#include "ImplementationRegistry.h"
#include "core/Host.h"
#include "ui/Widgets.h"

namespace host::ui {

class AlertMemory : public CPMUnknown<IPMUnknown> {
public:
    using CPMUnknown<IPMUnknown>::CPMUnknown;
    // Nothing to keep writes nothing, so a workspace without such answers
    // has no record of them.
    void ReadWrite(IPMStream* stream, ImplementationID /*implID*/) {
        int32 count = static_cast<int32>(ids.size());
        if (stream->IsWriting() && count == 0)
            return;
        if (stream->IsReading() && stream->BytesRemaining() == 0)
            return;
        stream->XferInt32(count);
        if (stream->IsReading()) {
            ids.clear();
            for (int32 i = 0; i < count && stream->GetStreamState() == kStreamStateGood; ++i) {
                int32 id = 0;
                stream->XferInt32(id);
                ids.insert(id);
            }
        } else {
            for (int32 id : ids)
                stream->XferInt32(id);
        }
    }
    std::set<int32> ids;
};
CREATE_PERSIST_PMINTERFACE(AlertMemory, kAlertMemoryImpl);

namespace {

AlertMemory* Memory() {
    Boss* workspace = Host::Current().WorkspaceBoss();
    return OwnPart<AlertMemory>(workspace, IID_IALERTMEMORY, kAlertMemoryImpl);
}

} // namespace

void Alerts::Show(const std::string& text) {
    if (fLog.size() == kLogLength)
        fLog.pop_front();
    fLog.push_back(text);
    fHost.Notify(&Layer::AlertShown, text);
}

void ShowHostAlert(const std::string& text) {
    Alerts& alerts = Host::Current().Get<Alerts>();
    alerts.Show(text);
    if (alerts.ask)
        alerts.ask(text, false);
}

bool IsAlertSuppressed(int32 alertID) {
    const AlertMemory* memory = Memory();
    return memory && memory->ids.count(alertID);
}

std::set<int32> SuppressedAlerts() {
    const AlertMemory* memory = Memory();
    return memory ? memory->ids : std::set<int32>();
}

} // namespace host::ui

using namespace host::ui;

int16 CAlert::WarningAlertWithDontShowAgain(const PMString& message, int32 alertID,
                                            int8 /*reserved8*/, int32 /*reserved32*/,
                                            const PMString& /*button1*/,
                                            const PMString& /*button2*/,
                                            const PMString& /*button3*/, int16 /*reserved16*/) {
    if (IsAlertSuppressed(alertID))
        return 0;
    PMString text = message;
    text.Translate();
    Alerts& alerts = host::Host::Current().Get<Alerts>();
    alerts.Show(text.GetUTF8String());
    const AlertAnswer answer =
        alerts.ask ? alerts.ask(text.GetUTF8String(), true) : alerts.Answer();
    if (answer == AlertAnswer::kDontShowAgain)
        if (AlertMemory* memory = Memory(); memory && memory->ids.insert(alertID).second)
            Dirty(memory, kAlertMemoryImpl, kTrue);
    return 1;
}
