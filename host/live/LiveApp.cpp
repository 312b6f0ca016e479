// The live session: the script first, then standard input, while the
// message loop runs the windows. The host's timer runs by the real clock:
// one timer unit is one millisecond, so the plug-in's 500-unit timer fires
// twice a second. Between events the window thread sleeps in GetMessage: one
// Windows timer is set for the host's next deadline, and the windows follow
// only what the host's steps say changed.
#include "live/LiveApp.h"
#include "live/Live.h"

#include "core/Host.h"
#include "core/Text.h"
#include "core/WindowSystem.h"
#include "script/Session.h"
#include "ui/Alerts.h"
#include "ui/DialogManager.h"
#include "ui/PluginPanels.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace host::live {

namespace {

constexpr UINT_PTR kHostTimerID = 1;
// fArmed while the timer's firing waits in the held work.
constexpr int64 kTimerHeld = -3;

bool OnlyPrints(const std::string& line) {
    try {
        const Words words = ScriptRunner::Split(line);
        return !words.empty() && words[0] == "print";
    } catch (const ScriptError&) {
        return false;
    }
}

// Once the session's windows are gone, the world's palettes have none (the
// session is stopped after the live windows end).
class NoWindows final : public PaletteWindows {
public:
    HWND Create(const std::string&, ScreenPoint) override { return nullptr; }
    void Destroy(HWND) override {}
    void Show(HWND, bool) override {}
    bool IsShown(HWND) const override { return false; }
};

NoWindows gNoWindows;

} // namespace

// ---- Standard input -------------------------------------------------------------------

InputReader::InputReader(HWND wake) : fShared(std::make_shared<Shared>()) {
    fShared->wake = wake;
    auto* own = new std::shared_ptr<Shared>(fShared);
    fThread = CreateThread(nullptr, 0, &InputReader::Main, own, 0, nullptr);
    if (!fThread)
        delete own;
}

InputReader::~InputReader() {
    {
        std::lock_guard<std::mutex> hold(fShared->lock);
        fShared->wake = nullptr;
    }
    if (!fThread)
        return;
    // A read still waiting for a line is cancelled and the thread joined.
    // Where the system cannot cancel it (a pipe another process keeps open,
    // under Wine), the thread is left to end with the process: it holds its
    // own share of the state and touches nothing else.
    for (int i = 0; i < 10 && WaitForSingleObject(fThread, 20) != WAIT_OBJECT_0; ++i)
        CancelSynchronousIo(fThread);
    CloseHandle(fThread);
}

DWORD WINAPI InputReader::Main(void* own) {
    const std::unique_ptr<std::shared_ptr<Shared>> held(static_cast<std::shared_ptr<Shared>*>(own));
    Shared& shared = **held;
    const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    std::string pending;
    char buffer[4096];
    DWORD got = 0;
    for (;;) {
        const bool read = ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got > 0;
        std::lock_guard<std::mutex> hold(shared.lock);
        if (!shared.wake)
            return 0;
        if (read) {
            pending.append(buffer, got);
            for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
                std::string line = pending.substr(0, end);
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                shared.lines.push_back(std::move(line));
                pending.erase(0, end + 1);
            }
        } else {
            if (!pending.empty())
                shared.lines.push_back(std::move(pending));
            shared.ended = true;
        }
        PostMessageW(shared.wake, kInputMessage, 0, 0);
        if (shared.ended)
            return 0;
    }
}

std::vector<std::string> InputReader::Take(bool* ended) {
    std::lock_guard<std::mutex> hold(fShared->lock);
    *ended = fShared->ended;
    return std::exchange(fShared->lines, {});
}

// ---- The session ------------------------------------------------------------------------

App::App(Session& s, ScriptRunner& r) : session(s), runner(r), context{s, std::cout, std::cerr} {
    fFont = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, L"Tahoma");
    fStart = GetTickCount64();
    fDocument = std::make_unique<DocumentWindow>(*this);
    InstallSinks();
    session.GetHost().Get<World>().SetPaletteWindows(this);
    // The loaded workspace's palettes were made before the session's windows:
    // they are made again, as the plug-in knows windows to be.
    World& world = session.GetHost().Get<World>();
    for (const PaletteInfo& palette : world.Palettes())
        if (palette.window)
            world.RecreatePalette(palette.name);
}

