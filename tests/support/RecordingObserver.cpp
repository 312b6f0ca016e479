#include "RecordingObserver.h"

namespace testing_support {

RecordingObserver::~RecordingObserver() {
    for (auto& [subject, protocol] : fListened)
        subject->DetachObserver(this, protocol, GetAttachIID());
}

void RecordingObserver::Watch(const host::Boss* boss, PMIID protocol) {
    boss->PeekAs<ISubject>(IID_ISUBJECT)->AttachObserver(this, protocol, GetAttachIID());
}

void RecordingObserver::Unwatch(const host::Boss* boss, PMIID protocol) {
    boss->PeekAs<ISubject>(IID_ISUBJECT)->DetachObserver(this, protocol, GetAttachIID());
}

void RecordingObserver::Listen(const host::Boss* boss, PMIID protocol) {
    auto* subject = boss->PeekAs<ISubject>(IID_ISUBJECT);
    subject->AttachObserver(this, protocol, GetAttachIID());
    fListened.emplace_back(subject, protocol);
}

void RecordingObserver::Update(const ClassID& change, ISubject* subject, const PMIID& protocol,
                               void* changedBy) {
    const Seen s{change, protocol, subject, changedBy,
                 fModel.BossOf(static_cast<IPMUnknown*>(changedBy))};
    seen.push_back(s);
    heard.push_back({change, protocol});
    if (during)
        during(s);
}

} // namespace testing_support
