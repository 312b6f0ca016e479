// Loading and unloading the module: the entry point, registration and refusal
// of modules the host cannot use.
#include "HostTestSupport.h"
#include "IPlugIn.h"
#include "IServiceProvider.h"
#include "ISession.h"
#include "ITimer.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "core/Module.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

using host::Host;
using testing_support::HostSessionTest;

namespace {

std::vector<char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string WriteTemp(const std::string& name, const std::vector<char>& bytes) {
    const auto path = testing_support::ScratchPath(name);
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

std::string LoadError(Host& host, const std::string& file) {
    host.BeginSession();
    std::string error;
    const bool loaded = host.LoadPlugin(file, &error);
    host.EndSession();
    return loaded ? "(loaded)" : error;
}

} // namespace

TEST_F(HostSessionTest, GetPlugIn_CalledTwice_ReturnsTheSameObject) {
    const host::LoadedPlugin& loaded = *TheHost().Plugins().front();
    auto getPlugIn =
        reinterpret_cast<GetPlugInFn>(host::FindSymbol(loaded.handle, kGetPlugInSymbol));
    ASSERT_NE(getPlugIn, nullptr);
    EXPECT_EQ(getPlugIn(), getPlugIn());
    EXPECT_EQ(getPlugIn(), loaded.plugin);
    EXPECT_EQ(loaded.plugin->GetPluginID(), kOpalPluginID);
    EXPECT_EQ(loaded.plugin->IsRequired(), kFalse);
    EXPECT_EQ(loaded.plugin->CanUnload(), kTrue);
}

TEST_F(HostSessionTest, ResourceFile_IsTheModuleItself) {
    const IDFile file = TheHost().Plugins().front()->plugin->GetResourceFile();
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::path(file.GetTString()),
                                            std::filesystem::path(OPAL_PLUGIN_PATH)));
}

TEST_F(HostSessionTest, Registration_EveryImplementationOfTheIDListOnce) {
    const host::LoadedPlugin& loaded = *TheHost().Plugins().front();
    const std::vector<ImplementationID> registered = TheHost().Model().RegisteredImpls(loaded.file);
    const std::set<ImplementationID> unique(registered.begin(), registered.end());
    EXPECT_EQ(unique.size(), registered.size());
    // Every registered implementation stands exactly once in the ID list.
    for (ImplementationID id : registered)
        EXPECT_EQ(
            std::count(loaded.implementationList.begin(), loaded.implementationList.end(), id), 1)
            << std::hex << id;
    // Every implementation the class table names is in the list.
    for (const host::ClassTableEntry& entry : loaded.classTable) {
        for (const auto& [iid, impl] : entry.pairs) {
            if (impl >= kOpalPluginID && impl < kOpalPluginID + 0x100) {
                EXPECT_EQ(std::count(loaded.implementationList.begin(),
                                     loaded.implementationList.end(), impl),
                          1)
                    << std::hex << impl;
            }
        }
    }
}

TEST_F(HostSessionTest, ServiceProvider_AnnouncesOnlyStartupShutdown) {
    InterfacePtr<IK2ServiceProvider> provider(static_cast<IK2ServiceProvider*>(
        CreateObject(kOpalStartupShutdownBoss, IID_ISERVICEPROVIDER)));
    ASSERT_TRUE(provider);
    K2Vector<ServiceID> ids;
    provider->GetServiceIDs(ids);
    EXPECT_EQ(ids, K2Vector<ServiceID>{kStartupShutdownService});
    PMString name;
    provider->GetName(&name);
    EXPECT_EQ(name.GetUTF8String(), "Opal Responder Service");
    EXPECT_EQ(provider->GetServiceID(), 0u);
}

TEST_F(HostSessionTest, IDsFromTheWrongSpace_FindNothing) {
    // 0xc9264 is the About dialog's boss, the panel's widget ID and an action ID:
    // as an interface ID on the workspace it names nothing.
    InterfacePtr<IPMUnknown> asInterface(TheHost().WorkspaceBoss(), kOpalPanelWidgetID);
    EXPECT_FALSE(asInterface);
    // A widget ID where a boss is expected builds nothing of the panel's.
    InterfacePtr<IPMUnknown> notThePanel(CreateObject(kOpalPanelWidgetID, IID_ICONTROLVIEW));
    EXPECT_NE(GetClass(notThePanel.get()), kOpalPanelWidgetBoss);
    // An implementation ID is no class.
    InterfacePtr<IPMUnknown> noClass(CreateObject(kOpalOptionsImpl, kOpalOptionsIID));
    EXPECT_FALSE(noClass);
}

TEST(Loading, UnloadingEndsEverySessionObject) {
    Host context;
    {
        host::Session session({OPAL_PLUGIN_PATH, ""}, context);
        std::string error;
        ASSERT_TRUE(session.Start(&error)) << error;
        // Each object is held by its owner alone once start-up is done.
        for (const host::LiveObject& live : context.Model().LiveObjects())
            EXPECT_EQ(live.refCount, 1) << "class 0x" << std::hex << live.classID;
    }
    EXPECT_TRUE(context.Model().LiveObjects().empty());
    EXPECT_TRUE(context.Model().RegisteredImpls(OPAL_PLUGIN_PATH).empty());
    EXPECT_EQ(context.TimerObjects(), 0u);
}

TEST(Loading, ModuleWithoutEntryPoint_IsRefusedWithOneLine) {
    Host context;
    const std::string error = LoadError(context, OPAL_NOENTRY_PATH);
    EXPECT_EQ(error, std::string(OPAL_NOENTRY_PATH) + ": no GetPlugIn export");
    EXPECT_TRUE(context.Plugins().empty());
}

TEST(Loading, MissingOrDamagedModule_IsRefusedNamingTheFile) {
    Host context;
    const std::string missing = LoadError(context, "/nonexistent/Opal.pln");
    EXPECT_EQ(missing.rfind("/nonexistent/Opal.pln: cannot be loaded", 0), 0u) << missing;

    // The same module with its resource archive damaged.
    std::vector<char> bytes = ReadFile(OPAL_PLUGIN_PATH);
    const std::string magic = "OPALRES1";
    auto at = std::search(bytes.begin(), bytes.end(), magic.begin(), magic.end());
    ASSERT_NE(at, bytes.end());
    *(at + 7) = '9';
    const std::string damaged = WriteTemp("opal-damaged-resources.pln", bytes);
    const std::string error = LoadError(context, damaged);
    EXPECT_EQ(error.rfind(damaged + ": damaged resources: ", 0), 0u) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_TRUE(context.Model().RegisteredImpls(damaged).empty());
    EXPECT_TRUE(context.Model().LiveObjects().empty());
    std::filesystem::remove(damaged);
}
