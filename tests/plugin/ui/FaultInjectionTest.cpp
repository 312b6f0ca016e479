// Every acquisition of every Opal panel handler fails once, in turn: the
// handler neither crashes nor keeps a reference to anything.
#include "DataInterfaces.h"
#include "FaultSweep.h"
#include "ICommand.h"
#include "ISubject.h"
#include "InterfacePtr.h"
#include "OSWindows.h"
#include "OpalID.h"
#include "PanelUiTestSupport.h"
#include "engine/IOpalPanelTool.h"
#include "model/IOpalAlphaData.h"
#include "ui/ActionManager.h"
#include "ui/GraphicsPort.h"
#include "ui/IconButton.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"

#include <functional>
#include <sstream>

using host::Boss;
using namespace host::ui;
using testing_support::kQueuedPaletteAlpha;
using testing_support::PanelUiTest;
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

    // Sweeps the faults over `operation` and the commands it queues.
    // `settle` runs without faults before the count is taken and after the
    // operation.
    void ForEveryFailure(
        const char* what, const std::function<void()>& operation,
        const std::function<void()>& settle = [] {}) {
        testing_support::FaultSweep sweep(what);
        sweep.prepare = settle;
        sweep.settle = settle;
        testing_support::SweepFaults(TheHost(), sweep, [&] {
            operation();
            TheHost().DrainCommands();
        });
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

    void PlainWindow(const std::string& palette) {
        HWND window = TheWorld().FindPalette(palette)->window;
        SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    }
    std::string WindowText(const std::string& palette) {
        BYTE alpha = 0;
        return GetLayeredWindowAttributes(TheWorld().FindPalette(palette)->window, nullptr, &alpha,
                                          nullptr)
                   ? "alpha " + std::to_string(alpha)
                   : "plain";
    }
    int32 PanelOfEntry(int32 entry) {
        InterfacePtr<IOpalAlphaData> data(QueryWorkspace<IOpalAlphaData>(kOpalAlphaDataIID));
        return data->GetEntryAt(entry).panelID;
    }
    double StoredOpacityForID(int32 panelID) {
        InterfacePtr<IOpalAlphaData> data(QueryWorkspace<IOpalAlphaData>(kOpalAlphaDataIID));
        return data->GetAlphaForPanel(panelID);
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
        DrawNow(FindWidget(row, kOpalRowAlphaBarWidgetID));
    });
}

// Switching opacity from the panel's button and from the menu, starting on
// and off: the option, the button's picture and every stored panel's window
// must come out as without failures.
TEST_F(PanelFaultTest, SwitchOpacity_WithThePanelShown) {
    struct Case {
        const char* how;
        bool startOn;
    };
    const Case cases[] = {{"button", true}, {"button", false}, {"menu", true}, {"menu", false}};
    // P's two panels at 40 %; the hidden palette's one panel at 70 % decides alone.
    StoreOpacity("A", 40);
    StoreOpacity("B", 40);
    StoreOpacity("Hidden", 70);
    for (const Case& c : cases) {
        testing_support::FaultSweep sweep{std::string("switch by ") + c.how +
                                          (c.startOn ? " from on" : " from off")};
        sweep.prepare = [&] {
            SetOption(c.startOn, false);
            ViewOf(Widget(kOpalOnOffButtonWidgetID))->SetRsrcID(0);
            for (const char* palette : {"P", "H"})
                PlainWindow(palette);
        };
        sweep.observe = [&] {
            return std::string(OpacityOn() ? "on" : "off") + " picture " +
                   std::to_string(ViewOf(Widget(kOpalOnOffButtonWidgetID))->GetRsrcID()) + " P " +
                   WindowText("P") + " H " + WindowText("H");
        };
        testing_support::SweepFaults(TheHost(), sweep, [&] {
            if (std::string(c.how) == "button")
                PressButton(Widget(kOpalOnOffButtonWidgetID));
            else
                TheHost().Get<host::ui::ActionManager>().DoAction(kOpalTurnAlphaActionID);
            TheHost().DrainCommands();
        });
        EXPECT_EQ(sweep.observe(), c.startOn ? "off picture 10001 P alpha 254 H alpha 254"
                                             : "on picture 10000 P alpha 102 H alpha 178")
            << sweep.what;
    }
}

