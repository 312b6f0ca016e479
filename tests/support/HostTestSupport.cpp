#include "HostTestSupport.h"

#include <sstream>

namespace testing_support {

RefSnapshot RefSnapshot::Take() {
    RefSnapshot s;
    for (const host::LiveObject& live : host::Host::Get().Model().LiveObjects())
        s.counts[live.boss] = live.refCount;
    return s;
}

::testing::AssertionResult SameReferences(const RefSnapshot& before, const RefSnapshot& after) {
    std::ostringstream problems;
    for (const auto& [boss, count] : after.counts) {
        auto it = before.counts.find(boss);
        if (it == before.counts.end())
            problems << "new object of class 0x" << std::hex << boss->Class() << std::dec
                     << " alive with " << count << " references\n";
        else if (it->second != count)
            problems << "object of class 0x" << std::hex << boss->Class() << std::dec << " has "
                     << count << " references, had " << it->second << "\n";
    }
    if (problems.str().empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << problems.str();
}

ClassSnapshot ClassSnapshot::Take() {
    ClassSnapshot s;
    for (const host::LiveObject& live : host::Host::Get().Model().LiveObjects()) {
        Count& count = s.counts[live.classID];
        ++count.objects;
        count.references += live.refCount;
    }
    return s;
}

::testing::AssertionResult SameClassReferences(const ClassSnapshot& before,
                                               const ClassSnapshot& after) {
    std::ostringstream problems;
    std::map<ClassID, std::pair<ClassSnapshot::Count, ClassSnapshot::Count>> both;
    for (const auto& [cls, count] : before.counts)
        both[cls].first = count;
    for (const auto& [cls, count] : after.counts)
        both[cls].second = count;
    for (const auto& [cls, counts] : both)
        if (!(counts.first == counts.second))
            problems << "class 0x" << std::hex << cls << std::dec << ": " << counts.second.objects
                     << " objects with " << counts.second.references << " references, had "
                     << counts.first.objects << " with " << counts.first.references << "\n";
    if (problems.str().empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << problems.str();
}

void HostSessionTest::SetUp() {
    host::Host::Get().GetFaults().Reset();
    session = std::make_unique<host::Session>(host::SessionOptions{OPAL_PLUGIN_PATH, ""});
    std::string error;
    ASSERT_TRUE(session->Start(&error)) << error;
    // Enough for any one test's commands.
    host::Host::Get().KeepCommandLog(4096);
}

void HostSessionTest::TearDown() {
    host::Host::Get().GetFaults().Reset();
    host::Host::Get().KeepCommandLog(0);
    session->Stop(false);
    session.reset();
}

} // namespace testing_support
