// Test support: a running host session with the built plug-in, and the
// reference accounting that proves an operation released what it obtained.
#pragma once

#include "core/Host.h"
#include "script/Session.h"
#include "world/World.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// Every live object of a host and its reference count at one moment.
struct RefSnapshot {
    host::Host* host = nullptr;
    std::map<const host::Boss*, int32> counts;
    static RefSnapshot Take(host::Host& host);
};

// Fails the test (at the caller's line) for every object whose count differs
// from the snapshot, and for objects that appeared and are still alive.
::testing::AssertionResult SameReferences(const RefSnapshot& before, const RefSnapshot& after);
#define EXPECT_REFS_UNCHANGED(before)                                                              \
    EXPECT_TRUE(::testing_support::SameReferences(                                                 \
        (before), ::testing_support::RefSnapshot::Take(*(before).host)))

// Per class: how many objects are alive and how many references they hold in
// all. Compares where objects are replaced by new ones of the same classes.
struct ClassSnapshot {
    struct Count {
        int32 objects = 0;
        int64 references = 0;
        bool operator==(const Count& o) const {
            return objects == o.objects && references == o.references;
        }
    };
    host::Host* host = nullptr;
    std::map<ClassID, Count> counts;
    static ClassSnapshot Take(host::Host& host);
};
::testing::AssertionResult SameClassReferences(const ClassSnapshot& before,
                                               const ClassSnapshot& after);
#define EXPECT_CLASS_REFS_UNCHANGED(before)                                                        \
    EXPECT_TRUE(::testing_support::SameClassReferences(                                            \
        (before), ::testing_support::ClassSnapshot::Take(*(before).host)))

// A session with the plug-in loaded and the application started, in a host
// of its own: every test starts from an empty world.
class HostSessionTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    host::Host& TheHost() { return session->GetHost(); }
    host::World& TheWorld() { return TheHost().Get<host::World>(); }
    // A palette of `cls` holding one panel per name, each in a group of its own.
    void AddPaletteWith(const std::string& palette, ClassID cls,
                        const std::vector<std::string>& panels, bool shown = true);
    // The panel's ID (a failure, and 0, when there is no such panel).
    int32 PanelID(const std::string& name);
    // The stored model, through the workspace as any client reaches it.
    void StoreOpacity(const std::string& panel, double opacity);
    void StoreOpacityForID(int32 panelID, double opacity);
    bool OpacityOn();
    // Queries the workspace's interface `iid` (the caller releases it).
    template <class T> T* QueryWorkspace(PMIID iid) {
        auto* ws = TheHost().WorkspaceBoss();
        return ws ? static_cast<T*>(ws->QueryInternal(iid)) : nullptr;
    }
    std::unique_ptr<host::Session> session;
};

// What an opalhost script printed and its exit status.
struct ScriptResult {
    int status = 0;
    std::string out;
    std::string err;
};
// A path in the temporary folder that no other test running now has:
// "opal-NAME-", this process's ID and the running test's name, then NAME's
// extension (ctest runs tests in parallel).
std::filesystem::path ScratchPath(const std::string& name);

// Runs the script in a fresh session with the plug-in, started in `host` or
// in a host of its own, and stopped without saving afterwards.

ScriptResult RunScript(const std::string& script, host::Host* host = nullptr);
// Runs the script in `host` as it is, with no session started for it: the
// host's own commands, without the plug-in.
ScriptResult RunScriptIn(host::Host& host, const std::string& script);

} // namespace testing_support
