// The pointer and the clock:
//   pointer X Y | pointer away | print pointer | wait MS
#include "core/Host.h"
#include "core/WindowSystem.h"
#include "paint/Layout.h"
#include "script/Commands.h"
#include "world/World.h"

#include <ostream>

namespace host {
namespace {

struct Under {
    std::string name;
    HWND window = nullptr;
};

// The topmost shown palette window with the point inside it.
Under PaletteAt(const Host& host, int32 x, int32 y) {
    const std::vector<paint::WindowArea> windows = paint::ShownWindows(host);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (x < it->left || y < it->top || x >= it->left + it->width || y >= it->top + it->height)
            continue;
        const std::optional<PaletteInfo> palette = host.Get<World>().FindPalette(it->name);
        return {it->name, palette ? palette->window : nullptr};
    }
    return {};
}

int32 Coordinate(const std::string& word) {
    return static_cast<int32>(ParseInteger(word, -100000, 100000));
}

constexpr int64 kLongestWait = 10 * 60 * 1000;
// Timers re-armed with no interval would keep the clock still for ever.
constexpr int64 kMostFiringsPerWait = 1000000;

} // namespace

void PointerCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 2);
    if (args.size() == 1) {
        if (args[0] != "away")
            ThrowUsage(c);
        c.pointer.reset();
        c.session.GetHost().Windows().DeliverPointer(nullptr, 0, 0);
        return;
    }
    const int32 x = Coordinate(args[0]), y = Coordinate(args[1]);
    c.pointer = std::make_pair(x, y);
    Host& host = c.session.GetHost();
    host.Windows().DeliverPointer(PaletteAt(host, x, y).window, x, y);
}

void PrintPointerCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    if (!c.pointer) {
        c.out << "pointer away\n";
        return;
    }
    const auto [x, y] = *c.pointer;
    const Under under = PaletteAt(c.session.GetHost(), x, y);
    c.out << "pointer " << x << " " << y << " over "
          << (under.name.empty() ? std::string("none") : "\"" + under.name + "\"") << "\n";
}

void PointerFollowsWindows(ScriptContext& c) {
    if (!c.pointer || !c.session.GetHost().InSession())
        return;
    const auto [x, y] = *c.pointer;
    Host& host = c.session.GetHost();
    HWND now = PaletteAt(host, x, y).window;
    if (now != host.Windows().WindowUnderPointer())
        host.Windows().DeliverPointer(now, x, y);
}

void WaitCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    // Up to ten minutes of the host's clock: enough for any fade or tick.
    const int64 ms = ParseInteger(args[0], 0, kLongestWait);
    Host& host = c.session.GetHost();
    const int64 end = host.Now() + ms;
    int64 fired = 0;
    for (int64 due = host.NextTimerDeadline(); due >= 0 && due <= end;
         due = host.NextTimerDeadline()) {
        if (++fired > kMostFiringsPerWait)
            throw ScriptError("wait: the timers keep falling due without the clock moving on");
        host.FireNextTimer();
        host.DrainCommands();
    }
    host.AdvanceClockTo(end);
}

} // namespace host
