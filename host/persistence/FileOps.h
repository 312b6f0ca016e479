// The file operations the workspace is read and written with, the same on
// every platform. FileOps.cpp holds what is portable; unix/FileOps.cpp and
// windows/FileOps.cpp, one of which the build picks, what is not. Paths are
// UTF-8.
#pragma once

#include "core/Host.h"
#include "persistence/MemoryStream.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace host {

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
// that is no regular file are refused. `renaming` hears of the complete
// temporary file just before the rename (a host's: Host::renaming).
OPAL_SDK_API bool WriteFileAtomically(const std::string& path, const ByteVector& bytes,
                                      std::string* error,
                                      const Channel<FileRenaming>* renaming = nullptr);

// Renames `from` to `to`, replacing `to` when it exists.
OPAL_SDK_API bool RenameReplacing(const std::string& from, const std::string& to,
                                  std::string* error);

// Renames `from` to `to` unless `to` exists ("TO exists").
OPAL_SDK_API bool RenameKeeping(const std::string& from, const std::string& to, std::string* error);

// What each platform's file provides to the portable operations above.
namespace platform {

std::filesystem::path PathOf(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);
// fopen(3) on a UTF-8 path; errno tells why it failed.
std::FILE* OpenFile(const std::string& path, const char* mode);
// The file open for reading when it is a regular file (kRead), else why not.
ReadOutcome OpenForReading(const std::string& path, std::FILE** file, std::string* error);
// Pushes the file's bytes to the disk, so that the rename never makes a file
// visible whose contents are still only in the cache.
bool SyncFile(std::FILE* file);
// Gives `file` the mode and, where allowed, the owner of the file at `path`
// when there is one.
void KeepModeOf(const std::string& path, std::FILE* file);
// strerror(3) of an errno value.
std::string SystemError(int code);

} // namespace platform
} // namespace host
