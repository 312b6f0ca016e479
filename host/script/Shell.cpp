#include "script/Shell.h"

#include "script/Commands.h"

#include <algorithm>
#include <csignal>
#include <istream>
#include <ostream>
#include <set>

namespace host {
namespace {

// The words of a usage line that are typed as they stand ("in", "new-group",
// "onoff"), as against placeholders (NAME, PANEL).
void AddFixedWords(const char* usage, std::set<std::string>* words) {
    std::string word;
    auto flush = [&] {
        const bool fixed = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || c == '-' || c == '0' || c == '1';
        });
        if (fixed)
            words->insert(word);
        word.clear();
    };
    for (const char* p = usage; *p; ++p) {
        if (*p == ' ' || *p == '|' || *p == '[' || *p == ']' || *p == '.')
            flush();
        else
            word += *p;
    }
    flush();
}

// Whether the command takes names of the world: its usage has a placeholder
// for one.
bool TakesNames(const std::string& first, const std::string& firstTwo) {
    for (const CommandInfo& command : CommandTable()) {
        if (command.verb != first && command.verb != firstTwo)
            continue;
        const std::string usage = command.usage;
        for (const char* placeholder : {"NAME", "PANEL", "PALETTE", "ROW", "ENTRY"})
            if (usage.find(placeholder) != std::string::npos)
                return true;
    }
    return false;
}

} // namespace

Completion CompleteWord(const ScriptRunner& runner, Host& host, const std::string& before) {
    // The words before the one being typed; a half-typed quote is that word.
    Words done;
    size_t start = 0;
    bool quoted = false;
    for (size_t i = 0; i < before.size(); ++i) {
        if (before[i] == '"' && (i == 0 || before[i - 1] != '\\'))
            quoted = !quoted;
        else if (!quoted && (before[i] == ' ' || before[i] == '\t'))
            start = i + 1;
    }
    try {
        done = ScriptRunner::Split(before.substr(0, start));
    } catch (const ScriptError&) {
        return {};
    }
    const std::string partial = before.substr(start);

    std::set<std::string> options;
    const std::vector<std::string> verbs = runner.Verbs();
    const std::string typed = done.empty() ? "" : done[0] + (done.size() > 1 ? " " + done[1] : "");
    if (done.size() <= 1) {
        // The command's first word, or the second of a two-word command.
        for (const std::string& verb : verbs) {
            const size_t space = verb.find(' ');
            if (done.empty())
                options.insert(verb.substr(0, space));
            else if (space != std::string::npos && verb.compare(0, space, done[0]) == 0)
                options.insert(verb.substr(space + 1));
        }
    }
    if (!done.empty()) {
        for (const CommandInfo& command : CommandTable()) {
            const std::string verb = command.verb;
            if (verb == done[0] || verb == typed)
                AddFixedWords(command.usage, &options);
        }
        if (done[0] == "help")
            for (const std::string& verb : verbs)
                options.insert(verb.substr(0, verb.find(' ')));
        else
            options.erase(done[0]);
        if (TakesNames(done[0], typed)) {
            std::vector<std::string> names = NamesInTheWorld(host);
            for (const auto& more : {OpalRowNames(host), OpalMenuEntries(host)})
                names.insert(names.end(), more.begin(), more.end());
            for (const std::string& name : names)
                options.insert(done[0] == "menu" ? "\"" + name + "\"" : Quoted(name));
        }
    }
    Completion completion{partial.size(), {}};
    // "Col" also completes to "\"Colour Panels\"": the quote comes with the name.
    const std::string quotedPartial =
        partial.empty() || partial[0] == '"' ? partial : '"' + partial;
    for (const std::string& option : options)
        if (option.compare(0, partial.size(), partial) == 0 ||
            option.compare(0, quotedPartial.size(), quotedPartial) == 0)
            completion.candidates.push_back(option);
    return completion;
}

int RunShell(ScriptRunner& runner, ScriptContext& context, std::istream& in,
             const std::string& historyFile) {
    std::unique_ptr<LineEditor> editor =
        OpenTerminalEditor("opal> ", historyFile, [&runner, &context](const std::string& before) {
            return CompleteWord(runner, context.session.GetHost(), before);
        });
#if defined(SIGINT)
    // Ctrl-C while a command runs must not end the session unsaved.
    if (editor)
        std::signal(SIGINT, SIG_IGN);
#endif
    return runner.RunSession(
        [&]() -> std::optional<std::string> {
            if (editor)
                return editor->ReadLine();
            std::string line;
            if (!std::getline(in, line))
                return std::nullopt;
            return line;
        },
        context, !editor);
}

} // namespace host
