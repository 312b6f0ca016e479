// The workspace file: its container, the memory stream, the atomic write and
// the default location.
#include "persistence/WorkspaceFile.h"
#include "persistence/MemoryStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace host;

namespace {

const std::vector<WorkspaceRecord> kRecords = {
    {0xc92c9, {0x01, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0x59, 0x40}},
    {0xc92ca, {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {0x7e570001, {}},
};

std::string Reason(const ByteVector& bytes) {
    std::string reason;
    EXPECT_FALSE(DecodeWorkspace(bytes, &reason).has_value());
    return reason;
}

TEST(WorkspaceContainerTest, EncodedRecords_DecodeToTheSameRecordsInOrder) {
    std::string reason;
    const ByteVector bytes = EncodeWorkspace(kRecords);
    EXPECT_EQ(bytes.size(), 20u + 3 * 8 + 16 + 8 + 4);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "OPALWKSP");
    const auto decoded = DecodeWorkspace(bytes, &reason);
    ASSERT_TRUE(decoded) << reason;
    EXPECT_EQ(*decoded, kRecords);
    ASSERT_TRUE(DecodeWorkspace(EncodeWorkspace({}), &reason)) << reason;
}

TEST(WorkspaceContainerTest, Crc32_IsTheCommonCrc) {
    const std::string check = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8*>(check.data()), check.size()), 0xcbf43926u);
}

TEST(WorkspaceContainerTest, EveryTruncationAndEveryFlippedBit_IsRefused) {
    const ByteVector good = EncodeWorkspace(kRecords);
    for (size_t size = 0; size < good.size(); ++size)
        EXPECT_EQ(Reason(ByteVector(good.begin(), good.begin() + static_cast<long>(size))),
                  "cut short")
            << size;
    for (size_t at = 0; at < good.size(); ++at)
        for (int bit = 0; bit < 8; ++bit) {
            ByteVector bad = good;
            bad[at] ^= static_cast<uint8>(1 << bit);
            EXPECT_FALSE(Reason(bad).empty()) << at << ":" << bit;
        }
    ByteVector flipped = good;
    flipped[30] ^= 0x10;
    EXPECT_EQ(Reason(flipped), "bad checksum");
    flipped = good;
    flipped[0] = 'X';
    EXPECT_EQ(Reason(flipped), "bad header");
    ByteVector longer = good;
    longer.push_back(0);
    EXPECT_EQ(Reason(longer), "1 bytes after its end");
}

TEST(WorkspaceContainerTest, RecordLengthBeyondTheFileWithAValidChecksum_IsRefused) {
    ByteVector forged = EncodeWorkspace({{0xc92ca, {1, 2, 3, 4}}});
    forged[24] = 0xff; // the record's length
    const size_t end = forged.size() - 4;
    const uint32 crc = Crc32(forged.data(), end);
    for (size_t i = 0; i < 4; ++i)
        forged[end + i] = static_cast<uint8>(crc >> (8 * i));
    EXPECT_EQ(Reason(forged), "bad record layout");
}

TEST(MemoryStreamTest, ReadPastTheEnd_FailsAndLeavesThisAndLaterVariablesUnchanged) {
    MemoryStream out;
    int16 a = -2;
    int32 b = 0x12345678;
    double c = 37.9;
    out.XferInt16(a);
    out.XferInt32(b);
    out.XferReal(c);
    EXPECT_EQ(out.Bytes(), (ByteVector{0xfe, 0xff, 0x78, 0x56, 0x34, 0x12, 0x33, 0x33, 0x33, 0x33,
                                       0x33, 0xf3, 0x42, 0x40}));

    MemoryStream in(ByteVector(out.Bytes().begin(), out.Bytes().end() - 1));
    in.SetRecording(true);
    int16 x = 0;
    int32 y = 0;
    double z = 5.0;
    int32 w = 9;
    in.XferInt16(x);
    in.XferInt32(y);
    EXPECT_EQ(in.BytesRemaining(), 7u);
    in.XferReal(z);
    in.XferInt32(w);
    EXPECT_EQ(in.GetStreamState(), kStreamStateEOF);
    EXPECT_EQ(x, -2);
    EXPECT_EQ(y, 0x12345678);
    EXPECT_EQ(z, 5.0);
    EXPECT_EQ(w, 9);
    EXPECT_EQ(in.TransferLog(), (std::vector<std::string>{"i16 -2", "i32 305419896"}));
}

class WorkspaceFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder =
            std::filesystem::temp_directory_path() /
            ("opal-wsfile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        file = (folder / "sub" / "workspace").string();
    }
    void TearDown() override {
        SetBeforeRenameHook(nullptr);
        std::filesystem::remove_all(folder);
    }
    ByteVector Contents(const std::string& path) {
        ByteVector bytes;
        std::string error;
        EXPECT_EQ(ReadWholeFile(path, &bytes, &error), ReadOutcome::kRead) << error;
        return bytes;
    }
    std::filesystem::path folder;
    std::string file;
};

struct Interrupted {};

TEST_F(WorkspaceFileTest, AtomicWrite_CreatesFoldersAndLeavesNoTemporaryFile) {
    std::string error;
    ByteVector bytes;
    EXPECT_EQ(ReadWholeFile(file, &bytes, &error), ReadOutcome::kMissing);
    ASSERT_TRUE(WriteFileAtomically(file, {1, 2, 3}, &error)) << error;
    ASSERT_TRUE(WriteFileAtomically(file, {4, 5}, &error)) << error;
    EXPECT_EQ(Contents(file), (ByteVector{4, 5}));
    EXPECT_FALSE(std::filesystem::exists(file + ".tmp"));
}

TEST_F(WorkspaceFileTest, InterruptionBeforeTheRename_KeepsTheOldFileWhole) {
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(file, {1, 2, 3}, &error)) << error;
    std::string tempSeen;
    SetBeforeRenameHook([&](const std::string& temp) {
        tempSeen = temp;
        throw Interrupted{};
    });
    EXPECT_THROW(WriteFileAtomically(file, {9, 9, 9, 9}, &error), Interrupted);
    EXPECT_EQ(tempSeen, file + ".tmp");
    EXPECT_EQ(Contents(file), (ByteVector{1, 2, 3}));
    EXPECT_EQ(Contents(file + ".tmp"), (ByteVector{9, 9, 9, 9})) << "flushed before the rename";

    // The next write replaces the stale temporary file.
    SetBeforeRenameHook(nullptr);
    ASSERT_TRUE(WriteFileAtomically(file, {7}, &error)) << error;
    EXPECT_EQ(Contents(file), (ByteVector{7}));
    EXPECT_FALSE(std::filesystem::exists(file + ".tmp"));
}

TEST_F(WorkspaceFileTest, UnwritableFolder_IsReportedAndTheOldFileKept) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "sub") << "a file where the folder should be";
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(file, {1}, &error));
    EXPECT_NE(error.find(file), std::string::npos) << error;
}

#if !defined(_WIN32)
TEST(DefaultWorkspaceFileTest, FollowsXdgConfigHomeThenHome) {
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string xdg = savedXdg ? savedXdg : "", home = savedHome ? savedHome : "";

    setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(DefaultWorkspaceFile(), "/tmp/cfg/opalhost/workspace");
    setenv("XDG_CONFIG_HOME", "relative/cfg", 1);
    EXPECT_EQ(DefaultWorkspaceFile(), "/home/u/.config/opalhost/workspace");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(DefaultWorkspaceFile(), "/home/u/.config/opalhost/workspace");
    unsetenv("HOME");
    EXPECT_EQ(DefaultWorkspaceFile(), "");

    savedXdg ? setenv("XDG_CONFIG_HOME", xdg.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    savedHome ? setenv("HOME", home.c_str(), 1) : unsetenv("HOME");
}
#endif

} // namespace
