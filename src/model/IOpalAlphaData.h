// The opacity stored per host panel, on the workspace object. Entries are
// only ever appended, so an entry index stays valid for the object's life.
#pragma once

#include "IPMUnknown.h"
#include "OpalID.h"

struct AlphaEntry {
    int32 panelID = 0;
    double alpha = kOpalFullOpacity; // percent
};

class IOpalAlphaData : public IPMUnknown {
public:
    enum { kDefaultIID = kOpalAlphaDataIID };
    virtual int32 CountEntries() const = 0;
    // Appends (panelID, 100) unless the panel is already stored.
    virtual void AddPanel(int32 panelID) = 0;
    virtual void SetAlphaAt(int32 index, double alpha) = 0;
    virtual AlphaEntry GetEntryAt(int32 index) const = 0;
    // Sets a stored panel's opacity; an unknown panel is ignored.
    virtual void SetAlphaForPanel(int32 panelID, double alpha) = 0;
    // 100 for a panel that is not stored.
    virtual double GetAlphaForPanel(int32 panelID) const = 0;
};
