#include "ui/OpalPanelWidgetObserver.h"

#include "DataInterfaces.h"
#include "IApplication.h"
#include "ICommand.h"
#include "IPanelRegistry.h"
#include "ISession.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/IOpalPanelTool.h"
#include "engine/OpalEngineConstants.h"
#include "engine/OpalPanelUtils.h"
#include "frame/OpalHostHelpers.h"
#include "frame/OpalSession.h"
#include "model/IOpalAlphaData.h"
#include "model/IOpalOptions.h"
#include "model/OpacityText.h"
#include "ui/OpalRegisterPanels.h"

#include <utility>

namespace {

struct Attachment {
    WidgetID widget;
    PMIID protocol;
};
constexpr Attachment kAttachments[] = {
    {kOpalPanelListWidgetID, IID_ILISTSELECTION_PROTOCOL},
    {kOpalOpacitySliderWidgetID, IID_IFIELDVALUE_PROTOCOL},
    {kOpalOnOffButtonWidgetID, IID_IBUTTON_PROTOCOL},
    {kOpalSwapContentButtonWidgetID, IID_IBUTTON_PROTOCOL},
};

} // namespace

// What every change is handled with; all of it is held only for one Update.
struct OpalPanelWidgetObserver::Context {
    InterfacePtr<IOpalAlphaData> alphaData;
    InterfacePtr<IPanelControlData> panel;
    K2Vector<int32> selectedRows; // ascending
    InterfacePtr<IOpalPanelTool> tool;
    InterfacePtr<IControlView> changed;
    InterfacePtr<IPaletteRegistry> paletteRegistry;
};

OpalPanelWidgetObserver::OpalPanelWidgetObserver(IPMUnknown* boss)
    : CWidgetObserver(boss, kOpalPanelWidgetObserverIID) {}

OpalPanelWidgetObserver::~OpalPanelWidgetObserver() = default;

void OpalPanelWidgetObserver::AutoAttach() {
    bool16 hasWorkspace = kFalse;
    if (ISession* session = GetOpalSession()) {
        InterfacePtr<IWorkspace> workspace(session->QueryWorkspace());
        hasWorkspace = workspace ? kTrue : kFalse;
    }
    if (hasWorkspace) {
        RegisterPanels();
        InterfacePtr<IOpalPanelTool> tool(fBoss, kOpalPanelToolIID);
        if (tool) {
            tool->RebuildPanelList();
            // The panel may come back with rows still selected: the field
            // follows the selection as after every change of it.
            Context context;
            context.panel = InterfacePtr<IPanelControlData>(fBoss, IID_IPANELCONTROLDATA);
            context.alphaData = QueryWorkspaceInterface<IOpalAlphaData>(kOpalAlphaDataIID);
            if (context.panel && context.alphaData) {
                context.tool = std::move(tool);
                context.selectedRows = SelectedRows();
                ShowSelection(context);
            }
        }
        InterfacePtr<IPanelControlData> panel(fBoss, IID_IPANELCONTROLDATA);
        if (panel)
            ShowOnOffState(panel.get());
    }
    for (const Attachment& a : kAttachments)
        AttachToWidget(a.widget, a.protocol);
}

void OpalPanelWidgetObserver::AutoDetach() {
    for (const Attachment& a : kAttachments)
        DetachFromWidget(a.widget, a.protocol);
}

void OpalPanelWidgetObserver::Update(const ClassID& theChange, ISubject* theSubject,
                                     const PMIID& /*protocol*/, void* /*changedBy*/) {
    Context context;
    context.alphaData = QueryWorkspaceInterface<IOpalAlphaData>(kOpalAlphaDataIID);
    if (!context.alphaData)
        return;
    context.panel = InterfacePtr<IPanelControlData>(fBoss, IID_IPANELCONTROLDATA);
    if (!context.panel)
        return;
    context.selectedRows = SelectedRows();
    context.tool = InterfacePtr<IOpalPanelTool>(fBoss, kOpalPanelToolIID);
    if (!context.tool)
        return;
    context.changed = InterfacePtr<IControlView>(theSubject, IID_ICONTROLVIEW);
    if (!context.changed)
        return;
    context.paletteRegistry = QueryPaletteRegistry();
    if (!context.paletteRegistry)
        return;

    const WidgetID widget = context.changed->GetWidgetID();
    switch (theChange) {
    case kButtonPressedMsg:
        if (widget == kOpalOnOffButtonWidgetID)
            ToggleOpacity();
        else if (widget == kOpalSwapContentButtonWidgetID)
            context.tool->ToggleIgnoreClosedPanels();
        break;
    case kListSelectionChangedMsg:
    case kListSelectionChangedAltMsg:
        ShowSelection(context);
        break;
    case kFieldValueEnteredMsg:
        if (widget == kOpalOpacitySliderWidgetID)
            ApplyEnteredOpacity(context);
        break;
    case kListSelectionByUserMsg:
        NoticeClosedPanels(context);
        break;
    default:
        break;
    }
}

