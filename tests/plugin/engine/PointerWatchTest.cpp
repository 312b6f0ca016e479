// Palettes opaque under the pointer: the fades, what keeps a palette opaque
// while the pointer stays, which palettes take part, and that the hook and
// the fade timer are held only while they are needed.
#include "EngineTestSupport.h"
#include "FaultSweep.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "core/WindowSystem.h"
#if !defined(_WIN32)
#include "core/unix/StandInWindows.h"
#endif
#include "engine/IOpalPointerWatch.h"
#include "model/IOpalPointerOptions.h"
#include "ui/ActionManager.h"

#include <sstream>

using testing_support::EngineTest;
using testing_support::FaultSweep;

namespace {

class PointerWatchTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        AddPaletteWith("P", kPaletteFloatingBoss, {"A"});
        AddPaletteWith("Q", kPaletteFloatingBoss, {"B"});
        AddPaletteWith("S", kPaletteStashBoss, {"C"});
        Drain();
        StoreOpacity("A", 40); // alpha 102
        StoreOpacity("B", 60); // alpha 153
        StoreOpacity("C", 40);
        ApplyAll();
    }
    void TearDown() override {
        TheHost().Windows().DeliverPointer(nullptr, 0, 0);
        EngineTest::TearDown();
    }

    void ApplyAll() {
        for (const char* palette : {"P", "Q", "S"})
            ApplyPaletteAlpha(palette);
    }
    // The menu's toggle, as a person chooses it.
    void Toggle() {
        TheHost().Get<host::ui::ActionManager>().DoAction(kOpalOpaqueUnderPointerActionID);
        Drain();
    }
    bool OptionOn() {
        InterfacePtr<IOpalPointerOptions> options(
            QueryWorkspace<IOpalPointerOptions>(kOpalPointerOptionsIID));
        return options && options->GetOpaqueUnderPointer();
    }
    void Over(const std::string& palette) {
        TheHost().Windows().DeliverPointer(Palette(palette).window, 0, 0);
        Drain();
    }
    void Away() { TheHost().Windows().DeliverPointer(nullptr, 0, 0); }
    // The host's clock moved on by `ms`, every timer due firing in turn.
    void Wait(int64 ms) {
        const int64 end = TheHost().Now() + ms;
        for (int64 due = TheHost().NextTimerDeadline(); due >= 0 && due <= end;
             due = TheHost().NextTimerDeadline()) {
            TheHost().FireNextTimer();
            Drain();
        }
        TheHost().AdvanceClockTo(end);
    }
    // The palette's alpha every 20 ms until it rests at `target` (or 1 s).
    std::vector<int> Fade(const std::string& palette, int target) {
        std::vector<int> alphas;
        for (int i = 0; i < 50 && (alphas.empty() || alphas.back() != target); ++i) {
            Wait(20);
            alphas.push_back(WindowAlpha(palette).value_or(-1));
        }
        return alphas;
    }
    // Only the plug-in's periodic timer: no fade holds one.
    void ExpectNothingFading() {
        EXPECT_EQ(TheHost().TimerObjects(), 1u);
        EXPECT_EQ(TheHost().ArmedTimers(), 1u);
    }
};

// Only the stand-in window system counts hooks and leave requests; on Windows
// the tests see what they do.
void ExpectHooks(const host::Host& host, size_t count) {
#if !defined(_WIN32)
    EXPECT_EQ(host::InstalledMessageHooks(host.Windows()), count);
    if (count == 0) {
        EXPECT_EQ(host::TrackedWindow(host.Windows()), nullptr);
    }
#else
    (void)host;
    (void)count;
#endif
}

// The window whose leave the plug-in asked to be told of (nullptr: none).
void ExpectTracked(const host::Host& host, HWND window) {
#if !defined(_WIN32)
    EXPECT_EQ(host::TrackedWindow(host.Windows()), window);
#else
    (void)host;
    (void)window;
#endif
}

void ExpectMonotonic(const std::vector<int>& alphas, int from, int to) {
    ASSERT_FALSE(alphas.empty());
    int last = from;
    for (int alpha : alphas) {
        EXPECT_TRUE(from < to ? alpha >= last : alpha <= last) << alpha << " after " << last;
        last = alpha;
    }
    EXPECT_EQ(alphas.back(), to);
}

} // namespace

TEST_F(PointerWatchTest, OffByDefault_NothingInstalled_PointerChangesNothing) {
    EXPECT_FALSE(OptionOn());
    ExpectHooks(TheHost(), 0);
    Over("P");
    Wait(400);
    EXPECT_EQ(WindowAlpha("P"), 102);
    ExpectHooks(TheHost(), 0);
    ExpectNothingFading();
}

TEST_F(PointerWatchTest, Entering_FadesInOver120ms_Leaving_FadesBackOver300ms) {
    Toggle();
    ASSERT_TRUE(OptionOn());
    ExpectHooks(TheHost(), 1);
    Over("P");
    const std::vector<int> in = Fade("P", 254);
    ExpectMonotonic(in, 102, 254);
    EXPECT_EQ(in.size(), 6u);
    ExpectNothingFading();

    // Onto Q: P fades out while Q fades in, each on its own.
    Over("Q");
    const std::vector<int> out = Fade("P", 102);
    ExpectMonotonic(out, 254, 102);
    EXPECT_EQ(out.size(), 15u);
    EXPECT_EQ(WindowAlpha("Q"), 254);

    // Off every window: the leave notification Q asked for.
    Away();
    ExpectMonotonic(Fade("Q", 153), 254, 153);
    ExpectNothingFading();
}

