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
// grown since its own layout, less the scroll bar while there is one; rows
// stack from the top, the first in view at the area's top.
void ListData::PlaceRows() {
    const Boss* list = static_cast<Boss*>(fBoss);
    const Boss* area = FindWidget(list, kListScrollWidgetID, 1);
    PMReal grown = 0;
    if (IControlView* areaView = ViewOf(area); areaView && RecordOf(area)) {
        const Frame& designed = RecordOf(area)->designed;
        grown = areaView->GetFrame().Width() - (designed.right - designed.left);
    }
    fFirst = std::clamp(fFirst, 0, std::max(0, Length() - RowsInView()));
    if (Overflows())
        grown -= kScrollBarWidth;
    const WidgetRecord* listRecord = RecordOf(list);
    PMReal top = -PMReal(fFirst) * RowHeight();
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

int32 ListData::RowHeight() const {
    const WidgetRecord* listRecord = RecordOf(static_cast<Boss*>(fBoss));
    if (listRecord && listRecord->listBox && listRecord->listBox->rowHeight > 0)
        return static_cast<int32>(listRecord->listBox->rowHeight);
    const WidgetRecord* record = fRows.empty() ? nullptr : RecordOf(fRows.front());
    return record ? std::max(1, static_cast<int32>(record->designed.bottom - record->designed.top))
                  : 1;
}

double ListData::AreaHeight() const {
    const Boss* list = static_cast<Boss*>(fBoss);
    const Boss* area = FindWidget(list, kListScrollWidgetID, 1);
    const IControlView* view = ViewOf(area ? area : list);
    return view ? static_cast<double>(view->GetFrame().Height()) : 0;
}

int32 ListData::RowsInView() const {
    return std::max(1, static_cast<int32>(AreaHeight() / RowHeight()));
}

bool ListData::Overflows() const {
    return double(Length()) * RowHeight() > AreaHeight();
}

void ListData::ScrollTo(int32 first) {
    const int32 was = fFirst;
    fFirst = first;
    PlaceRows();
    if (fFirst != was)
        if (IControlView* view = ViewOf(static_cast<Boss*>(fBoss)))
            view->Invalidate();
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
    if (!selection)
        return false;
    // A click on one row puts the caret and the anchor there.
    if (rows.size() == 1)
        selection->caret = selection->anchor = *rows.begin();
    if (!selection->Set(rows))
        return false;
    list->AddRef();
    Notify(list, kListSelectionChangedMsg, IID_ILISTSELECTION_PROTOCOL);
    Notify(list, kListSelectionByUserMsg, IID_ILISTSELECTION_PROTOCOL);
    list->Release();
    return true;
}

ListScroll ScrollOf(const Boss* list) {
    const ListData* data = DataOf(list);
    if (!data)
        return {};
    return {data->First(), data->RowsInView(), data->Length(), data->Overflows()};
}

bool ScrollListTo(Boss* list, int32 first) {
    ListData* data = DataOf(list);
    if (!data)
        return false;
    const int32 was = data->First();
    data->ScrollTo(first);
    return data->First() != was;
}

bool ScrollListBy(Boss* list, int32 rows) {
    const ListData* data = DataOf(list);
    return data && ScrollListTo(list, data->First() + rows);
}

bool ScrollIntoView(Boss* list, int32 row) {
    const ListData* data = DataOf(list);
    if (!data || row < 0 || row >= data->Length())
        return false;
    const int32 first = data->First(), inView = data->RowsInView();
    if (row < first)
        return ScrollListTo(list, row);
    if (row >= first + inView)
        return ScrollListTo(list, row - inView + 1);
    return false;
}

bool ListKey(Boss* list, const Key& key) {
    ListData* data = DataOf(list);
    ListSelection* selection = SelectionOf(list);
    const IControlView* view = ViewOf(list);
    if (!data || !selection || !view || !view->IsEnabled())
        return false;
    const int32 count = data->Length();
    const WidgetRecord* record = RecordOf(list);
    const bool multiple = record && record->listBox && record->listBox->multipleSelection;
    using Code = Key::Code;
    if (key.code == Code::kText && key.ctrl && (key.text == "a" || key.text == "A")) {
        if (!multiple || count == 0)
            return multiple;
        std::set<int32> all;
        for (int32 row = 0; row < count; ++row)
            all.insert(row);
        const int32 caret = selection->caret, anchor = selection->anchor;
        SelectByUser(list, all);
        selection->caret = caret < 0 ? 0 : caret;
        selection->anchor = anchor < 0 ? 0 : anchor;
        return true;
    }
    if (count == 0)
        return false;
    const int32 page = std::max(1, data->RowsInView() - 1);
    const int32 from = selection->caret >= 0 && selection->caret < count ? selection->caret
                       : selection->Selected().empty()                   ? -1
                                                       : *selection->Selected().begin();
    int32 to = 0;
    switch (key.code) {
    case Code::kUp:
        to = from < 0 ? 0 : from - 1;
        break;
    case Code::kDown:
        to = from + 1;
        break;
    case Code::kPageUp:
        to = from < 0 ? 0 : from - page;
        break;
    case Code::kPageDown:
        to = from < 0 ? page : from + page;
        break;
    case Code::kHome:
        to = 0;
        break;
    case Code::kEnd:
        to = count - 1;
        break;
    default:
        return false;
    }
    to = std::clamp(to, 0, count - 1);
    std::set<int32> rows;
    if (key.shift && multiple && selection->anchor >= 0 && selection->anchor < count) {
        for (int32 row = std::min(selection->anchor, to); row <= std::max(selection->anchor, to);
             ++row)
            rows.insert(row);
    } else {
        rows = {to};
    }
    const int32 anchor = rows.size() == 1 ? to : selection->anchor;
    list->AddRef();
    SelectByUser(list, rows);
    selection->caret = to;
    selection->anchor = anchor;
    ScrollIntoView(list, to);
    list->Release();
    return true;
}

} // namespace host::ui
