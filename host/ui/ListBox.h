// The list box: its rows (0x604), its selection (0x630) and the notice that
// its rows are being replaced (0x608), during which added rows are placed
// once, at the end. Rows sit in the list's scrolling area
// (child kListScrollWidgetID), one under the other, each as wide as the area
// allows. The selection is told on the list's subject, protocol 0x604:
// kListSelectionChangedMsg for every change, and kListSelectionByUserMsg
// after it when the user made the change.
#pragma once

#include "ui/Widgets.h"

#include <set>
#include <vector>

namespace host::ui {

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

private:
    void PlaceRows();
    std::vector<Boss*> fRows; // one reference each
    bool fPlacePending = false;
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

} // namespace host::ui