App::~App() {
    fHeard.clear();
    fReader.reset();
    fDialog.reset();
    // The world's palettes outlive the session's windows: ending the session
    // takes them down, through this factory, before the App goes.
    session.GetHost().Get<World>().SetPaletteWindows(&gNoWindows);
    fByName.clear();
    fPalettes.clear();
    fDocument.reset();
    DeleteObject(fFont);
}

void App::InstallSinks() {
    // What the lines, the user's clicks and the timers cause is printed as
    // it happens, as a script's run prints it.
    std::ostream& out = context.out;
    Host& host = session.GetHost();
    fHeard.push_back(host.Get<World>().paletteChanges.Subscribe(
        [this](const PaletteChange& e) { Changed(e.palette, e.placed); }));
    fHeard.push_back(
        host.Get<ui::PluginPanels>().redrawn.Subscribe([this](const Boss* w) { Redrawn(w); }));
    fHeard.push_back(host.Get<ui::Alerts>().answerer.Provide(*this));
    fHeard.push_back(host.Get<ui::DialogManager>().waiter.Provide(*this));
    fHeard.push_back(host.Get<ui::Alerts>().shown.Subscribe([&out](const ui::AlertEvent& e) {
        out << "alert \"" << e.text << "\"\n" << std::flush;
    }));
    fHeard.push_back(
        host.Get<ui::DialogManager>().events.Subscribe([this, &out](const ui::DialogEvent& e) {
            if (e.kind == ui::DialogEvent::kOpened)
                out << "dialog \"" << e.title << "\"\n" << std::flush;
            else
                out << "dialog closed\n" << std::flush;
            DialogsChanged();
        }));
    fHeard.push_back(host.shellExecute.Subscribe([&out](const ShellExecuteRequest& e) {
        out << "browse \"" << e.file << "\"\n" << std::flush;
    }));
}

ui::AlertAnswer App::Answer(const std::string& text, bool offered) {
    return ShowAlert(*this, text, offered) ? ui::AlertAnswer::kDontShowAgain : ui::AlertAnswer::kOK;
}

void App::WaitFor(Boss* dialog) {
    SyncDialog();
    RunModal([this, dialog] {
        return session.GetHost().Get<ui::DialogManager>().FrontDialog() != dialog;
    });
    SyncDialog();
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
    // What the line changed may be under way in the host's queue.
    fLookStale = true;
    Settle();
    return good;
}

void App::Act(const ui::UserAction& action) {
    ++fDepth;
    try {
        ui::Perform(session.GetHost(), action);
    } catch (const ui::UserActionError& e) {
        context.out.flush();
        context.err << "error: " << e.what() << "\n";
    }
    --fDepth;
    context.out.flush();
    context.err.flush();
    fLookStale = true;
    Settle();
}

void App::InputArrived() {
    if (!fReader)
        return;
    bool ended = false;
    for (std::string& line : fReader->Take(&ended)) {
        // The live session's own question: how often the window thread woke.
        if (line == "print live") {
            context.out << "live messages " << fDispatched << "\n" << std::flush;
            continue;
        }
        // And a way to hold the host's timers (to see that nothing else wakes it).
        if (line == "live timer stop" || line == "live timer run") {
            fTimerStopped = line == "live timer stop";
            fArmed = -2;
            continue;
        }
        // Lines that only print answer at once, even while a modal window waits.
        if (fDepth == 0 && fHeld.empty())
            RunLine(line);
        else if (OnlyPrints(line))
            RunLine(line);
        else
            fHeld.emplace_back(std::move(line));
    }
    if (ended) {
        fHeld.emplace_back("quit");
        fReader.reset();
    }
    Settle();
}

void App::TimerDue() {
    // A Windows timer repeats: it is set again for the next deadline once the
    // due ones ran. Held behind lines that arrived earlier; never run inside
    // a command.
    KillTimer(Document(), kHostTimerID);
    fArmed = kTimerHeld;
    fHeld.emplace_back(std::nullopt);
    Settle();
}

