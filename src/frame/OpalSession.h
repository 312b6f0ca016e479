// The host session the module keeps for every part of the plug-in. Set when
// the host hands it over, cleared at unload; not reference-counted.
#pragma once

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
