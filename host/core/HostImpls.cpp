// The host's own implementations: session, registrar, workspace, application,
// subject, timer, stock command data and utilities.
#include "DataInterfaces.h"
#include "Host.h"
#include "HostClasses.h"
#include "IApplication.h"
#include "IPanelRegistry.h"
#include "ISession.h"
#include "ISubject.h"
#include "ITimer.h"
#include "IUtils.h"
#include "ImplementationRegistry.h"

#include <algorithm>
#include <tuple>

ImplementationRecord* gImplementationRecords = nullptr;

namespace host {
namespace {

class SessionImpl : public CPMUnknown<ISession> {
public:
    using CPMUnknown<ISession>::CPMUnknown;
    IWorkspace* QueryWorkspace() const override {
        return Query<IWorkspace>(HostOf(fBoss).WorkspaceBoss(), IID_IWORKSPACE);
    }
    IApplication* QueryApplication() const override {
        return Query<IApplication>(HostOf(fBoss).ApplicationBoss(), IID_IAPPLICATION);
    }

private:
    template <class T> T* Query(Boss* boss, PMIID iid) const {
        if (!HostOf(fBoss).GetFaults().Acquire() || !boss)
            return nullptr;
        return static_cast<T*>(boss->QueryInternal(iid));
    }
};
CREATE_PMINTERFACE(SessionImpl, kSessionImpl);

class RegistrarImpl : public CPMUnknown<IImplementationRegistrar> {
public:
    using CPMUnknown<IImplementationRegistrar>::CPMUnknown;
    void RegisterImplementation(int32 /*hostValue*/, ImplementationID implID, ImplCreateFn create,
                                ImplDestroyFn destroy, ImplSizeFn size, ImplReadWriteFn readWrite,
                                uint32 flags) override {
        Host& host = HostOf(fBoss);
        const std::string origin = host.Plugins().empty() ? "host" : host.Plugins().back()->file;
        // A second registration of an ID keeps the first: the object model
        // says which one it keeps.
        host.Model().RegisterImpl({implID, create, destroy, size, readWrite, flags, origin});
    }
};
CREATE_PMINTERFACE(RegistrarImpl, kRegistrarImpl);

class WorkspaceImpl : public CPMUnknown<IWorkspace> {
public:
    using CPMUnknown<IWorkspace>::CPMUnknown;
};
CREATE_PMINTERFACE(WorkspaceImpl, kWorkspaceImpl);

class ApplicationImpl : public CPMUnknown<IApplication> {
public:
    using CPMUnknown<IApplication>::CPMUnknown;
    IPanelRegistry* QueryPanelRegistry() const override {
        return static_cast<IPanelRegistry*>(QueryPart(IID_IPANELREGISTRY));
    }
    IPaletteRegistry* QueryPaletteRegistry() const override {
        return static_cast<IPaletteRegistry*>(QueryPart(IID_IPALETTEREGISTRY));
    }

private:
    IPMUnknown* QueryPart(PMIID iid) const {
        Host& host = HostOf(fBoss);
        if (!host.GetFaults().Acquire())
            return nullptr;
        Boss* boss = host.ApplicationPart(iid);
        return boss ? boss->QueryInternal(iid) : nullptr;
    }
};
CREATE_PMINTERFACE(ApplicationImpl, kApplicationImpl);

class SubjectImpl : public CPMUnknown<ISubject> {
public:
    using CPMUnknown<ISubject>::CPMUnknown;
    void AttachObserver(IObserver* observer, const PMIID& protocol,
                        const PMIID& observerIID) override {
        HostOf(fBoss).Report({HostRequest::kAttachObserver, {}, protocol, observerIID, this});
        if (!IsAttached(observer, protocol, observerIID))
            fAttached.push_back({observer, protocol, observerIID});
    }
    void DetachObserver(IObserver* observer, const PMIID& protocol,
                        const PMIID& observerIID) override {
        HostOf(fBoss).Report({HostRequest::kDetachObserver, {}, protocol, observerIID, this});
        fAttached.erase(std::remove(fAttached.begin(), fAttached.end(),
                                    Attachment{observer, protocol, observerIID}),
                        fAttached.end());
    }
    bool16 IsAttached(IObserver* observer, const PMIID& protocol,
                      const PMIID& observerIID) const override {
        for (const Attachment& a : fAttached)
            if (a.observer == observer && a.protocol == protocol && a.iid == observerIID)
                return kTrue;
        return kFalse;
    }
    void Change(ClassID theChange, const PMIID& protocol, void* changedBy) override {
        // An update may attach or detach: walk a copy, and skip observers
        // detached meanwhile.
        const std::vector<Attachment> attached = fAttached;
        for (const Attachment& a : attached) {
            if (a.protocol != protocol || !IsAttached(a.observer, a.protocol, a.iid))
                continue;
            if (a.observer->IsEnabled())
                a.observer->Update(theChange, this, protocol, changedBy);
        }
    }

private:
    struct Attachment {
        IObserver* observer;
        PMIID protocol;
        PMIID iid;
        bool operator==(const Attachment& o) const {
            return std::tie(observer, protocol, iid) == std::tie(o.observer, o.protocol, o.iid);
        }
    };
    std::vector<Attachment> fAttached;
};
CREATE_PMINTERFACE(SubjectImpl, kSubjectImpl);

template <class Interface, class Value> class ValueData : public CPMUnknown<Interface> {
public:
    using CPMUnknown<Interface>::CPMUnknown;
    void Set(Value value) override { fValue = value; }
    Value Get() const override { return fValue; }

private:
    Value fValue{};
};
using IntDataImpl = ValueData<IIntData, int32>;
using RealNumberDataImpl = ValueData<IRealNumberData, double>;
using BoolDataImpl = ValueData<IBoolData, bool16>;
CREATE_PMINTERFACE(IntDataImpl, kIntDataImpl);
CREATE_PMINTERFACE(RealNumberDataImpl, kRealNumberDataImpl);
CREATE_PMINTERFACE(BoolDataImpl, kBoolDataImpl);

class UIDDataImpl : public CPMUnknown<IUIDData> {
public:
    using CPMUnknown<IUIDData>::CPMUnknown;
    void Set(const UIDRef& ref) override { fRef = ref; }
    const UIDRef& GetRef() const override { return fRef; }
    UID GetItemUID() const override { return fRef.GetUID(); }
    IDataBase* GetItemDataBase() const override { return fRef.GetDataBase(); }

private:
    UIDRef fRef;
};
CREATE_PMINTERFACE(UIDDataImpl, kUIDDataImpl);

class UtilsImpl : public CPMUnknown<IUtils> {
public:
    using CPMUnknown<IUtils>::CPMUnknown;
    IPMUnknown* QueryPanelByWidgetID(WidgetID widgetID) const override {
        Host& host = HostOf(fBoss);
        if (!host.GetFaults().Acquire())
            return nullptr;
        return host.QueryPanelByWidgetID(widgetID);
    }
    IPMUnknown* QueryPaletteOfWidget(const IPMUnknown* widget) const override {
        Host& host = HostOf(fBoss);
        if (!host.GetFaults().Acquire())
            return nullptr;
        return host.QueryPaletteOfWidget(widget);
    }
};
CREATE_PMINTERFACE(UtilsImpl, kUtilsImpl);

} // namespace

class TimerImpl : public CPMUnknown<ITimer> {
public:
    explicit TimerImpl(IPMUnknown* boss) : CPMUnknown<ITimer>(boss) {
        HostOf(fBoss).AddTimer(this);
    }
    ~TimerImpl() override { HostOf(fBoss).RemoveTimer(this); }
    TimerImpl(const TimerImpl&) = delete;
    TimerImpl& operator=(const TimerImpl&) = delete;
    void Start(TimerCallback callback, int32 interval, void* clientData) override {
        fCallback = callback;
        fClientData = clientData;
        fDeadline = HostOf(fBoss).Now() + interval;
        fArmed = true;
    }
    void Stop() override { fArmed = false; }

