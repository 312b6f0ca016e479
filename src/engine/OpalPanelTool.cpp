#include "engine/OpalPanelTool.h"

#include "CWidgetObserver.h"
#include "DataInterfaces.h"
#include "IApplication.h"
#include "ICommand.h"
#include "IPanelRegistry.h"
#include "ISession.h"
#include "IWidgets.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "ResourceTypes.h"
#include "RsrcSpec.h"
#include "engine/OpalEngineConstants.h"
#include "engine/OpalPanelUtils.h"
#include "frame/OpalSession.h"
#include "model/IOpalAlphaData.h"
#include "model/IOpalOptions.h"
#include "model/OpacityText.h"

#include <algorithm>

namespace {

// What the host says of a panel's palette.
enum class PaletteState { kOpen, kClosed, kUnreachable };

// Open means shown in a floating or docked palette; a stashed or otherwise
// held panel has no window of its own to make transparent.
PaletteState StateOfPanel(int32 panelID, const IPaletteRegistry* paletteRegistry,
                          const IPanelMgr* panelMgr) {
    const UID palette = panelMgr->GetPaletteUIDOfPanel(panelID);
    IDataBase* db = GetDataBase(panelMgr);
    if (!db)
        return PaletteState::kUnreachable;
    InterfacePtr<IControlView> paletteView(
        static_cast<IControlView*>(db->Instantiate(palette, IID_ICONTROLVIEW)));
    if (!paletteView)
        return PaletteState::kUnreachable;
    const ClassID cls = GetClass(paletteView.get());
    const bool open = paletteRegistry->IsPaletteShown(WLocaleSetting::GetLocale(), palette) &&
                      (cls == kPaletteFloatingBoss || cls == kPaletteDockedBoss);
    return open ? PaletteState::kOpen : PaletteState::kClosed;
}

// The name without its mnemonic marks: a single "&" goes, "&&" stays as it is.
PMString DisplayName(const PMString& name) {
    PMString display;
    display.SetTranslationStatus(PMString::kHasBeenTranslated);
    const int32 length = name.WCharLength();
    for (int32 k = 0; k < length; ++k) {
        const PlatformChar c = name.GetChar(k);
        if (!(c == '&')) {
            display.Append(c);
            continue;
        }
        if (k + 1 < length && name.GetChar(k + 1) == '&') {
            display.Append("&&");
            ++k;
        }
    }
    return display;
}

// The host objects every list operation asks.
struct HostRegistries {
    InterfacePtr<IApplication> application;
    InterfacePtr<IPaletteRegistry> paletteRegistry;
    InterfacePtr<IPanelMgr> panelMgr;

