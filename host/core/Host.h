// The stand-in host: one object model, one session at a time with its
// workspace and application objects, the loaded plug-ins, the command queue,
// the host clock that drives timers, and the layers above the core with
// their state (the world, the widgets and plug-in panels, actions and menus,
// dialogs, alerts: core/Layer.h).
//
// A Host is a context, owned by whoever runs sessions in it: opalhost's
// Session, or a test's fixture, and passed, not reached: every object knows
// its host through its object model (Boss::GetHost, HostOf), a command
// through its context. Only the SDK's free functions, which the plug-in
// calls with no host in hand, find the current host (SdkEntryPoints.cpp).
// Building a host makes it current and ending it makes the one before
// current again. Nothing else is kept for the process: a test's fresh host
// is a fresh context, and what a client hears of a host (channels) or lends
// it (services) is that host's alone (core/Channel.h).
//
//   Host host;                        // current from here on
//   World& world = host.Get<World>(); // a layer's state, by its slot
//   host.BeginSession(); host.LoadPlugin(file, &error); host.StartApplication();
//   …
//   host.EndSession();                // the world's description stays
#pragma once

#include "Channel.h"
#include "ICommand.h"
#include "IPlugIn.h"
#include "ITimer.h"
#include "Layer.h"
#include "ObjectModel.h"
#include "WindowSystem.h"
#include "resources/Resources.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
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

// One line of the command trace: "scheduled …" or "run …".
struct TraceLine {
    std::string text;
};

// The plug-in asked the system to open a web page or document (ShellExecuteA):
// nothing is opened by the host itself.
struct ShellExecuteRequest {
    std::string verb;
    std::string file;
    int show;
};

// A file written atomically is complete in its temporary file and about to be
// renamed over the real one: a test may end the process at that moment.
struct FileRenaming {
    std::string tempFile;
};

class OPAL_SDK_API Host {
public:
    // Builds the host with its layers and makes it the current host.
    Host();
    // Ends a session still running, takes the layers down and makes the host
    // that was current before current again.
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The host in which the SDK's free entry points run; there must be one.
    // Only those entry points ask (the host is passed everywhere else).
    static Host& Current() { return *sCurrent; }
    // The current host, or nullptr, for an entry point that may run with none.
    static Host* Running() { return sCurrent; }

    ObjectModel& Model() { return fModel; }
    // The window system the host's windows are in.
    WindowSystem& Windows() { return fWindows; }
    const WindowSystem& Windows() const { return fWindows; }
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

    // ---- Layers (core/Layer.h) -----------------------------------------------------
    static constexpr size_t kSlots = 8;
    // Keeps the layer for the life of the host, after those added before, in
    // its slot T::kSlot (CreateLayers adds them all, from their one list);
    // std::logic_error when that slot is taken.
    template <class T> T& AddLayer(std::unique_ptr<T> layer) {
        static_assert(std::is_base_of<Layer, T>::value, "a layer");
        static_assert(T::kSlot < kSlots, "a slot of the host's");
        T& added = *layer;
        AddLayer(std::move(layer), T::kSlot);
        return added;
    }
    // The state of the layer in T::kSlot (a layer of this host's).
    template <class T> T& Get() const { return static_cast<T&>(*fSlots[T::kSlot]); }
    // A client takes the layers' steps too until it leaves (after the host's
    // own layers, in the order joined).
    void Join(Layer& listener);
    void Leave(Layer& listener);
    // Joined while it lives.
    class Listening {
    public:
        Listening(Host& host, Layer& listener) : fHost(host), fListener(listener) {
            host.Join(listener);
        }
        ~Listening() { fHost.Leave(fListener); }
        Listening(const Listening&) = delete;
        Listening& operator=(const Listening&) = delete;

    private:
        Host& fHost;
        Layer& fListener;
    };
    // Runs a step over the layers, then the listeners (Down: the other way).
    template <class... Params, class... Args>
    void Notify(void (Layer::*step)(Params...), Args&&... args) {
        for (size_t i = 0; i < fLayers.size(); ++i)
            ((*fLayers[i]).*step)(args...);
        for (size_t i = 0; i < fListeners.size(); ++i)
            (fListeners[i]->*step)(args...);
    }
    template <class... Params, class... Args>
    void NotifyDown(void (Layer::*step)(Params...), Args&&... args) {
        for (size_t i = fListeners.size(); i-- > 0;)
            (fListeners[i]->*step)(args...);
        for (size_t i = fLayers.size(); i-- > 0;)
            ((*fLayers[i]).*step)(args...);
    }
    // The first layer's answer (with a reference), or nullptr.
    IPMUnknown* QueryPanelByWidgetID(WidgetID widgetID) const;
    IPMUnknown* QueryPaletteOfWidget(const IPMUnknown* widget) const;

    // Objects the application object hands out by interface (the panel and
    // palette registries), set by the layer that builds them.
    void SetApplicationPart(PMIID iid, Boss* boss);
    Boss* ApplicationPart(PMIID iid) const;

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
    // "scheduled …" and "run …" lines, to those who subscribe.
    Channel<TraceLine> traceLines;
    // Every request of the kinds above, to those who subscribe.
    Channel<HostRequest> requests;
    void Report(const HostRequest& request) { requests.Publish(request); }
    bool Reporting() const { return requests.HasSubscribers(); }
    bool Tracing() const { return traceLines.HasSubscribers(); }
    void Trace(const std::string& text) { traceLines.Publish({text}); }

    // ---- What the host hears of the system's files and shell -------------------------
    Channel<ShellExecuteRequest> shellExecute;
    Channel<FileRenaming> renaming;

    // ---- Persistent data changes ----------------------------------------------------
    void RecordDirty(const IPMUnknown* object, ImplementationID implID, bool16 markModified);
    const std::vector<DirtyRecord>& DirtyLog() const { return fDirtyLog; }
    void ClearDirtyLog() { fDirtyLog.clear(); }

    // ---- Clock and timers -------------------------------------------------------
    int64 Now() const { return fNow; }
    // Moves the clock on to `when` (never back) without firing anything.
    void AdvanceClockTo(int64 when) {
        if (when > fNow)
            fNow = when;
    }
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
    static Host* sCurrent;
    void AddLayer(std::unique_ptr<Layer> layer, size_t slot);
    void ClearQueue();
    bool LoadResources(LoadedPlugin& plugin, std::string* reason);
    void DefinePluginClasses(const LoadedPlugin& plugin);
    void StartServices();
    void UnloadPlugins();

    Host* fPrevious;
    WindowSystem fWindows;
    ObjectModel fModel;
    std::unique_ptr<Database> fUIDataBase;
    Boss* fSession = nullptr;
    Boss* fWorkspace = nullptr;
    Boss* fApplication = nullptr;
    std::vector<std::unique_ptr<LoadedPlugin>> fPlugins;
    uint16 fLanguage = 1;
    std::map<PMIID, Boss*> fApplicationParts;
    std::vector<std::unique_ptr<Layer>> fLayers;
    Layer* fSlots[kSlots] = {};
    std::vector<Layer*> fListeners;

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
