// The workspace's file operations on POSIX systems.
#include "persistence/FileOps.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace host {
namespace {

using platform::SystemError;

void SyncFolderOf(const std::string& path) {
    const std::string folder = platform::PathOf(path).parent_path().string();
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

} // namespace

namespace platform {

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(utf8);
}

std::string Utf8Of(const std::filesystem::path& path) {
    return path.string();
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

ReadOutcome OpenForReading(const std::string& path, std::FILE** file, std::string* error) {
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
    *file = fdopen(fd, "rb");
    if (!*file) {
        *error = SystemError(errno);
        close(fd);
        return ReadOutcome::kFailed;
    }
    return ReadOutcome::kRead;
}

bool SyncFile(std::FILE* file) {
    return std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

void KeepModeOf(const std::string& path, std::FILE* file) {
    struct stat old {};
    if (stat(path.c_str(), &old) != 0)
        return;
    fchmod(fileno(file), old.st_mode & 07777);
    if (fchown(fileno(file), old.st_uid, old.st_gid) != 0) {
        // Only the owner's own group or root may give a file away.
    }
}

} // namespace platform

std::string NotARegularFile(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return {};
    return KindOf(st.st_mode);
}

std::string ReadOnlyReason(const std::string& path) {
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
}

bool RenameReplacing(const std::string& from, const std::string& to, std::string* error) {
    if (std::rename(from.c_str(), to.c_str()) == 0) {
        // Make the rename itself durable.
        SyncFolderOf(to);
        return true;
    }
    *error = "cannot rename " + from + " to " + to + ": " + SystemError(errno);
    return false;
}

bool RenameKeeping(const std::string& from, const std::string& to, std::string* error) {
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
    return RenameReplacing(from, to, error);
}

} // namespace host
