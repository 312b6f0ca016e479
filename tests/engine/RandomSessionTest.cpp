// Long randomized sessions: the host creates, regroups, hides, shows and
// re-creates palettes while the user changes opacities; after every step and
// one tick, each shown floating palette must show exactly the opacity that
// its stored panels call for, computed here independently.
#include "EngineTestSupport.h"
#include "InterfacePtr.h"
#include "model/IOpalAlphaData.h"

#include <cmath>
#include <random>

using namespace engine_test;

namespace {

class RandomSessionTest : public EngineTest {
protected:
    // The alpha the palette's window must have, or nothing when no stored
    // panel lives in it (then its window is left alone).
    std::optional<int> ExpectedAlpha(const host::PaletteInfo& palette) {
        InterfacePtr<IOpalAlphaData> data(QueryWorkspace<IOpalAlphaData>(kOpalAlphaDataIID));
        std::vector<double> active;
        std::optional<double> last;
        for (int32 i = 0; i < data->CountEntries(); ++i) {
            const AlphaEntry entry = data->GetEntryAt(i);
            const auto panel = TheWorld().FindPanel(entry.panelID);
            if (!panel || panel->palette != palette.name)
                continue;
            last = entry.alpha;
            if (panel->front && palette.shown)
                active.push_back(entry.alpha);
        }
        if (!last)
            return std::nullopt;
        if (active.empty())
            active.push_back(*last);
        double a = 15.0;
        for (double v : active)
            if (v > a + 1e-8)
                a = v;
        return static_cast<int>(std::min(a, 100.0) * 2.55);
    }

    std::mt19937 random{20261208};
    int Pick(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }
    const std::string& Any(const std::vector<std::string>& names) {
        return names[random() % names.size()];
    }
    static host::PanelOptions In(const std::string& palette, bool newGroup) {
        host::PanelOptions options;
        options.palette = palette;
        options.newGroup = newGroup;
        return options;
    }
    std::vector<std::string> palettes, panels;

    void RandomStep() {
        const double opacities[] = {10, 15, 20, 33.3, 50, 60, 75, 99.9, 100, 150};
        switch (panels.empty() ? 0 : Pick(9)) {
        case 0: {
            const std::string name = "P" + std::to_string(palettes.size());
            TheWorld().AddPalette(name, Pick(3) ? kPaletteFloatingBoss : kPaletteDockedBoss);
            palettes.push_back(name);
            const std::string panel = "T" + std::to_string(panels.size());
            TheWorld().AddPanel(panel, In(name, false));
            panels.push_back(panel);
            break;
        }
        case 1: {
            const std::string panel = "T" + std::to_string(panels.size());
            TheWorld().AddPanel(panel, In(Any(palettes), Pick(2) == 0));
            panels.push_back(panel);
            break;
        }
        case 2:
            TheWorld().MovePanel(Any(panels), Any(palettes), Pick(2) == 0);
            break;
        case 3:
            TheWorld().BringToFront(Any(panels));
            break;
        case 4:
            TheWorld().HidePanel(Any(panels));
            break;
        case 5:
            TheWorld().ShowPanel(Any(panels));
            break;
        case 6:
            TheWorld().RecreatePalette(Any(palettes));
            break;
        default: {
            // As the panel controller does: store, then ask for the palette.
            const std::string& panel = Any(panels);
            StoreAlpha(panel, opacities[Pick(10)]);
            const std::string palette = Panel(panel).palette;
            if (!palette.empty())
                ApplyPaletteAlpha(palette);
            break;
        }
        }
        Drain();
    }
};

} // namespace

TEST_F(RandomSessionTest, ShownFloatingPalettes_AlwaysShowTheirStoredOpacityAfterATick) {
    int checked = 0;
    for (int step = 0; step < 400; ++step) {
        ASSERT_NO_THROW(RandomStep()) << "step " << step;
        TheHost().FireNextTimer();
        Drain();
        for (const host::PaletteInfo& palette : TheWorld().Palettes()) {
            if (palette.classID != kPaletteFloatingBoss || !palette.shown)
                continue;
            const std::optional<int> expected = ExpectedAlpha(palette);
            if (expected) {
                ++checked;
                ASSERT_EQ(WindowAlpha(palette.name), expected)
                    << "step " << step << ", palette " << palette.name;
            }
        }
    }
    // The walk must really have looked at windows.
    EXPECT_GT(checked, 400);
}
