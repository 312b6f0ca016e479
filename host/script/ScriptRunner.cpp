#include "script/ScriptRunner.h"

#include "script/Commands.h"

#include "core/Host.h"
#include "ui/Alerts.h"
#include "ui/DialogManager.h"
#include "world/World.h"

#include <cerrno>
#include <cstdlib>
#include <istream>
#include <ostream>

namespace host {

ScriptRunner::ScriptRunner() {
    for (const CommandInfo& command : CommandTable())
        fCommands[command.verb] = {command.usage, command.run};
}

void ScriptRunner::Add(const std::string& verb, ScriptCommand command) {
    Entry& entry = fCommands[verb];
    if (!entry.usage)
        entry.usage = "";
    entry.run = std::move(command);
}

std::vector<std::string> ScriptRunner::Verbs() const {
    std::vector<std::string> verbs;
    for (const auto& [verb, entry] : fCommands)
        verbs.push_back(verb);
    return verbs;
}

namespace {

// "#" and digits, alone as a word, name a row ("select #2"); any other "#"
// that starts a word starts a comment.
bool RowNumberAt(const std::string& line, size_t at) {
    size_t end = at + 1;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9')
        ++end;
    return end > at + 1 &&
           (end == line.size() || line[end] == ' ' || line[end] == '\t' || line[end] == '\r');
}

} // namespace

Words ScriptRunner::Split(const std::string& line) {
    Words words;
    std::string word;
    bool inWord = false, quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\'))
                word += line[++i];
            else if (c == '"')
                quoted = false;
            else
                word += c;
        } else if (c == '"') {
            quoted = inWord = true;
        } else if (c == '#' && !inWord && !RowNumberAt(line, i)) {
            break;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord)
                words.push_back(std::exchange(word, {}));
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted)
        throw ScriptError("unterminated quote");
    if (inWord)
        words.push_back(word);
    return words;
}

namespace {

// While a run lasts, what the host shows goes to the context's output:
// alerts as they are shown, dialogs opening and closing, pages opened and,
// while on, the trace. None of it may outlive the run.
class HostOutput {
public:
    explicit HostOutput(ScriptContext& context) : fContext(context) {
        Host& host = context.session.GetHost();
        std::ostream& out = context.out;
        fHeard.push_back(host.Get<ui::Alerts>().shown.Subscribe(
            [&out](const ui::AlertEvent& e) { out << "alert \"" << e.text << "\"\n"; }));
        fHeard.push_back(
            host.Get<ui::DialogManager>().events.Subscribe([&out](const ui::DialogEvent& e) {
                if (e.kind == ui::DialogEvent::kOpened)
                    out << "dialog \"" << e.title << "\"\n";
                else
                    out << "dialog closed\n";
            }));
        fHeard.push_back(host.shellExecute.Subscribe(
            [&out](const ShellExecuteRequest& e) { out << "browse \"" << e.file << "\"\n"; }));
    }
    ~HostOutput() { fContext.trace.Reset(); }
    HostOutput(const HostOutput&) = delete;
    HostOutput& operator=(const HostOutput&) = delete;

private:
    ScriptContext& fContext;
    std::vector<Subscription> fHeard;
};

} // namespace

void ScriptRunner::RunLine(const std::string& line, ScriptContext& context) {
    if (line.find('\0') != std::string::npos)
        throw ScriptError("NUL byte in the line");
    Words words = Split(line);
    if (words.empty())
        return;
    auto found = fCommands.end();
    size_t used = 0;
    if (words.size() >= 2)
        found = fCommands.find(words[0] + " " + words[1]), used = 2;
    if (found == fCommands.end())
        found = fCommands.find(words[0]), used = 1;
    if (found == fCommands.end()) {
        // A first word that starts longer commands ("do …") is no
        // command alone: the pair is what is unknown.
        const std::string prefix = words[0] + " ";
        const auto longer = fCommands.lower_bound(prefix);
        const bool pair = words.size() >= 2 && longer != fCommands.end() &&
                          longer->first.compare(0, prefix.size(), prefix) == 0;
        throw ScriptError("unknown command " + Shown(pair ? prefix + words[1] : words[0]));
    }
    context.usage = found->second.usage;
    found->second.run(context,
                      Words(words.begin() + static_cast<std::ptrdiff_t>(used), words.end()));
    context.out.flush();
    // Windows that came, went or moved under a still pointer tell it, as a
    // window system does, before the host goes idle.
    PointerFollowsWindows(context);
    context.session.GetHost().DrainCommands();
}

