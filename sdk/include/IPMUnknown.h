// The root of every host interface. Objects are bosses: a set of interfaces
// asked for by ID; the reference count belongs to the boss, not to one
// interface, so any interface of a boss keeps the whole boss alive.
#pragma once

#include "HostIDs.h"
#include "SDKTypes.h"

class IPMUnknown {
public:
    enum { kDefaultIID = IID_IUNKNOWN };
    virtual ~IPMUnknown() = default;
    // Returns the interface with a reference added, or nullptr when the boss
    // does not carry it.
    virtual IPMUnknown* QueryInterface(PMIID interfaceID) const = 0;
    virtual void AddRef() const = 0;
    virtual void Release() const = 0;
};

// Identification of the boss an interface belongs to.
OPAL_SDK_API ClassID GetClass(const IPMUnknown* object);

// Marks persistent data changed so that the host writes it again.
OPAL_SDK_API void Dirty(const IPMUnknown* object, ImplementationID implID = kInvalidImpl,
                        bool16 markModified = kTrue);
