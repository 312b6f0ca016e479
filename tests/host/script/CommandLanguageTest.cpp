// The command language as a person writes it: quoting, comments, the
// commands' own checks, help, and the one command table that the README's
// reference must match.
#include "HostTestSupport.h"
#include "script/Commands.h"
#include "script/Shell.h"
#include "world/World.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

using host::ScriptRunner;
using host::Words;
using testing_support::RunScript;
using testing_support::ScriptResult;

TEST(CommandLanguageTest, Quotes_KeepEscapedQuotesAndBackslashes_HashesInsideWords) {
    EXPECT_EQ(ScriptRunner::Split(R"(panel "He said \"hi\"")"), (Words{"panel", "He said \"hi\""}));
    EXPECT_EQ(ScriptRunner::Split(R"(panel "a\\b" "c\d")"), (Words{"panel", "a\\b", "c\\d"}));
    EXPECT_EQ(ScriptRunner::Split("panel A#1 in A # a comment"),
              (Words{"panel", "A#1", "in", "A"}));
    EXPECT_EQ(ScriptRunner::Split("panel A #1 in A"), (Words{"panel", "A", "#1", "in", "A"}));
    EXPECT_THROW(ScriptRunner::Split(R"(panel "open \")"), host::ScriptError);
    // A name printed back is one a script can read again.
    for (const std::string name : {"He said \"hi\"", "a\\b", "#1", "A B", "Plain"})
        EXPECT_EQ(ScriptRunner::Split("x " + host::Quoted(name)), (Words{"x", name})) << name;
}

TEST(CommandLanguageTest, Commands_SayWhatTheyDidOrWhyNot) {
    const std::pair<const char*, const char*> cases[] = {
        // Any finite number reaches the plug-in; nothing else does.
        {"palette P\npanel A in P\ndo add-alpha A\ndo set-alpha A inf",
         "not a decimal number: \"inf\""},
        {"palette P\npanel A in P\ndo add-alpha A\ndo set-alpha A nan",
         "not a decimal number: \"nan\""},
        {"palette P\npanel A in P\ndo add-alpha A\ndo set-alpha A 40%",
         "not a decimal number: \"40%\""},
        {"palette P\npanel A in P\ndo add-alpha A\ndo set-alpha A 1e999",
         "number out of range: \"1e999\""},
        {"snapshot screen.jpg",
         "snapshot: the picture is a PNG; name it FILE.png, not \"screen.jpg\""},
        {"snapshot .png", "snapshot: the picture is a PNG; name it FILE.png, not \".png\""},
        {"help frobnicate", "no command \"frobnicate\"; help lists them all"},
        {"quit now", "usage: quit"},
    };
    for (const auto& [script, message] : cases) {
        SCOPED_TRACE(script);
        const ScriptResult r = RunScript(script);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.substr(r.err.find(": ", 7) + 2), std::string(message) + "\n");
    }
    const ScriptResult bounds =
        RunScript("palette P\npanel A in P\ndo add-alpha A\ndo set-alpha A 15\nprint data\n"
                  "do set-alpha A 100\nprint data\n");
    EXPECT_EQ(bounds.status, 0) << bounds.err;
    EXPECT_NE(bounds.out.find("alpha 15\n"), std::string::npos) << bounds.out;
    EXPECT_NE(bounds.out.find("alpha 100\n"), std::string::npos) << bounds.out;
    EXPECT_EQ(bounds.err, "");

    // Outside the field's range: stored as given, with a note on standard error.
    const ScriptResult outside =
        RunScript("palette P\npanel A in P\ndo add-alpha A\ndo set-alpha A 150\nprint data\n"
                  "do set-alpha A -5\nprint data\n");
    EXPECT_EQ(outside.status, 0) << outside.err;
    EXPECT_NE(outside.out.find("alpha 150\n"), std::string::npos) << outside.out;
    EXPECT_NE(outside.out.find("alpha -5\n"), std::string::npos) << outside.out;
    EXPECT_EQ(outside.err, "note: 150 is outside the opacity field's 15 to 100; the plug-in gets "
                           "it as it is\n"
                           "note: -5 is outside the opacity field's 15 to 100; the plug-in gets "
                           "it as it is\n");

    const ScriptResult notes =
        RunScript("panel Loose\npalette P\npanel A in P\nopen opal\ntype 40\n");
    EXPECT_EQ(notes.status, 0) << notes.err;
    EXPECT_EQ(notes.out,
              "note: panel \"Loose\" is in no palette, so no list shows it until it is moved "
              "into one\n"
              "note: the opacity field is disabled until a row is selected; nothing typed\n");
}

