// What opalhost asks of a POSIX system.
#include "../Program.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace program {

void PrepareStandardStreams() {}

std::string ExecutableDirectory(const char* argv0) {
    // Started through PATH, argv[0] names no folder; the system knows the file.
    std::error_code ec;
    std::string p = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    if (ec)
        p = argv0;
    const auto slash = p.find_last_of('/');
    return slash == std::string::npos ? "." : p.substr(0, slash);
}

std::vector<std::string> CommandLine(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(utf8);
}

std::string Utf8Of(const std::filesystem::path& path) {
    return path.string();
}

bool IsTerminal() {
    return isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
}

std::filesystem::path MakeFolder(const std::filesystem::path& base, const std::string& prefix) {
    std::string pattern = (base / (prefix + "XXXXXX")).string();
    return mkdtemp(pattern.data()) ? std::filesystem::path(pattern) : std::filesystem::path();
}

} // namespace program
