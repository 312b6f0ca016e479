// The Opal panel's list of host panels: which stored panels it shows, in
// which order and with which texts, and which entry each row stands for.
#pragma once

#include "CPMUnknown.h"
#include "K2Vector.h"
#include "PMString.h"
#include "engine/IOpalPanelTool.h"

class OpalPanelTool : public CPMUnknown<IOpalPanelTool> {
public:
    explicit OpalPanelTool(IPMUnknown* boss);
    ~OpalPanelTool() override;

    void RebuildPanelList() override;
    void UpdatePanelRowStates() override;
    void ToggleIgnoreClosedPanels() override;
    int32 GetEntryIndexForRow(int32 row) override;

    // Fills `names` with the display names of the panels to list, sorted,
    // and the row table with their entries. kFalse, with both untouched,
    // when the host could not be asked.
    virtual bool16 CollectPanelNames(K2Vector<PMString>& names, bool16 openOnly);

private:
    // Element r: the alpha-data entry shown in row r.
    K2Vector<int32> fRowEntries;
};
