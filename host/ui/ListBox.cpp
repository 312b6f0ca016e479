#include "ui/ListBox.h"

#include "core/Host.h"

#include <algorithm>

namespace host::ui {
namespace {

ListData* DataOf(const Boss* list) {
    return OwnPart<ListData>(list, IID_ILISTCONTROLDATA, kListDataImpl);
}

bool RowsChanging(const Boss* list) {
    const ListRowsChange* change =
        OwnPart<ListRowsChange>(list, IID_ILISTBOXCONTROLLER_UPDATE, kListRowsChangeImpl);
    return change && change->changing;
}

ListSelection* SelectionOf(const Boss* list) {
    return OwnPart<ListSelection>(list, IID_ILISTSELECTION, kListSelectionImpl);
}

void Highlight(Boss* widget, bool on) {
    if (IControlView* view = ViewOf(widget)) {
        if (on)
            view->Hilite(kTrue);
        else
            view->Unhilite(kTrue);
    }
    for (Boss* child : ChildrenOf(widget))
        Highlight(child, on);
}

} // namespace

CREATE_PMINTERFACE(ListData, kListDataImpl);
CREATE_PMINTERFACE(ListSelection, kListSelectionImpl);
CREATE_PMINTERFACE(ListRowsChange, kListRowsChangeImpl);

// ---- Rows ---------------------------------------------------------------------------------

ListData::~ListData() {
    for (Boss* row : std::exchange(fRows, {}))
        row->Release();
}

void ListData::Add(IControlView* row, int32 at, bool16 invalidate, bool16 /*notifyOfChange*/) {
    Boss* boss = BossOf(HostOf(fBoss), row);
    if (!boss)
        return;
    boss->AddRef();
    if (at < 0 || at > Length())
        fRows.push_back(boss);
    else
        fRows.insert(fRows.begin() + at, boss);
    // Placing every row at every addition would make filling a list quadratic.
    if (RowsChanging(static_cast<Boss*>(fBoss)))
        fPlacePending = true;
    else
        PlaceRows();
    if (invalidate)
        if (IControlView* view = ViewOf(static_cast<Boss*>(fBoss)))
            view->Invalidate();
}

void ListData::Clear(bool16 invalidate, bool16 /*notifyOfChange*/) {
    const Boss* list = static_cast<Boss*>(fBoss);
    // The rows go, and with them their selection: nobody chose that.
    if (ListSelection* selection = SelectionOf(list))
        selection->Set({});
    for (Boss* row : std::exchange(fRows, {}))
        row->Release();
    if (invalidate)
        if (IControlView* view = ViewOf(list))
            view->Invalidate();
}

void ListData::PlaceDeferredRows() {
    if (std::exchange(fPlacePending, false))
        PlaceRows();
}

// A row is as wide as its layout made it, plus what the scrolling area has
// grown since its own layout; rows stack from the top.
void ListData::PlaceRows() {
    const Boss* list = static_cast<Boss*>(fBoss);
    const Boss* area = FindWidget(list, kListScrollWidgetID, 1);
    PMReal grown = 0;
    if (IControlView* areaView = ViewOf(area); areaView && RecordOf(area)) {
        const Frame& designed = RecordOf(area)->designed;
        grown = areaView->GetFrame().Width() - (designed.right - designed.left);
    }
    const WidgetRecord* listRecord = RecordOf(list);
    PMReal top = 0;
    for (Boss* row : fRows) {
        IControlView* view = ViewOf(row);
        const WidgetRecord* record = RecordOf(row);
        if (!view || !record)
            continue;
        const Frame& d = record->designed;
        const PMReal height =
            listRecord && listRecord->listBox && listRecord->listBox->rowHeight > 0
                ? listRecord->listBox->rowHeight
                : d.bottom - d.top;
        view->SetFrame(PMRect(d.left, top, d.right + grown, top + height), kFalse);
        top += height;
    }
}

// ---- Selection ------------------------------------------------------------------------

void ListSelection::Select(int32 row, bool16 /*invalidate*/, bool16 notifyOfChange) {
    std::set<int32> rows = fSelected;
    rows.insert(row);
    if (Set(rows) && notifyOfChange)
        Notify(static_cast<Boss*>(fBoss), kListSelectionChangedMsg, IID_ILISTSELECTION_PROTOCOL);
}

void ListSelection::DeselectAll(bool16 /*invalidate*/, bool16 notifyOfChange) {
    if (Set({}) && notifyOfChange)
        Notify(static_cast<Boss*>(fBoss), kListSelectionChangedMsg, IID_ILISTSELECTION_PROTOCOL);
}

bool ListSelection::Set(const std::set<int32>& wanted) {
    const std::vector<Boss*> rows = ListRows(static_cast<Boss*>(fBoss));
    std::set<int32> rowsNow;
    for (int32 row : wanted)
        if (row >= 0 && row < static_cast<int32>(rows.size()))
            rowsNow.insert(row);
    if (rowsNow == fSelected)
        return false;
    for (int32 row : fSelected)
        if (!rowsNow.count(row))
            Highlight(rows[static_cast<size_t>(row)], false);
    for (int32 row : rowsNow)
        if (!fSelected.count(row))
            Highlight(rows[static_cast<size_t>(row)], true);
    fSelected = std::move(rowsNow);
    return true;
}

void ListRowsChange::SetRowsChanging(bool16 now) {
    changing = now ? kTrue : kFalse;
    if (changing)
        return;
    const Boss* list = static_cast<Boss*>(fBoss);
    if (ListData* data = DataOf(list))
        data->PlaceDeferredRows();
    if (IControlView* view = ViewOf(list))
        view->Invalidate();
}

// ---- The host's side ------------------------------------------------------------------------

std::vector<Boss*> ListRows(const Boss* list) {
    const ListData* data = DataOf(list);
    return data ? data->Rows() : std::vector<Boss*>();
}

std::set<int32> ListSelected(const Boss* list) {
    const ListSelection* selection = SelectionOf(list);
    return selection ? selection->Selected() : std::set<int32>();
}

bool SelectByUser(Boss* list, const std::set<int32>& rows) {
    ListSelection* selection = SelectionOf(list);
    if (!selection || !selection->Set(rows))
        return false;
    list->AddRef();
    Notify(list, kListSelectionChangedMsg, IID_ILISTSELECTION_PROTOCOL);
    Notify(list, kListSelectionByUserMsg, IID_ILISTSELECTION_PROTOCOL);
    list->Release();
    return true;
}

} // namespace host::ui
