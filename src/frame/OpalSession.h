// The host session the module keeps for every part of the plug-in. Set when
// the host hands it over, cleared at unload; not reference-counted.
#pragma once

#include "IApplication.h"
#include "IPanelRegistry.h"
#include "ISession.h"
#include "InterfacePtr.h"

ISession* GetOpalSession();
void SetOpalSession(ISession* session);

// Interface `iid` of the workspace object (the options, the alpha data, the
// timer callback), or none when the session, the workspace or the interface
// is missing.
template <class T> InterfacePtr<T> QueryWorkspaceInterface(PMIID iid) {
    ISession* session = GetOpalSession();
    if (!session)
        return InterfacePtr<T>();
    InterfacePtr<IWorkspace> workspace(session->QueryWorkspace());
    if (!workspace)
        return InterfacePtr<T>();
    return InterfacePtr<T>(workspace, iid);
}

// The palette registry's panel manager (0x158), which maps panel IDs to their
// palettes, or none when any step to it is missing.
inline InterfacePtr<IPanelMgr> QueryPanelMgr() {
    ISession* session = GetOpalSession();
    if (!session)
        return InterfacePtr<IPanelMgr>();
    InterfacePtr<IApplication> application(session->QueryApplication());
    if (!application)
        return InterfacePtr<IPanelMgr>();
    InterfacePtr<IPaletteRegistry> paletteRegistry(application->QueryPaletteRegistry());
    if (!paletteRegistry)
        return InterfacePtr<IPanelMgr>();
    return InterfacePtr<IPanelMgr>(paletteRegistry, IID_IPANELMGR);
}