TEST(CommandLanguageTest, Quit_EndsTheScriptWithStatus0) {
    const ScriptResult r = RunScript("say one\nquit\nsay two\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "# one\n");
}

TEST(CommandLanguageTest, Help_ListsEveryCommandGroupedAndExplainsOne) {
    std::ostringstream all;
    host::PrintHelp(all, {});
    for (const host::CommandInfo& command : host::CommandTable())
        EXPECT_NE(all.str().find("  " + std::string(command.usage) + "\n"), std::string::npos)
            << command.verb;
    EXPECT_NE(all.str().find("The Opal panel:\n  open opal\n"), std::string::npos) << all.str();
    std::ostringstream one;
    host::PrintHelp(one, {"do"});
    EXPECT_EQ(one.str().rfind("do add-alpha PANEL\n    runs", 0), 0u) << one.str();
    EXPECT_NE(one.str().find("do set-alpha PANEL VALUE\n"), std::string::npos);
    EXPECT_EQ(one.str().find("print"), std::string::npos);
}

TEST(CommandLanguageTest, Completion_OffersCommandsFixedWordsAndNames) {
    host::Host context;
    context.Get<host::World>().Create();
    context.Get<host::World>().AddPalette("Colour Panels", 0x613, true, std::nullopt);
    const ScriptRunner runner;
    auto complete = [&](const std::string& before) {
        return host::CompleteWord(runner, context, before).candidates;
    };
    EXPECT_EQ(complete("pri"), (std::vector<std::string>{"print"}));
    EXPECT_EQ(complete("print l"), (std::vector<std::string>{"layout", "list"}));
    EXPECT_EQ(complete("do on"), (std::vector<std::string>{"on-off"}));
    EXPECT_EQ(complete("open "), (std::vector<std::string>{"opal"}));
    EXPECT_EQ(complete("panel X in Col"), (std::vector<std::string>{"\"Colour Panels\""}));
    EXPECT_EQ(complete("panel X in \"Col"), (std::vector<std::string>{"\"Colour Panels\""}));
    EXPECT_EQ(host::CompleteWord(runner, context, "panel X in \"Col").partial, 4u);
}

// The command reference, docs/commands.md: the first column of each of its
// table rows, as `USAGE`.
std::set<std::string> ReferenceUsages() {
    std::ifstream reference(std::filesystem::path(OPAL_SOURCE_DIR) / "docs" / "commands.md");
    EXPECT_TRUE(reference) << "docs/commands.md";
    std::set<std::string> usages;
    for (std::string line; std::getline(reference, line);) {
        if (line.rfind("| `", 0) != 0)
            continue;
        const size_t end = line.find("` |");
        std::string usage = line.substr(3, end - 3);
        for (size_t at; (at = usage.find("\\|")) != std::string::npos;)
            usage.erase(at, 1);
        usages.insert(usage);
    }
    return usages;
}

TEST(CommandLanguageTest, CommandReference_NamesTheCommandsOfTheTable) {
    std::set<std::string> table;
    for (const host::CommandInfo& command : host::CommandTable())
        table.insert(command.usage);
    EXPECT_EQ(ReferenceUsages(), table);
}

} // namespace
