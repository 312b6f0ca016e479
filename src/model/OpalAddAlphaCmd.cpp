// Registers a host panel in the alpha data, fully opaque; a panel already
// stored keeps its opacity.
#include "Command.h"
#include "DataInterfaces.h"
#include "ISession.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "frame/OpalSession.h"
#include "model/IOpalAlphaData.h"

class OpalAddAlphaCmd : public Command {
public:
    explicit OpalAddAlphaCmd(IPMUnknown* boss) : Command(boss) {}
    ~OpalAddAlphaCmd() override = default;

    void Do() override {
        if (GetCommandState() != kNotDone)
            return;
        InterfacePtr<IOpalAlphaData> alphaData =
            QueryWorkspaceInterface<IOpalAlphaData>(kOpalAlphaDataIID);
        if (!alphaData)
            return;
        InterfacePtr<IIntData> panelID(this, kOpalPanelIDDataIID);
        if (!panelID)
            return;
        alphaData->AddPanel(panelID->Get());
    }

    PMString* CreateName() override {
        return new PMString("Pair Alpha to Panel", PMString::kNoTranslate);
    }

    void SetUpTarget() override { SetTarget(0); }
};

CREATE_PMINTERFACE(OpalAddAlphaCmd, kOpalAddAlphaCmdImpl);
