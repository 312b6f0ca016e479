// The host session: the root every plug-in operation starts from.
#pragma once

#include "IPMUnknown.h"

class IWorkspace;
class IApplication;

class ISession : public IPMUnknown {
public:
    enum { kDefaultIID = IID_ISESSION };
    // Each returns the object with a reference the caller releases, or nullptr.
    virtual IWorkspace* QueryWorkspace() const = 0;
    virtual IApplication* QueryApplication() const = 0;
};

// The workspace object (boss 0x2201): carries workspace-level persistent data.
class IWorkspace : public IPMUnknown {
public:
    enum { kDefaultIID = IID_IWORKSPACE };
};