// Some failing acquisition is the instantiation of the window of A or B, the
// two panels of P: switching still reaches every window after it.
TEST_F(PanelFaultTest, SwitchOpacity_AnUnreachableWindow_DoesNotStopTheOthers) {
    const std::vector<std::string> palettes = {
        "P", "H",
        TheHost().Get<PluginPanels>().PaletteName(
            *TheHost().Get<PluginPanels>().FindByNameKey(kOpalPanelTitleKey))};
    bool wentOnPastIt = false;
    testing_support::FaultSweep sweep{"switch off"};
    sweep.prepare = [&] {
        SetOption(true, false);
        for (const std::string& palette : palettes)
            PlainWindow(palette);
        StartTrace();
    };
    sweep.check = [&](bool fired, int64) {
        bool allSwitched = !OpacityOn();
        for (const std::string& palette : palettes)
            allSwitched = allSwitched && WindowText(palette) == "alpha 254";
        // One palette command fewer than stored panels, the rest all there.
        if (fired && allSwitched && Traced(kQueuedPaletteAlpha) == 3u)
            wentOnPastIt = true;
    };
    testing_support::SweepFaults(TheHost(), sweep, [&] {
        PressButton(Widget(kOpalOnOffButtonWidgetID));
        TheHost().DrainCommands();
    });
    EXPECT_TRUE(wentOnPastIt);
}

// The model command that sets one entry's opacity, told rows inside and
// outside the list: the stored value always changes, a row's text only when
// the row is there.
TEST_F(PanelFaultTest, SetAlphaCommand_WithThePanelShown) {
    const int32 rows = static_cast<int32>(ListRows(List()).size());
    ASSERT_GE(rows, 3);
    const int32 rowOfA = RowOf("A");
    for (const int32 row : {rowOfA, -1, rows, rows - 1}) {
        const int32 entry = Tool()->GetEntryIndexForRow(row >= 0 && row < rows ? row : rowOfA);
        const int32 panelID = PanelOfEntry(entry);
        testing_support::FaultSweep sweep{"set alpha for row " + std::to_string(row)};
        sweep.prepare = [&] {
            StoreOpacityForID(panelID, 60);
            for (Boss* cell : ListRows(List()))
                FindWidget(cell, kOpalRowOpacityTextWidgetID)
                    ->PeekAs<ITextControlData>(IID_ITEXTCONTROLDATA)
                    ->SetString(PMString("60%", PMString::kNoTranslate), kFalse, kFalse, kFalse);
        };
        sweep.observe = [&] {
            std::ostringstream out;
            out << StoredOpacityForID(panelID);
            for (const std::string& text : RowTexts())
                out << " " << text;
            return out.str();
        };
        testing_support::SweepFaults(TheHost(), sweep, [&] {
            InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalSetAlphaCmdBoss));
            InterfacePtr<IIntData> rowData(command, kOpalListRowDataIID);
            InterfacePtr<IIntData> entryData(command, kOpalEntryIndexDataIID);
            InterfacePtr<IRealNumberData> alphaData(command, kOpalAlphaValueDataIID);
            if (!rowData || !entryData || !alphaData)
                return;
            rowData->Set(row);
            entryData->Set(entry);
            alphaData->Set(37.9);
            CmdUtils::ExecuteCommand(command.get());
        });
        std::vector<std::string> texts(static_cast<size_t>(rows), "60%");
        if (row >= 0 && row < rows)
            texts[static_cast<size_t>(row)] = "37%";
        EXPECT_EQ(RowTexts(), texts) << sweep.what;
        EXPECT_EQ(StoredOpacityForID(panelID), 37.9) << sweep.what;
    }
}

} // namespace
