// Loading a plug-in module: its entry point, Load and Register, then its
// resources (class tables, implementation lists, version), whose classes
// join the object model. A module that cannot be used is unloaded again and
// named in a one-line reason.
#include "Host.h"

#include "ISession.h"
#include "Module.h"
#include "Text.h"

namespace host {

namespace {

std::string Describe(const std::string& file, const std::string& what) {
    return file + ": " + what;
}

// The plug-in object of the module, or nullptr with the reason.
IPlugIn* PlugInOf(void* handle, std::string* reason) {
    auto getPlugIn = reinterpret_cast<GetPlugInFn>(FindSymbol(handle, kGetPlugInSymbol));
    if (!getPlugIn) {
        *reason = "no GetPlugIn export";
        return nullptr;
    }
    IPlugIn* plugin = getPlugIn();
    if (!plugin)
        *reason = "GetPlugIn returned no plug-in object";
    return plugin;
}

// Decodes every record of one type into `out`; false at the first damaged one.
template <class T, class Decode>
bool DecodeAll(const std::vector<const Bytes*>& records, Decode decode, std::vector<T>& out) {
    for (const Bytes* bytes : records) {
        auto decoded = decode(*bytes);
        if (!decoded)
            return false;
        out.insert(out.end(), decoded->begin(), decoded->end());
    }
    return true;
}

} // namespace

bool Host::LoadPlugin(const std::string& file, std::string* error) {
    std::string reason;
    void* handle = OpenModule(file, &reason);
    if (!handle) {
        *error = Describe(file, "cannot be loaded: " + reason);
        return false;
    }
    IPlugIn* plugin = PlugInOf(handle, &reason);
    if (!plugin) {
        CloseModule(handle);
        *error = Describe(file, reason);
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

    if (!LoadResources(p, &reason)) {
        plugin->Unload();
        fModel.RemoveOrigin(file);
        fPlugins.pop_back();
        CloseModule(handle);
        *error = Describe(file, reason);
        return false;
    }
    plugin->SetPluginID(p.id);
    DefinePluginClasses(p);
    Notify(&Layer::PluginLoaded, static_cast<const LoadedPlugin&>(p));
    return true;
}

bool Host::LoadResources(LoadedPlugin& p, std::string* reason) {
    const IDFile resourceFile = p.plugin->GetResourceFile();
    if (resourceFile.IsEmpty()) {
        *reason = "the plug-in names no resource file";
        return false;
    }
    std::string why;
    std::optional<ResourceSet> resources =
        ResourceSet::FromModuleFile(WideToUTF8(resourceFile.GetTString()), &why);
    const auto damaged = [reason](const std::string& what) {
        *reason = "damaged resources: " + what;
        return false;
    };
    if (!resources)
        return damaged(why);
    p.resources = std::move(*resources);

    // Every record of the kinds the host interprets counts, whatever its ID.
    const auto classTables = p.resources.OfType(kClassTableRsrcType);
    const auto implLists = p.resources.OfType(kImplementationListRsrcType);
    const auto versions = p.resources.OfType(kPluginVersionRsrcType);
    if (classTables.empty() || implLists.empty() || versions.empty())
        return damaged("missing class table, implementation list or version");
    if (!DecodeAll(classTables, DecodeClassTable, p.classTable))
        return damaged("unreadable class table");
    if (!DecodeAll(implLists, DecodeImplementationList, p.implementationList))
        return damaged("unreadable implementation list");
    std::optional<PluginVersion> pluginVersion;
    for (const Bytes* bytes : versions) {
        auto version = DecodePluginVersion(*bytes);
        if (!version)
            return damaged("unreadable version");
        if (pluginVersion && pluginVersion->plugin != version->plugin)
            return damaged("version records name different plug-ins");
        pluginVersion = std::move(version);
    }
    p.id = pluginVersion->plugin;
    return true;
}

void Host::DefinePluginClasses(const LoadedPlugin& p) {
    for (const ClassTableEntry& entry : p.classTable) {
        if (entry.kind == kNewClass)
            fModel.DefineClass(entry.boss, entry.parent, entry.pairs, p.file);
        else
            fModel.AddIns(entry.boss, entry.pairs, p.file);
    }
}

} // namespace host
