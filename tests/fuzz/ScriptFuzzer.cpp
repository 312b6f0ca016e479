// Lines of opalhost's command language, run in a live session with the
// plug-in and a workspace file. Whatever the lines, nothing crashes; a run
// ends with status 0 and no error, or with status 2 and one line
// "error: line N: REASON" for a line that exists; every object is released.
// Lines "note: ..." warn of something the run went on with and are no errors.
#include "FuzzHost.h"

#include "render/Screen.h"
#include "script/ScriptRunner.h"

#include <regex>
#include <sstream>

namespace {

host::ScriptRunner& Runner() {
    static host::ScriptRunner runner = [] {
        host::ScriptRunner r;
        // Nothing is written where an input says, and nothing ends the process
        // on purpose: the picture is drawn and dropped, the crash is not armed.
        r.Add("snapshot", [](host::ScriptContext& c, const host::Words& args) {
            host::ExpectArgs(args, 1, 1, "snapshot FILE.png");
            host::render::DrawScreenPng(c.session.GetHost());
        });
        r.Add("simulate", [](host::ScriptContext&, const host::Words& args) {
            host::ExpectArgs(args, 1, 1, "simulate crash-before-rename");
        });
        return r;
    }();
    return runner;
}

// Many ticks (or long waits) take long and find nothing a few do not; such
// inputs are left out.
constexpr int64 kMostTicks = 100;
constexpr int64 kLongestWait = kMostTicks * 500;

bool TicksFew(const std::string& script) {
    std::istringstream lines(script);
    std::string line;
    while (std::getline(lines, line)) {
        try {
            const host::Words words = host::ScriptRunner::Split(line);
            if (words.size() == 2 && words[0] == "tick" &&
                host::ParseInteger(words[1]) > kMostTicks)
                return false;
            if (words.size() == 2 && words[0] == "wait" &&
                host::ParseInteger(words[1]) > kLongestWait)
                return false;
        } catch (const host::ScriptError&) {
        }
    }
    return true;
}

size_t CountLines(const std::string& script) {
    std::istringstream lines(script);
    std::string line;
    size_t count = 0;
    while (std::getline(lines, line))
        ++count;
    return count;
}

std::string WithoutNotes(const std::string& text) {
    std::istringstream lines(text);
    std::string line, kept;
    while (std::getline(lines, line))
        if (line.rfind("note: ", 0) != 0)
            kept += line + "\n";
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string script(reinterpret_cast<const char*>(data), size);
    if (!TicksFew(script))
        return -1;
    const std::string& plugin = fuzzing::PluginFile();
    const auto workspace = fuzzing::EmptyScratchFolder() / "workspace";
    // A fresh host for every input: nothing carries over from the last.
    host::Host fresh;

    const auto before = testing_support::RefSnapshot::Take(fresh);
    int status = 0;
    std::ostringstream out, err;
    {
        host::Session session(host::SessionOptions{plugin, workspace.string()}, fresh);
        std::string error;
        if (!session.Start(&error))
            fuzzing::Fail("the session did not start: " + error);
        std::istringstream in(script);
        host::ScriptContext context{session, out, err};
        status = Runner().Run(in, context);
        session.Stop(false);
    }
    // The world's objects go with the session; its description is the host's.
    fuzzing::CheckReferences(before);

    static const std::regex kReport("error: line ([0-9]+): [^\n]+\n");
    std::smatch report;
    const std::string errors = WithoutNotes(err.str());
    if (status == 0 && !errors.empty())
        fuzzing::Fail("a run that succeeded reported: " + errors);
    if (status == 2 && (!std::regex_match(errors, report, kReport) || std::stoull(report[1]) == 0 ||
                        std::stoull(report[1]) > CountLines(script)))
        fuzzing::Fail("a bad line is not reported in one line naming it: " + errors);
    if (status != 0 && status != 2)
        fuzzing::Fail("the run ended with status " + std::to_string(status));
    return 0;
}