void App::Settle() {
    if (!session.Running())
        return;
    if (fDepth == 0) {
        while (!fHeld.empty() && !fEnding && fDepth == 0) {
            std::optional<std::string> next = std::move(fHeld.front());
            fHeld.pop_front();
            if (next)
                RunLine(*next);
            else
                FireTimers();
        }
        if (!fEnding)
            session.GetHost().DrainCommands();
    }
    Flush();
    ArmTimer();
}

void App::FireTimers() {
    Host& host = session.GetHost();
    const auto now = static_cast<int64>(GetTickCount64() - fStart);
    for (int64 due = host.NextTimerDeadline(); due >= 0 && due <= now;
         due = host.NextTimerDeadline()) {
        host.FireNextTimer();
        host.DrainCommands();
    }
}

void App::ArmTimer() {
    if (!session.Running() || !fDocument)
        return;
    if (fArmed == kTimerHeld && std::find(fHeld.begin(), fHeld.end(), std::nullopt) != fHeld.end())
        return;
    const int64 due = fTimerStopped ? -1 : session.GetHost().NextTimerDeadline();
    if (due == fArmed)
        return;
    fArmed = due;
    if (due < 0) {
        KillTimer(Document(), kHostTimerID);
        return;
    }
    const auto now = static_cast<int64>(GetTickCount64() - fStart);
    const int64 wait = std::max<int64>(due - now, USER_TIMER_MINIMUM);
    SetTimer(Document(), kHostTimerID, static_cast<UINT>(std::min<int64>(wait, 0x7fffffff)),
             nullptr);
}

void App::Changed(const std::string& palette, bool placed) {
    if (Tracing())
        Trace("step: " + std::string(placed ? "placed " : "changed ") + palette);
    (placed ? fPlaced : fChanged).insert(palette);
    fLookStale = true;
}

void App::Redrawn(const Boss* widget) {
    fRedrawn.insert(widget);
    fLookStale = true;
}

const paint::ScreenLook& App::Look() {
    if (fLookStale || !fLook) {
        fLook = paint::LayOut(session.GetHost(), *fMeasure);
        fLookStale = false;
    }
    return *fLook;
}

std::optional<paint::PaletteLook> App::LookOf(const PaletteWindow& window) {
    for (const paint::PaletteLook& look : Look().palettes)
        if (look.area.name == window.Name())
            return look;
    return std::nullopt;
}

void App::Flush() {
    if (fDialogsStale)
        SyncDialog();
    if (fPlaced.empty() && fChanged.empty() && fRedrawn.empty())
        return;
    const std::set<std::string> placed = std::exchange(fPlaced, {});
    const std::set<std::string> changed = std::exchange(fChanged, {});
    const std::set<const Boss*> redrawn = std::exchange(fRedrawn, {});
    // The palettes of the widgets redrawn, with the rectangles to paint again.
    std::map<std::string, std::vector<const Boss*>> widgets;
    World& world = session.GetHost().Get<World>();
    for (const Boss* widget : redrawn) {
        IPMUnknown* palette = world.QueryPaletteOfWidget(
            reinterpret_cast<const IPMUnknown*>(static_cast<const void*>(widget)));
        if (!palette)
            continue;
        if (const std::string* name = world.PaletteName(::GetUID(palette)))
            widgets[*name].push_back(widget);
        palette->Release();
    }
    for (const paint::PaletteLook& look : Look().palettes) {
        const std::string& name = look.area.name;
        const bool moved = placed.count(name) > 0, whole = changed.count(name) > 0;
        const auto w = widgets.find(name);
        if (!moved && !whole && w == widgets.end())
            continue;
        PaletteWindow* window = Palette(name);
        if (!window)
            continue;
        window->Follow(look.area);
        if (whole) {
            InvalidateRect(window->Handle(), nullptr, FALSE);
            continue;
        }
        if (w == widgets.end())
            continue;
        for (const paint::GroupLook& group : look.groups)
            for (const paint::WidgetPlace& place : paint::PanelPlaces(look, group))
                if (std::find(w->second.begin(), w->second.end(), place.widget) !=
                    w->second.end()) {
                    const paint::Rect& r = place.box;
                    const RECT dirty{static_cast<LONG>(r.x) - look.area.left,
                                     static_cast<LONG>(r.y) - look.area.top,
                                     static_cast<LONG>(r.Right()) - look.area.left + 1,
                                     static_cast<LONG>(r.Bottom()) - look.area.top + 1};
                    InvalidateRect(window->Handle(), &dirty, FALSE);
                }
    }
}

