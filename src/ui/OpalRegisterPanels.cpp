#include "OpalRegisterPanels.h"

#include "DataInterfaces.h"
#include "IApplication.h"
#include "ICommand.h"
#include "IPanelRegistry.h"
#include "ISession.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "frame/OpalSession.h"
#include "model/IOpalAlphaData.h"

void RegisterPanels() {
    InterfacePtr<IApplication> application = QueryApplication();
    if (!application)
        return;
    InterfacePtr<IPanelRegistry> panelRegistry(application->QueryPanelRegistry());
    if (!panelRegistry)
        return;
    InterfacePtr<IPaletteRegistry> paletteRegistry(application->QueryPaletteRegistry());
    if (!paletteRegistry)
        return;
    InterfacePtr<IPanelMgr> panelMgr = QueryPanelMgr(paletteRegistry.get());
    if (!panelMgr)
        return;
    InterfacePtr<IOpalAlphaData> alphaData =
        QueryWorkspaceInterface<IOpalAlphaData>(kOpalAlphaDataIID);
    if (!alphaData)
        return;

    const int32 count = panelRegistry->GetPanelCount();
    for (int32 i = 0; i < count; ++i) {
        const int32 panelID = panelRegistry->GetNthPanelID(i);
        {
            InterfacePtr<IPMUnknown> panel(panelRegistry->QueryPanelByID(panelID));
            if (!panel || GetClass(panel.get()) != kPanelBoss)
                continue;
        }
        // A panel in no palette window cannot be made transparent.
        if (panelMgr->GetPaletteUIDOfPanel(panelID) == kInvalidUID)
            continue;
        // Names starting with a full stop are the host's internal panels.
        const PMString name = panelRegistry->GetPanelName(panelID);
        if (!name.IsEmpty() && name.GetChar(0) == '.')
            continue;

        // Panels after a failure are registered the next time the panel is shown.
        InterfacePtr<ICommand> add(CmdUtils::CreateCommand(kOpalAddAlphaCmdBoss));
        if (!add)
            return;
        InterfacePtr<IIntData> panelData(add, kOpalPanelIDDataIID);
        if (!panelData)
            return;
        panelData->Set(panelID);
        CmdUtils::ExecuteCommand(add.get());
    }
}
