// Announces the plug-in's start-up/shut-down service to the host.
#include "IServiceProvider.h"
#include "ImplementationRegistry.h"
#include "OpalID.h"

class OpalServiceProvider : public CServiceProvider {
public:
    using CServiceProvider::CServiceProvider;
    void GetName(PMString* name) override {
        if (name)
            name->SetCString(kOpalServiceName, PMString::kTranslateDuringCall);
    }
    ServiceID GetServiceID() override { return 0; }
    bool16 IsDefaultServiceProvider() override { return kFalse; }
    int32 GetInstantiationPolicy() override { return 0; }
    bool16 HasMultipleIDs() const override { return kTrue; }
    void GetServiceIDs(K2Vector<ServiceID>& serviceIDs) override {
        serviceIDs.push_back(kStartupShutdownService);
    }
};

CREATE_PMINTERFACE(OpalServiceProvider, kOpalServiceProviderImpl);
