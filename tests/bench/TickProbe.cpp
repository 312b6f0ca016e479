// Runs timer ticks against a host world of floating palettes and stored
// panels, and prints the process's resident memory at the tick counts asked
// for. The measuring scripts in tools/bench run it; it checks nothing itself.
//
//   tick_probe PALETTES PANELS TICKS...
//
// Panels go to the palettes in turn, each as a new tab, every one stored at
// 60 %. After each TICKS (counted from the start, ascending) it prints
// "ticks N rss_kb K".
#include "OpalID.h"
#include "core/Host.h"
#include "model/IOpalAlphaData.h"
#include "script/Session.h"
#include "world/World.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using host::Host;
using host::World;

namespace {

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: tick_probe PALETTES PANELS TICKS...\n");
        return 2;
    }
    const long palettes = std::strtol(argv[1], nullptr, 10);
    const long panels = std::strtol(argv[2], nullptr, 10);
    if (palettes < 1 || panels < 0) {
        std::fprintf(stderr, "tick_probe: at least one palette\n");
        return 2;
    }
    host::Session session(host::SessionOptions{OPAL_PLUGIN_PATH, ""});
    World& world = session.GetHost().Get<World>();
    std::string error;
    if (!session.Start(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    for (long p = 0; p < palettes; ++p)
        world.AddPalette("palette " + std::to_string(p));
    auto* data = session.GetHost().WorkspaceBoss()->PeekAs<IOpalAlphaData>(kOpalAlphaDataIID);
    for (long i = 0; i < panels; ++i) {
        host::PanelOptions options;
        options.palette = "palette " + std::to_string(i % palettes);
        options.newGroup = true;
        const int32 id = world.AddPanel("panel " + std::to_string(i), options);
        data->AddPanel(id);
        data->SetAlphaForPanel(id, 60.0);
    }
    session.GetHost().DrainCommands();

    long done = 0;
    for (int a = 3; a < argc; ++a) {
        const long until = std::strtol(argv[a], nullptr, 10);
        for (; done < until; ++done) {
            session.GetHost().FireNextTimer();
            session.GetHost().DrainCommands();
        }
        std::printf("ticks %ld rss_kb %ld\n", done, ResidentKilobytes());
        std::fflush(stdout);
    }
    session.Stop(false);
    return 0;
}
