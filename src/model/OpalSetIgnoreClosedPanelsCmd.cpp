// Switches the Opal panel's list between all stored panels and open ones only.
#include "Command.h"
#include "DataInterfaces.h"
#include "ISession.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "frame/OpalSession.h"
#include "model/IOpalOptions.h"

class OpalSetIgnoreClosedPanelsCmd : public Command {
public:
    explicit OpalSetIgnoreClosedPanelsCmd(IPMUnknown* boss) : Command(boss) {}
    ~OpalSetIgnoreClosedPanelsCmd() override = default;

    void Do() override {
        if (GetCommandState() != kNotDone)
            return;
        InterfacePtr<IOpalOptions> options = QueryWorkspaceInterface<IOpalOptions>(kOpalOptionsIID);
        if (!options)
            return;
        InterfacePtr<IBoolData> ignore(this, IID_IBOOLDATA);
        if (!ignore)
            return;
        options->SetIgnoreClosedPanels(ignore->Get());
    }

    PMString* CreateName() override {
        return new PMString("Set ignore closed panels", PMString::kNoTranslate);
    }

    void SetUpTarget() override { SetTarget(0); }
};

CREATE_PMINTERFACE(OpalSetIgnoreClosedPanelsCmd, kOpalSetIgnoreClosedPanelsCmdImpl);
