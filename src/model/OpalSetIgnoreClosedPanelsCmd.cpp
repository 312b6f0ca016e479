// Switches the Opal panel's list between all stored panels and open ones only.
#include "ImplementationRegistry.h"
#include "OpalID.h"
#include "model/OpalSetOptionCmd.h"

class OpalSetIgnoreClosedPanelsCmd : public OpalSetOptionCmd {
public:
    explicit OpalSetIgnoreClosedPanelsCmd(IPMUnknown* boss)
        : OpalSetOptionCmd(boss, &IOpalOptions::SetIgnoreClosedPanels, "Set ignore closed panels") {
    }
};

CREATE_PMINTERFACE(OpalSetIgnoreClosedPanelsCmd, kOpalSetIgnoreClosedPanelsCmdImpl);
