// The widget trees the host builds from the plug-in's layouts: where the
// panel lives, the frames of the layout, frame bindings on resize, and the
// references all of it takes and gives back.
#include "CControlView.h"
#include "HostRecorder.h"
#include "IApplication.h"
#include "IPanelRegistry.h"
#include "ISession.h"
#include "ISubject.h"
#include "IUtils.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "RsrcSpec.h"
#include "UiTestSupport.h"
#include "ui/LayoutEngine.h"
#include "ui/LayoutReader.h"
#include "ui/ListBox.h"
#include "ui/PluginPanels.h"
#include "ui/SizeBox.h"
#include "ui/Widgets.h"
#include "world/World.h"

using host::Boss;
using host::Host;
using host::World;
using namespace host::ui;
using testing_support::OpalPanelTest;

namespace {

IPMUnknown* QueryOpalByWidgetID() {
    InterfacePtr<IUtils> utils(UtilsBoss::QueryUtils<IUtils>());
    return utils ? utils->QueryPanelByWidgetID(kOpalPanelWidgetID) : nullptr;
}

class PanelRegistrationTest : public testing_support::HostSessionTest {};

TEST_F(PanelRegistrationTest, KnownFromLoad_BuiltOnlyWhenFirstShown) {
    World& world = TheHost().Get<World>();
    const auto opal = world.FindPanel(kOpalPanelTitleKey);
    ASSERT_TRUE(opal);
    EXPECT_EQ(opal->panelID, 1);
    EXPECT_TRUE(opal->palette.empty());
    EXPECT_FALSE(world.FindPalette("Opal"));
    EXPECT_EQ(QueryOpalByWidgetID(), nullptr);
    EXPECT_EQ(world.AddPanel("Host panel"), 101);

    // The registry's object is a host panel (which the plug-in lists) ...
    auto* hostSession = TheHost().SessionBoss()->PeekAs<ISession>(IID_ISESSION);
    InterfacePtr<IApplication> app(hostSession->QueryApplication());
    InterfacePtr<IPanelRegistry> registry(app->QueryPanelRegistry());
    InterfacePtr<IPMUnknown> object(registry->QueryPanelByID(1));
    EXPECT_EQ(GetClass(object.get()), kPanelBoss);
    PMString name = registry->GetPanelName(1);
    name.Translate();
    EXPECT_EQ(name.GetUTF8String(), "Opal");

    // ... holding the panel widget once shown, in a floating palette of its own.
    TheHost().Get<PluginPanels>().Show(1);
    const auto palette = world.FindPalette("Opal");
    ASSERT_TRUE(palette);
    EXPECT_EQ(palette->classID, kPaletteFloatingBoss);
    EXPECT_TRUE(palette->shown);
    EXPECT_EQ(world.Palettes().back().name, "Opal");
    InterfacePtr<IPMUnknown> widget(QueryOpalByWidgetID());
    ASSERT_TRUE(widget);
    EXPECT_EQ(GetClass(widget.get()), kOpalPanelWidgetBoss);
    EXPECT_EQ(BossOf(TheHost(), widget.get()), TheHost().Get<PluginPanels>().PanelWidget(1));
    EXPECT_EQ(ChildrenOf(world.PanelBoss(1)), std::vector<Boss*>{BossOf(TheHost(), widget.get())});
}

TEST_F(PanelRegistrationTest, ClosingKeepsTheWidgets_ANewSessionBuildsAnew) {
    auto& panels = TheHost().Get<PluginPanels>();
    panels.Show(1);
    Boss* first = panels.PanelWidget(1);
    panels.Close(1);
    EXPECT_FALSE(panels.IsShown(1));
    EXPECT_FALSE(TheHost().Get<World>().FindPalette("Opal")->shown);
    panels.Show(1);
    EXPECT_EQ(panels.PanelWidget(1), first);
    EXPECT_EQ(TheHost().Get<World>().Palettes().size(), 1u);

    std::string error;
    ASSERT_TRUE(session->Restart(&error)) << error;
    EXPECT_EQ(panels.PanelWidget(1), nullptr);
    EXPECT_FALSE(panels.IsShown(1));
    EXPECT_FALSE(TheHost().Get<World>().FindPalette("Opal")->shown);
    panels.Show(1);
    EXPECT_NE(panels.PanelWidget(1), nullptr);
    EXPECT_EQ(TheHost().Get<World>().Palettes().size(), 1u);
}

TEST_F(PanelRegistrationTest, Observer_AttachedWhileThePaletteIsShownHoweverItIsShown) {
    testing_support::HostRecorder recorder(TheHost());
    auto& panels = TheHost().Get<PluginPanels>();
    panels.Show(1);
    panels.Show(1);
    TheHost().Get<World>().HidePanel(1); // as a double-click on its own row does
    TheHost().Get<World>().ShowPanel(1, true);
    panels.Close(1);
    panels.Close(1);
    std::vector<std::string> observer;
    for (const std::string& line : recorder.Requests())
        if (line.find(" 0xc9232 ") != std::string::npos)
            observer.push_back(line);
    const std::vector<std::string> attach = {
        "attach 0xc9232 on 0x604 to class 0xc9297", "attach 0xc9232 on 0x101 to class 0x6a9",
        "attach 0xc9232 on 0x62b to class 0x6a0", "attach 0xc9232 on 0x62b to class 0x6a0"};
    std::vector<std::string> detach;
    for (const std::string& line : attach)
        detach.push_back("detach" + line.substr(6));
    std::vector<std::string> expected;
    for (int shown = 0; shown < 2; ++shown) {
        expected.insert(expected.end(), attach.begin(), attach.end());
        expected.insert(expected.end(), detach.begin(), detach.end());
    }
    EXPECT_TRUE(testing_support::SameRequests(observer, expected));
}

TEST_F(OpalPanelTest, Invalidate_CountsRedrawRequestsPerWidget) {
    Boss* onOff = Widget(kOpalOnOffButtonWidgetID);
    const int before = InvalidationsOf(onOff);
    const long all = TheHost().Get<PluginPanels>().Invalidations();
    ViewOf(onOff)->SetRsrcID(kOpalOffIconRsrcID);
    ViewOf(onOff)->Invalidate();
    ViewOf(onOff)->Disable(kFalse); // no redraw asked
    EXPECT_EQ(InvalidationsOf(onOff), before + 1);
    EXPECT_EQ(TheHost().Get<PluginPanels>().Invalidations(), all + 1);
}

// Every widget as its layout describes it, children in order.
void ExpectBuiltAsLayout(const host::WidgetSpec& spec, const Boss* widget) {
    SCOPED_TRACE(testing::Message()
                 << "widget 0x" << std::hex << spec.widgetID << " class 0x" << spec.widgetClass);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->Class(), spec.widgetClass);
    const IControlView* view = ViewOf(widget);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetWidgetID(), spec.widgetID);
    EXPECT_EQ(view->GetFrame(),
              PMRect(spec.frame.left, spec.frame.top, spec.frame.right, spec.frame.bottom));
    EXPECT_EQ(view->GetFrameBinding(), spec.binding);
    const std::vector<Boss*> children = ChildrenOf(widget);
    ASSERT_EQ(children.size(), spec.children.size());
    for (size_t i = 0; i < children.size(); ++i)
        ExpectBuiltAsLayout(spec.children[i], children[i]);
}

