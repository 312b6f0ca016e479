#include "PanelUiTestSupport.h"

#include "ISubject.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/IOpalPanelTool.h"
#include "model/IOpalAlphaData.h"
#include "model/IOpalOptions.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"

#include <algorithm>

using host::Boss;
using namespace host::ui;

namespace plugin_ui_test {

void PanelUiTest::SetUp() {
    host::World::Get().Clear();
    HostSessionTest::SetUp();
}

void PanelUiTest::TearDown() {
    TheHost().trace = nullptr;
    HostSessionTest::TearDown();
    host::World::Get().Clear();
}

void PanelUiTest::AddPaletteWith(const std::string& palette, ClassID cls,
                                 const std::vector<std::string>& panels, bool shown) {
    TheWorld().AddPalette(palette, cls, shown);
    for (const std::string& panel : panels) {
        host::PanelOptions options;
        options.palette = palette;
        options.newGroup = true;
        TheWorld().AddPanel(panel, options);
    }
    if (!shown)
        TheWorld().HidePalette(palette);
}

int32 PanelUiTest::PanelID(const std::string& name) {
    auto panel = TheWorld().FindPanel(name);
    EXPECT_TRUE(panel) << name;
    return panel ? panel->panelID : 0;
}

void PanelUiTest::ShowOpal() {
    auto& panels = PluginPanels::Get();
    const auto id = panels.FindByNameKey(kOpalPanelTitleKey);
    ASSERT_TRUE(id);
    fOpalID = *id;
    panels.Show(*id);
    fPanel = panels.PanelWidget(*id);
    ASSERT_NE(fPanel, nullptr);
    TheHost().DrainCommands();
}

void PanelUiTest::HideOpal() {
    PluginPanels::Get().Close(fOpalID);
}

Boss* PanelUiTest::Widget(WidgetID id) const {
    return FindWidget(fPanel, id);
}

Boss* PanelUiTest::List() const {
    return Widget(kOpalPanelListWidgetID);
}

IOpalPanelTool* PanelUiTest::Tool() const {
    return fPanel->PeekAs<IOpalPanelTool>(kOpalPanelToolIID);
}

IObserver* PanelUiTest::Controller() const {
    return fPanel->PeekAs<IObserver>(kOpalPanelWidgetObserverIID);
}

std::vector<std::string> PanelUiTest::RowNames() const {
    std::vector<std::string> names;
    for (const Boss* row : ListRows(List()))
        names.push_back(TextOf(FindWidget(row, kOpalRowNameWidgetID)));
    return names;
}

std::vector<std::string> PanelUiTest::RowTexts() const {
    std::vector<std::string> texts;
    for (const Boss* row : ListRows(List()))
        texts.push_back(TextOf(FindWidget(row, kOpalRowOpacityTextWidgetID)));
    return texts;
}

std::vector<bool> PanelUiTest::RowsGreyed() const {
    std::vector<bool> greyed;
    for (const Boss* row : ListRows(List()))
        greyed.push_back(!ViewOf(FindWidget(row, kOpalRowNameWidgetID))->IsEnabled());
    return greyed;
}

int32 PanelUiTest::RowOf(const std::string& name) const {
    const auto names = RowNames();
    const auto it = std::find(names.begin(), names.end(), name);
    EXPECT_NE(it, names.end()) << name;
    return it == names.end() ? -1 : static_cast<int32>(it - names.begin());
}

int32 PanelUiTest::PanelOfRow(int32 row) const {
    InterfacePtr<IOpalAlphaData> data(
        const_cast<PanelUiTest*>(this)->QueryWorkspace<IOpalAlphaData>(kOpalAlphaDataIID));
    return data->GetEntryAt(Tool()->GetEntryIndexForRow(row)).panelID;
}

void PanelUiTest::SelectByName(const std::vector<std::string>& names) {
    std::set<int32> rows;
    for (const std::string& name : names)
        rows.insert(RowOf(name));
    SelectByUser(List(), rows);
}

std::set<int32> PanelUiTest::Selected() const {
    return ListSelected(List());
}

void PanelUiTest::StoreAlpha(const std::string& panel, double alpha) {
    StoreAlphaForID(PanelID(panel), alpha);
}

void PanelUiTest::StoreAlphaForID(int32 panelID, double alpha) {
    InterfacePtr<IOpalAlphaData> data(QueryWorkspace<IOpalAlphaData>(kOpalAlphaDataIID));
    ASSERT_TRUE(data);
    data->AddPanel(panelID);
    data->SetAlphaForPanel(panelID, alpha);
}

double PanelUiTest::StoredAlpha(const std::string& panel) {
    InterfacePtr<IOpalAlphaData> data(QueryWorkspace<IOpalAlphaData>(kOpalAlphaDataIID));
    return data->GetAlphaForPanel(PanelID(panel));
}

void PanelUiTest::SetOption(bool opacityOn, bool ignoreClosed) {
    InterfacePtr<IOpalOptions> options(QueryWorkspace<IOpalOptions>(kOpalOptionsIID));
    ASSERT_TRUE(options);
    options->SetOnOffAlpha(opacityOn ? kTrue : kFalse);
    options->SetIgnoreClosedPanels(ignoreClosed ? kTrue : kFalse);
}

bool PanelUiTest::OpacityOn() {
    InterfacePtr<IOpalOptions> options(QueryWorkspace<IOpalOptions>(kOpalOptionsIID));
    return options && options->GetOnOffAlpha();
}

void PanelUiTest::StartTrace() {
    trace.clear();
    TheHost().trace = [this](const std::string& line) { trace.push_back(line); };
}

size_t PanelUiTest::Traced(const std::string& line) const {
    return static_cast<size_t>(std::count(trace.begin(), trace.end(), line));
}

} // namespace plugin_ui_test
