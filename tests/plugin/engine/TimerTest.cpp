// The timer callback: one tick asks for the tab-area observer on every
// floating palette and for a list refresh, then re-arms itself.
#include "EngineTestSupport.h"
#include "FaultSweep.h"
#include "ISubject.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/IOpalTimerCallback.h"

using testing_support::EngineTest;
using testing_support::kAttachTabAreaObserver;
using testing_support::kUpdatePanelList;
using testing_support::Scheduled;

namespace {

class TimerTest : public EngineTest {
protected:
    void Tick() {
        trace.Start(TheHost());
        ASSERT_TRUE(TheHost().FireNextTimer());
        trace.Stop();
    }
    size_t AttachCommands() const { return trace.Count(Scheduled(kAttachTabAreaObserver, 0)); }
    bool Observed(const std::string& palette) {
        return testing_support::TestTree::Observed(Palette(palette).tabAreas.at(0));
    }
    void DetachTabAreaObserver(const std::string& palette) {
        host::Boss* tabArea = Palette(palette).tabAreas.at(0);
        tabArea->PeekAs<ISubject>(IID_ISUBJECT)
            ->DetachObserver(tabArea->PeekAs<IObserver>(kOpalTabAreaObserverIID),
                             IID_ITABAREA_PROTOCOL, kOpalTabAreaObserverIID);
    }
    void StartTimer() {
        InterfacePtr<IOpalTimerCallback> callback(
            QueryWorkspace<IOpalTimerCallback>(kOpalTimerCallbackIID));
        ASSERT_TRUE(callback);
        callback->StartTimer();
    }
};

} // namespace

TEST_F(TimerTest, StartUp_ArmsOneTimer_StartingAgainReusesIt) {
    EXPECT_EQ(TheHost().TimerObjects(), 1u);
    EXPECT_EQ(TheHost().ArmedTimers(), 1u);
    StartTimer();
    StartTimer();
    EXPECT_EQ(TheHost().TimerObjects(), 1u);
    EXPECT_EQ(TheHost().ArmedTimers(), 1u);
}

TEST_F(TimerTest, NoPalettes_OnlyTheListRefresh_ThenReArmed) {
    const int64 before = TheHost().Now();
    Tick();
    EXPECT_EQ(TheHost().Now() - before, 500);
    EXPECT_TRUE(testing_support::SameRequests(trace.Lines(), {Scheduled(kUpdatePanelList, 0)}));
    EXPECT_EQ(TheHost().ArmedTimers(), 1u);
    Drain();
    Tick();
    EXPECT_EQ(trace.Lines().size(), 1u);
}

TEST_F(TimerTest, OnlyFloatingPalettes_GetTheAttachCommand_OnEveryTick) {
    AddPaletteWith("F1", kPaletteFloatingBoss, {"a"});
    AddPaletteWith("Docked", kPaletteDockedBoss, {"b"});
    AddPaletteWith("Stash", kPaletteStashBoss, {"c"});
    AddPaletteWith("Other", kPaletteOtherBoss, {"d"});
    AddPaletteWith("F2", kPaletteFloatingBoss, {"e"});
    Drain();
    for (int tick = 0; tick < 2; ++tick) {
        Tick();
        EXPECT_EQ(AttachCommands(), 2u);
        EXPECT_EQ(trace.Count(Scheduled(kUpdatePanelList, 0)), 1u);
        Drain();
    }
}

TEST_F(TimerTest, AnUnreachablePalette_DoesNotStopTheWalk) {
    const std::vector<std::string> names = {"F1", "F2", "F3"};
    for (const std::string& name : names)
        AddPaletteWith(name, kPaletteFloatingBoss, {"panel of " + name});
    Drain();
    // Some failing acquisition is the first palette's instantiation: the two
    // after it must still get their observer, the list its refresh.
    bool skippedFirst = false;
    testing_support::FaultSweep sweep{"tick"};
    sweep.prepare = [&] {
        for (const std::string& name : names)
            DetachTabAreaObserver(name);
    };
    // The tick's commands wait in the queue until the check drains it.
    sweep.accounting = testing_support::FaultSweep::Accounting::kNone;
    sweep.check = [&](bool, int64) {
        const bool refreshed = trace.Count(Scheduled(kUpdatePanelList, 0)) == 1;
        Drain();
        if (refreshed && !Observed("F1") && Observed("F2") && Observed("F3")) {
            skippedFirst = true;
            EXPECT_EQ(TheHost().ArmedTimers(), 1u);
        }
        if (TheHost().ArmedTimers() == 0)
            StartTimer();
    };
    testing_support::SweepFaults(TheHost(), sweep, [&] { Tick(); });
    EXPECT_TRUE(skippedFirst);
}

TEST_F(TimerTest, WithoutTheApplication_TheTickIsNotReArmed) {
    TheHost().GetFaults().FailAt(1);
    Tick();
    TheHost().GetFaults().Reset();
    EXPECT_TRUE(trace.Lines().empty());
    EXPECT_EQ(TheHost().ArmedTimers(), 0u);
}
