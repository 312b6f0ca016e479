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

namespace testing_support {

class PanelUiTest : public testing_support::HostSessionTest {
protected:
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

    double StoredOpacity(const std::string& panel);
    void SetOption(bool opacityOn, bool ignoreClosed);

    // Commands run and queued, as `trace on` prints them, from now on.
    void StartTrace();
    size_t Traced(const std::string& line) const;
    std::vector<std::string> trace;

private:
    host::Boss* fPanel = nullptr;
    int32 fOpalID = 0;
    host::Subscription fTracing;
};

inline const std::string kRunSetAlpha = "run \"Set alpha\"";
inline const std::string kQueuedPaletteAlpha = "scheduled \"Opal Set Palette Alpha\" priority 1";
inline const std::string kQueuedAlert = "scheduled \"Opal Alert Cmd\" priority 0";

} // namespace testing_support