    bool armed() const { return fArmed; }
    int64 deadline() const { return fDeadline; }
    // Fires once per arming.
    void Fire() {
        fArmed = false;
        if (fCallback)
            fCallback(fClientData);
    }

private:
    TimerCallback fCallback = nullptr;
    void* fClientData = nullptr;
    int64 fDeadline = 0;
    bool fArmed = false;
};
CREATE_PMINTERFACE(TimerImpl, kTimerImpl);

bool Host::FireNextTimer() {
    TimerImpl* next = nullptr;
    for (TimerImpl* t : fTimers)
        if (t->armed() && (!next || t->deadline() < next->deadline()))
            next = t;
    if (!next)
        return false;
    fNow = std::max(fNow, next->deadline());
    next->Fire();
    return true;
}

int64 Host::NextTimerDeadline() const {
    int64 next = -1;
    for (const TimerImpl* t : fTimers)
        if (t->armed() && (next < 0 || t->deadline() < next))
            next = t->deadline();
    return next;
}

size_t Host::ArmedTimers() const {
    return static_cast<size_t>(
        std::count_if(fTimers.begin(), fTimers.end(), [](TimerImpl* t) { return t->armed(); }));
}

void Host::RemoveTimer(TimerImpl* timer) {
    fTimers.erase(std::remove(fTimers.begin(), fTimers.end(), timer), fTimers.end());
}

void DefineHostClasses(ObjectModel& model) {
    for (ImplementationRecord* r = gImplementationRecords; r; r = r->next)
        model.RegisterImpl(
            {r->implID, r->create, r->destroy, r->size, r->readWrite, r->flags, "host"});
    model.DefineClass(kSessionBoss, 0,
                      {{IID_ISESSION, kSessionImpl}, {IID_IREGISTRAR, kRegistrarImpl}}, "host");
    model.DefineClass(kWorkspaceBoss, 0, {{IID_IWORKSPACE, kWorkspaceImpl}}, "host");
    model.DefineClass(kApplicationBoss, 0,
                      {{IID_IAPPLICATION, kApplicationImpl}, {IID_ISUBJECT, kSubjectImpl}}, "host");
    model.DefineClass(kTimerBoss, 0, {{IID_ITIMER, kTimerImpl}}, "host");
    model.DefineClass(kUtilsBoss, 0, {{IID_IUTILS, kUtilsImpl}}, "host");
}

} // namespace host
