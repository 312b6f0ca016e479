// opalhost: runs a host session with the Opal plug-in.
//
//   opalhost [--plugin FILE] [--workspace FILE] [--script FILE | -i]
//   opalhost.exe --live [--workspace FILE] [--script FILE]
//
// With neither a script nor -i it runs a short demonstration, in a fresh
// workspace of its own unless --workspace names one. Exit statuses are in
// kHelp below.
#include "Program.h"
#include "core/Host.h"
#include "live/Live.h"
#include "persistence/FileOps.h"
#include "persistence/WorkspaceFile.h"
#include "resources/Resources.h"
#include "script/ScriptRunner.h"
#include "script/Session.h"
#include "script/Shell.h"
#include "script/UserFolders.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

namespace {

const char kUsage[] =
    "usage: opalhost [--plugin FILE] [--workspace FILE] [--script FILE | -i | --live]";

const char kHelp[] = R"(
Runs a session of the stand-in desktop-publishing host with the Opal plug-in.
With neither --script nor -i, it runs a short demonstration in a fresh
workspace of its own (unless --workspace names one) and draws the screen into
opal-demo.png in the current folder.

  --plugin FILE     the plug-in module (default: Opal.pln beside opalhost)
  --workspace FILE  the workspace file (default: $XDG_CONFIG_HOME/opalhost/workspace,
                    else ~/.config/opalhost/workspace; %APPDATA%\opalhost\workspace
                    on Windows)
  --script FILE     runs the commands in FILE, one a line ("-": standard input),
                    stopping at the first bad line
  -i                the interactive shell: a bad line is reported and the
                    session goes on; quit, exit or end of input save and leave
  --live            (Windows build) the host in real windows, used by mouse and
                    keyboard; the script first, then commands from standard input
  -h, --help        this text
  -V, --version     opalhost's version and the plug-in's

Options take their value as the next word or after "=" (--script=FILE).
The commands are listed by "help" in the shell, and in the README.

Exit status: 0 done; 1 the plug-in cannot be used; 2 bad arguments, a
workspace that is no file, a script that cannot be read, or a bad script
line; 3 the workspace could not be saved at the end.
)";

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
press ok
say Pages, now Layout's front tab, at 50%: every palette shows the page through it.
select Pages
type 50
say The screen now, as a picture: the page shows through each palette as much as its alpha says.
place Layout 300 40
place Colour 250 300
place Type 20 190
place Stash 330 470
place Opal 640 330
snapshot opal-demo.png
close opal
)";

struct Arguments {
    host::SessionOptions options;
    bool workspaceGiven = false;
    std::optional<std::string> script;
    bool interactive = false;
    bool live = false;
    bool help = false;
    bool version = false;
};

// The arguments as given, or a one-line complaint.
std::optional<std::string> Parse(const std::vector<std::string>& args, Arguments* parsed) {
    for (size_t i = 1; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (const size_t equals = name.find('='); name.rfind("--", 0) == 0 && equals != name.npos)
            value = name.substr(equals + 1), name.resize(equals);
        const bool takesValue = name == "--plugin" || name == "--workspace" || name == "--script";
        if (takesValue && !value) {
            if (i + 1 == args.size())
                return "option " + name + " needs a value";
            value = args[++i];
        } else if (!takesValue && value) {
            return "option " + name + " takes no value";
        }
        if (name == "--plugin")
            parsed->options.pluginFile = *value;
        else if (name == "--workspace")
            parsed->options.workspaceFile = *value, parsed->workspaceGiven = true;
        else if (name == "--script")
            parsed->script = *value;
        else if (name == "-i")
            parsed->interactive = true;
        else if (name == "--live")
            parsed->live = true;
        else if (name == "-h" || name == "--help")
            parsed->help = true;
        else if (name == "-V" || name == "--version")
            parsed->version = true;
        else
            return (name.rfind("-", 0) == 0 ? "unknown option " : "unexpected argument ") + name;
    }
    // One input a session: a script that ended in the shell would hide its errors.
    if (parsed->script && parsed->interactive)
        return std::string("--script and -i cannot be used together");
    if (parsed->live && parsed->interactive)
        return std::string("--live and -i cannot be used together");

    return std::nullopt;
}

// A fresh folder for the demonstration's workspace, removed at the end, so
// that the demonstration never touches the user's own.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::error_code ec;
        const auto base = std::filesystem::temp_directory_path(ec);
        fPath = program::MakeFolder(base, "opalhost-demo-");
    }
    ~TemporaryFolder() {
        std::error_code ec;
        if (!fPath.empty())
            std::filesystem::remove_all(fPath, ec);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& Path() const { return fPath; }

private:
    std::filesystem::path fPath;
};