    bool Obtain() {
        application = QueryApplication();
        if (!application)
            return false;
        paletteRegistry.reset(application->QueryPaletteRegistry());
        if (!paletteRegistry)
            return false;
        panelMgr = QueryPanelMgr(paletteRegistry.get());
        return static_cast<bool>(panelMgr);
    }
};

// The entries of the selected rows among the first `shownRows`.
K2Vector<int32> SelectedEntries(const IPMUnknown* owner, int32 shownRows,
                                const K2Vector<int32>& rowEntries) {
    K2Vector<int32> selected;
    for (int32 r = 0; r < shownRows && r < rowEntries.Length(); ++r)
        if (IsListRowSelected(owner, kOpalPanelListWidgetID, r))
            selected.push_back(rowEntries[static_cast<size_t>(r)]);
    return selected;
}

// The first row of each entry that still has one.
K2Vector<int32> RowsOfEntries(const K2Vector<int32>& entries, const K2Vector<int32>& rowEntries) {
    K2Vector<int32> rows;
    for (int32 entry : entries)
        for (int32 r = 0; r < rowEntries.Length(); ++r)
            if (rowEntries[static_cast<size_t>(r)] == entry) {
                rows.push_back(r);
                break;
            }
    return rows;
}

// One row from the row template per name, showing the name and its entry's
// opacity; the first row that cannot be made ends the list.
void AppendRows(const IPMUnknown* owner, const IControlView* list, const K2Vector<PMString>& names,
                const K2Vector<int32>& rowEntries, const IOpalAlphaData* alphaData) {
    IDataBase* db = GetDataBase(list);
    const RsrcSpec rowSpec(WLocaleSetting::GetLocale(), kOpalPluginID, kLayoutRsrcType,
                           kOpalListRowRsrcID, kTrue);
    for (int32 k = 0; k < names.Length(); ++k) {
        const int32 entry = rowEntries[static_cast<size_t>(k)];
        const PMString opacityText = OpacityToPercentText(alphaData->GetEntryAt(entry).alpha);
        InterfacePtr<IControlView> row(
            db ? static_cast<IControlView*>(CreateObject(db, rowSpec, IID_ICONTROLVIEW)) : nullptr);
        if (!row)
            break;
        InterfacePtr<IPanelControlData> rowChildren(row, IID_IPANELCONTROLDATA);
        if (!rowChildren)
            break;
        InterfacePtr<IControlView> nameView(
            rowChildren->QueryWidgetByID(kOpalRowNameWidgetID, kWidgetSearchDepth));
        InterfacePtr<ITextControlData> nameText(nameView, IID_ITEXTCONTROLDATA);
        InterfacePtr<IControlView> opacityView(
            rowChildren->QueryWidgetByID(kOpalRowOpacityTextWidgetID, kWidgetSearchDepth));
        InterfacePtr<ITextControlData> opacity(opacityView, IID_ITEXTCONTROLDATA);
        if (!nameText || !opacity)
            break;
        nameText->SetString(names[static_cast<size_t>(k)], kTrue, kTrue, kTrue);
        opacity->SetString(opacityText, kTrue, kTrue, kTrue);
        AppendListRow(owner, kOpalPanelListWidgetID, row.get());
    }
}

// A frame change is what makes the list lay its rows out again.
void LayOutRowsAgain(IControlView* list) {
    const PMRect frame = list->GetFrame();
    PMRect taller = frame;
    taller.Bottom(frame.Bottom() + 1.0);
    list->SetFrame(taller, kFalse);
    list->SetFrame(frame, kTrue);
}

} // namespace

OpalPanelTool::OpalPanelTool(IPMUnknown* boss) : CPMUnknown<IOpalPanelTool>(boss) {}

OpalPanelTool::~OpalPanelTool() = default;

bool16 OpalPanelTool::CollectPanelNames(K2Vector<PMString>& names, bool16 openOnly) {
    auto alphaData = QueryWorkspaceInterface<IOpalAlphaData>(kOpalAlphaDataIID);
    if (!alphaData)
        return kFalse;
    HostRegistries host;
    if (!host.Obtain())
        return kFalse;
    InterfacePtr<IPanelRegistry> panelRegistry(host.application->QueryPanelRegistry());
    if (!panelRegistry)
        return kFalse;

    // The names in entry order, and their places in it sorted by name: only
    // places move as names are inserted.
    K2Vector<PMString> listed;
    K2Vector<int32> entryOf;
    K2Vector<int32> order;
    for (int32 i = 0; i < alphaData->CountEntries(); ++i) {
        const int32 panelID = alphaData->GetEntryAt(i).panelID;
        if (!panelRegistry->IsValidPanel(panelID))
            continue;
        if (openOnly && StateOfPanel(panelID, host.paletteRegistry.get(), host.panelMgr.get()) !=
                            PaletteState::kOpen)
            continue;
        PMString name = panelRegistry->GetPanelName(panelID);
        name.Translate();
        listed.push_back(DisplayName(name));
        entryOf.push_back(i);

        // After every name not greater than this one: equal names keep the
        // order of their entries.
        const PMString& added = listed.back();
        const auto at = std::upper_bound(order.begin(), order.end(), added,
                                         [&listed](const PMString& newName, int32 place) {
                                             return listed[static_cast<size_t>(place)] > newName;
                                         });
        order.insert(at, listed.Length() - 1);
    }

    names.clear();
    fRowEntries.clear();
    for (int32 place : order) {
        names.push_back(std::move(listed[static_cast<size_t>(place)]));
        fRowEntries.push_back(entryOf[static_cast<size_t>(place)]);
    }
    return kTrue;
}

