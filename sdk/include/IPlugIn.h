// The module contract between the host and a plug-in.
//
// Lifecycle, in order:
//   1. the host loads the module file; process attach records the module path;
//   2. the host calls the exported C function GetPlugIn() for the one plug-in object;
//   3. Load() hands it the host session;
//   4. Register() has it register every implementation record with the session;
//   5. the host reads the resources from GetResourceFile() and builds the bosses;
//   6. once the application is up, the host calls the start-up service;
//   7. at the end, the shut-down service, then Unload(); then the module is unloaded.
#pragma once

#include "IDFile.h"
#include "SDKTypes.h"

class ISession;

class IPlugIn {
public:
    virtual bool16 Load(ISession* session) = 0; // keeps the session; kTrue
    virtual bool16 Unload() = 0;                // forgets the session; kTrue
    virtual bool16 IsRequired() const = 0;      // the host may run without it: kFalse
    virtual bool16 CanUnload() const = 0;       // kTrue
    virtual void SetLoadPhase(int32 phase) = 0; // ignored
    virtual PluginID GetPluginID() const = 0;
    virtual void SetPluginID(PluginID id) = 0;
    virtual IDFile GetResourceFile() const = 0;
    virtual void Register(int32 hostValue, ISession* session) = 0;
    virtual ~IPlugIn() = default;
};

// Exported by every plug-in module with C linkage.
using GetPlugInFn = IPlugIn* (*)();
#define kGetPlugInSymbol "GetPlugIn"
