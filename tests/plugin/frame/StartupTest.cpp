// The start-up/shut-down service and the session pointer it starts from.
#include "FaultSweep.h"
#include "HostRecorder.h"
#include "HostTestSupport.h"
#include "IServiceProvider.h"
#include "ISession.h"
#include "ISubject.h"
#include "ITimer.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "model/IOpalAlphaData.h"
#include "script/Session.h"
#include "world/World.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

#include <unistd.h>

using host::Host;
using testing_support::RefSnapshot;

namespace {

// A session whose plug-in is loaded but whose application is not started yet.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        fHost.BeginSession();
        std::string error;
        ASSERT_TRUE(fHost.LoadPlugin(OPAL_PLUGIN_PATH, &error)) << error;
    }
    void TearDown() override {
        fHost.GetFaults().Reset();
        fHost.EndSession();
    }
    bool WindowListObserverAttached() {
        auto* observer = fHost.ApplicationBoss()->PeekAs<IObserver>(kOpalWindowListObserverIID);
        auto* subject = fHost.ApplicationBoss()->PeekAs<ISubject>(IID_ISUBJECT);
        return observer &&
               subject->IsAttached(observer, IID_IWINDOWLIST_PROTOCOL, kOpalWindowListObserverIID);
    }
    Host fHost;
};

} // namespace

TEST_F(StartupTest, WithoutWindowListObserver_AttachesNothingAndStartsNoTimer) {
    // Start-up asks for the application (1st acquisition), then for the
    // observer on it (2nd): without the observer it must stop there.
    fHost.GetFaults().FailAt(2);
    fHost.StartApplication();
    EXPECT_TRUE(fHost.GetFaults().Fired());
    EXPECT_FALSE(WindowListObserverAttached());
    EXPECT_EQ(fHost.TimerObjects(), 0u);
    EXPECT_EQ(fHost.ArmedTimers(), 0u);
    for (const host::LiveObject& live : fHost.Model().LiveObjects())
        EXPECT_EQ(live.refCount, 1) << "class 0x" << std::hex << live.classID;
}

TEST_F(StartupTest, EveryFailingAcquisition_LeavesNoReferenceBehind) {
    testing_support::FaultSweep sweep{"start-up"};
    sweep.prepare = [this] {
        fHost.EndSession();
        fHost.BeginSession();
        std::string error;
        ASSERT_TRUE(fHost.LoadPlugin(OPAL_PLUGIN_PATH, &error)) << error;
    };
    // Start-up builds the application: no count before it compares; what
    // it built must hold one reference each, by its owner.
    sweep.accounting = testing_support::FaultSweep::Accounting::kNone;
    sweep.check = [this](bool, int64 k) {
        for (const host::LiveObject& live : fHost.Model().LiveObjects())
            EXPECT_EQ(live.refCount, 1)
                << "failing acquisition " << k << ", class 0x" << std::hex << live.classID;
    };
    testing_support::SweepFaults(fHost, sweep, [this] { fHost.StartApplication(); });
}

TEST_F(StartupTest, Shutdown_WithoutStartup_ChangesNothing) {
    InterfacePtr<IStartupShutdownService> service(static_cast<IStartupShutdownService*>(
        CreateObject(kOpalStartupShutdownBoss, IID_ISTARTUPSHUTDOWN)));
    ASSERT_TRUE(service);
    const RefSnapshot before = RefSnapshot::Take(fHost);
    const int64 acquisitions = fHost.GetFaults().Count();
    service->Shutdown();
    EXPECT_REFS_UNCHANGED(before);
    EXPECT_EQ(fHost.GetFaults().Count(), acquisitions);
    EXPECT_EQ(fHost.QueuedCommands(), 0u);
    EXPECT_TRUE(fHost.DirtyLog().empty());
}

TEST_F(StartupTest, AfterUnload_TheSessionIsGone) {
    fHost.StartApplication();
    IPlugIn* plugin = fHost.Plugins().front()->plugin;
    EXPECT_EQ(plugin->Unload(), kTrue);
    // With no session the service cannot reach the host at all.
    InterfacePtr<IStartupShutdownService> service(static_cast<IStartupShutdownService*>(
        CreateObject(kOpalStartupShutdownBoss, IID_ISTARTUPSHUTDOWN)));
    ASSERT_TRUE(service);
    const int64 acquisitions = fHost.GetFaults().Count();
    service->Startup();
    EXPECT_EQ(fHost.GetFaults().Count(), acquisitions);
    plugin->Load(fHost.SessionBoss()->PeekAs<ISession>(IID_ISESSION));
}

// The plug-in's whole life in a host with a palette of every class and a
// saved workspace: load, register, start-up, the windows announced, a tick,
// shut-down, unload. Whatever acquisition fails, nothing stays alive after
// it, and the next life goes as the first.
TEST(LifecycleTest, EveryFailingAcquisition_LeavesNothingAlive_AndTheNextLifeAsTheFirst) {
    host::Host context;
    host::World& world = context.Get<host::World>();
    const std::pair<const char*, ClassID> palettes[] = {{"F", kPaletteFloatingBoss},
                                                        {"D", kPaletteDockedBoss},
                                                        {"S", kPaletteStashBoss},
                                                        {"O", kPaletteOtherBoss}};
    for (const auto& [name, cls] : palettes) {
        world.AddPalette(name, cls);
        host::PanelOptions in;
        in.palette = name;
        world.AddPanel(std::string("panel of ") + name, in);
    }
    const std::string file =
        (std::filesystem::temp_directory_path() / ("opal-lifecycle-" + std::to_string(getpid())))
            .string();
    {
        host::Session first({OPAL_PLUGIN_PATH, file}, context);
        std::string error;
        ASSERT_TRUE(first.Start(&error)) << error;
        auto* data = context.WorkspaceBoss()->PeekAs<IOpalAlphaData>(kOpalAlphaDataIID);
        ASSERT_TRUE(data);
        for (const auto& [name, cls] : palettes) {
            const int32 id = world.FindPanel(std::string("panel of ") + name)->panelID;
            data->AddPanel(id);
            data->SetAlphaForPanel(id, 60);
        }
        ASSERT_TRUE(first.Stop(true));
    }

    std::unique_ptr<testing_support::HostRecorder> recorder;
    std::vector<std::string> record;
    testing_support::FaultSweep sweep{"life"};
    sweep.prepare = [&] { recorder = std::make_unique<testing_support::HostRecorder>(context); };
    sweep.observe = [&] {
        std::ostringstream out;
        for (const std::string& line : record)
            out << line << "\n";
        return out.str();
    };
    const int64 acquisitions = testing_support::SweepFaults(context, sweep, [&] {
        host::Session session({OPAL_PLUGIN_PATH, file}, context);
        std::string error;
        if (session.Start(&error)) {
            context.FireNextTimer();
            context.DrainCommands();
            session.Stop(false);
        }
        record = recorder->Requests();
        recorder.reset();
    });
    // The first life made the floating and the docked window transparent.
    const std::string normal = sweep.observe();
    EXPECT_NE(normal.find("window \"F\" alpha 153"), std::string::npos) << normal;
    EXPECT_NE(normal.find("window \"D\" alpha 153"), std::string::npos) << normal;
    EXPECT_GT(acquisitions, 20);
    std::remove(file.c_str());
}
