// opalhost as a person runs it: its arguments, the interactive shell on a
// terminal (a pseudo-terminal here), and the demonstration, which must leave
// the user's own workspace alone.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A fresh folder for one test, with a home folder inside.
fs::path Scratch(const std::string& name) {
    const fs::path dir =
        fs::temp_directory_path() / ("opalhost-test-" + name + "-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "home");
    return dir;
}

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void Write(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// In the child: the test's folder, its home, and opalhost.
[[noreturn]] void ExecOpalhost(const fs::path& dir, const std::vector<std::string>& args) {
    if (chdir(dir.c_str()) != 0)
        _exit(127);
    setenv("HOME", (dir / "home").c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_STATE_HOME");
    setenv("TERM", "dumb", 1);
    std::vector<char*> argv;
    std::string program = OPALHOST_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

int ExitStatus(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

struct Result {
    int status;
    std::string out;
    std::string err;
};

// Runs opalhost in `dir` with `input` on standard input (no terminal).
Result RunOpalhost(const fs::path& dir, const std::vector<std::string>& args,
                   const std::string& input = "") {
    Write(dir / "stdin", input);
    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open((dir / "stdin").c_str(), O_RDONLY);
        const int out = open((dir / "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open((dir / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(in, 0), dup2(out, 1), dup2(err, 2);
        ExecOpalhost(dir, args);
    }
    const int status = ExitStatus(pid);
    return {status, Read(dir / "stdout"), Read(dir / "stderr")};
}

std::vector<std::string> With(std::vector<std::string> args) {
    args.insert(args.begin(), {"--plugin", OPAL_PLUGIN_PATH});
    return args;
}

TEST(OpalhostTest, HelpAndVersion_GoToStandardOutputWithStatus0) {
    const fs::path dir = Scratch("help");
    for (const char* option : {"--help", "-h"}) {
        const Result r = RunOpalhost(dir, {option});
        EXPECT_EQ(r.status, 0) << option;
        EXPECT_EQ(r.out.rfind("usage: opalhost", 0), 0u) << r.out;
        EXPECT_NE(r.out.find("Exit status"), std::string::npos);
        EXPECT_EQ(r.err, "");
    }
    for (const char* option : {"--version", "-V"}) {
        const Result r = RunOpalhost(dir, With({option}));
        EXPECT_EQ(r.status, 0) << option << r.err;
        // opalhost's version, then the module's from its version record.
        EXPECT_EQ(r.out.rfind("opalhost 1.", 0), 0u) << r.out;
        EXPECT_NE(r.out.find(std::string(OPAL_PLUGIN_PATH) + " 1."), std::string::npos) << r.out;
    }
}

TEST(OpalhostTest, BadArguments_AreNamedWithStatus2) {
    const fs::path dir = Scratch("arguments");
    fs::create_directory(dir / "folder");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--bogus"}, "opalhost: unknown option --bogus"},
        {{"--plugin"}, "opalhost: option --plugin needs a value"},
        {{"-i=1"}, "opalhost: unknown option -i=1"},
        {{"--help=yes"}, "opalhost: option --help takes no value"},
        {{"stray"}, "opalhost: unexpected argument stray"},
        {{"--script", "s.txt", "-i"}, "opalhost: --script and -i cannot be used together"},
        {{"--script", "missing.txt"},
         "error: cannot open script missing.txt: No such file or directory"},
        {{"--script", "folder"}, "error: cannot read script folder: it is a directory"},
    };
    for (const auto& [args, first] : cases) {
        SCOPED_TRACE(args[0]);
        const Result r = RunOpalhost(dir, With(args));
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), first);
        EXPECT_EQ(r.out, "");
    }
}

TEST(OpalhostTest, Scripts_TakeOptionsWithEqualsStandardInputAndAByteOrderMark) {
    const fs::path dir = Scratch("script");
    Write(dir / "bom.txt", "\xEF\xBB\xBF"
                           "do on-off 0\nprint data\n");
    Result r = RunOpalhost(dir, With({"--workspace=new/ws", "--script=bom.txt"}));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "note: the workspace's folder new does not exist; it is made when the "
                     "workspace is saved\n");
    EXPECT_EQ(r.out, "options on-off=0 ignore-closed=0 reserved=0\n");
    // Saved in ws, read back through standard input.
    r = RunOpalhost(dir, With({"--workspace", "new/ws", "--script", "-"}), "print data\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "options on-off=0 ignore-closed=0 reserved=0\n");
}

TEST(OpalhostTest, ShellWithoutTerminal_GoesOnAfterBadLinesAndSavesAtTheEnd) {
    const fs::path dir = Scratch("piped");
    const Result r = RunOpalhost(dir, With({"--workspace", "ws", "-i"}),
                                 "do on-off 0\nselct Pages\nhelp quit\ndo ignore-closed 1\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "error: line 2: unknown command \"selct\"; help lists the commands\n");
    EXPECT_EQ(r.out, "quit\n    saves the workspace and ends the session\n");
    EXPECT_EQ(RunOpalhost(dir, With({"--workspace", "ws", "--script", "-"}),
                          "print data\nquit\nprint data\n")
                  .out,
              "options on-off=0 ignore-closed=1 reserved=0\n");
}

TEST(OpalhostTest, Demonstration_LeavesTheUsersWorkspaceAlone) {
    const fs::path dir = Scratch("demo");
    const fs::path own = dir / "home/.config/opalhost/workspace";
    fs::create_directories(own.parent_path());
    ASSERT_EQ(RunOpalhost(dir, With({"--workspace", own.string(), "--script", "-"}),
                          "do add-alpha 101\ndo set-alpha 101 20\n")
                  .status,
              0);
    const std::string before = Read(own);
    ASSERT_FALSE(before.empty());
    const Result r = RunOpalhost(dir, With({}));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("yours is left alone"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("wrote opal-demo.png"), std::string::npos);
    EXPECT_EQ(Read(own), before);
    EXPECT_EQ(fs::directory_iterator(own.parent_path())->path(), own) << "nothing else there";
}

// What the README has a person type, and what it shows the shell answering.
TEST(OpalhostTest, ReadmeSession_RunsAsShown) {
    const fs::path dir = Scratch("readme");
    std::istringstream readme(Read(fs::path(OPAL_SOURCE_DIR) / "README.md"));
    std::string line, typed, shown;
    bool inSession = false;
    while (std::getline(readme, line)) {
        if (line.rfind("    opal> ", 0) == 0) {
            typed += line.substr(10) + "\n";
            inSession = true;
        } else if (inSession && line.rfind("    ", 0) == 0) {
            shown += line.substr(4) + "\n";
        } else {
            inSession = false;
        }
    }
    ASSERT_NE(typed.find("snapshot mine.png"), std::string::npos) << typed;
    ASSERT_NE(shown.find("alpha="), std::string::npos) << shown;
    const Result r = RunOpalhost(dir, With({"--workspace", "ws", "-i"}), typed);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, shown);
    EXPECT_TRUE(fs::exists(dir / "mine.png"));
}

// opalhost on a pseudo-terminal: what it writes, and keys typed into it.
class Terminal {
public:
    Terminal(const fs::path& dir, const std::vector<std::string>& args) {
        fPid = forkpty(&fFd, nullptr, nullptr, nullptr);
        if (fPid == 0)
            ExecOpalhost(dir, args);
    }
    ~Terminal() {
        if (fFd >= 0)
            close(fFd);
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    void Type(const std::string& keys) {
        ASSERT_EQ(write(fFd, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }
    // Reads until `text` appears after what earlier waits found; false after
    // a while without it.
    bool WaitFor(const std::string& text) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < end) {
            const size_t at = fSeen.find(text, fFrom);
            if (at != std::string::npos) {
                fFrom = at + text.size();
                return true;
            }
            pollfd p{fFd, POLLIN, 0};
            if (poll(&p, 1, 200) > 0) {
                char buffer[4096];
                const ssize_t n = read(fFd, buffer, sizeof buffer);
                if (n <= 0)
                    return false;
                fSeen.append(buffer, static_cast<size_t>(n));
            }
        }
        return false;
    }
    int Wait() {
        WaitFor("\x01never"); // drains the output until the end
        return ExitStatus(fPid);
    }
    const std::string& Seen() const { return fSeen; }

private:
    pid_t fPid = -1;
    int fFd = -1;
    std::string fSeen;
    size_t fFrom = 0;
};

TEST(OpalhostTest, ShellOnATerminal_KeepsGoingCompletesClearsAndSavesAtQuit) {
    const fs::path dir = Scratch("terminal");
    {
        Terminal t(dir, With({"--workspace", "ws", "-i"}));
        ASSERT_TRUE(t.WaitFor("Type help for the commands")) << t.Seen();
        const char* lines[] = {"palette Tools", "panel Pages in Tools", "do add-alpha Pages",
                               "do set-alpha Pages 40"};
        for (const char* line : lines) {
            ASSERT_TRUE(t.WaitFor("opal> ")) << t.Seen();
            t.Type(std::string(line) + "\r");
        }
        ASSERT_TRUE(t.WaitFor("opal> "));
        t.Type("selct Pages\r");
        ASSERT_TRUE(t.WaitFor("error: unknown command \"selct\"; help lists the commands"))
            << t.Seen();
        ASSERT_TRUE(t.WaitFor("opal> "));
        t.Type("help\r");
        ASSERT_TRUE(t.WaitFor("The Opal panel:")) << t.Seen();
        ASSERT_TRUE(t.WaitFor("opal> "));
        t.Type("do on-off 0\r");
        // Tab completes "pri" to "print ": the line then runs as "print data".
        ASSERT_TRUE(t.WaitFor("opal> "));
        t.Type("pri\t");
        t.Type("data\r");
        ASSERT_TRUE(t.WaitFor("options on-off=0")) << t.Seen();
        // Ctrl-C clears what was typed, which then never runs.
        ASSERT_TRUE(t.WaitFor("opal> "));
        t.Type("do on-off 1\x03");
        ASSERT_TRUE(t.WaitFor("^C")) << t.Seen();
        t.Type("quit\r");
        EXPECT_EQ(t.Wait(), 0) << t.Seen();
    }
    const Result r = RunOpalhost(dir, With({"--workspace", "ws", "--script", "-"}), "print data\n");
    EXPECT_EQ(r.out, "options on-off=0 ignore-closed=0 reserved=0\nentry 0 panel 101 alpha 40\n");
    // What was typed is remembered for the next session.
    const std::string history = Read(dir / "home/.local/state/opalhost/history");
    EXPECT_NE(history.find("selct"), std::string::npos) << history;
}

} // namespace
