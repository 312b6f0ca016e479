// The host world's opalhost commands: what they build, what they print, and
// the one-line refusals of bad lines.
#include "HostTestSupport.h"
#include "InterfacePtr.h"
#include "OSWindows.h"
#include "script/ScriptRunner.h"
#include "world/World.h"

#include <algorithm>
#include <cstring>
#include <sstream>

using host::Host;
using host::World;

using testing_support::RunScriptIn;
using testing_support::ScriptResult;

namespace {

class WorldCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fHost.BeginSession();
        fHost.StartApplication();
    }
    Host fHost;
};

TEST_F(WorldCommandsTest, Script_BuildsTheWorldAndPrintsWindows) {
    const ScriptResult built = RunScriptIn(fHost, R"(palette Tools
palette "Color Panels" class 170
palette Stash class 0x1640F hidden
panel Pages in Tools
panel "&Swatches" in "Color Panels" id 7
panel Links in Tools new-group
panel Loose
move Pages to Stash new-group
front Links
)");
    ASSERT_EQ(built.status, 0) << built.err;
    const auto pages = *fHost.Get<World>().FindPanel("Pages");
    EXPECT_EQ(pages.panelID, 101);
    EXPECT_EQ(pages.palette, "Stash");
    EXPECT_EQ(fHost.Get<World>().FindPanel("&Swatches")->panelID, 7);
    EXPECT_EQ(fHost.Get<World>().FindPanel("Links")->panelID, 102);
    EXPECT_EQ(fHost.Get<World>().FindPanel("Loose")->palette, "");
    EXPECT_EQ(fHost.Get<World>().FindPalette("Tools")->groups,
              (std::vector<std::vector<int32>>{{102}}));

    // Made layered as the plug-in would; one layered window never given an alpha.
    const HWND color = fHost.Get<World>().FindPalette("Color Panels")->window;
    SetWindowLongW(color, GWL_EXSTYLE, GetWindowLongW(color, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(color, 0, 153, LWA_ALPHA);

    const ScriptResult printed =
        RunScriptIn(fHost, "hide Pages\nprint windows\nrecreate \"Color Panels\"\n"
                           "show Pages\nprint windows\n");
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(printed.out, "window Tools class=0x613 shown plain\n"
                           "window \"Color Panels\" class=0x170 shown layered alpha=153\n"
                           "window Stash class=0x1640f hidden plain\n"
                           "window Tools class=0x613 shown plain\n"
                           "window \"Color Panels\" class=0x170 shown plain\n"
                           "window Stash class=0x1640f shown plain\n");
}

TEST_F(WorldCommandsTest, BadLines_StopTheScriptWithOneLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"panel A in Nowhere", "no palette named \"Nowhere\""},
        {"palette Tools\npalette Tools", "a palette named \"Tools\" already exists"},
        {"palette X class 614",
         "class 0x614 is not a palette window class (0x613, 0x170, 0x1640f, 0xfc03)"},
        {"palette X class zz", "not a hexadecimal class: \"zz\""},
        {"palette X shown", "usage: palette NAME [class HEX] [hidden] [at X Y]"},
        {"palette X at 1", "usage: palette NAME [class HEX] [hidden] [at X Y]"},
        {"place X 1 y", "not a number: \"y\""},
        {"place Nowhere 1 2", "no palette named \"Nowhere\""},
        {"panel A id", "usage: panel NAME [in PALETTE [new-group]] [id N] [class HEX]"},
        {"panel A id 1\npanel B id 1", "panel ID 1 is taken by \"A\""},
        {"panel A id 99999999999", "panel ID out of range: 99999999999"},
        {"panel A\nmove A into B", "usage: move PANEL to PALETTE [new-group]"},
        {"front Ghost", "no panel named \"Ghost\""},
        {"panel A\nshow A", "panel \"A\" is in no palette"},
        {"recreate Nowhere", "no palette named \"Nowhere\""},
        {"tick -1", "tick: N must not be negative"},
        {"trace maybe", "usage: trace on|off"},
        {"print windows now", "usage: print windows"},
    };
    for (const auto& [script, message] : cases) {
        SCOPED_TRACE(script);
        Host fresh; // each case in a world of its own
        fresh.BeginSession();
        fresh.StartApplication();
        const ScriptResult r = RunScriptIn(fresh, std::string(script) + "\npalette After\n");
        const std::string line =
            std::to_string(std::count(script, script + strlen(script), '\n') + 1);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "error: line " + line + ": " + message + "\n");
        EXPECT_FALSE(fresh.Get<World>().FindPalette("After")) << "ran on after a bad line";
    }
}

TEST_F(WorldCommandsTest, ResolvePanel_PrefersAPanelNameOverANumber) {
    ASSERT_EQ(RunScriptIn(fHost, "palette Tools\npanel Pages in Tools\npanel 7 in Tools\n").status,
              0);
    EXPECT_EQ(host::ResolvePanel(fHost, "Pages"), 101);
    EXPECT_EQ(host::ResolvePanel(fHost, "7"), 102);
    EXPECT_EQ(host::ResolvePanel(fHost, "0x7"), 7);
    EXPECT_EQ(host::ResolvePanel(fHost, "-3"), -3);
    try {
        host::ResolvePanel(fHost, "Ghost");
        ADD_FAILURE() << "accepted an unknown name";
    } catch (const host::ScriptError& e) {
        EXPECT_STREQ(e.what(), "no panel named \"Ghost\"");
    }
}

// With the plug-in, whose timer schedules the list refresh on every tick.
class TraceTest : public testing_support::HostSessionTest {};

TEST_F(TraceTest, Trace_PrintsScheduledAndRunCommandsWhileOn) {
    const ScriptResult r = RunScriptIn(TheHost(), "tick\ntrace on\ntick\ntrace off\ntick\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "scheduled \"Opal update panel listbox\" priority 0\n"
                     "run \"Opal update panel listbox\"\n");
}

} // namespace
