#include "OpalPanelUtils.h"

#include "CWidgetObserver.h"
#include "DataInterfaces.h"
#include "IApplication.h"
#include "ICommand.h"
#include "IDialog.h"
#include "IPanelRegistry.h"
#include "ISession.h"
#include "IUtils.h"
#include "IWidgets.h"
#include "InterfacePtr.h"
#include "OpalEngineConstants.h"
#include "OpalID.h"
#include "ResourceTypes.h"
#include "RsrcSpec.h"
#include "engine/IOpalPointerWatch.h"
#include "frame/OpalHostHelpers.h"
#include "frame/OpalSession.h"
#include "model/IOpalAlphaData.h"
#include "model/IOpalOptions.h"
#include "model/IOpalPointerOptions.h"

void SchedulePaletteAlpha(const IPMUnknown* palette) {
    ScheduleCommandOn(kOpalSetPaletteAlphaCmdBoss, palette, kPaletteAlphaPriority);
}

bool ScheduleAttachTabAreaObserver(const IPMUnknown* palette) {
    return ScheduleCommandOn(kOpalAttachTabAreaObserverCmdBoss, palette, kDeferredWorkPriority);
}

namespace {

void ScheduleStoredPalettes(const IOpalAlphaData* alphaData, IPanelMgr* panelMgr) {
    IDataBase* db = GetDataBase(panelMgr);
    for (int32 i = 0; i < alphaData->CountEntries(); ++i) {
        const UID palette = panelMgr->GetPaletteUIDOfPanel(alphaData->GetEntryAt(i).panelID);
        if (palette == kInvalidUID || !db)
            continue;
        // A palette that cannot be reached now is skipped; the others must
        // still follow the switch.
        InterfacePtr<IPMUnknown> window(db->Instantiate(palette, IID_IPALETTEWINDOW));
        if (window)
            SchedulePaletteAlpha(window.get());
    }
}

// On the Opal panel, when it has been built.
void ShowOnOffPictureOnOpalPanel(bool16 on) {
    InterfacePtr<IPMUnknown> opalPanel = QueryOpalPanel();
    InterfacePtr<IPanelControlData> children(opalPanel, IID_IPANELCONTROLDATA);
    if (children)
        ShowOnOffPicture(children.get(), on);
}

} // namespace

void SwitchOpacity(bool16 on) {
    auto alphaData = QueryWorkspaceInterface<IOpalAlphaData>(kOpalAlphaDataIID);
    if (!alphaData)
        return;
    InterfacePtr<IPanelMgr> panelMgr = QueryPanelMgr();
    if (!panelMgr)
        return;

    // The option is stored before any window is touched, so it changes even
    // when no window can be reached.
    {
        InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalSetOnOffAlphaCmdBoss));
        if (!command)
            return;
        InterfacePtr<IBoolData> onData(command, IID_IBOOLDATA);
        if (!onData)
            return;
        onData->Set(on);
        CmdUtils::ExecuteCommand(command.get());
    }

    ScheduleStoredPalettes(alphaData.get(), panelMgr.get());
    ShowOnOffPictureOnOpalPanel(on);
}

void ToggleOpacity() {
    bool16 on = kFalse;
    {
        auto options = QueryWorkspaceInterface<IOpalOptions>(kOpalOptionsIID);
        if (!options)
            return;
        on = options->GetOnOffAlpha();
    }
    SwitchOpacity(on ? kFalse : kTrue);
}

void FollowOpaqueUnderPointer() {
    auto options = QueryWorkspaceInterface<IOpalPointerOptions>(kOpalPointerOptionsIID);
    if (!options)
        return;
    auto watch = QueryWorkspaceInterface<IOpalPointerWatch>(kOpalPointerWatchIID);
    if (!watch || (watch->IsFollowing() != kFalse) == (options->GetOpaqueUnderPointer() != kFalse))
        return;
    watch->Follow(options->GetOpaqueUnderPointer());
    if (!watch->IsFollowing())
        return;
    // The watch learns of the palettes Opal makes translucent as their alpha
    // is set: set it again for every stored panel's palette.
    auto alphaData = QueryWorkspaceInterface<IOpalAlphaData>(kOpalAlphaDataIID);
    if (!alphaData)
        return;
    InterfacePtr<IPanelMgr> panelMgr = QueryPanelMgr();
    if (panelMgr)
        ScheduleStoredPalettes(alphaData.get(), panelMgr.get());
}

void ToggleOpaqueUnderPointer() {
    bool16 on = kFalse;
    {
        auto options = QueryWorkspaceInterface<IOpalPointerOptions>(kOpalPointerOptionsIID);
        if (!options)
            return;
        on = options->GetOpaqueUnderPointer();
    }
    {
        InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalSetOpaqueUnderPointerCmdBoss));
        if (!command)
            return;
        InterfacePtr<IBoolData> onData(command, IID_IBOOLDATA);
        if (!onData)
            return;
        onData->Set(on ? kFalse : kTrue);
        CmdUtils::ExecuteCommand(command.get());
    }
    // What the option now says, whether or not the command could store it.
    FollowOpaqueUnderPointer();
}

