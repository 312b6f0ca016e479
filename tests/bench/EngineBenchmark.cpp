// The engine's periodic and bulk work against a host world of N stored
// panels, four tabs to a floating palette.
#include "DataInterfaces.h"
#include "ICommand.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "core/Host.h"
#include "model/IOpalAlphaData.h"
#include "script/Session.h"
#include "ui/PluginPanels.h"
#include "world/World.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

using host::Host;
using host::World;

namespace {

constexpr int kTabsPerPalette = 4;

// Queues the palette command at its priority, as the engine's observers do.
void SchedulePaletteAlpha(const IPMUnknown* palette) {
    InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalSetPaletteAlphaCmdBoss));
    InterfacePtr<IUIDData> data(command, IID_IUIDDATA);
    data->Set(GetUIDRef(palette));
    CmdUtils::ScheduleCommand(command.get(), 1);
}

// Switching opacity as the Opal panel's button does: the option command,
// then the palette command for every stored panel's palette.
void SwitchOpacity(Host& host, bool16 on) {
    InterfacePtr<ICommand> option(CmdUtils::CreateCommand(kOpalSetOnOffAlphaCmdBoss));
    InterfacePtr<IBoolData>(option, IID_IBOOLDATA)->Set(on);
    CmdUtils::ExecuteCommand(option.get());
    auto* data = host.WorkspaceBoss()->PeekAs<IOpalAlphaData>(kOpalAlphaDataIID);
    for (int32 i = 0; i < data->CountEntries(); ++i) {
        const std::optional<host::PanelInfo> panel =
            host.Get<World>().FindPanel(data->GetEntryAt(i).panelID);
        if (panel && !panel->palette.empty())
            SchedulePaletteAlpha(host.Get<World>().FindPalette(panel->palette)->boss);
    }
}

// A running session whose world holds `panels` stored panels at 60 %, with
// every palette's observers attached and its opacity applied.
class BenchWorld {
public:
    // `stored`: whether the panels are stored with the plug-in already.
    explicit BenchWorld(int panels, bool stored = true) {
        fSession = std::make_unique<host::Session>(host::SessionOptions{OPAL_PLUGIN_PATH, ""});
        World& world = fSession->GetHost().Get<World>();
        std::string error;
        if (!fSession->Start(&error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::exit(1);
        }
        for (int i = 0; i < panels; ++i) {
            const std::string palette = "palette " + std::to_string(i / kTabsPerPalette);
            if (i % kTabsPerPalette == 0)
                world.AddPalette(palette);
            host::PanelOptions options;
            options.palette = palette;
            const int32 id = world.AddPanel("panel " + std::to_string(i), options);
            if (!stored)
                continue;
            auto* data = TheHost().WorkspaceBoss()->PeekAs<IOpalAlphaData>(kOpalAlphaDataIID);
            data->AddPanel(id);
            data->SetAlphaForPanel(id, 60.0);
        }
        TheHost().DrainCommands();
    }
    ~BenchWorld() { fSession->Stop(false); }
    BenchWorld(const BenchWorld&) = delete;
    BenchWorld& operator=(const BenchWorld&) = delete;
    host::Host& TheHost() { return fSession->GetHost(); }

private:
    std::unique_ptr<host::Session> fSession;
};

void Panels(benchmark::internal::Benchmark* b) {
    b->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
}

// One tick: an attach command per palette (each finding its observer
// attached) and the list refresh, run as the host runs them when idle.
void BM_TimerTick(benchmark::State& state) {
    BenchWorld world(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        world.TheHost().FireNextTimer();
        world.TheHost().DrainCommands();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TimerTick)->Apply(Panels)->Complexity();

// One palette's opacity decided over every stored entry.
void BM_SetPaletteAlphaCmd(benchmark::State& state) {
    BenchWorld world(static_cast<int>(state.range(0)));
    host::Boss* palette = world.TheHost().Get<World>().FindPalette("palette 0")->boss;
    for (auto _ : state) {
        SchedulePaletteAlpha(palette);
        world.TheHost().DrainCommands();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SetPaletteAlphaCmd)->Apply(Panels)->Complexity();

// Switching opacity: one palette command per stored panel, each of which
// walks every stored entry.
void BM_SwitchOpacity(benchmark::State& state) {
    BenchWorld world(static_cast<int>(state.range(0)));
    bool16 on = kFalse;
    for (auto _ : state) {
        SwitchOpacity(world.TheHost(), on);
        world.TheHost().DrainCommands();
        on = on ? kFalse : kTrue;
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SwitchOpacity)->Apply(Panels)->Complexity();

// Opening the Opal panel for the first time in a session with N host panels
// that the plug-in has not stored yet: it stores every one, lists them by
// name and the host settles what that scheduled.
void BM_OpenPanel(benchmark::State& state) {
    const int panels = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto world = std::make_unique<BenchWorld>(panels, false);
        host::ui::PluginPanels& plugin = world->TheHost().Get<host::ui::PluginPanels>();
        const std::optional<int32> opal = plugin.FindByNameKey(kOpalPanelTitleKey);
        if (!opal) {
            state.SkipWithError("the plug-in has no Opal panel");
            break;
        }
        state.ResumeTiming();
        plugin.Show(*opal);
        world->TheHost().DrainCommands();
        state.PauseTiming();
        world.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OpenPanel)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

} // namespace

BENCHMARK_MAIN();
