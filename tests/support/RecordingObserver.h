// An observer that records every change of the subjects it watches. Not a
// boss: the test owns it and it counts no references.
#pragma once

#include "ISubject.h"
#include "core/ObjectModel.h"

#include <functional>
#include <utility>
#include <vector>

namespace testing_support {

// A change and its protocol, as a widget tells them.
struct Heard {
    ClassID change;
    PMIID protocol;
    bool operator==(const Heard& o) const { return change == o.change && protocol == o.protocol; }
};

class RecordingObserver : public IObserver {
public:
    struct Seen {
        ClassID change;
        PMIID protocol;
        ISubject* subject;
        void* changedBy;
        const host::Boss* origin; // the object changedBy is part of, or nullptr
    };
    std::vector<Seen> seen;
    std::vector<Heard> heard; // the same, change and protocol only
    // Called with each change as it is seen.
    std::function<void(const Seen&)> during;

    // Names the origin of each change from the objects of `model`.
    explicit RecordingObserver(const host::ObjectModel& model) : fModel(model) {}
    // Detaches from what it listens to (not from what it watches).
    ~RecordingObserver() override;
    // Attaches to the object's subject for `protocol` until Unwatch, for a
    // subject that may go before the observer.
    void Watch(const host::Boss* boss, PMIID protocol);
    void Unwatch(const host::Boss* boss, PMIID protocol);
    // Attaches until the observer goes, for a subject that outlives it.
    void Listen(const host::Boss* boss, PMIID protocol);

    void Update(const ClassID& change, ISubject* subject, const PMIID& protocol,
                void* changedBy) override;
    IPMUnknown* QueryInterface(PMIID) const override { return nullptr; }
    void AddRef() const override {}
    void Release() const override {}
    void AutoAttach() override {}
    void AutoDetach() override {}
    void SetAttachIID(PMIID) override {}
    PMIID GetAttachIID() const override { return 0x7e57; }
    void SetEnabled(bool16) override {}
    bool16 IsEnabled() const override { return kTrue; }

private:
    const host::ObjectModel& fModel;
    std::vector<std::pair<ISubject*, PMIID>> fListened;
};

} // namespace testing_support
