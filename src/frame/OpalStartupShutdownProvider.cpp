// Once the application is up: watch the host's window list, start the
// periodic timer, and watch the pointer when the option says so. Shut-down
// releases what the pointer watch holds.
#include "CPMUnknown.h"
#include "IApplication.h"
#include "IServiceProvider.h"
#include "ISession.h"
#include "ISubject.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/IOpalTimerCallback.h"
#include "engine/OpalPanelUtils.h"
#include "engine/OpalPointerWatch.h"
#include "frame/OpalSession.h"

class OpalStartupShutdownProvider : public CPMUnknown<IStartupShutdownService> {
public:
    using CPMUnknown<IStartupShutdownService>::CPMUnknown;

    void Startup() override {
        StartWatchingWindows();
        FollowOpaqueUnderPointer();
    }

    void Shutdown() override { StopPointerWatch(); }

private:
    static void StartWatchingWindows() {
        InterfacePtr<IApplication> application = QueryApplication();
        if (!application)
            return;
        // Without the observer the timer is not started either.
        InterfacePtr<IObserver> windowListObserver(application, kOpalWindowListObserverIID);
        if (!windowListObserver)
            return;
        windowListObserver->AutoAttach();

        InterfacePtr<IOpalTimerCallback> timerCallback =
            QueryWorkspaceInterface<IOpalTimerCallback>(kOpalTimerCallbackIID);
        if (!timerCallback)
            return;
        timerCallback->StartTimer();
    }
};

CREATE_PMINTERFACE(OpalStartupShutdownProvider, kOpalStartupShutdownImpl);
