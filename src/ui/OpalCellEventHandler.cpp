#include "ui/OpalCellEventHandler.h"

#include "IPanelRegistry.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/IOpalPanelTool.h"
#include "engine/OpalPanelUtils.h"
#include "frame/OpalHostHelpers.h"
#include "frame/OpalSession.h"
#include "model/IOpalAlphaData.h"

namespace {
constexpr bool16 kHandled = kTrue;
} // namespace

OpalCellEventHandler::OpalCellEventHandler(IPMUnknown* boss) : CEventHandler(boss) {}

OpalCellEventHandler::~OpalCellEventHandler() = default;

bool16 OpalCellEventHandler::ButtonDblClk(IEvent* /*e*/) {
    InterfacePtr<IPMUnknown> opalPanel = QueryOpalPanel();
    if (!opalPanel)
        return kHandled;
    InterfacePtr<IOpalPanelTool> tool(opalPanel, kOpalPanelToolIID);
    if (!tool)
        return kHandled;
    // The list selected the clicked row on the first click; the selection,
    // not the widget that got the event, names the panel.
    const int32 row = GetSelectedListRow(opalPanel.get(), kOpalPanelListWidgetID);
    if (row < 0)
        return kHandled;
    InterfacePtr<IPanelMgr> panelMgr = QueryPanelMgr();
    if (!panelMgr)
        return kHandled;
    auto alphaData = QueryWorkspaceInterface<IOpalAlphaData>(kOpalAlphaDataIID);
    if (!alphaData)
        return kHandled;

    const int32 panelID = alphaData->GetEntryAt(tool->GetEntryIndexForRow(row)).panelID;
    if (panelMgr->IsPanelPaletteShown(panelID))
        panelMgr->HidePanel(panelID);
    else
        panelMgr->ShowPanel(panelID, kTrue);
    return kHandled;
}

CREATE_PMINTERFACE(OpalCellEventHandler, kOpalCellEventHandlerImpl);
