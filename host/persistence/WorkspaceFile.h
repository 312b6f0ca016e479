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
// A record's bytes are what the implementation's ReadWrite transfers. The
// file is read and written with the operations of persistence/FileOps.h.
#pragma once

#include "persistence/MemoryStream.h"

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

} // namespace host
