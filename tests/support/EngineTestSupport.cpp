#include "EngineTestSupport.h"

#include "CControlView.h"
#include "CPMUnknown.h"
#include "DataInterfaces.h"
#include "ICommand.h"
#include "ISession.h"
#include "ISubject.h"
#include "InterfacePtr.h"
#include "OSWindows.h"
#include "OpalID.h"
#include "frame/OpalSession.h"
#include "model/IOpalAlphaData.h"
#include "model/IOpalOptions.h"

#include <algorithm>

using host::Boss;
using host::Host;

namespace testing_support {

void CommandTrace::Start(host::Host& host) {
    fRecorder.reset();
    fKept.clear();
    fRecorder = std::make_unique<testing_support::HostRecorder>(host);
}

void CommandTrace::Stop() {
    if (fRecorder)
        fKept = fRecorder->Requests();
    fRecorder.reset();
}

const std::vector<std::string>& CommandTrace::Lines() const {
    return fRecorder ? fRecorder->Requests() : fKept;
}

size_t CommandTrace::Count(const std::string& line) const {
    return static_cast<size_t>(std::count(Lines().begin(), Lines().end(), line));
}

void EngineTest::TearDown() {
    trace.Stop();
    HostSessionTest::TearDown();
}

host::PaletteInfo EngineTest::Palette(const std::string& name) {
    auto palette = TheWorld().FindPalette(name);
    EXPECT_TRUE(palette) << name;
    return palette.value_or(host::PaletteInfo{});
}

host::PanelInfo EngineTest::Panel(const std::string& name) {
    auto panel = TheWorld().FindPanel(name);
    EXPECT_TRUE(panel) << name;
    return panel.value_or(host::PanelInfo{});
}

std::optional<int> EngineTest::WindowAlpha(const std::string& palette) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(Palette(palette).window, nullptr, &alpha, &flags))
        return std::nullopt;
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    return alpha;
}

