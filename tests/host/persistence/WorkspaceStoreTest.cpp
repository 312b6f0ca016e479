// The workspace kept across sessions, beyond what the scenarios show: reading
// is not a change, a record the model cannot read whole keeps every record
// out of the model, and a file that cannot be read is not saved over.
#include "HostTestSupport.h"
#include "OpalID.h"
#include "Platform.h"
#include "model/IOpalAlphaData.h"
#include "model/IOpalOptions.h"
#include "persistence/FileOps.h"
#include "persistence/WorkspaceFile.h"

#include <filesystem>
#include <limits>

using host::ByteVector;
using host::Host;
using host::MemoryStream;
using host::WorkspaceRecord;

namespace {

class WorkspaceStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = testing_support::ScratchPath("store");
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        file = (folder / "workspace").string();
    }
    void TearDown() override {
        if (session)
            session->Stop(false);
        session.reset();
        std::filesystem::remove_all(folder);
    }
    // Starts a session on the file; returns what it wrote to standard error.
    std::string Start() {
        if (session)
            session->Stop(true);
        session =
            std::make_unique<host::Session>(host::SessionOptions{OPAL_PLUGIN_PATH, file}, context);
        std::string error;
        ::testing::internal::CaptureStderr();
        const bool started = session->Start(&error);
        const std::string warnings = ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(started) << error;
        return warnings;
    }
    IOpalOptions& Options() {
        return *context.WorkspaceBoss()->PeekAs<IOpalOptions>(kOpalOptionsIID);
    }
    IOpalAlphaData& AlphaData() {
        return *context.WorkspaceBoss()->PeekAs<IOpalAlphaData>(kOpalAlphaDataIID);
    }
    bool AtDefaults() {
        return Options().GetOnOffAlpha() == kTrue && Options().GetIgnoreClosedPanels() == kFalse &&
               Options().GetReserved() == 0 && AlphaData().CountEntries() == 0;
    }
    void WriteFile(const std::vector<WorkspaceRecord>& records) {
        std::string error;
        ASSERT_TRUE(host::WriteFileAtomically(file, host::EncodeWorkspace(records), &error))
            << error;
    }
    static ByteVector OptionsRecord(int16 on, int16 ignore, int32 reserved) {
        MemoryStream out;
        out.XferInt16(on);
        out.XferInt16(ignore);
        out.XferInt32(reserved);
        return out.Bytes();
    }
    static ByteVector AlphaRecord(int32 count, std::vector<std::pair<int32, double>> entries) {
        MemoryStream out;
        out.XferInt32(count);
        for (auto& [id, opacity] : entries) {
            out.XferInt32(id);
            out.XferReal(opacity);
        }
        return out.Bytes();
    }
    // The n-th damaged load keeps its file under the n-th free name.
    std::string DamageWarning(const std::string& reason, int n = 0) {
        return "warning: workspace " + file + " is damaged: " + reason + "; kept as " + file +
               ".damaged" + (n ? "." + std::to_string(n) : "") + "\n";
    }

    std::filesystem::path folder;
    std::string file;
    Host context; // shared by the sessions one after the other
    std::unique_ptr<host::Session> session;
};

TEST_F(WorkspaceStoreTest, ValuesReadBackAtStart_AreNotAChange) {
    EXPECT_EQ(Start(), "");
    EXPECT_TRUE(AtDefaults()) << "a missing file means defaults";
    AlphaData().AddPanel(12);
    Options().SetReserved(77);

    EXPECT_EQ(Start(), "");
    EXPECT_EQ(AlphaData().GetEntryAt(0).panelID, 12);
    EXPECT_EQ(Options().GetReserved(), 77);
    EXPECT_TRUE(context.DirtyLog().empty());
}