void OpalPanelTool::RebuildPanelList() {
    InterfacePtr<IPanelControlData> panel(fBoss, IID_IPANELCONTROLDATA);
    if (!panel)
        return;
    auto alphaData = QueryWorkspaceInterface<IOpalAlphaData>(kOpalAlphaDataIID);
    if (!alphaData)
        return;
    auto options = QueryWorkspaceInterface<IOpalOptions>(kOpalOptionsIID);
    if (!options)
        return;
    InterfacePtr<IControlView> list(
        panel->QueryWidgetByID(kOpalPanelListWidgetID, kWidgetSearchDepth));
    if (!list)
        return;
    InterfacePtr<IPanelControlData> listChildren(list, IID_IPANELCONTROLDATA);
    InterfacePtr<IListSelection> listSelection(list, IID_ILISTSELECTION);
    if (!listChildren || !listSelection)
        return;

    // The selection is remembered by entry, so that it follows its panels
    // to whatever rows they get.
    const int32 shownRows = CountListRows(fBoss, kOpalPanelListWidgetID);
    const K2Vector<int32> selectedEntries = SelectedEntries(fBoss, shownRows, fRowEntries);

    const K2Vector<int32> shownTable = fRowEntries;
    K2Vector<PMString> names;
    if (!CollectPanelNames(names, options->GetIgnoreClosedPanels()))
        return;
    // Rows are kept only when they show exactly the new table: the same
    // count alone may hide other panels in other rows.
    if (shownRows == names.Length() && fRowEntries == shownTable)
        return;
    const K2Vector<int32> newSelection = RowsOfEntries(selectedEntries, fRowEntries);

    InterfacePtr<IListRowsChange> rowsChange(list, IID_ILISTBOXCONTROLLER_UPDATE);
    if (rowsChange)
        rowsChange->SetRowsChanging(kTrue);
    ClearListRows(fBoss, kOpalPanelListWidgetID);
    AppendRows(fBoss, list.get(), names, fRowEntries, alphaData.get());

    if (!options->GetIgnoreClosedPanels())
        UpdatePanelRowStates();
    for (int32 r : newSelection)
        SelectListRow(fBoss, kOpalPanelListWidgetID, r);
    LayOutRowsAgain(list.get());
    if (rowsChange)
        rowsChange->SetRowsChanging(kFalse);

    if (newSelection.empty()) {
        InterfacePtr<IControlView> field(
            panel->QueryWidgetByID(kOpalOpacitySliderWidgetID, kWidgetSearchDepth));
        if (field)
            field->Disable(kTrue);
    }
}

void OpalPanelTool::UpdatePanelRowStates() {
    InterfacePtr<IPanelControlData> panel(fBoss, IID_IPANELCONTROLDATA);
    if (!panel)
        return;
    auto alphaData = QueryWorkspaceInterface<IOpalAlphaData>(kOpalAlphaDataIID);
    if (!alphaData)
        return;
    HostRegistries host;
    if (!host.Obtain())
        return;

    const int32 rows = CountListRows(fBoss, kOpalPanelListWidgetID);
    for (int32 r = 0; r < rows && r < fRowEntries.Length(); ++r) {
        const int32 entry = fRowEntries[static_cast<size_t>(r)];
        if (entry >= alphaData->CountEntries())
            break;
        InterfacePtr<IPanelControlData> row(GetListRowPanel(fBoss, kOpalPanelListWidgetID, r));
        if (!row)
            break;
        InterfacePtr<IControlView> name(
            row->QueryWidgetByID(kOpalRowNameWidgetID, kWidgetSearchDepth));
        if (!name)
            break;
        const PaletteState state = StateOfPanel(alphaData->GetEntryAt(entry).panelID,
                                                host.paletteRegistry.get(), host.panelMgr.get());
        // A palette that cannot be reached now keeps the state it was shown with.
        if (state != PaletteState::kUnreachable)
            name->Enable(state == PaletteState::kOpen ? kTrue : kFalse, kTrue);
    }
}

void OpalPanelTool::ToggleIgnoreClosedPanels() {
    {
        auto options = QueryWorkspaceInterface<IOpalOptions>(kOpalOptionsIID);
        if (!options)
            return;
        InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalSetIgnoreClosedPanelsCmdBoss));
        if (!command)
            return;
        InterfacePtr<IBoolData> ignore(command, IID_IBOOLDATA);
        if (!ignore)
            return;
        ignore->Set(options->GetIgnoreClosedPanels() ? kFalse : kTrue);
        CmdUtils::ExecuteCommand(command.get());
    }
    RebuildPanelList();
}

int32 OpalPanelTool::GetEntryIndexForRow(int32 row) {
    if (row < 0 || row >= fRowEntries.Length())
        return 0;
    return fRowEntries[static_cast<size_t>(row)];
}

CREATE_PMINTERFACE(OpalPanelTool, kOpalPanelToolImpl);
