// opalhost: runs a host session with the Opal plug-in.
//
//   opalhost [--plugin FILE] [--workspace FILE] [--script FILE | -i]
//
// With no script it runs a short demonstration. The workspace is kept in the
// user's configuration folder unless --workspace names a file. Exit status:
// 0, 1 when the plug-in cannot be used, 2 for bad arguments, a workspace that
// is no file or a bad script line, 3 when the workspace could not be saved at
// the end.
#include "core/Text.h"
#include "persistence/WorkspaceFile.h"
#include "script/ScriptRunner.h"
#include "script/Session.h"

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>
#endif

namespace {

const char kUsage[] = "usage: opalhost [--plugin FILE] [--workspace FILE] [--script FILE | -i]";

const char kDemonstration[] = R"(# The resources the plug-in brings to the host.
print resources
# A small host world: two floating palettes, one with two tabs.
palette Layers
panel Layers in Layers
panel Pages in Layers
palette Swatches
panel Swatches in Swatches
print windows
# Store an opacity per panel; the window takes the largest of its active panels.
do add-alpha Layers
do add-alpha Pages
do add-alpha Swatches
do set-alpha Pages 60
do set-alpha Swatches 35
tick
print windows
print data
)";

std::string ExecutableDirectory(const char* argv0) {
#if defined(_WIN32)
    (void)argv0;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string p = host::WideToUTF8(path);
    const auto slash = p.find_last_of("\\/");
#else
    std::string p = argv0;
    const auto slash = p.find_last_of('/');
#endif
    return slash == std::string::npos ? "." : p.substr(0, slash);
}

// The arguments in UTF-8, as the host takes every file name. On Windows main's
// own arguments are in the ANSI code page, which cannot hold every name.
std::vector<std::string> Arguments(int argc, char** argv) {
#if defined(_WIN32)
    (void)argc, (void)argv;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 0; wide && i < count; ++i)
        args.push_back(host::WideToUTF8(wide[i]));
    LocalFree(wide);
    return args;
#else
    return std::vector<std::string>(argv, argv + argc);
#endif
}

std::filesystem::path PathOf(const std::string& utf8) {
#if defined(_WIN32)
    return std::filesystem::path(host::UTF8ToWide(utf8));
#else
    return std::filesystem::path(utf8);
#endif
}

} // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
    // The transcript is the same bytes on every system.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    host::SessionOptions options;
    options.pluginFile = ExecutableDirectory(argv[0]) + "/Opal.pln";
    bool workspaceGiven = false;
    std::string script;
    bool interactive = false;
    const std::vector<std::string> args = Arguments(argc, argv);
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--plugin" && hasValue) {
            options.pluginFile = args[++i];
        } else if (arg == "--workspace" && hasValue) {
            options.workspaceFile = args[++i];
            workspaceGiven = true;
        } else if (arg == "--script" && hasValue) {
            script = args[++i];
        } else if (arg == "-i") {
            interactive = true;
        } else {
            std::cerr << kUsage << "\n";
            return 2;
        }
    }

    if (!workspaceGiven) {
        options.workspaceFile = host::DefaultWorkspaceFile();
        if (options.workspaceFile.empty())
            std::cerr << "warning: no configuration folder for the workspace; it is not kept\n";
    }
    // Nothing that is no file is read, renamed or written as the workspace.
    if (const std::string kind = host::NotARegularFile(options.workspaceFile); !kind.empty()) {
        std::cerr << "error: workspace " << options.workspaceFile << " is " << kind
                  << ", not a file\n";
        return 2;
    }

    std::ifstream file;
    std::istringstream demonstration(kDemonstration);
    std::istream* input = &demonstration;
    if (!script.empty()) {
        file.open(PathOf(script), std::ios::binary);
        if (!file) {
            std::cerr << "error: cannot open script " << script << "\n";
            return 2;
        }
        input = &file;
    } else if (interactive) {
        input = &std::cin;
    }

#if defined(SIGXFSZ)
    // Past a file-size limit a write then fails with an error the save
    // reports (and cleans up after) instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    host::Session session(options);
    std::string error;
    if (!session.Start(&error)) {
        std::cerr << "error: " << error << "\n";
        return 1;
    }
    host::ScriptRunner runner;
    host::ScriptContext context{session, std::cout, std::cerr};
    const int status = runner.Run(*input, context);
    // A bad line leaves the saved workspace as it was.
    const bool saved = session.Stop(status == 0);
    return status == 0 && !saved ? 3 : status;
}
