// Subjects and observers: a subject calls Update on every observer attached
// to it for the protocol of a change, one at a time.
#pragma once

#include "CPMUnknown.h"
#include "IPMUnknown.h"

class ISubject;

class IObserver : public IPMUnknown {
public:
    // `changedBy` is the object the change is about (may be null).
    virtual void Update(const ClassID& theChange, ISubject* theSubject, const PMIID& protocol,
                        void* changedBy) = 0;
    virtual void AutoAttach() = 0;
    virtual void AutoDetach() = 0;
    virtual void SetAttachIID(PMIID iid) = 0;
    virtual PMIID GetAttachIID() const = 0;
    virtual void SetEnabled(bool16 enabled) = 0;
    virtual bool16 IsEnabled() const = 0;
};

class ISubject : public IPMUnknown {
public:
    enum { kDefaultIID = IID_ISUBJECT };
    // An observer is attached at most once per (protocol, observer IID).
    virtual void AttachObserver(IObserver* observer, const PMIID& protocol,
                                const PMIID& observerIID) = 0;
    virtual void DetachObserver(IObserver* observer, const PMIID& protocol,
                                const PMIID& observerIID) = 0;
    virtual bool16 IsAttached(IObserver* observer, const PMIID& protocol,
                              const PMIID& observerIID) const = 0;
    virtual void Change(ClassID theChange, const PMIID& protocol, void* changedBy = nullptr) = 0;
};

// Base of observer implementations; `observerIID` is the interface under which
// the observer sits on its boss, and identifies it to subjects.
class CObserver : public CPMUnknown<IObserver> {
public:
    CObserver(IPMUnknown* boss, PMIID observerIID)
        : CPMUnknown<IObserver>(boss), fAttachIID(observerIID) {}
    void AutoAttach() override {}
    void AutoDetach() override {}
    void SetAttachIID(PMIID iid) override { fAttachIID = iid; }
    PMIID GetAttachIID() const override { return fAttachIID; }
    void SetEnabled(bool16 enabled) override { fEnabled = enabled; }
    bool16 IsEnabled() const override { return fEnabled; }

private:
    PMIID fAttachIID;
    bool16 fEnabled = kTrue;
};
