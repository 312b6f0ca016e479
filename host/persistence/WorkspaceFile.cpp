#include "persistence/WorkspaceFile.h"

#include "core/Text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <zlib.h>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace host {
namespace {

// CRC-32 of the first `size` bytes (all by default), as zlib computes it.
uint32 Crc32(const ByteVector& bytes, size_t size = SIZE_MAX) {
    size = std::min(size, bytes.size());
    return static_cast<uint32>(crc32(0, bytes.data(), static_cast<uInt>(size)));
}

constexpr char kMagic[8] = {'O', 'P', 'A', 'L', 'W', 'K', 'S', 'P'};
constexpr size_t kHeaderSize = 20;
constexpr size_t kChecksumSize = 4;

void Put32(ByteVector& out, uint32 value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8>(value >> (8 * i)));
}

uint32 Get32(const ByteVector& in, size_t at) {
    uint32 value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= static_cast<uint32>(in[at + i]) << (8 * i);
    return value;
}

std::filesystem::path PathOf(const std::string& utf8) {
#if defined(_WIN32)
    return std::filesystem::path(UTF8ToWide(utf8));
#else
    return std::filesystem::path(utf8);
#endif
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
#if defined(_WIN32)
    return _wfopen(UTF8ToWide(path).c_str(), UTF8ToWide(mode).c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

std::string SystemError(int code) {
    return std::error_code(code, std::generic_category()).message();
}

// Pushes the file's bytes to the disk, so that the rename never makes a
// file visible whose contents are still only in the cache.
bool SyncFile(std::FILE* file) {
    if (std::fflush(file) != 0)
        return false;
#if defined(_WIN32)
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

#if !defined(_WIN32)
void SyncFolderOf(const std::string& path) {
    const std::string folder = PathOf(path).parent_path().string();
    const int dir = open(folder.empty() ? "." : folder.c_str(), O_RDONLY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "a directory";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    if (S_ISSOCK(mode))
        return "a socket";
    return S_ISREG(mode) ? std::string() : "not a regular file";
}
#endif

bool Rename(const std::string& from, const std::string& to, std::string* error) {
#if defined(_WIN32)
    if (MoveFileExW(UTF8ToWide(from).c_str(), UTF8ToWide(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    *error = "cannot rename " + from + " to " + to + " (Windows error " +
             std::to_string(GetLastError()) + ")";
    return false;
#else
    if (std::rename(from.c_str(), to.c_str()) == 0) {
        // Make the rename itself durable.
        SyncFolderOf(to);
        return true;
    }
    *error = "cannot rename " + from + " to " + to + ": " + SystemError(errno);
    return false;
#endif
}

std::function<void(const std::string&)>& BeforeRenameHook() {
    static std::function<void(const std::string&)> hook;
    return hook;
}

} // namespace

ByteVector EncodeWorkspace(const std::vector<WorkspaceRecord>& records) {
    ByteVector out(kMagic, kMagic + sizeof kMagic);
    Put32(out, kWorkspaceFormatVersion);
    Put32(out, 0); // the length, known at the end
    Put32(out, static_cast<uint32>(records.size()));
    for (const WorkspaceRecord& record : records) {
        Put32(out, record.implID);
        Put32(out, static_cast<uint32>(record.bytes.size()));
        out.insert(out.end(), record.bytes.begin(), record.bytes.end());
    }
    const auto length = static_cast<uint32>(out.size() + kChecksumSize);
    for (size_t i = 0; i < 4; ++i)
        out[12 + i] = static_cast<uint8>(length >> (8 * i));
    Put32(out, Crc32(out));
    return out;
}

std::optional<std::vector<WorkspaceRecord>> DecodeWorkspace(const ByteVector& bytes,
                                                            std::string* reason) {
    auto fail = [reason](std::string why) {
        *reason = std::move(why);
        return std::nullopt;
    };
    const size_t head = std::min(bytes.size(), sizeof kMagic);
    if (head > 0 && std::memcmp(bytes.data(), kMagic, head) != 0)
        return fail("bad header");
    if (bytes.size() < kHeaderSize + kChecksumSize)
        return fail("cut short");
    const uint32 version = Get32(bytes, 8);
    if (version != kWorkspaceFormatVersion)
        return fail("bad header (format version " + std::to_string(version) + ")");
    const uint32 length = Get32(bytes, 12);
    if (length < kHeaderSize + kChecksumSize)
        return fail("bad header (length " + std::to_string(length) + ")");
    if (bytes.size() < length)
        return fail("cut short");
    if (bytes.size() > length)
        return fail(std::to_string(bytes.size() - length) + " bytes after its end");
    const size_t end = length - kChecksumSize;
    if (Crc32(bytes, end) != Get32(bytes, end))
        return fail("bad checksum");

    // The checksum holds, so a layout that does not add up is a writer's
    // fault or a forgery; it is refused all the same.
    const uint32 count = Get32(bytes, 16);
    std::vector<WorkspaceRecord> records;
    size_t at = kHeaderSize;
    for (uint32 i = 0; i < count; ++i) {
        if (end - at < 8)
            return fail("bad record layout");
        WorkspaceRecord record;
        record.implID = Get32(bytes, at);
        const uint32 size = Get32(bytes, at + 4);
        at += 8;
        if (end - at < size)
            return fail("bad record layout");
        record.bytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                            bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
        at += size;
        records.push_back(std::move(record));
    }
    if (at != end)
        return fail("bad record layout");
    return records;
}

std::string NotARegularFile(const std::string& path) {
#if defined(_WIN32)
    std::error_code ec;
    const auto status = std::filesystem::status(PathOf(path), ec);
    if (ec || !std::filesystem::exists(status) || std::filesystem::is_regular_file(status))
        return {};
    return std::filesystem::is_directory(status) ? "a directory" : "not a regular file";
#else
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return {};
    return KindOf(st.st_mode);
#endif
}

ReadOutcome ReadWholeFile(const std::string& path, ByteVector* bytes, std::string* error) {
#if defined(_WIN32)
    if (const std::string kind = NotARegularFile(path); !kind.empty()) {
        *error = "is " + kind + ", not a file";
        return ReadOutcome::kNotAFile;
    }
    std::FILE* file = OpenFile(path, "rb");
    if (!file) {
        if (errno == ENOENT)
            return ReadOutcome::kMissing;
        *error = SystemError(errno);
        return ReadOutcome::kFailed;
    }
#else
    // Without blocking: opening a FIFO for reading waits for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return ReadOutcome::kMissing;
        *error = SystemError(errno);
        return ReadOutcome::kFailed;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = "is " + KindOf(st.st_mode) + ", not a file";
        close(fd);
        return ReadOutcome::kNotAFile;
    }
    std::FILE* file = fdopen(fd, "rb");
    if (!file) {
        *error = SystemError(errno);
        close(fd);
        return ReadOutcome::kFailed;
    }
#endif
    bytes->clear();
    uint8 buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes->insert(bytes->end(), buffer, buffer + got);
    const bool failed = std::ferror(file) != 0;
    const int code = errno;
    std::fclose(file);
    if (failed) {
        *error = "read error: " + SystemError(code);
        return ReadOutcome::kFailed;
    }
    return ReadOutcome::kRead;
}

std::string ThroughLinks(const std::string& path) {
    std::filesystem::path at = PathOf(path);
    // As many links as the system itself follows before it gives up.
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(at, ec)))
            break;
        const std::filesystem::path target = std::filesystem::read_symlink(at, ec);
        if (ec)
            break;
        at = target.is_absolute() ? target : at.parent_path() / target;
    }
#if defined(_WIN32)
    return WideToUTF8(at.wstring());
#else
    return at.string();
#endif
}

std::string ReadOnlyReason(const std::string& path) {
#if defined(_WIN32)
    std::error_code ec;
    const auto status = std::filesystem::status(PathOf(path), ec);
    if (ec || !std::filesystem::exists(status))
        return {};
    if ((status.permissions() & std::filesystem::perms::owner_write) ==
        std::filesystem::perms::none)
        return "is read-only";
    return {};
#else
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return {};
    if ((st.st_mode & 0222) == 0) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
        return std::string("is read-only (mode ") + mode + ")";
    }
    if (access(path.c_str(), W_OK) != 0)
        return "is not writable: " + SystemError(errno);
    return {};
#endif
}

bool WriteFileAtomically(const std::string& given, const ByteVector& bytes, std::string* error) {
    // Through a symbolic link the target is replaced, in its own folder, so
    // that the link stays a link.
    const std::string path = ThroughLinks(given);
    if (const std::string kind = NotARegularFile(path); !kind.empty()) {
        *error = path + " is " + kind + ", not a file";
        return false;
    }
    if (const std::string reason = ReadOnlyReason(path); !reason.empty()) {
        *error = path + " " + reason + "; not saved over";
        return false;
    }
    const std::filesystem::path folder = PathOf(path).parent_path();
    std::error_code ec;
    if (!folder.empty())
        std::filesystem::create_directories(folder, ec);
    if (ec) {
        *error = "cannot create folder for " + path + ": " + ec.message();
        return false;
    }
    const std::string temp = path + ".tmp";
    std::FILE* file = OpenFile(temp, "wb");
    if (!file) {
        *error = "cannot write " + temp + ": " + SystemError(errno);
        return false;
    }
#if !defined(_WIN32)
    // The new file keeps the old one's permissions and, where allowed, owner.
    struct stat old {};
    if (stat(path.c_str(), &old) == 0) {
        fchmod(fileno(file), old.st_mode & 07777);
        if (fchown(fileno(file), old.st_uid, old.st_gid) != 0) {
            // Only the owner's own group or root may give a file away.
        }
    }
#endif
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool synced = written && SyncFile(file);
    const int code = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !synced || !closed) {
        *error = "cannot write " + temp + ": " + SystemError(closed ? code : errno);
        std::filesystem::remove(PathOf(temp), ec);
        return false;
    }
    if (BeforeRenameHook())
        BeforeRenameHook()(temp);
    return RenameReplacing(temp, path, error);
}

