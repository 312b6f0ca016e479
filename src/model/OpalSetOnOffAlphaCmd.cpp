// Switches the application of opacity as a whole on or off.
#include "Command.h"
#include "DataInterfaces.h"
#include "ISession.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "frame/OpalSession.h"
#include "model/IOpalOptions.h"

class OpalSetOnOffAlphaCmd : public Command {
public:
    explicit OpalSetOnOffAlphaCmd(IPMUnknown* boss) : Command(boss) {}
    ~OpalSetOnOffAlphaCmd() override = default;

    void Do() override {
        if (GetCommandState() != kNotDone)
            return;
        InterfacePtr<IOpalOptions> options = QueryWorkspaceInterface<IOpalOptions>(kOpalOptionsIID);
        if (!options)
            return;
        InterfacePtr<IBoolData> on(this, IID_IBOOLDATA);
        if (!on)
            return;
        options->SetOnOffAlpha(on->Get());
    }

    PMString* CreateName() override {
        return new PMString("Set on off alpha", PMString::kNoTranslate);
    }

    void SetUpTarget() override { SetTarget(0); }
};

CREATE_PMINTERFACE(OpalSetOnOffAlphaCmd, kOpalSetOnOffAlphaCmdImpl);
