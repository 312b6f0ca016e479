// The live session: the script first, then standard input, while the
// message loop runs the windows. The host's timer runs by the real clock:
// one timer unit is one millisecond, so the plug-in's 500-unit timer fires
// twice a second.
#include "live/LiveApp.h"
#include "live/Live.h"

#include "core/Host.h"
#include "core/StandInWindows.h"
#include "core/Text.h"
#include "script/Session.h"
#include "ui/Alerts.h"
#include "ui/DialogManager.h"

#include <iostream>

namespace host::live {

namespace {

App* gApp = nullptr;

// How often the window thread looks at the host's timers, in milliseconds.
constexpr UINT kTimerPeriod = 20;
constexpr UINT_PTR kHostTimerID = 1;

HFONT MakeFont(int weight) {
    return CreateFontW(-12, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

bool OnlyPrints(const std::string& line) {
    try {
        const Words words = ScriptRunner::Split(line);
        return !words.empty() && words[0] == "print";
    } catch (const ScriptError&) {
        return false;
    }
}

// Reads standard input on its own thread and hands each line to the window
// thread; the host itself is touched only there.
DWORD WINAPI ReadInput(void* document) {
    const HWND window = static_cast<HWND>(document);
    std::string line;
    while (std::getline(std::cin, line))
        PostMessageW(window, kLineMessage, 0, reinterpret_cast<LPARAM>(new std::string(line)));
    PostMessageW(window, kEndOfInputMessage, 0, 0);
    return 0;
}

// Whether a message may have changed what the windows show; painting,
// pointer moves without a button and the timer (which repaints when it fired)
// change nothing.
bool Changes(UINT message) {
    return message != WM_PAINT && message != WM_TIMER && message != WM_MOUSEMOVE &&
           message != WM_NCMOUSEMOVE && message != WM_SETCURSOR;
}

} // namespace

void LiveOutput::AlertShown(const std::string& text) {
    fOut << "alert \"" << text << "\"\n" << std::flush;
}

void LiveOutput::DialogOpened(const std::string& title) {
    fOut << "dialog \"" << title << "\"\n" << std::flush;
}

void LiveOutput::DialogClosed() {
    fOut << "dialog closed\n" << std::flush;
}

App::App(Session& s, ScriptRunner& r)
    : session(s), runner(r), context{s, std::cout, std::cerr}, fOutput(std::cout) {
    gApp = this;
    fFont = MakeFont(FW_NORMAL);
    fBold = MakeFont(FW_BOLD);
    fStart = GetTickCount64();
    fDocument = CreateDocumentWindow();
    SetTimer(fDocument, kHostTimerID, kTimerPeriod, nullptr);
    InstallSinks();
}

App::~App() {
    Host& host = session.GetHost();
    host.Get<ui::Alerts>().ask = nullptr;
    host.Get<ui::DialogManager>().onWait = nullptr;
    fBrowse.Reset();
    fListening.reset();
    CloseDialogWindow();
    if (fDocument)
        DestroyWindow(fDocument);
    DeleteObject(fFont);
    DeleteObject(fBold);
    gApp = nullptr;
}

App& App::Get() {
    return *gApp;
}

void App::InstallSinks() {
    // What the lines, the user's clicks and the timers cause is printed as
    // it happens, as a script's run prints it.
    std::ostream& out = context.out;
    Host& host = session.GetHost();
    fListening.emplace(host, fOutput);
    host.Get<ui::Alerts>().ask = [](const std::string& text, bool offered) {
        return ShowAlert(text, offered) ? ui::AlertAnswer::kDontShowAgain : ui::AlertAnswer::kOK;
    };
    host.Get<ui::DialogManager>().onWait = [](Boss* dialog) { WaitForDialog(dialog); };
    fBrowse = host.shellExecute.Subscribe([&out](const ShellExecuteRequest& e) {
        out << "browse \"" << e.file << "\"\n" << std::flush;
    });
}

bool App::RunLine(const std::string& line, bool counted) {
    if (counted)
        ++fLineNumber;
    bool good = true;
    ++fDepth;
    try {
        runner.RunLine(line, context);
    } catch (const ScriptError& e) {
        context.out.flush();
        context.err << "error: ";
        if (counted)
            context.err << "line " << fLineNumber << ": ";
        context.err << e.what() << "\n";
        good = false;
    }
    --fDepth;
    context.out.flush();
    context.err.flush();
    if (context.quit)
        End();
    AfterEvent();
    return good;
}

void App::Submit(const std::string& line) {
    if (fDepth == 0 || OnlyPrints(line)) {
        RunLine(line);
        RunWaiting();
    } else {
        fWaiting.push_back(line);
    }
}

void App::RunWaiting() {
    while (fDepth == 0 && !fWaiting.empty() && !fEnding) {
        const std::string line = fWaiting.front();
        fWaiting.pop_front();
        RunLine(line);
    }
}

void App::AfterEvent(bool repaint) {
    if (!session.Running())
        return;
    // Inside a command (a modal window waits) the host is not idle.
    if (fDepth == 0)
        session.GetHost().DrainCommands();
    SyncPalettes(repaint);
    SyncDialogs();
    if (fDepth == 0)
        RunWaiting();
}

void App::Tick() {
    if (!session.Running() || fDepth > 0)
        return;
    Host& host = session.GetHost();
    const auto now = static_cast<int64>(GetTickCount64() - fStart);
    bool fired = false;
    for (int64 due = host.NextTimerDeadline(); due >= 0 && due <= now;
         due = host.NextTimerDeadline()) {
        host.FireNextTimer();
        host.DrainCommands();
        fired = true;
    }
    if (fired)
        AfterEvent();
}

bool Available() {
    return true;
}

int Run(Session& session, ScriptRunner& runner, std::istream* script) {
    App app(session, runner);
    app.AfterEvent();
    std::string line;
    while (script && !app.Ending() && std::getline(*script, line))
        if (!app.RunLine(line))
            return 2;
    if (!app.Ending())
        CloseHandle(CreateThread(nullptr, 0, ReadInput, app.Document(), 0, nullptr));
    MSG message;
    while (!app.Ending() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
        app.AfterEvent(Changes(message.message));
    }
    return 0;
}

} // namespace host::live
