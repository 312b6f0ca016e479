// The stand-in host: one object model, one session at a time with its
// workspace and application objects, the loaded plug-ins, the command queue
// and the host clock that drives timers.
#pragma once

#include "ICommand.h"
#include "IPlugIn.h"
#include "ITimer.h"
#include "Layer.h"
#include "ObjectModel.h"
#include "resources/Resources.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace host {

// What the host recorded of a command it ran.
struct CommandRecord {
    ClassID classID;
    std::string name;
    int32 target;
    int32 undoability;
    int32 priority; // -1 when executed at once
    bool ran;       // false when its state kept it from running
};

struct DirtyRecord {
    const Boss* boss;
    const IPMUnknown* object;
    ImplementationID implID;
    bool16 markModified;
};

struct LoadedPlugin {
    std::string file;
    void* handle = nullptr;
    IPlugIn* plugin = nullptr;
    PluginID id = kInvalidPlugin;
    ResourceSet resources;
    std::vector<ClassTableEntry> classTable;
    std::vector<ImplementationID> implementationList;
    Boss* serviceBoss = nullptr; // the start-up/shut-down service, once started
    std::map<uint16, std::map<std::u16string, std::u16string>> strings; // per language
};

class TimerImpl;

// One thing the host was asked to do, as it happens, for whoever records it:
// the tests compare the record with what they expect.
struct HostRequest {
    enum Kind {
        kScheduleCommand, // name, value = priority, object = the command
        kRunCommand,      // as kScheduleCommand (priority -1: executed at once)
        kAttachObserver,  // object = the subject, iid = the observer's, value = protocol
        kDetachObserver,  // as kAttachObserver
        kSetWindowStyle,  // window, value = the extended style
        kSetWindowAlpha,  // window, value = the layered alpha
    };
    Kind kind;
    std::string name;
    int64 value = 0;
    PMIID iid = 0;
    const IPMUnknown* object = nullptr;
    const void* window = nullptr;
};

// State that a layer above the core keeps for the life of the host (the
// world's description of palettes and panels, say), owned by the host.
class OPAL_SDK_API HostExtension {
public:
    virtual ~HostExtension() = default;
};

// How the host's utilities find widgets; the layer that owns the widgets
// answers (with a reference, or nullptr; the utilities count the fault).
struct WidgetLookup {
    std::function<IPMUnknown*(WidgetID widgetID)> panelByWidgetID;
    std::function<IPMUnknown*(const IPMUnknown* widget)> paletteOfWidget;
};

class OPAL_SDK_API Host {
public:
    static Host& Get();
    // Get without a call, for the host's own paths that the plug-in takes
    // many times a tick.
    static Host& Instance() { return sInstance ? *sInstance : Get(); }

    ObjectModel& Model() { return fModel; }
    Faults& GetFaults() { return fModel.GetFaults(); }

    // ---- Session ----------------------------------------------------------------
    // Creates the session object. Plug-ins are loaded into it next; then
    // StartApplication builds the workspace and application and runs the
    // start-up services.
    void BeginSession();
    bool LoadPlugin(const std::string& file, std::string* error);
    void StartApplication();
    // Shut-down services, the session's objects, Unload, module unload.
    void EndSession();
    bool InSession() const { return fSession != nullptr; }

    Boss* SessionBoss() const { return fSession; }
    Boss* WorkspaceBoss() const { return fWorkspace; }
    Boss* ApplicationBoss() const { return fApplication; }
    Database& UIDataBase() { return *fUIDataBase; }
    const std::vector<std::unique_ptr<LoadedPlugin>>& Plugins() const { return fPlugins; }
    // Translation of a string key in the current language, from the loaded
    // plug-ins' string tables.
    std::optional<std::u16string> TranslateKey(const std::u16string& key) const;
    uint16 Language() const { return fLanguage; }
    void SetLanguage(uint16 language) { fLanguage = language; }

