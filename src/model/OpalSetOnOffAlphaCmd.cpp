// Switches the application of opacity as a whole on or off.
#include "ImplementationRegistry.h"
#include "OpalID.h"
#include "model/OpalSetOptionCmd.h"

class OpalSetOnOffAlphaCmd : public OpalSetOptionCmd {
public:
    explicit OpalSetOnOffAlphaCmd(IPMUnknown* boss)
        : OpalSetOptionCmd(boss, &IOpalOptions::SetOnOffAlpha, "Set on off alpha") {}
};

CREATE_PMINTERFACE(OpalSetOnOffAlphaCmd, kOpalSetOnOffAlphaCmdImpl);
