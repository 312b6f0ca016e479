// The http handler of the test Wine prefix: proves that the plug-in's
// ShellExecuteA really reaches the shell, with its verb, address and show
// command, instead of trusting the host's own report of the call.
//
//   browse_recorder --register
//       makes this program the handler of http addresses (verb "open") in
//       the prefix it runs in
//   browse_recorder --record VERB ADDRESS
//       what the shell runs: appends `VERB "ADDRESS" SHOW` to the file that
//       OPAL_BROWSE_LOG names (nothing when it is unset)
//   browse_recorder --expect N LOG PROGRAM [ARGS...]
//       runs PROGRAM with OPAL_BROWSE_LOG=LOG, then waits for N recorded
//       calls (the shell starts handlers without waiting for them) and
//       prints them sorted, as the handlers may finish in any order. Exits
//       with the program's status, or 1 when calls are missing after 60 s.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr char kLogVariable[] = "OPAL_BROWSE_LOG";

int Fail(const char* what) {
    std::fprintf(stderr, "browse_recorder: %s (error %lu)\n", what, GetLastError());
    return 2;
}

int Register() {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return Fail("cannot name this program");
    // Only the "open" verb is registered: a call with another verb finds
    // no handler and is never recorded.
    const std::string command = std::string("\"") + self + "\" --record open \"%1\"";
    HKEY key;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", 0, nullptr, 0, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return Fail("cannot create the http handler key");
    const LONG written =
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
    RegCloseKey(key);
    return written == ERROR_SUCCESS ? 0 : Fail("cannot register the http handler");
}

std::string ShowName(const STARTUPINFOA& startup) {
    if (!(startup.dwFlags & STARTF_USESHOWWINDOW))
        return "default";
    switch (startup.wShowWindow) {
    case SW_SHOWMAXIMIZED:
        return "maximized";
    case SW_SHOWNORMAL:
        return "normal";
    case SW_SHOWMINIMIZED:
        return "minimized";
    default:
        return "show " + std::to_string(startup.wShowWindow);
    }
}

int Record(const char* verb, const char* address) {
    char log[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA(kLogVariable, log, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 0;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const std::string line = std::string(verb) + " \"" + address + "\" " + ShowName(startup) + "\n";
    // One appending write a line, so that handlers running at once never mix
    // their lines.
    HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Fail("cannot open the log");
    DWORD done = 0;
    const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &done, nullptr);
    CloseHandle(file);
    return ok && done == line.size() ? 0 : Fail("cannot write the log");
}

std::vector<std::string> CompleteLines(const char* path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// The command line of the program to run, quoted as the C runtime parses it.
std::string Quote(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + "\"";
}

int Expect(int expected, const char* log, int argc, char** argv) {
    DeleteFileA(log);
    if (!SetEnvironmentVariableA(kLogVariable, log))
        return Fail("cannot set the log variable");
    std::string command;
    for (int i = 0; i < argc; ++i)
        command += (i ? " " : "") + Quote(argv[i]);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process))
        return Fail("cannot start the program");
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    std::vector<std::string> lines = CompleteLines(log);
    for (int waited = 0; static_cast<int>(lines.size()) < expected && waited < 60000;
         waited += 50) {
        Sleep(50);
        lines = CompleteLines(log);
    }
    std::sort(lines.begin(), lines.end());
    for (const std::string& line : lines)
        std::printf("handler: %s\n", line.c_str());
    if (static_cast<int>(lines.size()) != expected) {
        std::printf("handler: %zu calls arrived, %d expected\n", lines.size(), expected);
        return 1;
    }
    return static_cast<int>(status);
}

} // namespace

int main(int argc, char** argv) {
    // Lines end in "\n" alone, as the native programs' do.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc == 2 && std::strcmp(argv[1], "--register") == 0)
        return Register();
    if (argc == 4 && std::strcmp(argv[1], "--record") == 0)
        return Record(argv[2], argv[3]);
    if (argc >= 5 && std::strcmp(argv[1], "--expect") == 0)
        return Expect(std::atoi(argv[2]), argv[3], argc - 4, argv + 4);
    std::fprintf(stderr, "usage: browse_recorder --register | --record VERB ADDRESS | "
                         "--expect N LOG PROGRAM [ARGS...]\n");
    return 2;
}
