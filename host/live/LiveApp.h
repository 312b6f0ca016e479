// The live session's own state, shared by its window procedures: one
// window thread runs the host; the reader of standard input only posts lines.
#pragma once

#include "core/Host.h"
#include "core/Layer.h"
#include "core/ObjectModel.h"
#include "paint/Layout.h"
#include "script/ScriptRunner.h"

#include <windows.h>

#include <deque>
#include <optional>
#include <set>
#include <string>

namespace host::live {

// Posted to the document window: a line of standard input (lParam: a
// std::string* the receiver deletes), and the end of standard input.
constexpr UINT kLineMessage = WM_APP + 1;
constexpr UINT kEndOfInputMessage = WM_APP + 2;

// What the host shows while the live session runs goes to its output at
// once, as a script run prints it: a program reading the pipe sees it now.
class LiveOutput final : public Layer {
public:
    explicit LiveOutput(std::ostream& out) : fOut(out) {}
    void AlertShown(const std::string& text) override;
    void DialogOpened(const std::string& title) override;
    void DialogClosed() override;

private:
    std::ostream& fOut;
};

class App {
public:
    App(Session& session, ScriptRunner& runner);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;
    // The live session running now (its windows' procedures reach it here).
    static App& Get();

    // Runs one command line, as a script line; a bad line is reported and the
    // session goes on. False for a bad line. Lines of the user's clicks and
    // keys are not counted among the input's lines.
    bool RunLine(const std::string& line, bool counted = true);
    // While a modal window of the session's own waits (a popup menu).
    void Enter() { ++fDepth; }
    void Leave() { --fDepth; }
    // A line from standard input: run now, or once the command running now
    // (waiting in a modal window) returns; lines that only print run at once.
    void Submit(const std::string& line);
    // After every event: the host's scheduled commands, then the windows.
    void AfterEvent(bool repaint = true);
    // Fires the host timers that are due by the real clock.
    void Tick();
    void End() { fEnding = true; }
    bool Ending() const { return fEnding; }
    // A command runs (perhaps waiting in a modal window): input to the
    // palettes waits.
    bool Busy() const { return fDepth > 0; }

    HWND Document() const { return fDocument; }
    HFONT Font(bool bold = false) const { return bold ? fBold : fFont; }

    Session& session;
    ScriptRunner& runner;
    ScriptContext context;

private:
    void InstallSinks();
    void RunWaiting();

    LiveOutput fOutput;
    std::optional<Host::Listening> fListening;
    Subscription fBrowse;

    HWND fDocument = nullptr;
    HFONT fFont = nullptr, fBold = nullptr;
    int fDepth = 0;
    int fLineNumber = 0;
    bool fEnding = false;
    std::deque<std::string> fWaiting;
    ULONGLONG fStart = 0;
};

// ---- The windows (LiveWindows.cpp) --------------------------------------------------
HWND CreateDocumentWindow();
// Adopts new palette windows (host-drawn, no system caption), puts every one
// at its place and size, and has them repainted.
void SyncPalettes(bool repaint);
// Opens or closes the About window as the host's dialogs open and close.
void SyncDialogs();
LRESULT CALLBACK PaletteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// ---- Painting (LivePaint.cpp) -------------------------------------------------------
void PaintDocument(HDC dc, const RECT& area);
void PaintPalette(HWND window, HDC dc);
void PaintDialog(HDC dc, const paint::DialogLook& look);

// ---- Input (LiveInput.cpp) ----------------------------------------------------------
// True when the message was the palette's input and is handled.
bool PaletteInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Keys and the popup menu's idle message, which reach the document window.
bool KeyInput(UINT message, WPARAM wParam, LPARAM lParam);
HWND OpenDialogWindowHandle();
// The field's text while the user types into it, or null.
const std::string* FieldEditText(HWND window);

// ---- Modal windows (LiveDialogs.cpp) ------------------------------------------------
// Shows the alert and waits for OK; returns whether "don't show again" was
// checked (offered only when `offer`).
bool ShowAlert(const std::string& text, bool offer);
// Runs a modal loop while the dialog stays open (the host waits for it).
void WaitForDialog(Boss* dialog);
void OpenDialogWindow(Boss* dialog);
// The host dialog a live window shows, or null.
Boss* DialogOf(HWND window);
void CloseDialogWindow();
// Prints the places of a window a person clicks while the session waits for it.
void PrintPlace(const char* kind, const std::string& name, const RECT& screen);

} // namespace host::live