TEST_F(OpalPanelTest, Tree_HasTheLayoutsWidgetsFramesAndContent) {
    const auto layout =
        ReadLayout(TheHost(), kOpalPluginID, kOpalPanelRsrcID, true, TheHost().Language());
    ASSERT_TRUE(layout);
    ExpectBuiltAsLayout(*layout, Panel());
    EXPECT_EQ(TextOf(Widget(kOpalOpacitySliderWidgetID)), "100%");
    EXPECT_EQ(TextOf(ChildrenOf(ChildrenOf(Panel())[1])[0]), "Opacity:");
    EXPECT_EQ(ViewOf(Widget(kOpalOnOffButtonWidgetID))->GetRsrcID(), kOpalOnIconRsrcID);
    EXPECT_EQ(ViewOf(Widget(kOpalOnOffButtonWidgetID))->GetRsrcPluginID(), kOpalPluginID);

    Boss* row = AppendRow("Layers", "35%");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->Class(), kOpalListRowBoss);
    EXPECT_EQ(FrameOf(kOpalRowAlphaBarWidgetID, row), PMRect(7, 14, 163, 21));
    // Rows stack at the list's row height.
    Boss* second = AppendRow("Pages", "100%");
    EXPECT_EQ(ViewOf(second)->GetFrame(), PMRect(0, 24, 201, 48));
    EXPECT_EQ(ListRows(List()), (std::vector<Boss*>{row, second}));

    // A widget of the panel is in the panel's palette.
    InterfacePtr<IUtils> utils(UtilsBoss::QueryUtils<IUtils>());
    InterfacePtr<IPMUnknown> palette(
        utils->QueryPaletteOfWidget(ViewOf(FindWidget(row, kOpalRowNameWidgetID))));
    EXPECT_EQ(BossOf(TheHost(), palette.get()), TheHost().Get<World>().FindPalette("Opal")->boss);
}

