// A session with a host world of the test's making and the Opal panel shown
// in it, read back as a user sees it: row names and texts, greyed rows, the
// selection, the field, and the commands the plug-in ran or queued.
#pragma once

#include "HostTestSupport.h"
#include "IWidgets.h"
#include "world/World.h"

#include <set>
#include <string>
#include <vector>

class IOpalPanelTool;
class IObserver;

namespace plugin_ui_test {

class PanelUiTest : public testing_support::HostSessionTest {
protected:
    void SetUp() override;
    void TearDown() override;

    host::World& TheWorld() { return host::World::Get(); }
    // A palette of `cls` holding one panel per name, each in a group of its own.
    void AddPaletteWith(const std::string& palette, ClassID cls,
                        const std::vector<std::string>& panels, bool shown = true);
    int32 PanelID(const std::string& name);

    // Shows the Opal panel (the controller attaches and lists the panels).
    void ShowOpal();
    void HideOpal();
    host::Boss* Opal() const { return fPanel; }
    host::Boss* Widget(WidgetID id) const;
    host::Boss* List() const;
    IOpalPanelTool* Tool() const;
    IObserver* Controller() const;

    std::vector<std::string> RowNames() const;
    std::vector<std::string> RowTexts() const;
    std::vector<bool> RowsGreyed() const;
    int32 RowOf(const std::string& name) const;
    // The panel shown in `row` according to the row table.
    int32 PanelOfRow(int32 row) const;
    void SelectByName(const std::vector<std::string>& names);
    std::set<int32> Selected() const;

    void StoreAlpha(const std::string& panel, double alpha);
    void StoreAlphaForID(int32 panelID, double alpha);
    double StoredAlpha(const std::string& panel);
    void SetOption(bool opacityOn, bool ignoreClosed);
    bool OpacityOn();

    // Commands run and queued, as `trace on` prints them, from now on.
    void StartTrace();
    size_t Traced(const std::string& line) const;
    std::vector<std::string> trace;

private:
    host::Boss* fPanel = nullptr;
    int32 fOpalID = 0;
};

inline const std::string kRunSetAlpha = "run \"Set alpha\"";
inline const std::string kQueuedPaletteAlpha = "scheduled \"Opal Set Palette Alpha\" priority 1";
inline const std::string kQueuedAlert = "scheduled \"Opal Alert Cmd\" priority 0";

} // namespace plugin_ui_test
