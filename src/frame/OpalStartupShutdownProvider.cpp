// Once the application is up: watch the host's window list and start the
// periodic timer. Shut-down has nothing to undo.
#include "CPMUnknown.h"
#include "IApplication.h"
#include "IServiceProvider.h"
#include "ISession.h"
#include "ISubject.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/IOpalTimerCallback.h"
#include "frame/OpalSession.h"

class OpalStartupShutdownProvider : public CPMUnknown<IStartupShutdownService> {
public:
    using CPMUnknown<IStartupShutdownService>::CPMUnknown;

    void Startup() override {
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

    void Shutdown() override {}
};

CREATE_PMINTERFACE(OpalStartupShutdownProvider, kOpalStartupShutdownImpl);
