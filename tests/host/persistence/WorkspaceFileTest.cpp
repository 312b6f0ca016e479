// The workspace file: its container, the atomic write and the default location.
#include "persistence/WorkspaceFile.h"
#include "HostTestSupport.h"
#include "Platform.h"
#include "persistence/FileOps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <zlib.h>

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
    const auto crc = crc32(0, forged.data(), static_cast<uInt>(end));
    for (size_t i = 0; i < 4; ++i)
        forged[end + i] = static_cast<uint8>(crc >> (8 * i));
    EXPECT_EQ(Reason(forged), "bad record layout");
}

class WorkspaceFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = testing_support::ScratchPath("wsfile");
        std::filesystem::remove_all(folder);
        file = (folder / "sub" / "workspace").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
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

TEST_F(WorkspaceFileTest, InterruptionBeforeTheRename_KeepsTheOldFileWhole) {
    std::string error;
    ByteVector bytes;
    EXPECT_EQ(ReadWholeFile(file, &bytes, &error), ReadOutcome::kMissing);
    ASSERT_TRUE(WriteFileAtomically(file, {1, 2, 3}, &error)) << error;
    std::string tempSeen;
    host::Channel<host::FileRenaming> renaming;
    host::Subscription interrupting = renaming.Subscribe([&](const host::FileRenaming& e) {
        tempSeen = e.tempFile;
        throw Interrupted{};
    });
    EXPECT_THROW(WriteFileAtomically(file, {9, 9, 9, 9}, &error, &renaming), Interrupted);
    EXPECT_EQ(tempSeen, file + ".tmp");
    EXPECT_EQ(Contents(file), (ByteVector{1, 2, 3}));
    EXPECT_EQ(Contents(file + ".tmp"), (ByteVector{9, 9, 9, 9})) << "flushed before the rename";

    // The next write replaces the stale temporary file.
    interrupting.Reset();
    ASSERT_TRUE(WriteFileAtomically(file, {7}, &error, &renaming)) << error;
    EXPECT_EQ(Contents(file), (ByteVector{7}));
    EXPECT_FALSE(std::filesystem::exists(file + ".tmp"));
}

namespace fs = std::filesystem;

using testing_support::ModeOf;

TEST_F(WorkspaceFileTest, WhatIsNoRegularFile_IsNeitherReadNorWaitedForNorReplaced) {
    fs::create_directories(folder);
    const std::string fifo = (folder / "fifo").string(), dir = (folder / "dir").string();
    ASSERT_TRUE(testing_support::MakeFifo(fifo));
    fs::create_directories(dir);
    const struct {
        std::string path, kind;
    } cases[] = {{fifo, "a FIFO"}, {dir, "a directory"}, {"/dev/null", "a character device"}};
    for (const auto& c : cases) {
        EXPECT_EQ(NotARegularFile(c.path), c.kind);
        ByteVector bytes;
        std::string error;
        // A FIFO without a writer would block an ordinary open for ever.
        EXPECT_EQ(ReadWholeFile(c.path, &bytes, &error), ReadOutcome::kNotAFile) << c.path;
        EXPECT_EQ(error, "is " + c.kind + ", not a file");
        EXPECT_FALSE(WriteFileAtomically(c.path, {1}, &error)) << c.path;
        EXPECT_EQ(NotARegularFile(c.path), c.kind) << "left as it was";
        EXPECT_FALSE(fs::exists(c.path + ".tmp"));
    }
    EXPECT_EQ(NotARegularFile(file), "") << "missing";
}

TEST_F(WorkspaceFileTest, ThroughALink_TheTargetIsReplacedInItsFolderAndTheLinkStays) {
    fs::create_directories(folder / "real");
    fs::create_directories(folder / "sub");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically((folder / "real" / "ws").string(), {1}, &error)) << error;
    fs::create_symlink("../real/ws", file);
    fs::create_symlink("workspace", folder / "sub" / "second"); // a link to a link
    const std::string second = (folder / "sub" / "second").string();
    EXPECT_EQ(ThroughLinks(second), (folder / "sub" / "../real/ws").string());

    ASSERT_TRUE(WriteFileAtomically(second, {2, 3}, &error)) << error;
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_TRUE(fs::is_symlink(second));
    EXPECT_EQ(Contents((folder / "real" / "ws").string()), (ByteVector{2, 3}));
    EXPECT_EQ(Contents(file), (ByteVector{2, 3}));
    EXPECT_FALSE(fs::exists(folder / "sub" / "workspace.tmp"));
}

TEST_F(WorkspaceFileTest, TheModeIsKept_AndAReadOnlyFileIsNotSavedOver) {
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(file, {1}, &error)) << error;
    ASSERT_TRUE(testing_support::SetMode(file, 0640));
    ASSERT_TRUE(WriteFileAtomically(file, {2}, &error)) << error;
    EXPECT_EQ(ModeOf(file), 0640u);

    ASSERT_TRUE(testing_support::SetMode(file, 0444));
    EXPECT_EQ(ReadOnlyReason(file), "is read-only (mode 0444)");
    EXPECT_FALSE(WriteFileAtomically(file, {3}, &error));
    EXPECT_EQ(error, file + " is read-only (mode 0444); not saved over");
    EXPECT_EQ(Contents(file), (ByteVector{2}));
    EXPECT_EQ(ModeOf(file), 0444u);
    EXPECT_FALSE(fs::exists(file + ".tmp"));
}

TEST_F(WorkspaceFileTest, RenameKeeping_NeverReplacesAnExistingName) {
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(file, {1}, &error)) << error;
    ASSERT_TRUE(WriteFileAtomically(file + ".kept", {2}, &error)) << error;
    EXPECT_FALSE(RenameKeeping(file, file + ".kept", &error));
    EXPECT_EQ(error, file + ".kept exists");
    EXPECT_EQ(Contents(file), (ByteVector{1}));
    EXPECT_EQ(Contents(file + ".kept"), (ByteVector{2}));
    ASSERT_TRUE(RenameKeeping(file, file + ".other", &error)) << error;
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(Contents(file + ".other"), (ByteVector{1}));
}

} // namespace