TEST_F(WorkspaceStoreTest, RecordTheModelCannotReadWhole_DamagesTheFileAndNoRecordIsRead) {
    const WorkspaceRecord options{kOpalOptionsImpl, OptionsRecord(0, 1, 5)};
    const struct {
        ByteVector alpha;
        std::string reason;
    } cases[] = {
        {AlphaRecord(std::numeric_limits<int32>::max(), {{1, 10.0}}), "ends early"},
        {AlphaRecord(2, {{1, 10.0}}), "ends early"},
        {AlphaRecord(-1, {}), "does not read back as stored"},
        {AlphaRecord(0, {{1, 10.0}}), "has 12 bytes left over"},
    };
    int kept = 0;
    for (const auto& c : cases) {
        WriteFile({options, {kOpalAlphaDataImpl, c.alpha}});
        EXPECT_EQ(Start(), DamageWarning("record 0xc92c9 " + c.reason, kept++));
        EXPECT_TRUE(AtDefaults()) << "the sound options record is not read either";
        session->Stop(false);
    }
    WriteFile({options, options});
    EXPECT_EQ(Start(), DamageWarning("record 0xc92ca appears twice", kept));
    // Every damaged file was kept whole, none replaced by a later one.
    ByteVector first;
    std::string error;
    ASSERT_EQ(host::ReadWholeFile(file + ".damaged", &first, &error), host::ReadOutcome::kRead);
    EXPECT_EQ(first, host::EncodeWorkspace({options, {kOpalAlphaDataImpl, cases[0].alpha}}));
}

TEST_F(WorkspaceStoreTest, WhatIsNoFile_IsNeitherUsedNorMovedNorSavedOver) {
    std::filesystem::create_directories(file); // a folder where the file should be
    EXPECT_EQ(Start(), "warning: workspace " + file +
                           " is a directory, not a file; session from defaults, and nothing is "
                           "written to it\n");
    EXPECT_TRUE(AtDefaults());
    std::string error;
    EXPECT_FALSE(session->Save(&error));
    EXPECT_NE(error.find("not saved over"), std::string::npos) << error;
    EXPECT_FALSE(session->Stop(true)) << "the failed save at the end is told";
    EXPECT_TRUE(std::filesystem::is_directory(file));
    EXPECT_FALSE(std::filesystem::exists(file + ".damaged"));
    std::filesystem::remove(file);
    ASSERT_TRUE(testing_support::MakeFifo(file));
    EXPECT_NE(Start().find(" is a FIFO, not a file;"), std::string::npos);
    EXPECT_FALSE(session->Stop(true));
    EXPECT_TRUE(std::filesystem::is_fifo(file));
    EXPECT_FALSE(std::filesystem::exists(file + ".damaged"));
}

TEST_F(WorkspaceStoreTest, ThroughALink_ADamagedTargetIsKeptBesideItAndSavedAnew) {
    const auto real = folder / "real";
    std::filesystem::create_directories(real);
    const std::string target = (real / "ws").string();
    std::string error;
    ASSERT_TRUE(host::WriteFileAtomically(target, {1, 2, 3}, &error)) << error;
    std::filesystem::create_symlink(target, file);

    const std::string warning = Start();
    EXPECT_NE(warning.find("; kept as " + target + ".damaged\n"), std::string::npos) << warning;
    AlphaData().AddPanel(5);
    EXPECT_TRUE(session->Stop(true));
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_EQ(Start(), "");
    EXPECT_EQ(AlphaData().GetEntryAt(0).panelID, 5) << "read back through the link";
}

TEST_F(WorkspaceStoreTest, AReadOnlyFile_IsNotSavedOverAndTheEndOfTheSessionSaysSo) {
    EXPECT_EQ(Start(), "");
    AlphaData().AddPanel(5);
    EXPECT_TRUE(session->Stop(true));
    ASSERT_TRUE(testing_support::SetMode(file, 0444));
    EXPECT_EQ(Start(), "");
    EXPECT_EQ(AlphaData().GetEntryAt(0).panelID, 5);
    AlphaData().AddPanel(6);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(session->Stop(true));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "warning: workspace not saved: " + file +
                  " is read-only (mode 0444); not saved over\n");
    EXPECT_EQ(Start(), "");
    EXPECT_EQ(AlphaData().CountEntries(), 1);
}

} // namespace
