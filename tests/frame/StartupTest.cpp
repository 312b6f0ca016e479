// The start-up/shut-down service and the session pointer it starts from.
#include "FaultSweep.h"
#include "HostTestSupport.h"
#include "IServiceProvider.h"
#include "ISession.h"
#include "ISubject.h"
#include "ITimer.h"
#include "InterfacePtr.h"
#include "OpalID.h"

using host::Host;
using testing_support::RefSnapshot;

namespace {

// A session whose plug-in is loaded but whose application is not started yet.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        Host::Get().GetFaults().Reset();
        Host::Get().BeginSession();
        std::string error;
        ASSERT_TRUE(Host::Get().LoadPlugin(OPAL_PLUGIN_PATH, &error)) << error;
    }
    void TearDown() override {
        Host::Get().GetFaults().Reset();
        Host::Get().EndSession();
    }
    bool WindowListObserverAttached() {
        auto* observer =
            Host::Get().ApplicationBoss()->PeekAs<IObserver>(kOpalWindowListObserverIID);
        auto* subject = Host::Get().ApplicationBoss()->PeekAs<ISubject>(IID_ISUBJECT);
        return observer &&
               subject->IsAttached(observer, IID_IWINDOWLIST_PROTOCOL, kOpalWindowListObserverIID);
    }
};

} // namespace

TEST_F(StartupTest, WithoutWindowListObserver_AttachesNothingAndStartsNoTimer) {
    // Start-up asks for the application (1st acquisition), then for the
    // observer on it (2nd): without the observer it must stop there.
    Host::Get().GetFaults().FailAt(2);
    Host::Get().StartApplication();
    EXPECT_TRUE(Host::Get().GetFaults().Fired());
    EXPECT_FALSE(WindowListObserverAttached());
    EXPECT_EQ(Host::Get().TimerObjects(), 0u);
    EXPECT_EQ(Host::Get().ArmedTimers(), 0u);
    for (const host::LiveObject& live : Host::Get().Model().LiveObjects())
        EXPECT_EQ(live.refCount, 1) << "class 0x" << std::hex << live.classID;
}

TEST_F(StartupTest, EveryFailingAcquisition_LeavesNoReferenceBehind) {
    testing_support::FaultSweep sweep{"start-up"};
    sweep.prepare = [] {
        Host::Get().EndSession();
        Host::Get().BeginSession();
        std::string error;
        ASSERT_TRUE(Host::Get().LoadPlugin(OPAL_PLUGIN_PATH, &error)) << error;
    };
    // Start-up builds the application: no count before it compares; what
    // it built must hold one reference each, by its owner.
    sweep.sameReferences = false;
    sweep.check = [](bool, int64 k) {
        for (const host::LiveObject& live : Host::Get().Model().LiveObjects())
            EXPECT_EQ(live.refCount, 1)
                << "failing acquisition " << k << ", class 0x" << std::hex << live.classID;
    };
    testing_support::SweepFaults(sweep, [] { Host::Get().StartApplication(); });
}

TEST_F(StartupTest, Shutdown_WithoutStartup_ChangesNothing) {
    InterfacePtr<IStartupShutdownService> service(static_cast<IStartupShutdownService*>(
        CreateObject(kOpalStartupShutdownBoss, IID_ISTARTUPSHUTDOWN)));
    ASSERT_TRUE(service);
    const RefSnapshot before = RefSnapshot::Take();
    const int64 acquisitions = Host::Get().GetFaults().Count();
    service->Shutdown();
    EXPECT_REFS_UNCHANGED(before);
    EXPECT_EQ(Host::Get().GetFaults().Count(), acquisitions);
    EXPECT_EQ(Host::Get().QueuedCommands(), 0u);
    EXPECT_TRUE(Host::Get().DirtyLog().empty());
}

TEST_F(StartupTest, AfterUnload_TheSessionIsGone) {
    Host::Get().StartApplication();
    IPlugIn* plugin = Host::Get().Plugins().front()->plugin;
    EXPECT_EQ(plugin->Unload(), kTrue);
    // With no session the service cannot reach the host at all.
    InterfacePtr<IStartupShutdownService> service(static_cast<IStartupShutdownService*>(
        CreateObject(kOpalStartupShutdownBoss, IID_ISTARTUPSHUTDOWN)));
    ASSERT_TRUE(service);
    const int64 acquisitions = Host::Get().GetFaults().Count();
    service->Startup();
    EXPECT_EQ(Host::Get().GetFaults().Count(), acquisitions);
    plugin->Load(Host::Get().SessionBoss()->PeekAs<ISession>(IID_ISESSION));
}
