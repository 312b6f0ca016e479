// Every acquisition of every engine operation fails once, in turn: the
// operation (and the commands it schedules) must neither crash nor keep a
// reference to anything, and a failure must not change what a later run
// without one does.
#include "DataInterfaces.h"
#include "EngineTestSupport.h"
#include "FaultSweep.h"
#include "ICommand.h"
#include "ISubject.h"
#include "InterfacePtr.h"
#include "OSWindows.h"
#include "OpalID.h"
#include "core/Text.h"
#include "engine/IOpalTimerCallback.h"

#include <functional>
#include <sstream>

using testing_support::EngineTest;
using testing_support::FaultSweep;

namespace {

class FaultInjectionTest : public EngineTest {
protected:
    // A palette of every class, one with no stored panel, a hidden one, and a
    // stored panel in no palette.
    void SetUp() override {
        EngineTest::SetUp();
        AddPaletteWith("P", kPaletteFloatingBoss, {"A", "B"});
        AddPaletteWith("Q", kPaletteDockedBoss, {"C"});
        AddPaletteWith("S", kPaletteStashBoss, {"D"});
        AddPaletteWith("O", kPaletteOtherBoss, {"E"});
        AddPaletteWith("N", kPaletteFloatingBoss, {"F"});
        AddPaletteWith("H", kPaletteFloatingBoss, {"G"});
        TheWorld().HidePalette("H");
        TheWorld().AddPanel("Loose");
        Drain();
        for (const char* panel : {"A", "B", "C", "Loose"})
            StoreOpacity(panel, 60);
        for (const char* panel : {"D", "E"})
            StoreOpacity(panel, 40);
        StoreOpacity("G", 30);
    }

    // Runs `operation`, and the commands it schedules, under every failing
    // acquisition in turn; every run starts from plain windows and is
    // recorded, so that `observe` compares windows and requests.
    void ForEveryFailure(const std::string& what, const std::function<void()>& operation,
                         FaultSweep::Accounting accounting = FaultSweep::Accounting::kPerObject) {
        FaultSweep sweep{what};
        sweep.prepare = [&] {
            PlainWindows();
            trace.Start(TheHost());
        };
        sweep.observe = [&] { return Observed(); };
        sweep.accounting = accounting;
        testing_support::SweepFaults(TheHost(), sweep, [&] {
            operation();
            Drain();
        });
    }

