// A running host with the plug-in and a host world, and what the engine tests
// read back: window alphas, the commands the plug-in scheduled, and widget
// trees the world itself never builds.
#pragma once

#include "HostRecorder.h"
#include "HostTestSupport.h"
#include "IWidgets.h"
#include "world/World.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// What the host was asked between Start() and Stop(), as HostRecorder lines.
class CommandTrace {
public:
    void Start(host::Host& host); // forgets the last record
    void Stop();                  // keeps it
    const std::vector<std::string>& Lines() const;
    size_t Count(const std::string& line) const;

private:
    std::unique_ptr<testing_support::HostRecorder> fRecorder;
    std::vector<std::string> fKept;
};

class EngineTest : public testing_support::HostSessionTest {
protected:
    // The world starts empty in every test and is forgotten afterwards.
    void TearDown() override;

    host::PaletteInfo Palette(const std::string& name);
    host::PanelInfo Panel(const std::string& name);

    // The window's layered alpha, or nothing while it is not layered.
    std::optional<int> WindowAlpha(const std::string& palette);
    bool IsLayered(const std::string& palette);

    // The stored model, through the workspace as any client reaches it.
    void SetOpacityOn(bool on);
    int32 StoredEntries();

    // Queues the palette command for the palette as the observers do, and
    // lets the host run its queue.
    void ApplyPaletteAlpha(const std::string& palette);
    void ApplyPaletteAlpha(const UIDRef& palette);
    void Drain() { TheHost().DrainCommands(); }

    CommandTrace trace;
};

// Queues the palette command for `palette` at its priority, as the engine's
// observers do; does nothing when an acquisition fails.
constexpr int32 kPaletteAlphaPriority = 1;
void SchedulePaletteCommand(const UIDRef& palette);

// Command names as the plug-in gives them.
inline const std::string kSetPaletteAlpha = "\"Opal Set Palette Alpha\"";
inline const std::string kAttachTabAreaObserver = "\"Opal Attach TabAreaObserver to kTabAreaBoss\"";
inline const std::string kUpdatePanelList = "\"Opal update panel listbox\"";
inline std::string Scheduled(const std::string& name, int priority) {
    return "schedule " + name + " priority " + std::to_string(priority);
}

// Widget trees of the test's own making, in the UI database: containers
// whose children the test chooses, and tab areas with children of their own.
class TestTree {
public:
    explicit TestTree(host::Host& host);
    ~TestTree();
    TestTree(const TestTree&) = delete;
    TestTree& operator=(const TestTree&) = delete;

    // A palette window object (control view, children, window 0x112).
    host::Boss* Palette();
    host::Boss* Container();
    // A real tab area (class 0x612, with its subject and the plug-in's
    // observer) whose children the test can set.
    host::Boss* TabArea();
    void SetChildren(host::Boss* parent, const std::vector<host::Boss*>& children);
    // Of a palette or container.
    void SetWidgetID(host::Boss* widget, WidgetID id);
    UIDRef Ref(host::Boss* boss) const;
    // Whether the plug-in's tab-area observer is attached to it.
    static bool Observed(const host::Boss* tabArea);

private:
    host::Boss* Add(ClassID cls);
    host::Host& fHost;
    std::vector<UID> fUIDs;
};

} // namespace testing_support