bool EngineTest::IsLayered(const std::string& palette) {
    return (GetWindowLongW(Palette(palette).window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

void EngineTest::SetOpacityOn(bool on) {
    InterfacePtr<IOpalOptions> options(QueryWorkspace<IOpalOptions>(kOpalOptionsIID));
    ASSERT_TRUE(options);
    options->SetOnOffAlpha(on ? kTrue : kFalse);
}

int32 EngineTest::StoredEntries() {
    InterfacePtr<IOpalAlphaData> data(QueryWorkspace<IOpalAlphaData>(kOpalAlphaDataIID));
    return data ? data->CountEntries() : -1;
}

void EngineTest::ApplyPaletteAlpha(const std::string& palette) {
    const host::PaletteInfo info = Palette(palette);
    ApplyPaletteAlpha(UIDRef(info.boss ? info.boss->DataBase() : nullptr, info.uid));
}

void EngineTest::ApplyPaletteAlpha(const UIDRef& palette) {
    SchedulePaletteCommand(palette);
    Drain();
}

void SchedulePaletteCommand(const UIDRef& palette) {
    InterfacePtr<ICommand> command(CmdUtils::CreateCommand(kOpalSetPaletteAlphaCmdBoss));
    InterfacePtr<IUIDData> data(command, IID_IUIDDATA);
    if (!data)
        return;
    data->Set(palette);
    CmdUtils::ScheduleCommand(command.get(), kPaletteAlphaPriority);
}

// ---- Widget trees of the test's own making ------------------------------------------

namespace {

constexpr ClassID kTestPaletteBoss = 0x8ff0;
constexpr ClassID kTestContainerBoss = 0x8ff1;
constexpr ImplementationID kTestViewImpl = 0x8ff0;
constexpr ImplementationID kTestChildrenImpl = 0x8ff1;
constexpr ImplementationID kTestPaletteWindowImpl = 0x8ff2;

class TestView : public CControlView {
public:
    using CControlView::CControlView;
    WidgetID GetWidgetID() const override { return widgetID; }
    WidgetID widgetID = 0;
};

// Points at children the UI database owns.
class TestChildren : public CPMUnknown<IPanelControlData> {
public:
    using CPMUnknown<IPanelControlData>::CPMUnknown;
    int32 Length() const override { return static_cast<int32>(children.size()); }
    IControlView* QueryWidget(int32 index) const override {
        if (index < 0 || index >= Length())
            return nullptr;
        Boss* child = children[static_cast<size_t>(index)];
        return child ? static_cast<IControlView*>(child->QueryInternal(IID_ICONTROLVIEW)) : nullptr;
    }
    IControlView* QueryWidgetByID(WidgetID id, int32 depth) const override {
        for (Boss* child : children) {
            auto* view = child ? child->PeekAs<IControlView>(IID_ICONTROLVIEW) : nullptr;
            if (view && view->GetWidgetID() == id)
                return static_cast<IControlView*>(child->QueryInternal(IID_ICONTROLVIEW));
        }
        for (Boss* child : children) {
            auto* grandChildren =
                child ? child->PeekAs<IPanelControlData>(IID_IPANELCONTROLDATA) : nullptr;
            if (IControlView* found = depth > 1 && grandChildren
                                          ? grandChildren->QueryWidgetByID(id, depth - 1)
                                          : nullptr)
                return found;
        }
        return nullptr;
    }
    void AddWidget(IControlView*, int32, bool16) override {}
    void ReleaseAll(bool16) override {}
    std::vector<Boss*> children;
};

class TestPaletteWindow : public CPMUnknown<IPaletteWindow> {
public:
    using CPMUnknown<IPaletteWindow>::CPMUnknown;
    HWND GetWindowHandle() const override { return nullptr; }
};

template <class Impl> host::ImplRecord Record(ImplementationID id) {
    return {id,
            &ImplementationFunctions<Impl>::Create,
            &ImplementationFunctions<Impl>::Destroy,
            &ImplementationFunctions<Impl>::Size,
            nullptr,
            0,
            "engine-test"};
}

void DefineTestClasses(host::ObjectModel& model) {
    if (model.HasClass(kTestPaletteBoss))
        return;
    model.RegisterImpl(Record<TestView>(kTestViewImpl));
    model.RegisterImpl(Record<TestChildren>(kTestChildrenImpl));
    model.RegisterImpl(Record<TestPaletteWindow>(kTestPaletteWindowImpl));
    model.DefineClass(kTestPaletteBoss, 0,
                      {{IID_ICONTROLVIEW, kTestViewImpl},
                       {IID_IPANELCONTROLDATA, kTestChildrenImpl},
                       {IID_IPALETTEWINDOW, kTestPaletteWindowImpl}},
                      "engine-test");
    model.DefineClass(
        kTestContainerBoss, 0,
        {{IID_ICONTROLVIEW, kTestViewImpl}, {IID_IPANELCONTROLDATA, kTestChildrenImpl}},
        "engine-test");
}

} // namespace

TestTree::TestTree(host::Host& host) : fHost(host) {
    DefineTestClasses(host.Model());
}

TestTree::~TestTree() {
    for (UID uid : fUIDs)
        fHost.UIDataBase().Remove(uid);
}

Boss* TestTree::Add(ClassID cls) {
    Boss* boss = fHost.Model().CreateBoss(cls);
    if (!boss)
        return nullptr;
    fUIDs.push_back(fHost.UIDataBase().Add(boss));
    return boss;
}

Boss* TestTree::Palette() {
    return Add(kTestPaletteBoss);
}

Boss* TestTree::Container() {
    return Add(kTestContainerBoss);
}

Boss* TestTree::TabArea() {
    // The tab area keeps its class, subject and observer; only its children
    // are the test's. The add-in is withdrawn at once, so the world's own tab
    // areas stay as they are.
    host::ObjectModel& model = fHost.Model();
    model.AddIns(kTabAreaBoss, {{IID_IPANELCONTROLDATA, kTestChildrenImpl}}, "engine-test-tabs");
    Boss* tabArea = Add(kTabAreaBoss);
    model.RemoveOrigin("engine-test-tabs");
    return tabArea;
}

void TestTree::SetChildren(Boss* parent, const std::vector<Boss*>& children) {
    auto* own = parent->PeekAs<TestChildren>(IID_IPANELCONTROLDATA);
    ASSERT_TRUE(own);
    own->children = children;
}

void TestTree::SetWidgetID(Boss* widget, WidgetID id) {
    auto* view = widget->PeekAs<TestView>(IID_ICONTROLVIEW);
    ASSERT_TRUE(view);
    view->widgetID = id;
}

UIDRef TestTree::Ref(Boss* boss) const {
    return UIDRef(boss->DataBase(), boss->GetUID());
}

bool TestTree::Observed(const Boss* tabArea) {
    auto* subject = tabArea->PeekAs<ISubject>(IID_ISUBJECT);
    auto* observer = tabArea->PeekAs<IObserver>(kOpalTabAreaObserverIID);
    return subject && observer &&
           subject->IsAttached(observer, IID_ITABAREA_PROTOCOL, kOpalTabAreaObserverIID);
}

} // namespace testing_support
