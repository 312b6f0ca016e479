// opalhost: runs a host session with the Opal plug-in.
//
//   opalhost [--plugin FILE] [--workspace FILE] [--script FILE | -i]
//   opalhost.exe --live [--workspace FILE] [--script FILE]
//
// With no script it runs a short demonstration. The workspace is kept in the
// user's configuration folder unless --workspace names a file. Exit status:
// 0, 1 when the plug-in cannot be used, 2 for bad arguments, a workspace that
// is no file or a bad script line, 3 when the workspace could not be saved at
// the end.
#include "core/Text.h"
#include "live/Live.h"
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

const char kUsage[] =
    "usage: opalhost [--plugin FILE] [--workspace FILE] [--script FILE | -i | --live]";

const char kDemonstration[] = R"(say A host with a dozen panels in four palettes; Opal is loaded.
palette Layout
panel Pages in Layout
panel Layers in Layout
panel Links in Layout
palette Colour
panel Swatches in Colour
panel Color in Colour
panel Gradient in Colour
palette Type
panel Character in Type
panel Paragraph in Type
panel "Character &Styles" in Type new-group
palette Stash class 0x1640F
panel Info in Stash
panel Navigator in Stash
panel Script in Stash
print windows
say The user opens the Opal panel: every panel is listed, stashed ones greyed.
open opal
print list
say Select Links, Layout's front tab, and type 60: Layout becomes 60% opaque (alpha 153).
select Links
type 60
print list
print windows
say Select the front tabs of Colour and Type (two tab groups) and type 35.
select Gradient Paragraph "Character Styles"
type 35
print list
print windows
say The bar of row 0 (Character, 100%) as the plug-in draws it.
print bar 0
say A value outside 15 to 100 is refused by the field.
type 5
say Switch transparency off, then on again.
press onoff
print windows
press onoff
print windows
say Show only the visible panels, then all again.
press swap
print list
press swap
say Select a stashed panel: Opal explains once why it stays opaque for now.
select Navigator
say Double-click Pages: its palette closes; again: it opens, Pages in front.
doubleclick Pages
print windows
doubleclick Pages
print windows
say Widen the panel by 100: the bars grow with it.
resize 307 239
print size
print bar 1
say The panel menu before and after a toggle.
menu
menu "Turn opacity Off"
menu
menu "Turn opacity On"
say The maker's support page, from the sub-menu.
menu "Feedback And Support" "Support"
say About Opal, opened from the menu and closed with OK.
menu About
print dialog
say The screen now, as a picture: the page shows through each palette as much as its alpha says.
place Layout 300 60
place Colour 230 290
place Type 540 30
place Stash 330 470
place Opal 640 330
snapshot opal-demo.png
say Wrote opal-demo.png in the current folder.
press ok
close opal
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
    bool live = false;
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
        } else if (arg == "--live") {
            live = true;
        } else {
            std::cerr << kUsage << "\n";
            return 2;
        }
    }

    if (live && (interactive || !host::live::Available())) {
        std::cerr << (interactive ? kUsage
                                  : "opalhost: live windows are the Windows build's "
                                    "(opalhost.exe --live)")
                  << "\n";
        return 2;
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
    const int status = live ? host::live::Run(session, runner, script.empty() ? nullptr : input)
                            : runner.Run(*input, context);
    // A bad line leaves the saved workspace as it was.
    const bool saved = session.Stop(status == 0);
    return status == 0 && !saved ? 3 : status;
}
