// The host session the module keeps for every part of the plug-in. Set when
// the host hands it over, cleared at unload; not reference-counted.
#pragma once

class ISession;

ISession* GetOpalSession();
void SetOpalSession(ISession* session);
