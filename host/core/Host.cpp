#include "Host.h"

#include "HostClasses.h"
#include "IServiceProvider.h"
#include "ISession.h"
#include "Module.h"
#include "Text.h"

#include <algorithm>
#include <cstdio>

namespace host {

Host* Host::sCurrent = nullptr;

Host::Host() : fPrevious(sCurrent), fUIDataBase(std::make_unique<Database>(fModel)) {
    sCurrent = this;
    DefineHostClasses(fModel);
    CreateLayers(*this);
    for (auto& layer : fLayers)
        layer->DefineClasses(fModel);
}

Host::~Host() {
    if (InSession())
        EndSession();
    fListeners.clear();
    // The last layer first, each gone from the list before it ends, so that
    // what it reports on its way out reaches only the layers below it.
    while (!fLayers.empty()) {
        std::unique_ptr<Layer> layer = std::move(fLayers.back());
        fLayers.pop_back();
        for (Layer*& slot : fSlots)
            if (slot == layer.get())
                slot = nullptr;
        layer.reset();
    }
    ClearQueue();
    sCurrent = fPrevious;
}

void Host::AddLayer(std::unique_ptr<Layer> layer, size_t slot) {
    if (slot != kNoSlot)
        fSlots[slot] = layer.get();
    fLayers.push_back(std::move(layer));
}

void Host::Join(Layer& listener) {
    fListeners.push_back(&listener);
}

void Host::Leave(Layer& listener) {
    fListeners.erase(std::remove(fListeners.begin(), fListeners.end(), &listener),
                     fListeners.end());
}

IPMUnknown* Host::QueryPanelByWidgetID(WidgetID widgetID) const {
    for (const auto& layer : fLayers)
        if (IPMUnknown* found = layer->QueryPanelByWidgetID(widgetID))
            return found;
    return nullptr;
}

IPMUnknown* Host::QueryPaletteOfWidget(const IPMUnknown* widget) const {
    for (const auto& layer : fLayers)
        if (IPMUnknown* found = layer->QueryPaletteOfWidget(widget))
            return found;
    return nullptr;
}

void Host::SetApplicationPart(PMIID iid, Boss* boss) {
    if (boss)
        fApplicationParts[iid] = boss;
    else
        fApplicationParts.erase(iid);
}

Boss* Host::ApplicationPart(PMIID iid) const {
    auto it = fApplicationParts.find(iid);
    return it == fApplicationParts.end() ? nullptr : it->second;
}

void Host::BeginSession() {
    if (fSession)
        EndSession();
    fSession = fModel.CreateBoss(kSessionBoss);
}

namespace {

std::string Describe(const std::string& file, const std::string& what) {
    return file + ": " + what;
}

} // namespace

bool Host::LoadPlugin(const std::string& file, std::string* error) {
    std::string reason;
    void* handle = OpenModule(file, &reason);
    if (!handle) {
        *error = Describe(file, "cannot be loaded: " + reason);
        return false;
    }
    auto getPlugIn = reinterpret_cast<GetPlugInFn>(FindSymbol(handle, kGetPlugInSymbol));
    if (!getPlugIn) {
        CloseModule(handle);
        *error = Describe(file, "no GetPlugIn export");
        return false;
    }
    IPlugIn* plugin = getPlugIn();
    if (!plugin) {
        CloseModule(handle);
        *error = Describe(file, "GetPlugIn returned no plug-in object");
        return false;
    }

    auto loaded = std::make_unique<LoadedPlugin>();
    loaded->file = file;
    loaded->handle = handle;
    loaded->plugin = plugin;
    fPlugins.push_back(std::move(loaded));
    LoadedPlugin& p = *fPlugins.back();

    auto* session = fSession->PeekAs<ISession>(IID_ISESSION);
    plugin->Load(session);
    plugin->Register(0, session);

    auto refuse = [&](const std::string& what) {
        plugin->Unload();
        fModel.RemoveOrigin(file);
        fPlugins.pop_back();
        CloseModule(handle);
        *error = Describe(file, what);
        return false;
    };

    const IDFile resourceFile = plugin->GetResourceFile();
    if (resourceFile.IsEmpty())
        return refuse("the plug-in names no resource file");
    std::optional<ResourceSet> resources =
        ResourceSet::FromModuleFile(WideToUTF8(resourceFile.GetTString()), &reason);
    if (!resources)
        return refuse("damaged resources: " + reason);
    p.resources = std::move(*resources);

    // Every record of the kinds the host interprets counts, whatever its ID.
    const auto classTables = p.resources.OfType(kClassTableRsrcType);
    const auto implLists = p.resources.OfType(kImplementationListRsrcType);
    const auto versions = p.resources.OfType(kPluginVersionRsrcType);
    if (classTables.empty() || implLists.empty() || versions.empty())
        return refuse("damaged resources: missing class table, implementation list or version");
    for (const Bytes* bytes : classTables) {
        auto classes = DecodeClassTable(*bytes);
        if (!classes)
            return refuse("damaged resources: unreadable class table");
        p.classTable.insert(p.classTable.end(), classes->begin(), classes->end());
    }
    for (const Bytes* bytes : implLists) {
        auto ids = DecodeImplementationList(*bytes);
        if (!ids)
            return refuse("damaged resources: unreadable implementation list");
        p.implementationList.insert(p.implementationList.end(), ids->begin(), ids->end());
    }
    std::optional<PluginVersion> pluginVersion;
    for (const Bytes* bytes : versions) {
        auto version = DecodePluginVersion(*bytes);
        if (!version)
            return refuse("damaged resources: unreadable version");
        if (pluginVersion && pluginVersion->plugin != version->plugin)
            return refuse("damaged resources: version records name different plug-ins");
        pluginVersion = std::move(version);
    }
    p.id = pluginVersion->plugin;
    plugin->SetPluginID(p.id);

    for (const ClassTableEntry& entry : p.classTable) {
        if (entry.kind == 1)
            fModel.DefineClass(entry.boss, entry.parent, entry.pairs, file);
        else
            fModel.AddIns(entry.boss, entry.pairs, file);
    }
    Notify(&Layer::PluginLoaded, static_cast<const LoadedPlugin&>(p));
    return true;
}

void Host::StartApplication() {
    fWorkspace = fModel.CreateBoss(kWorkspaceBoss);
    fApplication = fModel.CreateBoss(kApplicationBoss);
    if (fWorkspace)
        Notify(&Layer::WorkspaceCreated, *fWorkspace);
    Notify(&Layer::ApplicationCreated);

    // Start-up services: a class of the plug-in whose service provider
    // announces the start-up/shut-down service.
    for (auto& p : fPlugins) {
        for (const ClassTableEntry& entry : p->classTable) {
            const bool provides =
                std::any_of(entry.pairs.begin(), entry.pairs.end(),
                            [](const auto& pair) { return pair.first == IID_ISERVICEPROVIDER; });
            if (entry.kind != 1 || !provides)
                continue;
            Boss* boss = fModel.CreateBoss(entry.boss);
            if (!boss)
                continue;
            auto* provider = boss->PeekAs<IK2ServiceProvider>(IID_ISERVICEPROVIDER);
            K2Vector<ServiceID> services;
            if (provider)
                provider->GetServiceIDs(services);
            auto* service = boss->PeekAs<IStartupShutdownService>(IID_ISTARTUPSHUTDOWN);
            if (!service || std::find(services.begin(), services.end(), kStartupShutdownService) ==
                                services.end()) {
                boss->Release();
                continue;
            }
            p->serviceBoss = boss;
            service->Startup();
        }
    }
    // The host's palette windows come up with the application, after the
    // services have started, as the window list reports them.
    Notify(&Layer::ApplicationStarted);
}

void Host::EndSession() {
    for (auto& p : fPlugins) {
        if (!p->serviceBoss)
            continue;
        if (auto* service = p->serviceBoss->PeekAs<IStartupShutdownService>(IID_ISTARTUPSHUTDOWN))
            service->Shutdown();
        std::exchange(p->serviceBoss, nullptr)->Release();
    }
    ClearQueue();
    if (fWorkspace)
        Notify(&Layer::WorkspaceClosing, *fWorkspace);
    NotifyDown(&Layer::ApplicationEnding);
    fUIDataBase->Clear();
    if (fApplication)
        std::exchange(fApplication, nullptr)->Release();
    if (fWorkspace)
        std::exchange(fWorkspace, nullptr)->Release();

    while (!fPlugins.empty()) {
        LoadedPlugin& p = *fPlugins.back();
        p.plugin->Unload();
        // An object still built from the module's code would crash once the
        // module is gone: keep such a module loaded and say so.
        size_t leaked = 0;
        for (const LiveObject& live : fModel.LiveObjects())
            for (const Boss::Part& part : live.boss->Parts())
                if (part.record->origin == p.file) {
                    ++leaked;
                    break;
                }
        fModel.RemoveOrigin(p.file);
        if (leaked)
            std::fprintf(stderr,
                         "warning: %s: %zu objects still alive at unload; module kept loaded\n",
                         p.file.c_str(), leaked);
        else
            CloseModule(p.handle);
        fPlugins.pop_back();
    }
    if (fSession)
        std::exchange(fSession, nullptr)->Release();
    fDirtyLog.clear();
}

std::optional<std::u16string> Host::TranslateKey(const std::u16string& key) const {
    for (const auto& p : fPlugins) {
        auto cached = p->strings.find(fLanguage);
        if (cached == p->strings.end()) {
            std::map<std::u16string, std::u16string> table;
            for (const auto& [rkey, bytes] : p->resources.All()) {
                if (rkey.type != kLocaleIndexRsrcType)
                    continue;
                auto index = DecodeLocaleIndex(bytes);
                if (!index || index->indexedType != kStringTableRsrcType)
                    continue;
                auto tableID = index->Resolve(fLanguage);
                const Bytes* tableBytes =
                    tableID ? p->resources.Find(kStringTableRsrcType, *tableID) : nullptr;
                auto strings = tableBytes ? DecodeStringTable(*tableBytes) : std::nullopt;
                if (!strings)
                    continue;
                for (const auto& [k, text] : strings->pairs)
                    table.emplace(Windows1252ToUTF16(k), Windows1252ToUTF16(text));
            }
            cached = p->strings.emplace(fLanguage, std::move(table)).first;
        }
        auto found = cached->second.find(key);
        if (found != cached->second.end())
            return found->second;
    }
    return std::nullopt;
}

// ---- Commands -------------------------------------------------------------------

namespace {

std::string NameOf(ICommand* command) {
    PMString* name = command->CreateName();
    std::string text = name ? name->GetUTF8String() : std::string();
    delete name;
    return text;
}

} // namespace

ErrorCode Host::Execute(ICommand* command, int32 priority) {
    if (!command)
        return kFailure;
    command->SetUpTarget();
    // A command's name is made only for someone who reads it.
    const bool named = trace || onRequest || fCommandLogLimit != 0;
    const std::string name = named ? NameOf(command) : std::string();
    const bool runnable = command->GetCommandState() == ICommand::kNotDone;
    if (trace)
        trace("run \"" + name + "\"");
    if (Reporting())
        Report({HostRequest::kRunCommand, name, priority, 0, command});
    command->Do();
    command->DoNotify();
    if (runnable)
        command->SetCommandState(ICommand::kDone);
    if (fCommandLogLimit != 0) {
        if (fCommandLog.size() >= fCommandLogLimit)
            fCommandLog.pop_front();
        const Boss* boss = fModel.BossOf(command);
        fCommandLog.push_back({boss ? boss->Class() : kInvalidClass, name, command->GetTarget(),
                               command->GetUndoability(), priority, runnable});
    }
    return runnable ? kSuccess : kFailure;
}

void Host::KeepCommandLog(size_t limit) {
    fCommandLogLimit = limit;
    while (fCommandLog.size() > limit)
        fCommandLog.pop_front();
}

Host::Run& Host::RunFor(int32 priority) {
    // Few priorities are in use at a time: the runs stay few, ascending.
    auto it = std::lower_bound(fQueue.begin(), fQueue.end(), priority,
                               [](const Run& run, int32 p) { return run.priority < p; });
    if (it == fQueue.end() || it->priority != priority) {
        // Runs left empty by priorities no longer in use go first.
        if (fQueue.size() >= 16) {
            fQueue.erase(std::remove_if(fQueue.begin(), fQueue.end(),
                                        [](const Run& run) { return run.commands.empty(); }),
                         fQueue.end());
            it = std::lower_bound(fQueue.begin(), fQueue.end(), priority,
                                  [](const Run& run, int32 p) { return run.priority < p; });
        }
        it = fQueue.insert(it, Run{priority, 0, {}});
    }
    return *it;
}

ICommand* Host::TakeNext(int32* priority) {
    for (auto run = fQueue.rbegin(); run != fQueue.rend(); ++run) {
        if (run->next == run->commands.size())
            continue;
        ICommand* command = run->commands[run->next++];
        if (run->next == run->commands.size()) {
            run->commands.clear();
            run->next = 0;
        } else if (run->next >= 64 && run->next * 2 >= run->commands.size()) {
            // A run that never empties is moved up now and then, so that it
            // keeps only what still waits.
            run->commands.erase(run->commands.begin(),
                                run->commands.begin() + static_cast<ptrdiff_t>(run->next));
            run->next = 0;
        }
        --fQueued;
        *priority = run->priority;
        return command;
    }
    return nullptr;
}

void Host::Schedule(ICommand* command, int32 priority) {
    command->AddRef();
    RunFor(priority).commands.push_back(command);
    ++fQueued;
    if (!trace && !onRequest)
        return;
    const std::string name = NameOf(command);
    if (trace)
        trace("scheduled \"" + name + "\" priority " + std::to_string(priority));
    Report({HostRequest::kScheduleCommand, name, priority, 0, command});
}

void Host::DrainCommands() {
    // A command may schedule more; a runaway chain is cut off rather than hang the host.
    constexpr size_t kLimit = 1000000;
    size_t ran = 0;
    int32 priority = 0;
    while (ICommand* command = TakeNext(&priority)) {
        if (++ran > kLimit) {
            std::fprintf(stderr, "warning: command queue still busy after %zu commands; dropped\n",
                         kLimit);
            command->Release();
            ClearQueue();
            return;
        }
        Execute(command, priority);
        command->Release();
    }
}

void Host::ClearQueue() {
    std::vector<Run> queue;
    queue.swap(fQueue);
    fQueued = 0;
    for (Run& run : queue)
        for (size_t i = run.next; i < run.commands.size(); ++i)
            run.commands[i]->Release();
}

void Host::RecordDirty(const IPMUnknown* object, ImplementationID implID, bool16 markModified) {
    fDirtyLog.push_back({fModel.BossOf(object), object, implID, markModified});
}

} // namespace host

// ---- SDK entry points -------------------------------------------------------------

using host::Host;

void Dirty(const IPMUnknown* object, ImplementationID implID, bool16 markModified) {
    Host::Current().RecordDirty(object, implID, markModified);
}

namespace CmdUtils {

ICommand* CreateCommand(ClassID commandClass) {
    Host& host = Host::Current();
    if (!host.GetFaults().Acquire())
        return nullptr;
    host::Boss* boss = host.Model().CreateBoss(commandClass);
    if (!boss)
        return nullptr;
    auto* command = static_cast<ICommand*>(boss->QueryInternal(IID_ICOMMAND));
    boss->Release();
    return command;
}

ErrorCode ExecuteCommand(ICommand* command) {
    return Host::Current().Execute(command, -1);
}

ErrorCode ScheduleCommand(ICommand* command, int32 priority) {
    if (!command)
        return kFailure;
    Host::Current().Schedule(command, priority);
    return kSuccess;
}

} // namespace CmdUtils
