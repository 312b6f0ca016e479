// The command language's own refusals: what a bad line says, however long
// or strange the line.
#include "script/ScriptRunner.h"
#include "HostTestSupport.h"

#include <sstream>

using host::Host;

using testing_support::RunScriptIn;
using testing_support::ScriptResult;

namespace {

TEST(ScriptRunnerTest, BadLines_SayWhatIsWrongInOneShortLine) {
    const std::string huge(1 << 20, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"do frobnicate 1", "unknown command \"do frobnicate\""},
        {"print nothing", "unknown command \"print nothing\""},
        {"frobnicate 1", "unknown command \"frobnicate\""},
        {"do", "unknown command \"do\""},
        {huge, "unknown command \"" + huge.substr(0, 60) + "\"... (1048576 bytes)"},
        {"tick " + huge, "not a number: \"" + huge.substr(0, 60) + "\"... (1048576 bytes)"},
        {"print resource 4294967415 450", "number out of range: \"4294967415\" (0 to 4294967295)"},
        {"print resource 1 -1", "number out of range: \"-1\" (0 to 4294967295)"},
        {"print resource 1 99999999999999999999", "not a number: \"99999999999999999999\""},
        {std::string("tick\0 1", 7), "NUL byte in the line"},
        {std::string("# comment \0", 11), "NUL byte in the line"},
    };
    for (const auto& [line, message] : cases) {
        SCOPED_TRACE(line.substr(0, 80));
        host::Host context;
        const ScriptResult r = RunScriptIn(context, "tick 0\n" + line + "\n");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "error: line 2: " + message + "\n");
    }
}

TEST(ScriptRunnerTest, Shown_CutsOnlyLongWordsAndNeverInsideACharacter) {
    EXPECT_EQ(host::Shown("Pages"), "\"Pages\"");
    EXPECT_EQ(host::Shown(std::string(60, 'a')), "\"" + std::string(60, 'a') + "\"");
    // "é" is two bytes; the 60th byte starts one.
    const std::string word = std::string(59, 'a') + "\xc3\xa9" + "zz";
    EXPECT_EQ(host::Shown(word), "\"" + std::string(59, 'a') + "\"... (63 bytes)");
}

} // namespace
