#include "OpalUpdatePanelListCmd.h"

#include "ISession.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/IOpalPanelTool.h"
#include "engine/OpalEngineConstants.h"
#include "frame/OpalHostHelpers.h"
#include "frame/OpalSession.h"
#include "model/IOpalOptions.h"

OpalUpdatePanelListCmd::OpalUpdatePanelListCmd(IPMUnknown* boss) : Command(boss) {
    SetUndoability(kOpalUndoability);
}

void OpalUpdatePanelListCmd::Do() {
    if (GetCommandState() != kNotDone)
        return;
    InterfacePtr<IPMUnknown> opalPanel = QueryOpalPanel();
    if (!opalPanel)
        return;
    InterfacePtr<IOpalPanelTool> panelTool(opalPanel, kOpalPanelToolIID);
    if (!panelTool)
        return;
    InterfacePtr<IOpalOptions> options = QueryWorkspaceInterface<IOpalOptions>(kOpalOptionsIID);
    if (!options)
        return;

    // Showing open panels only, the set of rows may change; otherwise every
    // row stays and only its greyed state follows the host.
    if (options->GetIgnoreClosedPanels())
        panelTool->RebuildPanelList();
    else
        panelTool->UpdatePanelRowStates();
}

PMString* OpalUpdatePanelListCmd::CreateName() {
    return new PMString("Opal update panel listbox", -1, PMString::kNoTranslate);
}

void OpalUpdatePanelListCmd::SetUpTarget() {
    SetTarget(kOpalCommandTarget);
}

CREATE_PMINTERFACE(OpalUpdatePanelListCmd, kOpalUpdatePanelListCmdImpl);