namespace {

// The list widget below `owner`, or none.
InterfacePtr<IControlView> QueryList(const IPMUnknown* owner, WidgetID listWidgetID) {
    InterfacePtr<IPanelControlData> ownerChildren(owner, IID_IPANELCONTROLDATA);
    if (!ownerChildren)
        return InterfacePtr<IControlView>();
    return InterfacePtr<IControlView>(
        ownerChildren->QueryWidgetByID(listWidgetID, kWidgetSearchDepth));
}

template <class T>
InterfacePtr<T> QueryListInterface(const IPMUnknown* owner, WidgetID listWidgetID, PMIID iid) {
    InterfacePtr<IControlView> list = QueryList(owner, listWidgetID);
    return InterfacePtr<T>(list, iid);
}

// The container that holds the rows' views, inside the list.
InterfacePtr<IPanelControlData> QueryRowContainer(const IControlView* list) {
    InterfacePtr<IPanelControlData> listChildren(list, IID_IPANELCONTROLDATA);
    if (!listChildren)
        return InterfacePtr<IPanelControlData>();
    InterfacePtr<IControlView> rowContainer(
        listChildren->QueryWidgetByID(kListScrollWidgetID, kWidgetSearchDepth));
    return InterfacePtr<IPanelControlData>(rowContainer, IID_IPANELCONTROLDATA);
}

} // namespace

int32 CountListRows(const IPMUnknown* owner, WidgetID listWidgetID) {
    auto rows = QueryListInterface<IListControlData>(owner, listWidgetID, IID_ILISTCONTROLDATA);
    return rows ? rows->Length() : -1;
}

bool16 IsListRowSelected(const IPMUnknown* owner, WidgetID listWidgetID, int32 row) {
    auto selection = QueryListInterface<IListSelection>(owner, listWidgetID, IID_ILISTSELECTION);
    return selection && selection->IsSelected(row) ? kTrue : kFalse;
}

int32 GetSelectedListRow(const IPMUnknown* owner, WidgetID listWidgetID) {
    auto selection = QueryListInterface<IListSelection>(owner, listWidgetID, IID_ILISTSELECTION);
    return selection ? selection->GetSelected() : -1;
}

void SelectListRow(const IPMUnknown* owner, WidgetID listWidgetID, int32 row) {
    auto selection = QueryListInterface<IListSelection>(owner, listWidgetID, IID_ILISTSELECTION);
    if (selection)
        selection->Select(row, kTrue, kTrue);
}

void AppendListRow(const IPMUnknown* owner, WidgetID listWidgetID, const IPMUnknown* rowWidget) {
    InterfacePtr<IControlView> list = QueryList(owner, listWidgetID);
    if (!list)
        return;
    InterfacePtr<IPanelControlData> rows = QueryRowContainer(list.get());
    if (!rows)
        return;
    InterfacePtr<IControlView> rowView(rowWidget, IID_ICONTROLVIEW);
    if (!rowView)
        return;
    InterfacePtr<IListControlData> listData(list, IID_ILISTCONTROLDATA);
    if (!listData)
        return;
    rows->AddWidget(rowView.get(), -1, kTrue);
    listData->Add(rowView.get(), -2, kTrue, kFalse);
}

void ClearListRows(const IPMUnknown* owner, WidgetID listWidgetID) {
    InterfacePtr<IControlView> list = QueryList(owner, listWidgetID);
    if (!list)
        return;
    InterfacePtr<IListControlData> listData(list, IID_ILISTCONTROLDATA);
    if (!listData)
        return;
    listData->Clear(kFalse, kFalse);
    InterfacePtr<IPanelControlData> rows = QueryRowContainer(list.get());
    if (rows)
        rows->ReleaseAll(kTrue);
    list->Invalidate();
}

IPanelControlData* GetListRowPanel(const IPMUnknown* owner, WidgetID listWidgetID, int32 row) {
    InterfacePtr<IControlView> list = QueryList(owner, listWidgetID);
    if (!list)
        return nullptr;
    InterfacePtr<IPanelControlData> rows = QueryRowContainer(list.get());
    if (!rows || row < 0 || row >= rows->Length())
        return nullptr;
    InterfacePtr<IControlView> rowView(rows->QueryWidget(row));
    if (!rowView)
        return nullptr;
    return static_cast<IPanelControlData*>(rowView->QueryInterface(IID_IPANELCONTROLDATA));
}

IDialog* CreatePluginDialog(const RsrcID& rsrcID) {
    InterfacePtr<IApplication> application = QueryApplication();
    if (!application)
        return nullptr;
    InterfacePtr<IDialogMgr> dialogMgr(application, IID_IDIALOGMGR);
    if (!dialogMgr)
        return nullptr;
    const RsrcSpec spec(WLocaleSetting::GetLocale(), kOpalPluginID, kLayoutRsrcType, rsrcID, kTrue);
    const int32 modality = kDialogModality;
    return dialogMgr->CreateNewDialog(spec, modality, kDialogReserved, kDialogReserved);
}

void OpenPluginDialog(const RsrcID& rsrcID, bool16 wait) {
    InterfacePtr<IDialog> dialog(CreatePluginDialog(rsrcID));
    if (!dialog)
        return;
    dialog->Open(0);
    if (wait)
        dialog->WaitForDialog(0);
}
