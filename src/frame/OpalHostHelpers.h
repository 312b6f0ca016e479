// What several parts of the plug-in ask of the host in the same way. Each
// obtains what it needs and releases it before it returns.
#pragma once

#include "IPMUnknown.h"
#include "InterfacePtr.h"

class IObserver;
class IPanelControlData;

// The Opal panel's widget, or none when it has never been built.
InterfacePtr<IPMUnknown> QueryOpalPanel();

// The On or the Off picture on the On/Off button among `opalPanel`'s widgets.
void ShowOnOffPicture(const IPanelControlData* opalPanel, bool16 on);

// Queues a command of class `commandClass` whose UID data names the object
// `target` is an interface of. False when the command cannot be built.
bool ScheduleCommandOn(ClassID commandClass, const IPMUnknown* target, int32 priority);

// An observer attached to (detached from) the subject of its own object for
// `protocol`, under its own attach IID, unless it already is (is not).
void AttachToOwnSubject(IObserver* observer, PMIID protocol);
void DetachFromOwnSubject(IObserver* observer, PMIID protocol);
