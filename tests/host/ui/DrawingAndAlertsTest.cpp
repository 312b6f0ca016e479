// Drawing into the host's recording port, the UI colours, and alerts whose
// "don't show again" answer outlives a restart.
#include "AGMGraphicsContext.h"
#include "CAlert.h"
#include "CControlView.h"
#include "HostTestSupport.h"
#include "ISession.h"
#include "InterfacePtr.h"
#include "ui/Alerts.h"
#include "ui/GraphicsPort.h"
#include "ui/Widgets.h"

#include <cstdio>
#include <filesystem>
#include <utility>
#include <vector>

using host::Boss;
using host::Host;
using namespace host::ui;

namespace {

// A view drawing as plug-in views do: through the port of its view port.
constexpr ImplementationID kSketchViewImpl = 0x8f81;
constexpr ClassID kSketchBoss = 0x8f81;
class SketchView : public CControlView {
public:
    using CControlView::CControlView;
    void Draw(IViewPort* viewPort, SysRgn rgn) override {
        AGMGraphicsContext context(viewPort, this, rgn);
        InterfacePtr<IGraphicsPort> port(context.GetViewPort(), IID_IGRAPHICSPORT);
        if (!port)
            return;
        port->gsave();
        port->setrgbcolor(0.106, 0.223, 0.302);
        port->rectfill(2, 2, 76, 3);
        port->rectstroke(1, 1, 153, 4);
        port->moveto(0, 6);
        port->lineto(156.5, 6);
        port->stroke();
        port->grestore();
    }
};

class DrawingTest : public testing_support::HostSessionTest {};

TEST_F(DrawingTest, Port_RecordsEveryOperation_AndGivesEverythingBack) {
    host::ObjectModel& model = TheHost().Model();
    model.RegisterImpl({kSketchViewImpl, &ImplementationFunctions<SketchView>::Create,
                        &ImplementationFunctions<SketchView>::Destroy,
                        &ImplementationFunctions<SketchView>::Size, nullptr, 0, "test sketch"});
    model.DefineClass(kSketchBoss, 0, {{IID_ICONTROLVIEW, kSketchViewImpl}}, "test sketch");
    Boss* sketch = model.CreateBoss(kSketchBoss);
    const auto before = testing_support::RefSnapshot::Take(TheHost());
    EXPECT_EQ(DrawNow(sketch),
              (std::vector<std::string>{"save", "color 0.106 0.223 0.302", "fill 2 2 76 3",
                                        "stroke-rect 1 1 153 4", "move 0 6", "line 156.5 6",
                                        "stroke", "restore"}));
    EXPECT_REFS_UNCHANGED(before);
    // Without its port the view draws nothing, and leaks nothing.
    TheHost().GetFaults().FailAt(1);
    EXPECT_TRUE(DrawNow(sketch).empty());
    EXPECT_REFS_UNCHANGED(before);
    sketch->Release();
    model.RemoveOrigin("test sketch");
}

TEST_F(DrawingTest, UIColours_LightAndDarkEdgesOnTheSession) {
    InterfacePtr<IUIColorUtils> colours(
        static_cast<IUIColorUtils*>(TheHost().SessionBoss()->QueryInterface(IID_IUICOLORUTILS)));
    ASSERT_TRUE(colours);
    RGBColor light, dark;
    ASSERT_TRUE(colours->GetRGBColor(10, &light));
    ASSERT_TRUE(colours->GetRGBColor(6, &dark));
    EXPECT_GT(light.red + light.green + light.blue, dark.red + dark.green + dark.blue);
    EXPECT_FALSE(colours->GetRGBColor(-1, &light));
}

class AlertTest : public ::testing::Test {
protected:
    void SetUp() override {
        file = testing_support::ScratchPath("alerts").string();
        std::filesystem::remove(file);
        session = std::make_unique<host::Session>(host::SessionOptions{OPAL_PLUGIN_PATH, file});
        std::string error;
        ASSERT_TRUE(session->Start(&error)) << error;
    }
    void TearDown() override {
        session->Stop(false);
        std::filesystem::remove(file);
    }
    static int16 Warn(int32 id) {
        return CAlert::WarningAlertWithDontShowAgain(
            PMString("0xc9200kOpalDontShowAgainKey", PMString::kTranslateDuringCall), id, 0, 2,
            kNullString, kNullString, kNullString, 1);
    }
    host::Host& TheHost() { return session->GetHost(); }
    std::string file;
    std::unique_ptr<host::Session> session;
};

TEST_F(AlertTest, DontShowAgain_RememberedPerAlertAcrossRestarts) {
    EXPECT_EQ(Warn(0xc9201), 1);
    EXPECT_EQ(Warn(0xc9201), 1);
    ASSERT_EQ(TheHost().Get<Alerts>().Log().size(), 2u);
    EXPECT_EQ(TheHost().Get<Alerts>().Log()[0].rfind("The transparency will be applied", 0), 0u);

    TheHost().Get<Alerts>().SetAnswer(AlertAnswer::kDontShowAgain);
    EXPECT_EQ(Warn(0xc9201), 1);
    TheHost().Get<Alerts>().SetAnswer(AlertAnswer::kOK);
    EXPECT_EQ(Warn(0xc9201), 0);
    EXPECT_EQ(TheHost().Get<Alerts>().Log().size(), 3u);

    std::string error;
    ASSERT_TRUE(session->Restart(&error)) << error;
    EXPECT_EQ(TheHost().Get<Alerts>().Suppressed(), std::set<int32>{0xc9201});
    EXPECT_EQ(Warn(0xc9201), 0);
    EXPECT_EQ(Warn(0xc9202), 1); // another alert is still shown
    EXPECT_EQ(TheHost().Get<Alerts>().Log().size(), 4u);
}

// The live application asks a person: the answer given there is the one
// kept, whatever the scripted answer says; the host's own alerts offer no
// "don't show again".
TEST_F(AlertTest, AskedPerson_AnswerKeptAndChoiceOfferedOnlyWhereItExists) {
    std::vector<std::pair<std::string, bool>> asked;
    struct Person final : host::ui::AlertAnswerer {
        std::vector<std::pair<std::string, bool>>& asked;
        explicit Person(std::vector<std::pair<std::string, bool>>& a) : asked(a) {}
        AlertAnswer Answer(const std::string& text, bool offered) override {
            asked.emplace_back(text, offered);
            return AlertAnswer::kDontShowAgain;
        }
    } person(asked);
    host::Subscription answering = TheHost().Get<Alerts>().answerer.Provide(person);
    EXPECT_EQ(Warn(0xc9201), 1);
    EXPECT_EQ(Warn(0xc9201), 0);
    TheHost().Get<Alerts>().ShowHostAlert("Enter a number between 15 and 100.");
    answering.Reset();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_TRUE(asked[0].second);
    EXPECT_EQ(asked[1], std::make_pair(std::string("Enter a number between 15 and 100."), false));
    EXPECT_EQ(TheHost().Get<Alerts>().Suppressed(), std::set<int32>{0xc9201});
    EXPECT_EQ(TheHost().Get<Alerts>().Log().size(), 2u);
}

TEST_F(AlertTest, LogKeepsOnlyTheLatestAlerts) {
    for (size_t i = 0; i < 3 * Alerts::kLogLength; ++i)
        TheHost().Get<Alerts>().ShowHostAlert("alert " + std::to_string(i));
    // By value: a static member of the host's library has no address here.
    ASSERT_EQ(TheHost().Get<Alerts>().Log().size(), size_t{Alerts::kLogLength});
    EXPECT_EQ(TheHost().Get<Alerts>().Log().front(),
              "alert " + std::to_string(2 * Alerts::kLogLength));
    EXPECT_EQ(TheHost().Get<Alerts>().Log().back(),
              "alert " + std::to_string(3 * Alerts::kLogLength - 1));
}

TEST_F(AlertTest, NoAnswerKept_NoRecordInTheWorkspace) {
    std::string error;
    ASSERT_TRUE(session->Save(&error)) << error;
    const auto size = std::filesystem::file_size(file);
    TheHost().Get<Alerts>().SetAnswer(AlertAnswer::kDontShowAgain);
    Warn(7);
    ASSERT_TRUE(session->Save(&error)) << error;
    // One more record: ID, length, a count and one alert ID.
    EXPECT_EQ(std::filesystem::file_size(file), size + 16);
}

} // namespace
