// The recorder of what the host was asked while it records, one line a
// request, and the assertion that compares the record whole with a table:
//
//   schedule "NAME" priority P      run "NAME" priority P (-1: executed at once)
//   attach 0xIID on 0xPROTOCOL to SUBJECT       detach … (SUBJECT: "class 0xC")
//   window "PALETTE" style 0xS      window "PALETTE" alpha A
//
// A window is named after its palette in the host world ("?" if none).
#pragma once

#include "core/Host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testing_support {

class HostRecorder {
public:
    explicit HostRecorder(host::Host& host); // records from here on
    ~HostRecorder();
    HostRecorder(const HostRecorder&) = delete;
    HostRecorder& operator=(const HostRecorder&) = delete;

    const std::vector<std::string>& Requests() const { return fRequests; }
    void Clear() { fRequests.clear(); }

    std::string Describe(const host::HostRequest& request) const;

private:
    host::Host& fHost;
    std::vector<std::string> fRequests;
    host::Subscription fRecording;
};

// Succeeds when the two tables are equal; else names the first difference and
// shows the whole record.
::testing::AssertionResult SameRequests(const std::vector<std::string>& recorded,
                                        const std::vector<std::string>& expected);
#define EXPECT_REQUESTS(recorder, ...)                                                             \
    EXPECT_TRUE(::testing_support::SameRequests((recorder).Requests(), __VA_ARGS__))

} // namespace testing_support
