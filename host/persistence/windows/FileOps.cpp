// The workspace's file operations on Windows: wide-character paths, and the
// rename and the flush of the Win32 API.
#include "persistence/FileOps.h"

#include "core/Text.h"

#include <cerrno>
#include <io.h>
#include <system_error>
#include <windows.h>

namespace host {
namespace platform {

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(UTF8ToWide(utf8));
}

std::string Utf8Of(const std::filesystem::path& path) {
    return WideToUTF8(path.wstring());
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return _wfopen(UTF8ToWide(path).c_str(), UTF8ToWide(mode).c_str());
}

ReadOutcome OpenForReading(const std::string& path, std::FILE** file, std::string* error) {
    if (const std::string kind = NotARegularFile(path); !kind.empty()) {
        *error = "is " + kind + ", not a file";
        return ReadOutcome::kNotAFile;
    }
    *file = OpenFile(path, "rb");
    if (!*file) {
        if (errno == ENOENT)
            return ReadOutcome::kMissing;
        *error = SystemError(errno);
        return ReadOutcome::kFailed;
    }
    return ReadOutcome::kRead;
}

bool SyncFile(std::FILE* file) {
    return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

// A Windows file has no mode bits to carry over.
void KeepModeOf(const std::string&, std::FILE*) {}

} // namespace platform

std::string NotARegularFile(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(platform::PathOf(path), ec);
    if (ec || !std::filesystem::exists(status) || std::filesystem::is_regular_file(status))
        return {};
    return std::filesystem::is_directory(status) ? "a directory" : "not a regular file";
}

std::string ReadOnlyReason(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(platform::PathOf(path), ec);
    if (ec || !std::filesystem::exists(status))
        return {};
    if ((status.permissions() & std::filesystem::perms::owner_write) ==
        std::filesystem::perms::none)
        return "is read-only";
    return {};
}

bool RenameReplacing(const std::string& from, const std::string& to, std::string* error) {
    if (MoveFileExW(UTF8ToWide(from).c_str(), UTF8ToWide(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    *error = "cannot rename " + from + " to " + to + " (Windows error " +
             std::to_string(GetLastError()) + ")";
    return false;
}

bool RenameKeeping(const std::string& from, const std::string& to, std::string* error) {
    if (MoveFileExW(UTF8ToWide(from).c_str(), UTF8ToWide(to).c_str(), MOVEFILE_WRITE_THROUGH))
        return true;
    const DWORD code = GetLastError();
    *error = code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS
                 ? to + " exists"
                 : "cannot rename " + from + " to " + to + " (Windows error " +
                       std::to_string(code) + ")";
    return false;
}

} // namespace host
