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

namespace testing_support {

void PanelUiTest::ShowOpal() {
    auto& panels = TheHost().Get<PluginPanels>();
    const auto id = panels.FindByNameKey(kOpalPanelTitleKey);
    ASSERT_TRUE(id);
    fOpalID = *id;
    panels.Show(*id);
    fPanel = panels.PanelWidget(*id);
    ASSERT_NE(fPanel, nullptr);
    TheHost().DrainCommands();
}

void PanelUiTest::HideOpal() {
    TheHost().Get<PluginPanels>().Close(fOpalID);
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

double PanelUiTest::StoredOpacity(const std::string& panel) {
    InterfacePtr<IOpalAlphaData> data(QueryWorkspace<IOpalAlphaData>(kOpalAlphaDataIID));
    return data->GetAlphaForPanel(PanelID(panel));
}

void PanelUiTest::SetOption(bool opacityOn, bool ignoreClosed) {
    InterfacePtr<IOpalOptions> options(QueryWorkspace<IOpalOptions>(kOpalOptionsIID));
    ASSERT_TRUE(options);
    options->SetOnOffAlpha(opacityOn ? kTrue : kFalse);
    options->SetIgnoreClosedPanels(ignoreClosed ? kTrue : kFalse);
}

void PanelUiTest::StartTrace() {
    trace.clear();
    fTracing = TheHost().traceLines.Subscribe(
        [this](const host::TraceLine& line) { trace.push_back(line.text); });
}

size_t PanelUiTest::Traced(const std::string& line) const {
    return static_cast<size_t>(std::count(trace.begin(), trace.end(), line));
}

} // namespace testing_support
