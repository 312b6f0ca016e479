// Classes and implementations that only the stand-in host defines.
#pragma once

#include "HostIDs.h"

namespace host {

constexpr ClassID kSessionBoss = 0x100;
constexpr ClassID kUtilsBoss = 0x8100;

constexpr ImplementationID kSessionImpl = 0x8001;
constexpr ImplementationID kRegistrarImpl = 0x8002;
constexpr ImplementationID kWorkspaceImpl = 0x8003;
constexpr ImplementationID kApplicationImpl = 0x8004;
constexpr ImplementationID kSubjectImpl = 0x8005;
constexpr ImplementationID kTimerImpl = 0x8006;
constexpr ImplementationID kUtilsImpl = 0x8007;

// Defines the host's own classes and registers its implementations.
class ObjectModel;
void DefineHostClasses(ObjectModel& model);

} // namespace host
