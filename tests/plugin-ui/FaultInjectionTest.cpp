// Every acquisition of every Opal panel handler fails once, in turn: the
// handler neither crashes nor keeps a reference to anything.
#include "ISubject.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "PanelUiTestSupport.h"
#include "engine/IOpalPanelTool.h"
#include "ui/GraphicsPort.h"
#include "ui/ListBox.h"
#include "ui/Widgets.h"

#include <functional>

using host::Boss;
using namespace host::ui;
using plugin_ui_test::PanelUiTest;
using testing_support::RefSnapshot;

namespace {

class PanelFaultTest : public PanelUiTest {
protected:
    void SetUp() override {
        PanelUiTest::SetUp();
        AddPaletteWith("P", kPaletteFloatingBoss, {"A", "B"});
        AddPaletteWith("H", kPaletteFloatingBoss, {"Hidden"}, false);
        ShowOpal();
        SelectByName({"A", "Hidden"});
        TheHost().DrainCommands();
    }

    // Runs `operation` with the k-th acquisition failing, for k = 1, 2, …
    // until no acquisition is left to fail. `settle` runs without faults
    // before the count is taken and after the operation.
    void ForEveryFailure(
        const char* what, const std::function<void()>& operation,
        const std::function<void()>& settle = [] {}) {
        for (int64 k = 1; k < 10000; ++k) {
            settle();
            const RefSnapshot before = RefSnapshot::Take();
            TheHost().GetFaults().FailAt(k);
            operation();
            TheHost().DrainCommands();
            const bool fired = TheHost().GetFaults().Fired();
            TheHost().GetFaults().Reset();
            settle();
            EXPECT_REFS_UNCHANGED(before) << what << ", failing acquisition " << k;
            if (!fired)
                return;
        }
        ADD_FAILURE() << what << " never ran out of acquisitions";
    }

    // Rows that a rebuild made are the list's: they go when it lets them go,
    // unless the plug-in kept a reference to one.
    std::function<void()> DropRows() {
        return [this] {
            List()->PeekAs<IListControlData>(IID_ILISTCONTROLDATA)->Clear(kFalse, kFalse);
            FindWidget(List(), kListScrollWidgetID)
                ->PeekAs<IPanelControlData>(IID_IPANELCONTROLDATA)
                ->ReleaseAll(kFalse);
        };
    }

    void Tell(Boss* widget, ClassID change, PMIID protocol) {
        Controller()->Update(change, widget->PeekAs<ISubject>(IID_ISUBJECT), protocol, nullptr);
    }
};

TEST_F(PanelFaultTest, PanelTool) {
    ForEveryFailure(
        "rebuild", [&] { Tool()->RebuildPanelList(); }, DropRows());
    ForEveryFailure("row states", [&] { Tool()->UpdatePanelRowStates(); });
    ForEveryFailure(
        "toggle", [&] { Tool()->ToggleIgnoreClosedPanels(); }, DropRows());
}

TEST_F(PanelFaultTest, Controller) {
    ForEveryFailure(
        "attach",
        [&] {
            Controller()->AutoDetach();
            Controller()->AutoAttach();
        },
        DropRows());
    Tool()->RebuildPanelList();
    SelectByName({"A", "Hidden"});
    Boss* field = Widget(kOpalOpacitySliderWidgetID);
    ForEveryFailure("selection",
                    [&] { Tell(List(), kListSelectionChangedMsg, IID_ILISTSELECTION_PROTOCOL); });
    ForEveryFailure("notice", [&] {
        Tell(List(), kListSelectionChangedMsg, IID_ILISTSELECTION_PROTOCOL);
        Tell(List(), kListSelectionByUserMsg, IID_ILISTSELECTION_PROTOCOL);
    });
    ForEveryFailure("entered",
                    [&] { Tell(field, kFieldValueEnteredMsg, IID_IFIELDVALUE_PROTOCOL); });
    ForEveryFailure("on/off", [&] {
        Tell(Widget(kOpalOnOffButtonWidgetID), kButtonPressedMsg, IID_IBUTTON_PROTOCOL);
    });
    ForEveryFailure(
        "swap",
        [&] {
            Tell(Widget(kOpalSwapContentButtonWidgetID), kButtonPressedMsg, IID_IBUTTON_PROTOCOL);
        },
        DropRows());
}

TEST_F(PanelFaultTest, RowsAndBars) {
    SelectByName({"Hidden"});
    ForEveryFailure("double-click", [&] {
        Boss* cell = ListRows(List())[static_cast<size_t>(RowOf("Hidden"))];
        cell->PeekAs<IEventHandler>(IID_IEVENTHANDLER)->ButtonDblClk(nullptr);
    });
    ForEveryFailure("bar", [&] {
        Boss* row = ListRows(List())[0];
        DrawNow(ViewOf(FindWidget(row, kOpalRowAlphaBarWidgetID)));
    });
}

} // namespace