void App::SyncDialog() {
    fDialogsStale = false;
    Boss* front = session.GetHost().Get<ui::DialogManager>().FrontDialog();
    if (front == (fDialog ? fDialog->Dialog() : nullptr))
        return;
    fDialog.reset();
    if (!front)
        return;
    for (const paint::DialogLook& look : Look().dialogs)
        if (look.view.root == front)
            fDialog = std::make_unique<DialogWindow>(*this, front, look);
}

void App::Dispatch(MSG& message, HWND dialog) {
    ++fDispatched;
    if (dialog && IsDialogMessageW(dialog, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
    // A window's handler may have changed the host (a menu entry, a move by
    // the window manager): the host and the windows then follow.
    if (!fHeld.empty() || fDialogsStale || !fPlaced.empty() || !fChanged.empty() ||
        !fRedrawn.empty() || (fDepth == 0 && session.GetHost().QueuedCommands() > 0) ||
        (fArmed != kTimerHeld && !fTimerStopped && session.GetHost().NextTimerDeadline() != fArmed))
        Settle();
}

void App::RunModal(const std::function<bool()>& done, HWND dialog) {
    ++fDepth;
    MSG message;
    while (!fEnding && !done() && GetMessageW(&message, nullptr, 0, 0) > 0)
        Dispatch(message, dialog);
    --fDepth;
}

int App::Run(std::istream* script) {
    Settle();
    std::string line;
    while (script && !fEnding && std::getline(*script, line))
        if (!RunLine(line))
            return 2;
    if (!fEnding)
        fReader = std::make_unique<InputReader>(Document());
    MSG message;
    while (!fEnding && GetMessageW(&message, nullptr, 0, 0) > 0)
        Dispatch(message, nullptr);
    return 0;
}

HWND App::Document() const {
    return fDocument ? fDocument->Handle() : nullptr;
}

PaletteWindow* App::Palette(const std::string& name) const {
    const auto it = fByName.find(name);
    return it == fByName.end() ? nullptr : it->second;
}

HWND App::Create(const std::string& name, ScreenPoint place) {
    auto window = std::make_unique<PaletteWindow>(*this, name, place);
    const HWND handle = window->Handle();
    if (!handle)
        return nullptr;
    fByName[name] = window.get();
    fPalettes[handle] = std::move(window);
    return handle;
}

void App::Destroy(HWND window) {
    const auto it = fPalettes.find(window);
    if (it == fPalettes.end())
        return;
    PaletteWindow& palette = *it->second;
    Forget(*this, palette);
    const auto named = fByName.find(palette.Name());
    if (named != fByName.end() && named->second == &palette)
        fByName.erase(named);
    fPalettes.erase(it);
}

void App::Show(HWND window, bool shown) {
    const auto it = fPalettes.find(window);
    if (it == fPalettes.end())
        return;
    PaletteWindow& palette = *it->second;
    palette.shown = shown;
    fLookStale = true;
    if (shown) {
        // At its place and size first: it never shows anywhere else.
        if (const auto look = LookOf(palette))
            palette.Follow(look->area);
        // Shown, the window system puts it over the others: so does the world.
        try {
            session.GetHost().Get<World>().RaisePalette(palette.Name());
        } catch (const WorldError&) {
        }
        ShowWindow(window, SW_SHOWNOACTIVATE);
    } else {
        Forget(*this, palette);
        ShowWindow(window, SW_HIDE);
    }
}

bool App::IsShown(HWND window) const {
    const auto it = fPalettes.find(window);
    return it != fPalettes.end() && it->second->shown;
}

bool Available() {
    return true;
}

int Run(Session& session, ScriptRunner& runner, std::istream* script) {
    App app(session, runner);
    return app.Run(script);
}

} // namespace host::live
