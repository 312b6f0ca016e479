// Services: a boss announces the service IDs it provides; the host finds the
// start-up/shut-down service through them.
#pragma once

#include "CPMUnknown.h"
#include "K2Vector.h"
#include "PMString.h"

class IK2ServiceProvider : public IPMUnknown {
public:
    enum { kDefaultIID = IID_ISERVICEPROVIDER };
    virtual void GetName(PMString* name) = 0;
    virtual ServiceID GetServiceID() = 0;
    virtual bool16 IsDefaultServiceProvider() = 0;
    virtual int32 GetInstantiationPolicy() = 0;
    virtual bool16 HasMultipleIDs() const = 0;
    virtual void GetServiceIDs(K2Vector<ServiceID>& serviceIDs) = 0;
};

class CServiceProvider : public CPMUnknown<IK2ServiceProvider> {
public:
    using CPMUnknown<IK2ServiceProvider>::CPMUnknown;
};

class IStartupShutdownService : public IPMUnknown {
public:
    enum { kDefaultIID = IID_ISTARTUPSHUTDOWN };
    virtual void Startup() = 0;
    virtual void Shutdown() = 0;
};
