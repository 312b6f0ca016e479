#include "HostTestSupport.h"

#include "InterfacePtr.h"
#include "OpalID.h"
#include "Platform.h"
#include "model/IOpalAlphaData.h"
#include "model/IOpalOptions.h"
#include "script/ScriptRunner.h"

#include <sstream>

namespace testing_support {

std::filesystem::path ScratchPath(const std::string& name) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path given(name);
    return std::filesystem::temp_directory_path() /
           ("opal-" + given.stem().string() + "-" + std::to_string(ProcessId()) + "-" +
            (test ? test->name() : "none") + given.extension().string());
}

RefSnapshot RefSnapshot::Take(host::Host& host) {
    RefSnapshot s;
    s.host = &host;
    for (const host::LiveObject& live : host.Model().LiveObjects())
        s.counts[live.boss] = live.refCount;
    return s;
}

::testing::AssertionResult SameReferences(const RefSnapshot& before, const RefSnapshot& after) {
    std::ostringstream problems;
    for (const auto& [boss, count] : after.counts) {
        auto it = before.counts.find(boss);
        if (it == before.counts.end())
            problems << "new object of class 0x" << std::hex << boss->Class() << std::dec
                     << " alive with " << count << " references\n";
        else if (it->second != count)
            problems << "object of class 0x" << std::hex << boss->Class() << std::dec << " has "
                     << count << " references, had " << it->second << "\n";
    }
    if (problems.str().empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << problems.str();
}

ClassSnapshot ClassSnapshot::Take(host::Host& host) {
    ClassSnapshot s;
    s.host = &host;
    for (const host::LiveObject& live : host.Model().LiveObjects()) {
        Count& count = s.counts[live.classID];
        ++count.objects;
        count.references += live.refCount;
    }
    return s;
}

::testing::AssertionResult SameClassReferences(const ClassSnapshot& before,
                                               const ClassSnapshot& after) {
    std::ostringstream problems;
    std::map<ClassID, std::pair<ClassSnapshot::Count, ClassSnapshot::Count>> both;
    for (const auto& [cls, count] : before.counts)
        both[cls].first = count;
    for (const auto& [cls, count] : after.counts)
        both[cls].second = count;
    for (const auto& [cls, counts] : both)
        if (!(counts.first == counts.second))
            problems << "class 0x" << std::hex << cls << std::dec << ": " << counts.second.objects
                     << " objects with " << counts.second.references << " references, had "
                     << counts.first.objects << " with " << counts.first.references << "\n";
    if (problems.str().empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << problems.str();
}

namespace {

ScriptResult Run(host::Session& session, const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out, err;
    host::ScriptContext context{session, out, err};
    const int status = host::ScriptRunner().Run(in, context);
    return {status, out.str(), err.str()};
}

} // namespace

ScriptResult RunScript(const std::string& script, host::Host* host) {
    const host::SessionOptions options{OPAL_PLUGIN_PATH, ""};
    auto session = host ? std::make_unique<host::Session>(options, *host)
                        : std::make_unique<host::Session>(options);
    std::string error;
    if (!session->Start(&error))
        return {-1, "", error};
    ScriptResult result = Run(*session, script);
    session->Stop(false);
    return result;
}

ScriptResult RunScriptIn(host::Host& host, const std::string& script) {
    host::Session session(host::SessionOptions{}, host);
    return Run(session, script);
}

void HostSessionTest::AddPaletteWith(const std::string& palette, ClassID cls,
                                     const std::vector<std::string>& panels, bool shown) {
    TheWorld().AddPalette(palette, cls, shown);
    for (const std::string& panel : panels) {
        host::PanelOptions options;
        options.palette = palette;
        options.newGroup = true;
        TheWorld().AddPanel(panel, options);
    }
    if (!shown)
        TheWorld().HidePalette(palette);
}

int32 HostSessionTest::PanelID(const std::string& name) {
    auto panel = TheWorld().FindPanel(name);
    EXPECT_TRUE(panel) << name;
    return panel ? panel->panelID : 0;
}

void HostSessionTest::StoreOpacity(const std::string& panel, double opacity) {
    StoreOpacityForID(PanelID(panel), opacity);
}

void HostSessionTest::StoreOpacityForID(int32 panelID, double opacity) {
    InterfacePtr<IOpalAlphaData> data(QueryWorkspace<IOpalAlphaData>(kOpalAlphaDataIID));
    ASSERT_TRUE(data);
    data->AddPanel(panelID);
    data->SetAlphaForPanel(panelID, opacity);
}

bool HostSessionTest::OpacityOn() {
    InterfacePtr<IOpalOptions> options(QueryWorkspace<IOpalOptions>(kOpalOptionsIID));
    return options && options->GetOnOffAlpha();
}

void HostSessionTest::SetUp() {
    session = std::make_unique<host::Session>(host::SessionOptions{OPAL_PLUGIN_PATH, ""});
    std::string error;
    ASSERT_TRUE(session->Start(&error)) << error;
    // Enough for any one test's commands.
    TheHost().KeepCommandLog(4096);
}

void HostSessionTest::TearDown() {
    // The plug-in's shut-down runs without injected faults.
    TheHost().GetFaults().Reset();
    session->Stop(false);
    session.reset();
}

} // namespace testing_support
