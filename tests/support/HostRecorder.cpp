#include "HostRecorder.h"

#include "core/Text.h"
#include "world/World.h"

#include <sstream>

namespace testing_support {
namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string WindowName(host::Host& host, const void* window) {
    for (const host::PaletteInfo& palette : host.Get<host::World>().Palettes())
        if (palette.window == window)
            return Quoted(palette.name);
    return "?";
}

std::string Subject(const IPMUnknown* subject) {
    return "class " + host::Hex(GetClass(subject));
}

} // namespace

HostRecorder::HostRecorder(host::Host& host)
    : fHost(host), fRecording(host.requests.Subscribe([this](const host::HostRequest& request) {
          fRequests.push_back(Describe(request));
      })) {}

HostRecorder::~HostRecorder() = default;

std::string HostRecorder::Describe(const host::HostRequest& r) const {
    using host::Hex;
    using host::HostRequest;
    const auto value = static_cast<uint32>(r.value);
    switch (r.kind) {
    case HostRequest::kScheduleCommand:
        return "schedule " + Quoted(r.name) + " priority " + std::to_string(r.value);
    case HostRequest::kRunCommand:
        return "run " + Quoted(r.name) + " priority " + std::to_string(r.value);
    case HostRequest::kAttachObserver:
        return "attach " + Hex(r.iid) + " on " + Hex(value) + " to " + Subject(r.object);
    case HostRequest::kDetachObserver:
        return "detach " + Hex(r.iid) + " on " + Hex(value) + " to " + Subject(r.object);
    case HostRequest::kSetWindowStyle:
        return "window " + WindowName(fHost, r.window) + " style " + Hex(value);
    case HostRequest::kSetWindowAlpha:
        return "window " + WindowName(fHost, r.window) + " alpha " + std::to_string(r.value);
    }
    return "unknown request";
}

::testing::AssertionResult SameRequests(const std::vector<std::string>& recorded,
                                        const std::vector<std::string>& expected) {
    size_t i = 0;
    while (i < recorded.size() && i < expected.size() && recorded[i] == expected[i])
        ++i;
    if (i == recorded.size() && i == expected.size())
        return ::testing::AssertionSuccess();
    std::ostringstream message;
    message << "request " << i + 1 << ": ";
    if (i == recorded.size())
        message << "expected " << expected[i] << ", but the record ends there";
    else if (i == expected.size())
        message << "unexpected " << recorded[i] << ", the table ends there";
    else
        message << "expected " << expected[i] << ", recorded " << recorded[i];
    message << "\nthe whole record:\n";
    for (const std::string& line : recorded)
        message << "  " << line << "\n";
    return ::testing::AssertionFailure() << message.str();
}

} // namespace testing_support