TEST_F(PointerWatchTest, ReappliedWhileUnder_StaysOpaque_ThenGoesBackToTheValueStoredThen) {
    Toggle();
    Over("P");
    Wait(60); // halfway in: the fade goes on
    StoreOpacity("A", 30);
    ApplyPaletteAlpha("P");
    Wait(60);
    EXPECT_EQ(WindowAlpha("P"), 254);
    ApplyPaletteAlpha("P");
    EXPECT_EQ(WindowAlpha("P"), 254);

    // Re-created under the pointer: told by the window system, the new window
    // is opaque at once, and leaving it is still seen.
    TheWorld().RecreatePalette("P");
    TheHost().Windows().DeliverPointer(Palette("P").window, 0, 0);
    Drain();
    EXPECT_EQ(WindowAlpha("P"), 254);
    Over("Q");
    ExpectMonotonic(Fade("P", 76), 254, 76);

    // Changed while fading out: the fade turns to the new value.
    Over("P");
    Wait(120);
    Away();
    Wait(100);
    StoreOpacity("A", 50);
    ApplyPaletteAlpha("P");
    const std::vector<int> rest = Fade("P", 127);
    EXPECT_EQ(rest.back(), 127);
    ExpectNothingFading();
}

TEST_F(PointerWatchTest, OnlyPalettesOpalMakesTranslucent_TakePart) {
    Toggle();
    Over("S"); // a stash: Opal leaves it alone
    Wait(200);
    EXPECT_FALSE(IsLayered("S"));
    ExpectNothingFading();

    SetOpacityOn(false);
    ApplyAll();
    Over("P");
    Wait(200);
    EXPECT_EQ(WindowAlpha("P"), 254);
    Over("Q");
    Wait(400);
    EXPECT_EQ(WindowAlpha("P"), 254);
    ExpectNothingFading();

    // Opacity back on while the pointer is over Q: opaque until it leaves.
    SetOpacityOn(true);
    ApplyAll();
    EXPECT_EQ(WindowAlpha("P"), 102);
    EXPECT_EQ(WindowAlpha("Q"), 254);
    Away();
    EXPECT_EQ(Fade("Q", 153).back(), 153);
}

// A leave request can cost while the pointer rests (Wine watches the pointer
// by the clock for it): held only while the pointer is over a palette that
// takes part.
TEST_F(PointerWatchTest, LeaveAskedFor_OnlyWhileOverAPaletteThatTakesPart) {
    Toggle();
    Over("S");
    ExpectTracked(TheHost(), nullptr);
    Over("P");
    ExpectTracked(TheHost(), Palette("P").window);
    Wait(200);
    // From P onto the stash: P fades back, its request given back.
    Over("S");
    ExpectTracked(TheHost(), nullptr);
    ExpectMonotonic(Fade("P", 102), 254, 102);

    // Opacity off under the pointer: P no longer takes part.
    Over("P");
    Wait(200);
    SetOpacityOn(false);
    ApplyAll();
    ExpectTracked(TheHost(), nullptr);
    // On again under the resting pointer: opaque, and its leave is heard.
    SetOpacityOn(true);
    ApplyAll();
    EXPECT_EQ(WindowAlpha("P"), 254);
    ExpectTracked(TheHost(), Palette("P").window);
    Away();
    ExpectMonotonic(Fade("P", 102), 254, 102);
    ExpectTracked(TheHost(), nullptr);
    ExpectNothingFading();
}

TEST_F(PointerWatchTest, TurnedOffOrShutDownMidFade_BackAtOnce_EverythingReleased) {
    Toggle();
    Over("P");
    Wait(60);
    Toggle();
    EXPECT_FALSE(OptionOn());
    EXPECT_EQ(WindowAlpha("P"), 102);
    ExpectHooks(TheHost(), 0);
    ExpectNothingFading();
    Over("Q");
    Wait(200);
    EXPECT_EQ(WindowAlpha("Q"), 153);

    Toggle();
    Over("P");
    Wait(60);
    session->Stop(false);
    ExpectHooks(TheHost(), 0);
    EXPECT_EQ(TheHost().TimerObjects(), 0u);
}

TEST_F(PointerWatchTest, EveryFailure_TurningOnFadingAndOff_LeavesNothingBehind) {
    FaultSweep sweep{"turn on, enter, fade, leave, turn off"};
    sweep.prepare = [&] { Away(); };
    // A failure may leave the option on, and then the watch follows it: off
    // again with nothing failing, all it held must go.
    sweep.settle = [&] {
        if (OptionOn())
            Toggle();
        InterfacePtr<IOpalPointerWatch> watch(
            QueryWorkspace<IOpalPointerWatch>(kOpalPointerWatchIID));
        if (watch)
            watch->Follow(kFalse);
    };
    sweep.check = [&](bool, int64 k) {
        SCOPED_TRACE(k);
        ExpectHooks(TheHost(), 0);
        EXPECT_EQ(WindowAlpha("P"), 102);
        EXPECT_EQ(TheHost().TimerObjects(), 1u);
    };
    testing_support::SweepFaults(TheHost(), sweep, [&] {
        Toggle();
        Over("P");
        Wait(60);
        Over("Q");
        Wait(20);
        Toggle();
    });
}
