// Every acquisition of every engine operation fails once, in turn: the
// operation (and the commands it schedules) must neither crash nor keep a
// reference to anything.
#include "DataInterfaces.h"
#include "EngineTestSupport.h"
#include "FaultSweep.h"
#include "ICommand.h"
#include "ISubject.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/IOpalTimerCallback.h"

#include <functional>

using engine_test::EngineTest;

namespace {

class FaultInjectionTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        AddPaletteWith("P", kPaletteFloatingBoss, {"A", "B"});
        AddPaletteWith("Q", kPaletteDockedBoss, {"C"});
        TheWorld().AddPanel("Loose");
        Drain();
        for (const char* panel : {"A", "B", "C", "Loose"})
            StoreAlpha(panel, 60);
    }

    // Runs `operation`, and the commands it schedules, under every failing
    // acquisition in turn.
    void ForEveryFailure(const char* what, const std::function<void()>& operation) {
        testing_support::SweepFaults({what}, [&] {
            operation();
            Drain();
        });
    }

    void RunCommand(ClassID cls, const UIDRef& target) {
        InterfacePtr<ICommand> command(CmdUtils::CreateCommand(cls));
        InterfacePtr<IUIDData> data(command, IID_IUIDDATA);
        if (data)
            data->Set(target);
        CmdUtils::ExecuteCommand(command.get());
    }

    UIDRef PaletteRef(const char* name) {
        const host::PaletteInfo palette = Palette(name);
        return UIDRef(palette.boss->DataBase(), palette.uid);
    }
};

} // namespace

TEST_F(FaultInjectionTest, PaletteOpacity) {
    for (bool on : {true, false}) {
        SetOpacityOn(on);
        ForEveryFailure("palette command",
                        [&] { engine_test::SchedulePaletteCommand(PaletteRef("P")); });
    }
}

TEST_F(FaultInjectionTest, Observers) {
    auto* windowList = TheHost().ApplicationBoss()->PeekAs<IObserver>(kOpalWindowListObserverIID);
    ASSERT_TRUE(windowList);
    for (ClassID change : {kWindowShownOrCreatedMsg, kWindowHiddenMsg})
        ForEveryFailure("window list", [&] {
            windowList->Update(change, nullptr, IID_IWINDOWLIST_PROTOCOL, Palette("P").boss);
        });

    host::Boss* tabArea = Palette("P").tabAreas.at(0);
    auto* tabObserver = tabArea->PeekAs<IObserver>(kOpalTabAreaObserverIID);
    auto* subject = tabArea->PeekAs<ISubject>(IID_ISUBJECT);
    ASSERT_TRUE(tabObserver && subject);
    ForEveryFailure("tab area", [&] {
        tabObserver->Update(kTabAreaFrontChangedMsg, subject, IID_ITABAREA_PROTOCOL, nullptr);
    });
    ForEveryFailure("attach", [&] {
        subject->DetachObserver(tabObserver, IID_ITABAREA_PROTOCOL, kOpalTabAreaObserverIID);
        RunCommand(kOpalAttachTabAreaObserverCmdBoss, PaletteRef("P"));
    });
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
    ForEveryFailure("start timer", [] {
        host::Boss* workspace = host::Host::Get().Model().CreateBoss(kWorkspaceBoss);
        if (auto* callback = workspace->PeekAs<IOpalTimerCallback>(kOpalTimerCallbackIID))
            callback->StartTimer();
        workspace->Release();
    });
    ForEveryFailure("update list", [&] { RunCommand(kOpalUpdatePanelListCmdBoss, UIDRef()); });
}
