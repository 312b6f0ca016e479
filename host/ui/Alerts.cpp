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

AlertMemory* Alerts::Memory() const {
    return OwnPart<AlertMemory>(fHost.WorkspaceBoss(), IID_IALERTMEMORY, kAlertMemoryImpl);
}

void Alerts::Show(const std::string& text) {
    if (fLog.size() == kLogLength)
        fLog.pop_front();
    fLog.push_back(text);
    shown.Publish({text});
}

AlertAnswer Alerts::Ask(const std::string& text, bool offered) {
    if (AlertAnswerer* person = answerer.Get())
        return person->Answer(text, offered);
    return offered ? fAnswer : AlertAnswer::kOK;
}

void Alerts::ShowHostAlert(const std::string& text) {
    Show(text);
    Ask(text, false);
}

int16 Alerts::WarningWithDontShowAgain(const std::string& text, int32 alertID) {
    if (IsSuppressed(alertID))
        return 0;
    Show(text);
    if (Ask(text, true) == AlertAnswer::kDontShowAgain)
        if (AlertMemory* memory = Memory(); memory && memory->ids.insert(alertID).second)
            fHost.RecordDirty(memory, kAlertMemoryImpl, kTrue);
    return 1;
}

bool Alerts::IsSuppressed(int32 alertID) const {
    const AlertMemory* memory = Memory();
    return memory && memory->ids.count(alertID);
}

std::set<int32> Alerts::Suppressed() const {
    const AlertMemory* memory = Memory();
    return memory ? memory->ids : std::set<int32>();
}

} // namespace host::ui