// A search by widget ID passes over subtrees without the ID; it must still
// find the first widget in search order as rows come and go, and search
// everything under a widget that was placed twice.
TEST_F(OpalPanelTest, FindWidget_FirstInOrderAsWidgetsComeAndGo) {
    EXPECT_EQ(FindWidget(Panel(), kOpalRowNameWidgetID), nullptr);
    Boss* first = AppendRow("Layers", "35%");
    Boss* second = AppendRow("Pages", "100%");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    Boss* firstName = FindWidget(first, kOpalRowNameWidgetID);
    Boss* secondName = FindWidget(second, kOpalRowNameWidgetID);
    ASSERT_NE(firstName, nullptr);
    ASSERT_NE(secondName, nullptr);
    EXPECT_EQ(FindWidget(Panel(), kOpalRowNameWidgetID), firstName);

    Boss* area = FindWidget(List(), kListScrollWidgetID);
    ASSERT_NE(area, nullptr);
    auto* rows = area->PeekAs<IPanelControlData>(IID_IPANELCONTROLDATA);
    auto* firstChildren = first->PeekAs<IPanelControlData>(IID_IPANELCONTROLDATA);
    auto* secondChildren = second->PeekAs<IPanelControlData>(IID_IPANELCONTROLDATA);
    ASSERT_TRUE(rows && firstChildren && secondChildren);
    for (Boss* kept : {first, second, secondName})
        kept->AddRef();
    rows->ReleaseAll(kFalse);
    EXPECT_EQ(FindWidget(Panel(), kOpalRowNameWidgetID), nullptr);
    rows->AddWidget(ViewOf(second), -1, kFalse);
    EXPECT_EQ(FindWidget(Panel(), kOpalRowNameWidgetID), secondName);
    secondChildren->ReleaseAll(kFalse);
    EXPECT_EQ(FindWidget(Panel(), kOpalRowNameWidgetID), nullptr);

    // The second row placed again, in the first: what is added below it from
    // then on does not reach the list's counts, yet is found.
    firstChildren->AddWidget(ViewOf(second), -1, kFalse);
    secondChildren->AddWidget(ViewOf(secondName), -1, kFalse);
    EXPECT_EQ(FindWidget(Panel(), kOpalRowNameWidgetID), secondName);

    firstChildren->ReleaseAll(kFalse);
    for (Boss* kept : {secondName, second, first})
        kept->Release();
}

TEST_F(OpalPanelTest, Resize_RelaysChildrenAndRowsByTheirBindings) {
    Boss* row = AppendRow("Layers", "35%");
    const auto before = [&](WidgetID id, Boss* below = nullptr) { return FrameOf(id, below); };
    const PMRect list = before(kOpalPanelListWidgetID), field = before(kOpalOpacitySliderWidgetID),
                 onOff = before(kOpalOnOffButtonWidgetID),
                 swap = before(kOpalSwapContentButtonWidgetID), sizeBox = before(kSizeBoxWidgetID),
                 name = before(kOpalRowNameWidgetID, row),
                 text = before(kOpalRowOpacityTextWidgetID, row),
                 bar = before(kOpalRowAlphaBarWidgetID, row);
    Boss* strip = ChildrenOf(Panel())[1];
    Boss* label = ChildrenOf(strip)[0];
    const PMRect stripBefore = ViewOf(strip)->GetFrame(), labelBefore = ViewOf(label)->GetFrame();

    EXPECT_EQ(DragPanelTo(Panel(), 307, 239), PMPoint(307, 239));

    auto wider = [](PMRect r, PMReal by) {
        return PMRect(r.Left(), r.Top(), r.Right() + by, r.Bottom());
    };
    auto moved = [](PMRect r, PMReal by) {
        return PMRect(r.Left() + by, r.Top(), r.Right() + by, r.Bottom());
    };
    EXPECT_EQ(FrameOf(kOpalPanelListWidgetID), wider(list, 100));
    EXPECT_EQ(ViewOf(strip)->GetFrame(), wider(stripBefore, 100));
    EXPECT_EQ(FrameOf(kOpalRowNameWidgetID, row), wider(name, 100));
    EXPECT_EQ(FrameOf(kOpalRowAlphaBarWidgetID, row), wider(bar, 100));
    EXPECT_EQ(FrameOf(kOpalOnOffButtonWidgetID), moved(onOff, 100));
    EXPECT_EQ(FrameOf(kOpalSwapContentButtonWidgetID), moved(swap, 100));
    EXPECT_EQ(FrameOf(kSizeBoxWidgetID), moved(sizeBox, 100));
    EXPECT_EQ(FrameOf(kOpalRowOpacityTextWidgetID, row), moved(text, 100));
    EXPECT_EQ(ViewOf(label)->GetFrame(), labelBefore);
    EXPECT_EQ(FrameOf(kOpalOpacitySliderWidgetID), field);

    // A row made now is laid out for the list as it is; taller moves the strip down.
    EXPECT_EQ(FrameOf(kOpalRowAlphaBarWidgetID, AppendRow("Pages", "50%")).Width(), 256);
    // The panel's own view keeps it at least 174 wide.
    EXPECT_EQ(DragPanelTo(Panel(), 157, 259), PMPoint(174, 259));
    EXPECT_EQ(FrameOf(kOpalRowAlphaBarWidgetID, row).Width(), 123);
    EXPECT_EQ(ViewOf(strip)->GetFrame().Top(), stripBefore.Top() + 20);
    EXPECT_EQ(FrameOf(kOpalPanelListWidgetID).Bottom(), list.Bottom() + 20);
}

