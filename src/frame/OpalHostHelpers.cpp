#include "frame/OpalHostHelpers.h"

#include "CWidgetObserver.h"
#include "DataInterfaces.h"
#include "ICommand.h"
#include "ISubject.h"
#include "IUtils.h"
#include "IWidgets.h"
#include "OpalID.h"

InterfacePtr<IPMUnknown> QueryOpalPanel() {
    InterfacePtr<IUtils> utils(UtilsBoss::QueryUtils<IUtils>());
    if (!utils)
        return InterfacePtr<IPMUnknown>();
    return InterfacePtr<IPMUnknown>(utils->QueryPanelByWidgetID(kOpalPanelWidgetID));
}

void ShowOnOffPicture(const IPanelControlData* opalPanel, bool16 on) {
    InterfacePtr<IControlView> button(
        opalPanel->QueryWidgetByID(kOpalOnOffButtonWidgetID, kWidgetSearchDepth));
    if (!button)
        return;
    button->SetRsrcID(on ? kOpalOnIconRsrcID : kOpalOffIconRsrcID);
    button->Invalidate();
}

bool ScheduleCommandOn(ClassID commandClass, const IPMUnknown* target, int32 priority) {
    InterfacePtr<ICommand> command(CmdUtils::CreateCommand(commandClass));
    if (!command)
        return false;
    InterfacePtr<IUIDData> targetData(command, IID_IUIDDATA);
    if (!targetData)
        return false;
    targetData->Set(GetUIDRef(target));
    CmdUtils::ScheduleCommand(command.get(), priority);
    return true;
}

void AttachToOwnSubject(IObserver* observer, PMIID protocol) {
    InterfacePtr<ISubject> subject(observer, IID_ISUBJECT);
    if (subject && !subject->IsAttached(observer, protocol, observer->GetAttachIID()))
        subject->AttachObserver(observer, protocol, observer->GetAttachIID());
}

void DetachFromOwnSubject(IObserver* observer, PMIID protocol) {
    InterfacePtr<ISubject> subject(observer, IID_ISUBJECT);
    if (subject && subject->IsAttached(observer, protocol, observer->GetAttachIID()))
        subject->DetachObserver(observer, protocol, observer->GetAttachIID());
}