    // Called while the workspace object is built and taken down: the
    // persistence layer reads and writes the workspace's persistent parts.
    std::function<void(Boss& workspace)> onWorkspaceCreated;
    std::function<void(Boss& workspace)> onWorkspaceClosing;
    // Called once a plug-in is loaded and its classes are known (the widget
    // layer registers the plug-in's panels).
    std::function<void(const LoadedPlugin& plugin)> onPluginLoaded;

    // ---- What the layers above the core provide ----------------------------------
    // Objects the application object hands out by interface (the panel and
    // palette registries), set by the layer that builds them.
    void SetApplicationPart(PMIID iid, Boss* boss);
    Boss* ApplicationPart(PMIID iid) const;
    WidgetLookup widgetLookup;
    // A layer's state under its name, or nullptr; AddExtension keeps it for
    // the life of the host.
    HostExtension* Extension(const std::string& name) const;
    HostExtension& AddExtension(const std::string& name, std::unique_ptr<HostExtension> extension);

    // ---- Commands ---------------------------------------------------------------
    ErrorCode Execute(ICommand* command, int32 priority);
    void Schedule(ICommand* command, int32 priority);
    // Runs queued commands until the queue is empty, as the host does when idle.
    void DrainCommands();
    size_t QueuedCommands() const { return fQueued; }
    // The executed commands are recorded only while someone reads them (a
    // test), and then only the latest `limit`; 0 stops and clears the record.
    void KeepCommandLog(size_t limit);
    const std::deque<CommandRecord>& CommandLog() const { return fCommandLog; }
    void ClearCommandLog() { fCommandLog.clear(); }
    // Receives "scheduled …" and "run …" lines while set.
    std::function<void(const std::string&)> trace;
    // Receives every request of the kinds above while set.
    std::function<void(const HostRequest&)> onRequest;
    void Report(const HostRequest& request) {
        if (onRequest)
            onRequest(request);
    }
    bool Reporting() const { return static_cast<bool>(onRequest); }

    // ---- Persistent data changes ----------------------------------------------------
    void RecordDirty(const IPMUnknown* object, ImplementationID implID, bool16 markModified);
    const std::vector<DirtyRecord>& DirtyLog() const { return fDirtyLog; }
    void ClearDirtyLog() { fDirtyLog.clear(); }

    // ---- Clock and timers -------------------------------------------------------
    int64 Now() const { return fNow; }
    // Advances the clock to the earliest armed timer and fires it; false when
    // no timer is armed.
    bool FireNextTimer();
    // The clock reading at which the next armed timer fires, or -1 when none is armed.
    int64 NextTimerDeadline() const;
    size_t ArmedTimers() const;
    size_t TimerObjects() const { return fTimers.size(); }
    void AddTimer(TimerImpl* timer) { fTimers.push_back(timer); }
    void RemoveTimer(TimerImpl* timer);

private:
    Host();
    static Host* sInstance;
    void ClearQueue();
    // Each layer's step, in rank order (reverse order on the way down).
    template <class Step> void ForEachLayer(Step step, bool down = false);

    ObjectModel fModel;
    std::unique_ptr<Database> fUIDataBase;
    Boss* fSession = nullptr;
    Boss* fWorkspace = nullptr;
    Boss* fApplication = nullptr;
    std::vector<std::unique_ptr<LoadedPlugin>> fPlugins;
    uint16 fLanguage = 1;
    std::map<PMIID, Boss*> fApplicationParts;
    std::map<std::string, std::unique_ptr<HostExtension>> fExtensions;

    // The queue: one first-in, first-out run per priority, the highest
    // priority last, so that taking the next command costs the same however
    // many are waiting. A run's commands sit in `commands` from `next` on.
    struct Run {
        int32 priority;
        size_t next;
        std::vector<ICommand*> commands;
    };
    Run& RunFor(int32 priority);
    ICommand* TakeNext(int32* priority);
    std::vector<Run> fQueue;
    size_t fQueued = 0;
    std::deque<CommandRecord> fCommandLog;
    size_t fCommandLogLimit = 0;

    std::vector<DirtyRecord> fDirtyLog;
    int64 fNow = 0;
    std::vector<TimerImpl*> fTimers;
};

} // namespace host