// A panel view that limits its size, as a plug-in's panel view does.
constexpr ImplementationID kLimitedViewImpl = 0x8f80;
constexpr ClassID kLimitedPanelBoss = 0x8f80;
class LimitedView : public WErasablePanelView {
public:
    using WErasablePanelView::WErasablePanelView;
    PMPoint ConstrainDimensions(const PMPoint& d) const override {
        return PMPoint(std::max(d.X(), 174.0), std::min(d.Y(), 300.0));
    }
};

TEST_F(OpalPanelTest, Resize_TakesTheSizeThePanelViewAllows) {
    host::ObjectModel& model = TheHost().Model();
    model.RegisterImpl({kLimitedViewImpl, &ImplementationFunctions<LimitedView>::Create,
                        &ImplementationFunctions<LimitedView>::Destroy,
                        &ImplementationFunctions<LimitedView>::Size, nullptr, 0, "test view"});
    model.DefineClass(kLimitedPanelBoss, kErasablePanelWidgetBoss,
                      {{IID_ICONTROLVIEW, kLimitedViewImpl}}, "test view");
    auto layout =
        *ReadLayout(TheHost(), kOpalPluginID, kOpalPanelRsrcID, true, TheHost().Language());
    layout.widgetClass = kLimitedPanelBoss;
    Boss* panel = BuildWidget(TheHost(), layout, &TheHost().UIDataBase());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(DragPanelTo(panel, 100, 500), PMPoint(174, 300));
    EXPECT_EQ(FrameOf(kOpalPanelListWidgetID, panel), PMRect(-1, 0, 175, 286));
    panel->Release();
    model.RemoveOrigin("test view");
}

TEST_F(OpalPanelTest, References_BuildingAndTearingDownGivesAllBack) {
    const auto before = testing_support::RefSnapshot::Take(TheHost());
    AppendRow("Layers", "35%");
    AppendRow("Pages", "50%");
    SelectByUser(List(), {0, 1});
    List()->PeekAs<IListControlData>(IID_ILISTCONTROLDATA)->Clear(kFalse, kFalse);
    FindWidget(List(), kListScrollWidgetID)
        ->PeekAs<IPanelControlData>(IID_IPANELCONTROLDATA)
        ->ReleaseAll(kTrue);
    const auto layout =
        ReadLayout(TheHost(), kOpalPluginID, kOpalPanelRsrcID, true, TheHost().Language());
    BuildWidget(TheHost(), *layout, &TheHost().UIDataBase())->Release();
    EXPECT_REFS_UNCHANGED(before);
}

TEST_F(OpalPanelTest, Faults_ARowThatCannotBeMadeLeavesNothingBehind) {
    const auto before = testing_support::RefSnapshot::Take(TheHost());
    const RsrcSpec spec(WLocaleSetting::GetLocale(), kOpalPluginID, 501, kOpalListRowRsrcID);
    auto& faults = TheHost().GetFaults();
    faults.FailAt(1);
    EXPECT_EQ(CreateObject(GetDataBase(ViewOf(List())), spec, IID_ICONTROLVIEW), nullptr);
    EXPECT_TRUE(faults.Fired());
    faults.Reset();
    // Nothing made for a resource that is no layout, or an interface the row lacks.
    EXPECT_EQ(CreateObject(nullptr, RsrcSpec(0, kOpalPluginID, 501, 9999), IID_ICONTROLVIEW),
              nullptr);
    EXPECT_EQ(CreateObject(nullptr, spec, IID_ILISTSELECTION), nullptr);
    EXPECT_REFS_UNCHANGED(before);
}

} // namespace