    // As no opacity had ever reached them.
    void PlainWindows() {
        for (const host::PaletteInfo& palette : TheWorld().Palettes())
            SetWindowLongW(palette.window, GWL_EXSTYLE,
                           GetWindowLongW(palette.window, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    }

    // Every window's alpha, which tab areas the plug-in observes, and what
    // the host was asked.
    std::string Observed() {
        std::ostringstream out;
        for (const host::PaletteInfo& palette : TheWorld().Palettes()) {
            out << palette.name << " " << WindowText(palette.name);
            for (const host::Boss* tabArea : palette.tabAreas)
                out << (testing_support::TestTree::Observed(tabArea) ? " observed" : " unobserved");
            out << "\n";
        }
        for (const std::string& line : trace.Lines())
            out << line << "\n";
        return out.str();
    }

    std::string WindowText(const std::string& palette) {
        const std::optional<int> alpha = WindowAlpha(palette);
        return alpha ? "alpha " + std::to_string(*alpha) : "plain";
    }

    // The other windows stay as they were.
    void ExpectOnlyWindow(const std::string& palette, std::optional<int> alpha) {
        for (const host::PaletteInfo& other : TheWorld().Palettes())
            EXPECT_EQ(WindowAlpha(other.name), other.name == palette ? alpha : std::nullopt)
                << other.name;
    }

    void DetachTabAreaObservers(const std::string& palette) {
        for (host::Boss* tabArea : Palette(palette).tabAreas) {
            auto* subject = tabArea->PeekAs<ISubject>(IID_ISUBJECT);
            auto* observer = tabArea->PeekAs<IObserver>(kOpalTabAreaObserverIID);
            if (subject && observer)
                subject->DetachObserver(observer, IID_ITABAREA_PROTOCOL, kOpalTabAreaObserverIID);
        }
    }

    void RunCommand(ClassID cls, const UIDRef& target) {
        InterfacePtr<ICommand> command(CmdUtils::CreateCommand(cls));
        InterfacePtr<IUIDData> data(command, IID_IUIDDATA);
        if (data)
            data->Set(target);
        CmdUtils::ExecuteCommand(command.get());
    }

    UIDRef PaletteRef(const std::string& name) {
        const host::PaletteInfo palette = Palette(name);
        return UIDRef(palette.boss->DataBase(), palette.uid);
    }
};

// What the palette command is given, and which window (if any) it changes.
struct PaletteCase {
    const char* target; // a palette, or one of the non-palettes below
    bool on;
    const char* window; // the window that changes, "" for none
    std::optional<int> alpha;
};

constexpr const char* kPanelTarget = "panel";       // a host panel: no palette window
constexpr const char* kForeignTarget = "foreign";   // a window object of no palette class
constexpr const char* kContainerTarget = "widgets"; // a widget container
constexpr const char* kGoneTarget = "gone";         // a UID no object has

const PaletteCase kPaletteCases[] = {
    {"P", true, "P", 153}, // the floating palette's two panels at 60 %
    {"P", false, "P", 254},
    {"Q", true, "Q", 153}, // docked
    {"Q", false, "Q", 254},
    {"S", true, "", {}}, // stash and other windows are no palette windows to the command
    {"S", false, "S", 254},
    {"O", true, "", {}},
    {"O", false, "O", 254},
    {"N", true, "", {}},  // no stored panel
    {"H", true, "H", 76}, // hidden: its one panel fails the panel test, and decides alone
    {kPanelTarget, true, "", {}},
    {kPanelTarget, false, "", {}},
    {kForeignTarget, true, "", {}},
    {kForeignTarget, false, "", {}},
    {kContainerTarget, true, "", {}},
    {kGoneTarget, true, "", {}},
    {kGoneTarget, false, "", {}},
};

TEST_F(FaultInjectionTest, PaletteCommand_OnEveryKindOfTarget) {
    testing_support::TestTree tree(TheHost());
    host::Boss* foreign = tree.Palette();
    host::Boss* container = tree.Container();
    for (const PaletteCase& c : kPaletteCases) {
        const std::string target = c.target;
        UIDRef ref;
        if (target == kPanelTarget)
            ref = UIDRef(Panel("A").boss->DataBase(), Panel("A").boss->GetUID());
        else if (target == kForeignTarget)
            ref = tree.Ref(foreign);
        else if (target == kContainerTarget)
            ref = tree.Ref(container);
        else if (target == kGoneTarget)
            ref = UIDRef(Palette("P").boss->DataBase(), 0x7ffffff0);
        else
            ref = PaletteRef(target);
        SetOpacityOn(c.on);
        const std::string what = target + (c.on ? ", opacity on" : ", opacity off");
        ForEveryFailure("palette command on " + what,
                        [&] { testing_support::SchedulePaletteCommand(ref); });
        // The last run had no failure: it shows the normal result.
        SCOPED_TRACE(what);
        ExpectOnlyWindow(c.window, c.alpha);
    }
}

// An update of the window list, and what it must leave.
struct WindowListCase {
    const char* origin; // a palette, a panel, or nothing
    ClassID change;
    std::optional<int> alpha; // of the origin's window
    bool attaches;            // the tab-area observer is attached again
};

const WindowListCase kWindowListCases[] = {
    {"P", kWindowShownOrCreatedMsg, 153, true},
    {"P", kWindowHiddenMsg, {}, false},
    {"P", kWindowDestroyedMsg, {}, false},
    {"Q", kWindowShownOrCreatedMsg, 153, false},
    {"Q", kWindowHiddenMsg, {}, false},
    {"S", kWindowShownOrCreatedMsg, {}, true},
    {"S", kWindowHiddenMsg, {}, false},
    {"O", kWindowShownOrCreatedMsg, {}, false},
    {"O", kWindowHiddenMsg, {}, false},
    {"H", kWindowShownOrCreatedMsg, 76, true},
    {"N", kWindowShownOrCreatedMsg, {}, true},
    {kPanelTarget, kWindowShownOrCreatedMsg, {}, false},
    {kContainerTarget, kWindowShownOrCreatedMsg, {}, false},
    {"", kWindowShownOrCreatedMsg, {}, false},
    {"", kWindowHiddenMsg, {}, false},
};

TEST_F(FaultInjectionTest, WindowListObserver_ForEveryClassAndOrigin) {
    auto* observer = TheHost().ApplicationBoss()->PeekAs<IObserver>(kOpalWindowListObserverIID);
    auto* subject = TheHost().ApplicationBoss()->PeekAs<ISubject>(IID_ISUBJECT);
    ASSERT_TRUE(observer && subject);
    testing_support::TestTree tree(TheHost());
    host::Boss* container = tree.Container();
    for (const WindowListCase& c : kWindowListCases) {
        const std::string origin = c.origin;
        const bool isPalette = TheWorld().FindPalette(origin).has_value();
        host::Boss* boss = isPalette                ? Palette(origin).boss
                           : origin == kPanelTarget ? Panel("A").boss
                           : origin.empty()         ? nullptr
                                                    : container;
        const std::string what = "window list, change " + host::Hex(c.change) + " for " +
                                 (origin.empty() ? "no origin" : origin);
        ForEveryFailure(what, [&] {
            if (isPalette)
                DetachTabAreaObservers(origin);
            observer->Update(c.change, subject, IID_IWINDOWLIST_PROTOCOL, boss);
        });
        SCOPED_TRACE(what);
        ExpectOnlyWindow(c.alpha ? origin : "", c.alpha);
        EXPECT_EQ(
            trace.Count(testing_support::Scheduled(testing_support::kAttachTabAreaObserver, 0)),
            c.attaches ? 1u : 0u);
        // Every change about a palette window refreshes the list.
        EXPECT_EQ(trace.Count(testing_support::Scheduled(testing_support::kUpdatePanelList, 0)),
                  isPalette ? 1u : 0u);
    }
}

TEST_F(FaultInjectionTest, Recreate_EveryPaletteClass) {
    // Recreating replaces the window's objects by new ones: counted per class.
    for (const char* palette : {"P", "Q", "S", "O", "N", "H"}) {
        const std::optional<int> before = [&] {
            ApplyPaletteAlpha(palette);
            return WindowAlpha(palette);
        }();
        ForEveryFailure(
            std::string("recreate ") + palette, [&] { TheWorld().RecreatePalette(palette); },
            FaultSweep::Accounting::kPerClass);
        // The new window is reported as created, hidden or not, and gets its
        // opacity back.
        EXPECT_EQ(WindowAlpha(palette), before) << palette;
    }
}

TEST_F(FaultInjectionTest, TabAreaObserverAndAttachCommand) {
    host::Boss* tabArea = Palette("P").tabAreas.at(0);
    auto* tabObserver = tabArea->PeekAs<IObserver>(kOpalTabAreaObserverIID);
    auto* subject = tabArea->PeekAs<ISubject>(IID_ISUBJECT);
    ASSERT_TRUE(tabObserver && subject);
    ForEveryFailure("tab area", [&] {
        tabObserver->Update(kTabAreaFrontChangedMsg, subject, IID_ITABAREA_PROTOCOL, nullptr);
    });
    ExpectOnlyWindow("P", 153);
    for (const char* palette : {"P", "S"}) {
        ForEveryFailure(std::string("attach ") + palette, [&] {
            DetachTabAreaObservers(palette);
            RunCommand(kOpalAttachTabAreaObserverCmdBoss, PaletteRef(palette));
        });
        EXPECT_TRUE(testing_support::TestTree::Observed(Palette(palette).tabAreas.at(0)))
            << palette;
    }
}

TEST_F(FaultInjectionTest, TimerAndList) {
    ForEveryFailure("tick", [&] {
        TheHost().FireNextTimer();
        if (TheHost().ArmedTimers() == 0) {
            InterfacePtr<IOpalTimerCallback> callback(
                QueryWorkspace<IOpalTimerCallback>(kOpalTimerCallbackIID));
            callback->StartTimer();
        }
    });
    // A timer callback of its own, so that creating the timer can fail too.
    testing_support::SweepFaults(TheHost(), {"start timer"}, [this] {
        host::Boss* workspace = TheHost().Model().CreateBoss(kWorkspaceBoss);
        if (auto* callback = workspace->PeekAs<IOpalTimerCallback>(kOpalTimerCallbackIID))
            callback->StartTimer();
        workspace->Release();
    });
    ForEveryFailure("update list", [&] { RunCommand(kOpalUpdatePanelListCmdBoss, UIDRef()); });
}

} // namespace
