// The Opal panel's engine for its list of host panels, on the panel's boss.
#pragma once

#include "IPMUnknown.h"
#include "OpalID.h"

class IOpalPanelTool : public IPMUnknown {
public:
    enum { kDefaultIID = kOpalPanelToolIID };
    // Lists the stored panels again, keeping the selection.
    virtual void RebuildPanelList() = 0;
    // Greys the rows of closed panels and ungreys the open ones.
    virtual void UpdatePanelRowStates() = 0;
    // Switches between all stored panels and the open ones only.
    virtual void ToggleIgnoreClosedPanels() = 0;
    // The alpha-data entry shown in `row`.
    virtual int32 GetEntryIndexForRow(int32 row) = 0;
};
