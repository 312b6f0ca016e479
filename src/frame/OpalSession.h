// The host session the module keeps for every part of the plug-in. Set when
// the host hands it over, cleared at unload; not reference-counted.
//
// The Query… walks below each give none when any step to their answer is
// missing; every step is one acquisition from the host, in the order written.
#pragma once

#include "IApplication.h"
#include "IPanelRegistry.h"
#include "ISession.h"
#include "InterfacePtr.h"

ISession* GetOpalSession();
void SetOpalSession(ISession* session);

// Interface `iid` of the workspace object (the options, the alpha data, the
// timer callback).
template <class T> InterfacePtr<T> QueryWorkspaceInterface(PMIID iid) {
    ISession* session = GetOpalSession();
    if (!session)
        return InterfacePtr<T>();
    InterfacePtr<IWorkspace> workspace(session->QueryWorkspace());
    if (!workspace)
        return InterfacePtr<T>();
    return InterfacePtr<T>(workspace, iid);
}

inline InterfacePtr<IApplication> QueryApplication() {
    ISession* session = GetOpalSession();
    if (!session)
        return InterfacePtr<IApplication>();
    return InterfacePtr<IApplication>(session->QueryApplication());
}

inline InterfacePtr<IPaletteRegistry> QueryPaletteRegistry() {
    InterfacePtr<IApplication> application = QueryApplication();
    if (!application)
        return InterfacePtr<IPaletteRegistry>();
    return InterfacePtr<IPaletteRegistry>(application->QueryPaletteRegistry());
}

// The palette registry's panel manager (0x158), which maps panel IDs to their
// palettes.
inline InterfacePtr<IPanelMgr> QueryPanelMgr(const IPaletteRegistry* paletteRegistry) {
    return InterfacePtr<IPanelMgr>(paletteRegistry, IID_IPANELMGR);
}

inline InterfacePtr<IPanelMgr> QueryPanelMgr() {
    InterfacePtr<IPaletteRegistry> paletteRegistry = QueryPaletteRegistry();
    return QueryPanelMgr(paletteRegistry.get());
}
