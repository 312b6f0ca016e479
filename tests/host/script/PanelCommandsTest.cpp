// The Opal panel's opalhost commands: what they print, and the lines they
// refuse while the panel is not shown or name nothing.
#include "HostTestSupport.h"
#include "UiTestSupport.h"
#include "script/ScriptRunner.h"
#include "world/World.h"

#include <sstream>

namespace {

using testing_support::RunScript;
using testing_support::ScriptResult;

TEST(PanelCommandsTest, OpenShowsThePanelInItsPalette_CloseHidesIt) {
    const ScriptResult r =
        RunScript("print list\nopen opal\nprint windows\nprint size\nclose opal\n"
                  "print list\nprint windows\nopen opal\nprint windows\n");
    EXPECT_EQ(r.status, 0) << r.err;
    // The Opal panel is a host panel like any other: stored at 100%.
    EXPECT_EQ(r.out, "list closed\n"
                     "window Opal class=0x613 shown layered alpha=254\n"
                     "size 207 239\n"
                     "list closed\n"
                     "window Opal class=0x613 hidden layered alpha=254\n"
                     "window Opal class=0x613 shown layered alpha=254\n");
}

TEST(PanelCommandsTest, LayoutResizeAndTheFieldsAlert) {
    const ScriptResult r = RunScript("open opal\nprint layout\nresize 307 259\nprint size\n"
                                     "select #0\ntype 10\ntype 60\n");
    EXPECT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(first, "widget 0xc9264 class 0xc9296 frame 0 0 207 239");
    EXPECT_EQ(second, "  widget 0xc9266 class 0xc9297 frame -1 0 208 225");
    EXPECT_NE(r.out.find("    widget 0x601 class 0x625 frame -2 1 208 226\n"), std::string::npos);
    EXPECT_NE(r.out.find("size 307 259\nalert \"Enter a number between 15 and 100.\"\n"),
              std::string::npos);
}

TEST(PanelCommandsTest, BadLines) {
    const struct {
        const char* script;
        const char* error;
    } cases[] = {
        {"select #0", "error: line 1: the Opal panel is not shown"},
        {"type 50", "error: line 1: the Opal panel is not shown"},
        {"press onoff", "error: line 1: the Opal panel is not shown"},
        {"print bar 0", "error: line 1: the Opal panel is not shown"},
        {"print layout", "error: line 1: the Opal panel is not shown"},
        {"open opal\nclose opal\nresize 300 300", "error: line 3: the Opal panel is not shown"},
        {"open opal\nselect nobody", "error: line 2: no row shows \"nobody\""},
        {"open opal\nselect #99", "error: line 2: no row #99"},
        {"open opal\nprint bar 99", "error: line 2: no row 99"},
        {"open opal\npress power", "error: line 2: usage: press onoff|swap"},
        {"open opal\nresize 1 x", "error: line 2: not a number: \"x\""},
        {"open layers", "error: line 1: usage: open opal"},
        {"answer maybe", "error: line 1: usage: answer ok|dont-show-again"},
        {"panel P class 123457", "error: line 1: no class 0x123457"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        const ScriptResult r = RunScript(c.script);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, std::string(c.error) + "\n");
    }
}

TEST(PanelCommandsTest, PanelOfAnotherClass) {
    host::Host context;
    const ScriptResult r = RunScript("palette Tools\npanel Odd in Tools class 0x681\n", &context);
    EXPECT_EQ(r.status, 0) << r.err;
    const auto odd = context.Get<host::World>().FindPanel("Odd");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->classID, 0x681u);
}

} // namespace

namespace {

TEST(PanelCommandsTest, RowNumbersAreWords_OtherHashesAtAWordsStartStartComments) {
    using host::ScriptRunner;
    EXPECT_EQ(ScriptRunner::Split("select #2 Layers #12 # two rows"),
              (host::Words{"select", "#2", "Layers", "#12"}));
    EXPECT_EQ(ScriptRunner::Split("select #2a"), host::Words{"select"});
    // Inside a word "#" is part of the name.
    EXPECT_EQ(ScriptRunner::Split("select A#2 #c"), (host::Words{"select", "A#2"}));
    EXPECT_EQ(ScriptRunner::Split("#1"), host::Words{"#1"});
    EXPECT_EQ(ScriptRunner::Split("select \"#x\""), (host::Words{"select", "#x"}));
}

} // namespace
