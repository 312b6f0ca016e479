#include "persistence/FileOps.h"

#include <cerrno>
#include <system_error>

namespace host {
namespace platform {

std::string SystemError(int code) {
    return std::error_code(code, std::generic_category()).message();
}

} // namespace platform

using platform::SystemError;

ReadOutcome ReadWholeFile(const std::string& path, ByteVector* bytes, std::string* error) {
    std::FILE* file = nullptr;
    if (const ReadOutcome opened = platform::OpenForReading(path, &file, error);
        opened != ReadOutcome::kRead)
        return opened;
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
    std::filesystem::path at = platform::PathOf(path);
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
    return platform::Utf8Of(at);
}

bool WriteFileAtomically(const std::string& given, const ByteVector& bytes, std::string* error,
                         const Channel<FileRenaming>* renaming) {
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
    const std::filesystem::path folder = platform::PathOf(path).parent_path();
    std::error_code ec;
    if (!folder.empty())
        std::filesystem::create_directories(folder, ec);
    if (ec) {
        *error = "cannot create folder for " + path + ": " + ec.message();
        return false;
    }
    const std::string temp = path + ".tmp";
    std::FILE* file = platform::OpenFile(temp, "wb");
    if (!file) {
        *error = "cannot write " + temp + ": " + SystemError(errno);
        return false;
    }
    platform::KeepModeOf(path, file);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool synced = written && platform::SyncFile(file);
    const int code = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !synced || !closed) {
        *error = "cannot write " + temp + ": " + SystemError(closed ? code : errno);
        std::filesystem::remove(platform::PathOf(temp), ec);
        return false;
    }
    if (renaming)
        renaming->Publish({temp});
    return RenameReplacing(temp, path, error);
}

} // namespace host
