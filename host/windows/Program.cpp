// What opalhost asks of Windows.
#include "../Program.h"

#include "core/Text.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <cstdio>
#include <system_error>

namespace program {

void PrepareStandardStreams() {
    // The transcript is the same bytes on every system.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

std::string ExecutableDirectory(const char*) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string p = host::WideToUTF8(path);
    const auto slash = p.find_last_of("\\/");
    return slash == std::string::npos ? "." : p.substr(0, slash);
}

// main's own arguments are in the ANSI code page, which cannot hold every name.
std::vector<std::string> CommandLine(int, char**) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 0; wide && i < count; ++i)
        args.push_back(host::WideToUTF8(wide[i]));
    LocalFree(wide);
    return args;
}

std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(host::UTF8ToWide(utf8));
}

std::string Utf8Of(const std::filesystem::path& path) {
    return host::WideToUTF8(path.wstring());
}

bool IsTerminal() {
    return _isatty(_fileno(stdin)) && _isatty(_fileno(stdout));
}

std::filesystem::path MakeFolder(const std::filesystem::path& base, const std::string& prefix) {
    const std::filesystem::path folder = base / (prefix + std::to_string(GetCurrentProcessId()));
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return std::filesystem::create_directory(folder, ec) ? folder : std::filesystem::path();
}

} // namespace program