// The workspace the session keeps; false with the reason on standard error.
bool ChooseWorkspace(Arguments& a, std::optional<TemporaryFolder>& demoFolder) {
    if (!a.workspaceGiven && !a.script && !a.interactive && !a.live) {
        demoFolder.emplace();
        if (demoFolder->Path().empty()) {
            std::cerr << "error: cannot make a temporary folder for the demonstration\n";
            return false;
        }
        a.options.workspaceFile = program::Utf8Of(demoFolder->Path() / "workspace");
        std::cerr << "The demonstration keeps its workspace in " << a.options.workspaceFile
                  << ", begun afresh; yours is left alone.\n";
    } else if (!a.workspaceGiven) {
        a.options.workspaceFile = host::DefaultWorkspaceFile();
        if (a.options.workspaceFile.empty())
            std::cerr << "warning: no configuration folder for the workspace; it is not kept\n";
    }
    const std::filesystem::path folder = program::PathOf(a.options.workspaceFile).parent_path();
    std::error_code ec;
    if (a.workspaceGiven && !folder.empty() && !std::filesystem::exists(folder, ec))
        std::cerr << "note: the workspace's folder " << program::Utf8Of(folder)
                  << " does not exist; it is made when the workspace is saved\n";
    // Nothing that is no file is read, renamed or written as the workspace.
    if (const std::string kind = host::NotARegularFile(a.options.workspaceFile); !kind.empty()) {
        std::cerr << "error: workspace " << a.options.workspaceFile << " is " << kind
                  << ", not a file\n";
        return false;
    }
    return true;
}

// The script's lines, or null with the reason on standard error.
std::unique_ptr<std::istream> OpenScript(const std::string& script) {
    if (script == "-")
        return std::make_unique<std::istream>(std::cin.rdbuf());
    const std::filesystem::path path = program::PathOf(script);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        std::cerr << "error: cannot read script " << script << ": it is a directory\n";
        return nullptr;
    }
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*file) {
        const int error = errno;
        std::cerr << "error: cannot open script " << script << ": "
                  << std::generic_category().message(error) << "\n";
        return nullptr;
    }
    return file;
}

// opalhost's version and the module's, from its version record.
int PrintVersion(const host::SessionOptions& options) {
    std::cout << "opalhost " << OPAL_VERSION << "\n";
    host::Session session(host::SessionOptions{options.pluginFile, ""});
    std::string error;
    if (!session.Start(&error)) {
        std::cerr << "error: " << error << "\n";
        return 1;
    }
    const auto& plugin = *session.GetHost().Plugins().front();
    std::string text = "unknown";
    for (const host::Bytes* bytes : plugin.resources.OfType(kPluginVersionRsrcType))
        if (const auto version = host::DecodePluginVersion(*bytes))
            text = version->versionText;
    std::cout << plugin.file << " " << text << "\n";
    session.Stop(false);
    return 0;
}

void Banner(const host::SessionOptions& options) {
    std::cout << "opalhost " << OPAL_VERSION << " with " << options.pluginFile << "\n"
              << "workspace: " << (options.workspaceFile.empty() ? "none" : options.workspaceFile)
              << "\n"
              << "The world starts empty. Type help for the commands, quit to save and leave.\n";
}

// Runs the session on the chosen input; returns the exit status.
int RunSession(const Arguments& a, std::istream& input) {
#if defined(SIGXFSZ)
    // Past a file-size limit a write then fails with an error the save
    // reports (and cleans up after) instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    host::Session session(a.options);
    std::string error;
    if (!session.Start(&error)) {
        std::cerr << "error: " << error << "\n";
        return 1;
    }
    host::ScriptRunner runner;
    host::ScriptContext context{session, std::cout, std::cerr};
    int status = 0;
    if (a.live) {
        status = host::live::Run(session, runner, a.script ? &input : nullptr);
    } else if (a.interactive) {
        if (program::IsTerminal())
            Banner(a.options);
        status = host::RunShell(runner, context, input, host::HistoryFile());
    } else {
        status = runner.Run(input, context);
    }
    // A bad script line leaves the saved workspace as it was.
    const bool saved = session.Stop(status == 0);
    return status == 0 && !saved ? 3 : status;
}

} // namespace

int main(int argc, char** argv) {
    program::PrepareStandardStreams();
    Arguments a;
    a.options.pluginFile = program::ExecutableDirectory(argv[0]) + "/Opal.pln";
    if (const auto complaint = Parse(program::CommandLine(argc, argv), &a)) {
        std::cerr << "opalhost: " << *complaint << "\n"
                  << kUsage << "\n(opalhost --help tells more)\n";
        return 2;
    }
    if (a.help) {
        std::cout << kUsage << "\n" << kHelp;
        return 0;
    }
    if (a.version)
        return PrintVersion(a.options);
    if (a.live && !host::live::Available()) {
        std::cerr << "opalhost: live windows are the Windows build's (opalhost.exe --live)\n";
        return 2;
    }
    // The live session reads its command lines from standard input.
    if (a.live && a.script && *a.script == "-") {
        std::cerr << "opalhost: --script - and --live cannot be used together (standard input "
                     "is the live session's)\n";
        return 2;
    }
    std::optional<TemporaryFolder> demoFolder;
    if (!ChooseWorkspace(a, demoFolder))
        return 2;
    std::istringstream demonstration(kDemonstration);
    std::unique_ptr<std::istream> script;
    if (a.script && !(script = OpenScript(*a.script)))
        return 2;
    std::istream& input = script ? *script : a.interactive ? std::cin : demonstration;
    return RunSession(a, input);
}