K2Vector<int32> OpalPanelWidgetObserver::SelectedRows() const {
    K2Vector<int32> selected;
    const int32 rows = CountListRows(fBoss, kOpalPanelListWidgetID);
    for (int32 r = 0; r < rows; ++r)
        if (IsListRowSelected(fBoss, kOpalPanelListWidgetID, r))
            selected.push_back(r);
    return selected;
}

void OpalPanelWidgetObserver::ShowSelection(const Context& context) {
    fAlertShown = kFalse;
    InterfacePtr<IControlView> field(
        context.panel->QueryWidgetByID(kOpalOpacitySliderWidgetID, kWidgetSearchDepth));
    if (!field)
        return;
    // Without a selection the field keeps its last text, greyed.
    if (context.selectedRows.empty()) {
        field->Disable(kTrue);
        return;
    }
    double maximum = 0.0;
    for (int32 r : context.selectedRows) {
        const double alpha =
            context.alphaData->GetEntryAt(context.tool->GetEntryIndexForRow(r)).alpha;
        if (alpha - kOpalOpacityTolerance > maximum)
            maximum = alpha;
    }
    field->Enable(kTrue, kTrue);
    InterfacePtr<ITextControlData> text(field, IID_ITEXTCONTROLDATA);
    if (text)
        // Quietly: the value was not entered by the user.
        text->SetString(OpacityToPercentText(maximum), kTrue, kFalse, kTrue);
}

void OpalPanelWidgetObserver::ApplyEnteredOpacity(const Context& context) {
    InterfacePtr<IPanelMgr> panelMgr = QueryPanelMgr(context.paletteRegistry.get());
    if (!panelMgr)
        return;
    InterfacePtr<ITextControlData> text(context.changed, IID_ITEXTCONTROLDATA);
    if (!text)
        return;
    // The field itself keeps what can be entered within its limits.
    const double value = text->GetString().GetAsDouble();
    IDataBase* db = GetDataBase(panelMgr.get());

    for (int32 r : context.selectedRows) {
        const int32 entry = context.tool->GetEntryIndexForRow(r);
        {
            InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalSetAlphaCmdBoss));
            if (!command)
                return;
            InterfacePtr<IIntData> rowData(command, kOpalListRowDataIID);
            InterfacePtr<IIntData> entryData(command, kOpalEntryIndexDataIID);
            InterfacePtr<IRealNumberData> alphaData(command, kOpalAlphaValueDataIID);
            if (!rowData || !entryData || !alphaData)
                return;
            rowData->Set(r);
            entryData->Set(entry);
            alphaData->Set(value);
            CmdUtils::ExecuteCommand(command.get());
        }
        // A panel whose window cannot be reached keeps its new value; it is
        // shown with it when its window next appears. The other rows still
        // get theirs.
        const UID palette =
            panelMgr->GetPaletteUIDOfPanel(context.alphaData->GetEntryAt(entry).panelID);
        InterfacePtr<IPMUnknown> window(db ? db->Instantiate(palette, IID_IPALETTEWINDOW)
                                           : nullptr);
        if (window)
            SchedulePaletteAlpha(window.get());
    }
}

void OpalPanelWidgetObserver::NoticeClosedPanels(const Context& context) {
    for (int32 r : context.selectedRows) {
        InterfacePtr<IPanelControlData> row(GetListRowPanel(fBoss, kOpalPanelListWidgetID, r));
        if (!row)
            return;
        InterfacePtr<IControlView> name(
            row->QueryWidgetByID(kOpalRowNameWidgetID, kWidgetSearchDepth));
        if (!name)
            return;
        // A greyed name marks a closed or stashed panel.
        if (name->IsEnabled() || fAlertShown)
            continue;
        InterfacePtr<ICommand> alert(CmdUtils::CreateCommand(kOpalShowAlertCmdBoss));
        if (!alert)
            return;
        // After this update, so that the selection is drawn before the alert.
        CmdUtils::ScheduleCommand(alert.get(), kDeferredWorkPriority);
        fAlertShown = kTrue;
        return;
    }
}

void OpalPanelWidgetObserver::ShowOnOffState(const IPanelControlData* panel) {
    auto options = QueryWorkspaceInterface<IOpalOptions>(kOpalOptionsIID);
    if (!options)
        return;
    // The layout always starts with the "on" picture.
    ShowOnOffPicture(panel, options->GetOnOffAlpha());
}

CREATE_PMINTERFACE(OpalPanelWidgetObserver, kOpalPanelWidgetObserverImpl);
