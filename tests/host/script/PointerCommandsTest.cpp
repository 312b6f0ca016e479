// The pointer and the clock: `pointer` delivers what a window system would to
// the windows it leaves and enters, `print pointer` says where it is, and
// `wait` fires the timers that fall due in deadline order.
#include "HostTestSupport.h"
#include "ITimer.h"
#include "InterfacePtr.h"
#include "OSWindows.h"
#include "core/Host.h"
#include "core/WindowSystem.h"
#if !defined(_WIN32)
#include "core/unix/StandInWindows.h"
#endif
#include "world/World.h"

#include <string>
#include <vector>

using host::Host;
using testing_support::RunScriptIn;
using testing_support::ScriptResult;

namespace {

class PointerCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fHost.BeginSession();
        fHost.StartApplication();
    }
    void TearDown() override { fHost.Windows().DeliverPointer(nullptr, 0, 0); }
    std::string Run(const std::string& script) {
        const ScriptResult result = RunScriptIn(fHost, script);
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }
    HWND Window(const std::string& palette) {
        return fHost.Get<host::World>().FindPalette(palette)->window;
    }
    Host fHost;
};

TEST_F(PointerCommandsTest, PrintPointer_NamesTheTopmostPaletteUnderIt) {
    EXPECT_EQ(Run("palette Low at 0 0\npanel L in Low\npalette High at 100 10\npanel H in High\n"
                  "palette Gone hidden at 0 0\npanel G in Gone\nprint pointer\npointer 150 "
                  "20\nprint pointer\npointer 20 20\nprint pointer\n"
                  "pointer 900 600\nprint pointer\npointer away\nprint pointer\n"),
              "pointer away\npointer 150 20 over \"High\"\npointer 20 20 over \"Low\"\n"
              "pointer 900 600 over none\npointer away\n");
    const ScriptResult bad = RunScriptIn(fHost, "pointer 10\n");
    EXPECT_EQ(bad.status, 2);
}

#if !defined(_WIN32)
// What the message hooks saw, as "move NAME" and "leave NAME".
std::vector<std::string> gSeen;
std::vector<std::pair<HWND, std::string>> gNames;
bool gTrack = false;

std::string NameOf(HWND window) {
    for (const auto& [handle, name] : gNames)
        if (handle == window)
            return name;
    return "?";
}

LRESULT CALLBACK Record(int code, WPARAM removal, LPARAM message) {
    const MSG& msg = *reinterpret_cast<const MSG*>(message);
    EXPECT_EQ(code, HC_ACTION);
    EXPECT_EQ(removal, static_cast<WPARAM>(PM_REMOVE));
    if (msg.message == WM_MOUSEMOVE) {
        gSeen.push_back("move " + NameOf(msg.hwnd));
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, msg.hwnd, 0};
        if (gTrack)
            TrackMouseEvent(&track);
    } else if (msg.message == WM_MOUSELEAVE) {
        gSeen.push_back("leave " + NameOf(msg.hwnd));
    }
    return CallNextHookEx(nullptr, code, removal, message);
}

TEST_F(PointerCommandsTest, Pointer_MovesGoToTheWindowUnder_LeavesOnlyToWindowsThatAsked) {
    Run("palette A at 0 0\npanel PA in A\npalette B at 400 0\npanel PB in B\n");
    gNames = {{Window("A"), "A"}, {Window("B"), "B"}};
    gSeen.clear();
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, &Record, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    EXPECT_EQ(host::InstalledMessageHooks(fHost.Windows()), 1u);

    gTrack = false;
    Run("pointer 10 10\npointer 20 20\npointer 410 10\npointer away\n");
    EXPECT_EQ(gSeen, (std::vector<std::string>{"move A", "move A", "move B"}));

    gSeen.clear();
    gTrack = true;
    Run("pointer 10 10\npointer 410 10\npointer away\n");
    EXPECT_EQ(gSeen, (std::vector<std::string>{"move A", "move B", "leave A", "leave B"}));
    EXPECT_EQ(host::TrackedWindow(fHost.Windows()), nullptr);

    // Asked for a window the pointer is not over: told at once. Cancelled: never.
    gSeen.clear();
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, Window("A"), 0};
    EXPECT_TRUE(TrackMouseEvent(&track));
    EXPECT_EQ(gSeen, (std::vector<std::string>{"leave A"}));
    gTrack = false;
    Run("pointer 10 10\n");
    EXPECT_TRUE(TrackMouseEvent(&track));
    track.dwFlags |= TME_CANCEL;
    EXPECT_TRUE(TrackMouseEvent(&track));
    Run("pointer away\n");
    EXPECT_EQ(gSeen, (std::vector<std::string>{"leave A", "move A"}));

    // A window that comes under a still pointer: the pointer is over it now.
    gSeen.clear();
    Run("pointer 10 10\nplace B 0 0\n");
    EXPECT_EQ(gSeen, (std::vector<std::string>{"move A", "move B"}));

    EXPECT_TRUE(UnhookWindowsHookEx(hook));
    EXPECT_FALSE(UnhookWindowsHookEx(hook));
    EXPECT_EQ(host::InstalledMessageHooks(fHost.Windows()), 0u);
}
#endif

std::vector<std::string> gFired;

struct TimerProbe {
    std::string name;
    int64 rearm = 0; // 0: fires once
    InterfacePtr<ITimer> timer;
    Host* host = nullptr; // whose clock the firing is read from
};

int32 OnProbe(void* data) {
    auto* probe = static_cast<TimerProbe*>(data);
    gFired.push_back(probe->name + "@" + std::to_string(probe->host->Now()));
    if (probe->rearm)
        probe->timer->Start(&OnProbe, static_cast<int32>(probe->rearm), probe);
    return 0;
}

TEST_F(PointerCommandsTest, Wait_FiresEveryDueTimerInDeadlineOrder_ThenTheClockIsMsOn) {
    // The host's own timers (none without the plug-in) stay out of the way.
    const int64 start = fHost.Now();
    TimerProbe fast{"fast", 20, {}}, once{"once", 0, {}}, late{"late", 0, {}};
    for (TimerProbe* probe : {&fast, &once, &late}) {
        probe->host = &fHost;
        probe->timer.reset(static_cast<ITimer*>(CreateObject(kTimerBoss, IID_ITIMER)));
        ASSERT_TRUE(probe->timer);
    }
    fast.timer->Start(&OnProbe, 20, &fast);
    once.timer->Start(&OnProbe, 50, &once);
    late.timer->Start(&OnProbe, 200, &late);
    gFired.clear();
    Run("wait 70\n");
    const auto at = [&](const char* name, int64 t) {
        return std::string(name) + "@" + std::to_string(start + t);
    };
    EXPECT_EQ(gFired, (std::vector<std::string>{at("fast", 20), at("fast", 40), at("once", 50),
                                                at("fast", 60)}));
    EXPECT_EQ(fHost.Now(), start + 70);
    gFired.clear();
    Run("wait 0\nwait 10\n");
    EXPECT_EQ(gFired, (std::vector<std::string>{at("fast", 80)}));
    EXPECT_EQ(fHost.Now(), start + 80);
    EXPECT_EQ(RunScriptIn(fHost, "wait -1\n").status, 2);
}

} // namespace
