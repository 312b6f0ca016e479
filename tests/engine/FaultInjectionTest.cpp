// Every acquisition of every engine operation fails once, in turn: the
// operation (and the commands it schedules) must neither crash nor keep a
// reference to anything.
#include "DataInterfaces.h"
#include "EngineTestSupport.h"
#include "ICommand.h"
#include "ISubject.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/IOpalTimerCallback.h"
#include "engine/OpalPanelUtils.h"
#include "ui/OpalRegisterPanels.h"

#include <functional>

using engine_test::EngineTest;
using testing_support::RefSnapshot;

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

    // Runs `operation` with the k-th acquisition failing, for k = 1, 2, …
    // until no acquisition is left to fail.
    void ForEveryFailure(const char* what, const std::function<void()>& operation) {
        for (int64 k = 1; k < 10000; ++k) {
            const RefSnapshot before = RefSnapshot::Take();
            TheHost().GetFaults().FailAt(k);
            operation();
            Drain();
            const bool fired = TheHost().GetFaults().Fired();
            TheHost().GetFaults().Reset();
            EXPECT_REFS_UNCHANGED(before) << what << ", failing acquisition " << k;
            if (!fired)
                return;
        }
        ADD_FAILURE() << what << " never ran out of acquisitions";
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
        ForEveryFailure("palette command", [&] { SchedulePaletteAlpha(Palette("P").boss); });
    }
    ForEveryFailure("switch off", [] { SwitchOpacity(kFalse); });
    ForEveryFailure("switch on", [] { SwitchOpacity(kTrue); });
    ForEveryFailure("toggle", [] { ToggleOpacity(); });
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
    ForEveryFailure("register panels", [] { RegisterPanels(); });
    ForEveryFailure("update list", [&] { RunCommand(kOpalUpdatePanelListCmdBoss, UIDRef()); });
}
