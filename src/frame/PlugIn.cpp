// The module's frame: the one plug-in object the host gets from GetPlugIn,
// the session it hands over, and the registration of every implementation.
#include "IPlugIn.h"
#include "ISession.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OSWindows.h"
#include "OpalID.h"
#include "frame/OpalSession.h"

ImplementationRecord* gImplementationRecords = nullptr;

namespace {

ISession* gSession = nullptr;

// The module's own file, where the host finds the resources. Built on first
// use, so that process attach may fill it in before other static objects exist.
WBaseResourceAccess::ResourceFileInfo& ResourceFileInfo() {
    static WBaseResourceAccess::ResourceFileInfo info;
    return info;
}

class WResourceAccess : public WBaseResourceAccess {
public:
    using WBaseResourceAccess::WBaseResourceAccess;
};

class PlugIn final : public IPlugIn {
public:
    bool16 Load(ISession* session) override {
        SetOpalSession(session);
        return kTrue;
    }
    bool16 Unload() override {
        SetOpalSession(nullptr);
        return kTrue;
    }
    bool16 IsRequired() const override { return kFalse; }
    bool16 CanUnload() const override { return kTrue; }
    void SetLoadPhase(int32 /*phase*/) override {}
    PluginID GetPluginID() const override { return fPluginID; }
    void SetPluginID(PluginID id) override { fPluginID = id; }
    IDFile GetResourceFile() const override {
        const WResourceAccess access(ResourceFileInfo());
        return access.GetResourceFile();
    }
    void Register(int32 hostValue, ISession* session) override {
        SetOpalSession(session);
        if (!session)
            return;
        InterfacePtr<IImplementationRegistrar> registrar(session, IID_IREGISTRAR);
        if (!registrar)
            return;
        for (const ImplementationRecord* r = gImplementationRecords; r; r = r->next)
            registrar->RegisterImplementation(hostValue, r->implID, r->create, r->destroy, r->size,
                                              r->readWrite, r->flags);
    }

private:
    PluginID fPluginID = kInvalidPlugin;
};

PlugIn gPlugIn;

void AttachModule(HMODULE module) {
    WCHAR path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    WBaseResourceAccess::ResourceFileInfo& info = ResourceFileInfo();
    info.file.SetTString(path);
    info.noFile = 0;
    info.reserved1 = 0;
    info.reserved2 = 0;
}

} // namespace

ISession* GetOpalSession() {
    return gSession;
}
void SetOpalSession(ISession* session) {
    gSession = session;
}

extern "C" OPAL_SDK_EXPORT IPlugIn* GetPlugIn() {
    return &gPlugIn;
}

#if defined(_WIN32)
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH)
        AttachModule(instance);
    return TRUE;
}
#else
namespace {
// Natively a module has no attach notification; a constructor stands in, and
// an address inside this module stands for its handle.
__attribute__((constructor)) void OnProcessAttach() {
    AttachModule(reinterpret_cast<HMODULE>(reinterpret_cast<void*>(&OnProcessAttach)));
}
} // namespace
#endif
