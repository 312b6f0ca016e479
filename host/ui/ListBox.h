// The list box: its rows (0x604), its selection (0x630) and the notice that
// its rows are being replaced (0x608), during which added rows are placed
// once, at the end. Rows sit in the list's scrolling area
// (child kListScrollWidgetID), one under the other, each as wide as the area
// allows. The selection is told on the list's subject, protocol 0x604:
// kListSelectionChangedMsg for every change, and kListSelectionByUserMsg
// after it when the user made the change.
//
// The list scrolls by whole rows: the first row in view sits at the area's
// top and rows above it are placed above the area, where the list clips
// them. While the rows overflow the area a scroll bar takes its right edge
// and the rows are that much narrower. The keys move the selection as a
// Windows list box does: the caret row moves, Shift extends the selection
// from the anchor (the row last clicked or moved to without Shift), Ctrl+A
// selects every row, and the caret is scrolled into view.
#pragma once

#include "ui/Widgets.h"

#include <set>
#include <vector>

namespace host::ui {

// The width of a list's scroll bar while its rows overflow.
constexpr int32 kScrollBarWidth = 14;

class ListData : public CPMUnknown<IListControlData> {
public:
    using CPMUnknown<IListControlData>::CPMUnknown;
    ~ListData() override;
    ListData(const ListData&) = delete;
    ListData& operator=(const ListData&) = delete;

    int32 Length() const override { return static_cast<int32>(fRows.size()); }
    void Add(IControlView* row, int32 at = -2, bool16 invalidate = kTrue,
             bool16 notifyOfChange = kTrue) override;
    void Clear(bool16 invalidate = kTrue, bool16 notifyOfChange = kTrue) override;

    const std::vector<Boss*>& Rows() const { return fRows; }
    // Places the rows added while the list was told its rows were changing.
    void PlaceDeferredRows();

    // The first row in view; scrolling keeps it where every row below fits.
    int32 First() const { return fFirst; }
    void ScrollTo(int32 first);
    int32 RowHeight() const;
    // Rows the area shows whole (at least one), and its height.
    int32 RowsInView() const;
    double AreaHeight() const;
    bool Overflows() const;

private:
    void PlaceRows();
    std::vector<Boss*> fRows; // one reference each
    bool fPlacePending = false;
    int32 fFirst = 0;
};

class ListSelection : public CPMUnknown<IListSelection> {
public:
    using CPMUnknown<IListSelection>::CPMUnknown;
    bool16 IsSelected(int32 row) const override { return fSelected.count(row) ? kTrue : kFalse; }
    int32 GetSelected() const override { return fSelected.empty() ? -1 : *fSelected.begin(); }
    void Select(int32 row, bool16 invalidate = kTrue, bool16 notifyOfChange = kTrue) override;
    void DeselectAll(bool16 invalidate = kTrue, bool16 notifyOfChange = kTrue) override;

    // Sets exactly these rows, highlighting their widgets; true when that changed anything.
    bool Set(const std::set<int32>& rows);
    const std::set<int32>& Selected() const { return fSelected; }

    int32 caret = -1;  // the row the keys move from
    int32 anchor = -1; // where a Shift-extended selection starts

private:
    std::set<int32> fSelected;
};

class ListRowsChange : public CPMUnknown<IListRowsChange> {
public:
    using CPMUnknown<IListRowsChange>::CPMUnknown;
    void SetRowsChanging(bool16 changing) override;
    bool16 changing = kFalse;
};

// The rows of a list widget, in order (empty for another widget).
OPAL_SDK_API std::vector<Boss*> ListRows(const Boss* list);
OPAL_SDK_API std::set<int32> ListSelected(const Boss* list);
// What a person's click does: selects exactly `rows` (out-of-range rows are
// ignored) and, when that changed the selection, tells the list's observers.
// Returns whether it changed.
OPAL_SDK_API bool SelectByUser(Boss* list, const std::set<int32>& rows);

// How the list is scrolled: its first row in view, how many rows it shows
// whole, how many it has, and whether they overflow it.
struct ListScroll {
    int32 first = 0, inView = 1, rows = 0;
    bool overflows = false;
};
OPAL_SDK_API ListScroll ScrollOf(const Boss* list);
// Scrolls the first row in view to `first`, kept within the rows; by `rows`
// for the wheel (positive: down). Return whether the rows in view changed.
OPAL_SDK_API bool ScrollListTo(Boss* list, int32 first);
OPAL_SDK_API bool ScrollListBy(Boss* list, int32 rows);
// Scrolls as little as brings the row wholly into view.
OPAL_SDK_API bool ScrollIntoView(Boss* list, int32 row);
// A key pressed while the list has the focus; whether the list took it.
OPAL_SDK_API bool ListKey(Boss* list, const Key& key);

} // namespace host::ui