bool RenameReplacing(const std::string& from, const std::string& to, std::string* error) {
    return Rename(from, to, error);
}

bool RenameKeeping(const std::string& from, const std::string& to, std::string* error) {
#if defined(_WIN32)
    if (MoveFileExW(UTF8ToWide(from).c_str(), UTF8ToWide(to).c_str(), MOVEFILE_WRITE_THROUGH))
        return true;
    const DWORD code = GetLastError();
    *error = code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS
                 ? to + " exists"
                 : "cannot rename " + from + " to " + to + " (Windows error " +
                       std::to_string(code) + ")";
    return false;
#else
    // A hard link fails rather than replace an existing name.
    if (link(from.c_str(), to.c_str()) == 0) {
        if (unlink(from.c_str()) != 0) {
            const int code = errno;
            unlink(to.c_str());
            *error = "cannot rename " + from + " to " + to + ": " + SystemError(code);
            return false;
        }
        SyncFolderOf(to);
        return true;
    }
    if (errno == EEXIST) {
        *error = to + " exists";
        return false;
    }
    // A file system without hard links.
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(to, ec))) {
        *error = to + " exists";
        return false;
    }
    return Rename(from, to, error);
#endif
}

void SetBeforeRenameHook(std::function<void(const std::string& tempFile)> hook) {
    BeforeRenameHook() = std::move(hook);
}

} // namespace host
