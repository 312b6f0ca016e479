#include "UiTestSupport.h"

#include "InterfacePtr.h"
#include "OpalID.h"
#include "RsrcSpec.h"
#include "script/ScriptRunner.h"
#include "script/Session.h"
#include "ui/PluginPanels.h"
#include "ui/Widgets.h"
#include "world/World.h"

#include <sstream>

namespace testing_support {

using host::Boss;
using host::Host;
using namespace host::ui;

void OpalPanelTest::SetUp() {
    HostSessionTest::SetUp();
    auto& panels = TheHost().Get<PluginPanels>();
    const auto id = panels.FindByNameKey(kOpalPanelTitleKey);
    ASSERT_TRUE(id);
    panels.Show(*id);
    fPanel = panels.PanelWidget(*id);
    ASSERT_NE(fPanel, nullptr);
    // The plug-in's controller listed the host's panels when the panel was
    // shown and greyed the field for want of a selection; these tests make
    // their own rows.
    List()->PeekAs<IListControlData>(IID_ILISTCONTROLDATA)->Clear(kFalse, kFalse);
    FindWidget(List(), kListScrollWidgetID)
        ->PeekAs<IPanelControlData>(IID_IPANELCONTROLDATA)
        ->ReleaseAll(kFalse);
    ViewOf(Widget(kOpalOpacitySliderWidgetID))->Enable(kTrue, kFalse);
}

Boss* OpalPanelTest::Widget(WidgetID id) const {
    return FindWidget(fPanel, id);
}

Boss* OpalPanelTest::List() const {
    return Widget(kOpalPanelListWidgetID);
}

Boss* OpalPanelTest::AppendRow(const std::string& name, const std::string& opacity) {
    Boss* list = List();
    InterfacePtr<IControlView> row(static_cast<IControlView*>(
        CreateObject(GetDataBase(ViewOf(list)),
                     RsrcSpec(WLocaleSetting::GetLocale(), kOpalPluginID, 501, kOpalListRowRsrcID),
                     IID_ICONTROLVIEW)));
    if (!row)
        return nullptr;
    Boss* boss = BossOf(TheHost(), row.get());
    FindWidget(boss, kOpalRowNameWidgetID)
        ->PeekAs<ITextControlData>(IID_ITEXTCONTROLDATA)
        ->SetString(PMString::FromUTF8(name));
    FindWidget(boss, kOpalRowOpacityTextWidgetID)
        ->PeekAs<ITextControlData>(IID_ITEXTCONTROLDATA)
        ->SetString(PMString::FromUTF8(opacity));
    FindWidget(list, kListScrollWidgetID)
        ->PeekAs<IPanelControlData>(IID_IPANELCONTROLDATA)
        ->AddWidget(row.get(), -1, kTrue);
    list->PeekAs<IListControlData>(IID_ILISTCONTROLDATA)->Add(row.get(), -2, kTrue, kFalse);
    return boss;
}

PMRect OpalPanelTest::FrameOf(WidgetID id, Boss* below) const {
    const Boss* widget = FindWidget(below ? below : fPanel, id);
    return widget && ViewOf(widget) ? ViewOf(widget)->GetFrame() : PMRect(-1, -1, -1, -1);
}

} // namespace testing_support