int ScriptRunner::Run(std::istream& in, ScriptContext& context) {
    const HostOutput output(context);
    std::string line;
    int number = 0;
    while (!context.quit && std::getline(in, line)) {
        ++number;
        // A byte-order mark, as some editors save UTF-8, is no part of the script.
        if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        try {
            RunLine(line, context);
        } catch (const ScriptError& e) {
            context.out.flush();
            context.err << "error: line " << number << ": " << e.what() << "\n";
            return 2;
        }
    }
    return 0;
}

int ScriptRunner::RunSession(const std::function<std::optional<std::string>()>& nextLine,
                             ScriptContext& context, bool numbered) {
    const HostOutput output(context);
    int number = 0;
    while (!context.quit) {
        const std::optional<std::string> line = nextLine();
        if (!line)
            break;
        ++number;
        try {
            RunLine(*line, context);
        } catch (const ScriptError& e) {
            context.out.flush();
            context.err << "error: ";
            if (numbered)
                context.err << "line " << number << ": ";
            context.err << e.what();
            // A person at the shell may not know the commands yet.
            if (std::string(e.what()).rfind("unknown command", 0) == 0)
                context.err << "; help lists the commands";
            context.err << "\n";
            context.err.flush();
        }
    }
    return 0;
}

int64 ParseInteger(const std::string& word) {
    if (word.empty())
        throw ScriptError("expected a number");
    errno = 0;
    char* end = nullptr;
    // Decimal, or hexadecimal with 0x; never octal, a leading zero is decimal.
    const bool hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
    const long long value = std::strtoll(word.c_str(), &end, hex ? 16 : 10);
    if (*end != '\0' || errno == ERANGE)
        throw ScriptError("not a number: " + Shown(word));
    return value;
}

int64 ParseInteger(const std::string& word, int64 min, int64 max) {
    const int64 value = ParseInteger(word);
    if (value < min || value > max)
        throw ScriptError("number out of range: " + Shown(word) + " (" + std::to_string(min) +
                          " to " + std::to_string(max) + ")");
    return value;
}

std::string Shown(const std::string& word) {
    // Enough to recognise the word; a megabyte of it helps nobody.
    constexpr size_t kMost = 60;
    if (word.size() <= kMost)
        return "\"" + word + "\"";
    size_t cut = kMost;
    while (cut > 0 && (static_cast<unsigned char>(word[cut]) & 0xC0) == 0x80)
        --cut; // not inside a UTF-8 sequence
    return "\"" + word.substr(0, cut) + "\"... (" + std::to_string(word.size()) + " bytes)";
}

std::string Quoted(const std::string& name) {
    if (!name.empty() && name.find_first_of(" \t\"#\\") == std::string::npos)
        return name;
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

void ThrowUsage(const ScriptContext& c) {
    throw ScriptError(std::string("usage: ") + (c.usage ? c.usage : "?"));
}

void ExpectArgs(const ScriptContext& c, const Words& args, size_t min, size_t max) {
    if (args.size() < min || args.size() > max)
        ThrowUsage(c);
}

void ExpectArgs(const Words& args, size_t min, size_t max, const char* usage) {
    if (args.size() < min || args.size() > max)
        throw ScriptError(std::string("usage: ") + usage);
}

int32 ResolvePanel(const Host& host, const std::string& word) {
    // A panel of the host world by name first: a panel may be called "101".
    if (auto panel = host.Get<World>().FindPanel(word))
        return panel->panelID;
    // Else a panel ID, decimal or 0x hex, within the signed 32 bits of a panel ID.
    int64 id = 0;
    try {
        id = ParseInteger(word);
    } catch (const ScriptError&) {
        throw ScriptError("no panel named " + Shown(word));
    }
    if (id < INT32_MIN || id > INT32_MAX)
        throw ScriptError("panel ID out of range: " + Shown(word));
    return static_cast<int32>(id);
}

} // namespace host
