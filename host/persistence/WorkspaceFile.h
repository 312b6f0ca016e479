// The workspace file: the records of the workspace object's persistent
// implementations, in a container of the host's own.
//
//   offset  size  content (integers little-endian)
//   0       8     magic "OPALWKSP"
//   8       4     format version, 1
//   12      4     length of the whole file in bytes
//   16      4     number of records
//   20      ...   records: implementation ID (4), length L (4), L bytes
//   end-4   4     CRC-32 (as zlib's crc32) of every byte before it
//
// A record's bytes are what the implementation's ReadWrite transfers.
#pragma once

#include "persistence/MemoryStream.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace host {

struct WorkspaceRecord {
    ImplementationID implID = kInvalidImpl;
    ByteVector bytes;
    bool operator==(const WorkspaceRecord& other) const {
        return implID == other.implID && bytes == other.bytes;
    }
};

constexpr uint32 kWorkspaceFormatVersion = 1;

OPAL_SDK_API ByteVector EncodeWorkspace(const std::vector<WorkspaceRecord>& records);
// The records, or nullopt with the reason the bytes are not a sound
// workspace ("bad header", "cut short", "bad checksum", …).
OPAL_SDK_API std::optional<std::vector<WorkspaceRecord>> DecodeWorkspace(const ByteVector& bytes,
                                                                         std::string* reason);

// What `path` (through links) is when it exists and is no regular file: "a
// directory", "a FIFO", "a character device", "a block device", "a socket";
// empty for a regular file or nothing at all.
OPAL_SDK_API std::string NotARegularFile(const std::string& path);

// Reads a regular file; anything else (kNotAFile) is neither read nor waited
// for: a FIFO is opened without blocking and looked at before reading.
enum class ReadOutcome { kRead, kMissing, kFailed, kNotAFile };
OPAL_SDK_API ReadOutcome ReadWholeFile(const std::string& path, ByteVector* bytes,
                                       std::string* error);

// The file a path names once every symbolic link in its last part is followed.
OPAL_SDK_API std::string ThroughLinks(const std::string& path);

// Why an existing file is not to be saved over, or empty. A file whose
// permission bits let nobody write it is read-only for every user, root
// included (who could write it anyway): its owner made it so on purpose.
// Else a file the user may not write (access(2)) is not saved over either.
OPAL_SDK_API std::string ReadOnlyReason(const std::string& path);

// Writes `path` so that it holds either its old bytes or all of the new ones:
// the bytes go to PATH.tmp, are flushed to the disk, and the temporary file
// is then renamed over PATH. Creates missing parent folders. Through a
// symbolic link, the link's target is replaced in its own folder. The new
// file keeps the old one's mode; a read-only file (ReadOnlyReason) and one
// that is no regular file are refused.
OPAL_SDK_API bool WriteFileAtomically(const std::string& path, const ByteVector& bytes,
                                      std::string* error);

// Renames `from` to `to`, replacing `to` when it exists.
OPAL_SDK_API bool RenameReplacing(const std::string& from, const std::string& to,
                                  std::string* error);

// Renames `from` to `to` unless `to` exists ("TO exists").
OPAL_SDK_API bool RenameKeeping(const std::string& from, const std::string& to, std::string* error);

// Test aid: called with the temporary file once it is complete, just before
// the rename; lets a test end the process at the worst moment.
OPAL_SDK_API void SetBeforeRenameHook(std::function<void(const std::string& tempFile)> hook);

} // namespace host
