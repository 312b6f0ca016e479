// The host world's commands:
//   palette NAME [class HEX] [hidden] [at X Y] | place PALETTE X Y
//   panel NAME [in PALETTE [new-group]] [id N] [class HEX]
//   move PANEL to PALETTE [new-group]
//   front PANEL | show PANEL | hide PANEL | recreate PALETTE
//   tick [N] | trace on|off | print windows
#include "OSWindows.h"
#include "core/Host.h"
#include "core/Text.h"
#include "script/Commands.h"
#include "ui/UserAction.h"
#include "world/World.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <ostream>

namespace host {
namespace {

// Runs a world change, turning its complaint into a bad line.
template <class F> void Apply(F&& change) {
    try {
        change();
    } catch (const WorldError& e) {
        throw ScriptError(e.what());
    }
}

World& TheWorld(ScriptContext& c) {
    return c.session.GetHost().Get<World>();
}

// Carries out what the person did, as a click or a random step would.
void Do(ScriptContext& c, const ui::UserAction& action) {
    try {
        ui::Perform(c.session.GetHost(), action);
    } catch (const ui::UserActionError& e) {
        throw ScriptError(e.what());
    }
}

ClassID ParseClass(const std::string& word) {
    // HEX with or without 0x: the class numbers are always written in hex.
    const bool prefixed = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
    const std::string digits = prefixed ? word.substr(2) : word;
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(digits.c_str(), &end, 16);
    if (digits.empty() || *end != '\0' || errno == ERANGE || value > 0xffffffffULL)
        throw ScriptError("not a hexadecimal class: " + Shown(word));
    return static_cast<ClassID>(value);
}

int32 ScreenCoordinate(const std::string& word) {
    const int64 value = ParseInteger(word);
    if (value < -100000 || value > 100000)
        throw ScriptError("a screen coordinate must be between -100000 and 100000");
    return static_cast<int32>(value);
}

void PrintWindows(std::ostream& out, const World& world) {
    for (const PaletteInfo& p : world.Palettes()) {
        // What the operating system says, not what the world remembers.
        const bool shown = p.window ? world.IsPaletteWindowShown(p.window) : p.shown;
        out << "window " << Quoted(p.name) << " class=" << Hex(p.classID) << " "
            << (shown ? "shown" : "hidden");
        const LONG style = p.window ? GetWindowLongW(p.window, GWL_EXSTYLE) : 0;
        if (style & WS_EX_LAYERED) {
            BYTE alpha = 0;
            if (GetLayeredWindowAttributes(p.window, nullptr, &alpha, nullptr))
                out << " layered alpha=" << static_cast<int>(alpha) << "\n";
            else
                out << " layered alpha=unset\n";
        } else {
            out << " plain\n";
        }
    }
}

} // namespace

std::vector<std::string> NamesInTheWorld(const Host& host) {
    std::vector<std::string> names;
    for (const PaletteInfo& palette : host.Get<World>().Palettes())
        names.push_back(palette.name);
    for (const PanelInfo& panel : host.Get<World>().Panels())
        names.push_back(panel.name);
    return names;
}

void PaletteCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 7);
    ClassID classID = kPaletteFloatingBoss;
    bool shown = true;
    std::optional<ScreenPoint> at;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "class" && i + 1 < args.size())
            classID = ParseClass(args[++i]);
        else if (args[i] == "hidden")
            shown = false;
        else if (args[i] == "at" && i + 2 < args.size()) {
            at = ScreenPoint{ScreenCoordinate(args[i + 1]), ScreenCoordinate(args[i + 2])};
            i += 2;
        } else
            ThrowUsage(c);
    }
    Apply([&] { TheWorld(c).AddPalette(args[0], classID, shown, at); });
}

void PlaceCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 3, 3);
    const int32 x = ScreenCoordinate(args[1]), y = ScreenCoordinate(args[2]);
    Do(c, ui::UserAction::Place(args[0], x, y));
}

void PanelCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 8);
    bool classGiven = false;
    PanelOptions options;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "in" && i + 1 < args.size() && options.palette.empty()) {
            options.palette = args[++i];
            if (i + 1 < args.size() && args[i + 1] == "new-group")
                options.newGroup = true, ++i;
        } else if (args[i] == "id" && i + 1 < args.size() && !options.panelID) {
            const int64 id = ParseInteger(args[++i]);
            if (id < std::numeric_limits<int32>::min() || id > std::numeric_limits<int32>::max())
                throw ScriptError("panel ID out of range: " + args[i]);
            options.panelID = static_cast<int32>(id);
        } else if (args[i] == "class" && i + 1 < args.size() && !classGiven) {
            options.classID = ParseClass(args[++i]);
            classGiven = true;
            if (!c.session.GetHost().Model().HasClass(options.classID))
                throw ScriptError("no class " + Hex(options.classID));
        } else {
            ThrowUsage(c);
        }
    }
    Apply([&] { TheWorld(c).AddPanel(args[0], options); });
    // Allowed, as a host may hold a panel it has not placed yet; but a person
    // who forgot "in" should know why the panel shows up nowhere.
    if (options.palette.empty())
        c.out << "note: panel " << Shown(args[0])
              << " is in no palette, so no list shows it until it is moved into one\n";
}

void MoveCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 3, 4);
    if (args[1] != "to" || (args.size() == 4 && args[3] != "new-group"))
        ThrowUsage(c);
    Apply([&] { TheWorld(c).MovePanel(args[0], args[2], args.size() == 4); });
}

void FrontCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    const auto panel = c.session.GetHost().Get<World>().FindPanel(args[0]);
    if (!panel) // the world's own complaint
        Apply([&] { c.session.GetHost().Get<World>().BringToFront(args[0]); });
    else
        Do(c, ui::UserAction::Front(panel->panelID));
}

void ShowCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    Apply([&] { TheWorld(c).ShowPanel(args[0]); });
}

void HideCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    Apply([&] { TheWorld(c).HidePanel(args[0]); });
}

void RecreateCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    Apply([&] { TheWorld(c).RecreatePalette(args[0]); });
}

void TickCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 1);
    const int64 n = args.empty() ? 1 : ParseInteger(args[0]);
    if (n < 0)
        throw ScriptError("tick: N must not be negative");
    Host& host = c.session.GetHost();
    // A timer that is no longer armed simply does not fire.
    for (int64 i = 0; i < n && host.FireNextTimer(); ++i)
        host.DrainCommands();
}

void TraceCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    if (args[0] == "on") {
        std::ostream* out = &c.out;
        c.trace = c.session.GetHost().traceLines.Subscribe(
            [out](const TraceLine& line) { *out << line.text << "\n"; });
    } else if (args[0] == "off") {
        c.trace.Reset();
    } else {
        ThrowUsage(c);
    }
}

void PrintWindowsCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    PrintWindows(c.out, TheWorld(c));
}

} // namespace host
