#include "Host.h"

#include "HostClasses.h"
#include "IServiceProvider.h"
#include "ISession.h"
#include "Module.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace host {

Host* Host::sCurrent = nullptr;

Host::Host() : fPrevious(sCurrent), fModel(this), fUIDataBase(std::make_unique<Database>(fModel)) {
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
    if (fSlots[slot])
        throw std::logic_error("two layers in slot " + std::to_string(slot));
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

void Host::StartApplication() {
    fWorkspace = fModel.CreateBoss(kWorkspaceBoss);
    fApplication = fModel.CreateBoss(kApplicationBoss);
    if (fWorkspace)
        Notify(&Layer::WorkspaceCreated, *fWorkspace);
    Notify(&Layer::ApplicationCreated);
    StartServices();
    // The host's palette windows come up with the application, after the
    // services have started, as the window list reports them.
    Notify(&Layer::ApplicationStarted);
}

// Start-up services: a class of a plug-in whose service provider announces
// the start-up/shut-down service.
void Host::StartServices() {
    for (auto& p : fPlugins) {
        for (const ClassTableEntry& entry : p->classTable) {
            const bool provides =
                std::any_of(entry.pairs.begin(), entry.pairs.end(),
                            [](const auto& pair) { return pair.first == IID_ISERVICEPROVIDER; });
            if (entry.kind != kNewClass || !provides)
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

    UnloadPlugins();
    if (fSession)
        std::exchange(fSession, nullptr)->Release();
    fDirtyLog.clear();
}

// Each plug-in's Unload, then its module goes (last loaded first).
void Host::UnloadPlugins() {
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
}

void Host::RecordDirty(const IPMUnknown* object, ImplementationID implID, bool16 markModified) {
    fDirtyLog.push_back({fModel.BossOf(object), object, implID, markModified});
}

} // namespace host
