// The live session's own state: one window thread runs the host; the reader
// of standard input only queues lines. Every live window is a Window object
// reached from its handle; the App owns them and hears through the host's
// steps what changed, so that a window is placed or repainted only when
// something it shows changed.
#pragma once

#include "core/Host.h"
#include "core/ObjectModel.h"
#include "paint/HitTest.h"
#include "paint/Layout.h"
#include "script/ScriptRunner.h"
#include "ui/Alerts.h"
#include "ui/DialogManager.h"
#include "ui/UserAction.h"
#include "world/World.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace host::live {

class App;

// Posted to the document window when the reader queued a line or reached
// the end of standard input.
constexpr UINT kInputMessage = WM_APP + 1;

// A live window: its object is reached from its handle (GWLP_USERDATA), and
// one procedure hands every message to the object's handlers.
class Window {
public:
    explicit Window(App& owner) : app(owner) {}
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return fHandle; }
    // The live window a handle belongs to, or null.
    static Window* From(HWND window);
    // The name its messages are traced under (OPAL_LIVE_TRACE), or empty.
    virtual std::string TraceName() const { return {}; }

    App& app;

protected:
    // Makes the window (of the live windows' class) for this object.
    HWND Make(DWORD exStyle, const std::string& title, DWORD style, const RECT& frame, HWND owner);

    virtual void Paint(HDC /*dc*/, const RECT& /*dirty*/) {}
    // Mouse messages (client coordinates); true when handled.
    virtual bool Mouse(UINT /*message*/, int /*x*/, int /*y*/, WPARAM /*keys*/) { return false; }
    virtual bool Key(UINT /*message*/, WPARAM /*wParam*/) { return false; }
    // A close request (the window system's, a pager's).
    virtual void Close() {}
    // Moved or sized by the window system, not by the host.
    virtual void Moved(const RECT& /*frame*/) {}
    // Every other message.
    virtual LRESULT Other(UINT message, WPARAM wParam, LPARAM lParam);
    // Places the window for the host: its own Moved is not told.
    void Put(int x, int y, int width, int height, UINT flags = 0);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND fHandle = nullptr;
    bool fPutting = false;
};

class PaletteWindow;
class DialogWindow;
class DocumentWindow;

// A line typed on standard input, read on a thread of its own; the window
// thread takes the lines in order.
class InputReader {
public:
    explicit InputReader(HWND wake);
    ~InputReader(); // stops reading and joins the thread
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;
    // The lines read since the last call; `ended` once the input ended.
    std::vector<std::string> Take(bool* ended);

private:
    // Shared by the reader and its thread: whichever ends last frees it.
    struct Shared {
        std::mutex lock;
        HWND wake = nullptr; // null once nobody waits for lines
        std::vector<std::string> lines;
        bool ended = false;
    };
    static DWORD WINAPI Main(void* shared);

    std::shared_ptr<Shared> fShared;
    HANDLE fThread = nullptr;
};

// The live input's state: the panel the keys go to, the button held down,
// the button the pointer rests on and its tip, the drag under way and the
// anchor of Shift-clicks (LiveInput.cpp).
struct InputState {
    enum class Drag { kNone, kTitle, kSizeBox, kButton, kThumb };
    int32 keyPanel = 0;   // the panel last clicked: its focused control takes the keys
    Boss* held = nullptr; // the button held down (a reference)
    PaletteWindow* holding = nullptr;
    const Boss* hovered = nullptr; // the button under the pointer (not counted)
    PaletteWindow* hovering = nullptr;
    std::unique_ptr<Window> tip; // the tip window while it shows
    int anchor = -1;             // the row a Shift-click ranges from
    HMENU openMenu = nullptr;
    Drag drag = Drag::kNone;
    PaletteWindow* dragged = nullptr;
    Boss* panel = nullptr; // the panel whose size box is dragged
    POINT grab{};          // the pointer in the window when the drag began
    POINT start{};         // on the screen
    int width = 0, height = 0;
    paint::ThumbGrab thumb; // the scroll bar's thumb dragged
    POINT last{-1, -1};     // the pointer when the drag last followed it
};

class App final : public PaletteWindows, private ui::AlertAnswerer, private ui::DialogWaiter {
public:
    App(Session& session, ScriptRunner& runner);
    ~App() override;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Runs one command line, as a script line; a bad line is reported and the
    // session goes on. False for a bad line. Lines of the user's clicks and
    // keys are not counted among the input's lines.
    bool RunLine(const std::string& line, bool counted = true);
    // Carries out what a person did, as the command that does the same would.
    void Act(const ui::UserAction& action);
    // Runs the script's lines, then standard input's, until the end.
    int Run(std::istream* script);

    // Waits in a modal loop until `done` (or the session ends); timers and
    // lines that arrive meanwhile are held and run afterwards, in order.
    // Keys of `dialog` go through IsDialogMessage.
    void RunModal(const std::function<bool()>& done, HWND dialog = nullptr);
    // While the host runs a command or a modal window waits, nothing else
    // enters it.
    bool Busy() const { return fDepth > 0; }
    void End() { fEnding = true; }
    bool Ending() const { return fEnding; }

    // ---- What changed (from the host's steps) -----------------------------------
    void Changed(const std::string& palette, bool placed);
    void Redrawn(const Boss* widget);
    void DialogsChanged() { fDialogsStale = true, fLookStale = true; }
    // The screen as the windows show it, laid out again only after a change.
    const paint::ScreenLook& Look();
    std::optional<paint::PaletteLook> LookOf(const PaletteWindow& window);

    // ---- The windows ------------------------------------------------------------
    HWND Document() const;
    DocumentWindow& DocumentObject() { return *fDocument; }
    PaletteWindow* Palette(const std::string& name) const;
    DialogWindow* Dialog() const { return fDialog.get(); }
    HFONT Font() const { return fFont; }
    InputState input;
    // Messages dispatched by the window thread since the session began.
    long Dispatched() const { return fDispatched; }

    // PaletteWindows: the world's palettes are live windows from the start.
    HWND Create(const std::string& name, ScreenPoint place) override;
    void Destroy(HWND window) override;
    void Show(HWND window, bool shown) override;
    bool IsShown(HWND window) const override;

    // The host timer's Windows timer went off; input arrived.
    void TimerDue();
    void InputArrived();

    Session& session;
    ScriptRunner& runner;
    ScriptContext context;

private:
    void InstallSinks();
    // After a command or an event: the waiting work, then the windows.
    void Settle();
    void FireTimers();
    void ArmTimer();
    void Flush();
    void SyncDialog();
    void Dispatch(MSG& message, HWND dialog);

    // A person answers the alerts and closes the dialogs.
    ui::AlertAnswer Answer(const std::string& text, bool offered) override;
    void WaitFor(Boss* dialog) override;

    std::vector<Subscription> fHeard; // alerts, dialogs and pages opened, printed
    HFONT fFont = nullptr;
    std::unique_ptr<DocumentWindow> fDocument;
    // The palettes' windows; a re-created palette's old window lives until
    // the world lets it go.
    std::map<HWND, std::unique_ptr<PaletteWindow>> fPalettes;
    std::map<std::string, PaletteWindow*> fByName;
    std::unique_ptr<DialogWindow> fDialog;
    std::unique_ptr<InputReader> fReader;

    // Held while the host is busy: a line, or nullopt for the timer.
    std::deque<std::optional<std::string>> fHeld;
    int fDepth = 0;
    int fLineNumber = 0;
    bool fEnding = false;
    ULONGLONG fStart = 0;
    int64 fArmed = -2; // the deadline the Windows timer is set for (-1: none)
    long fDispatched = 0;
    bool fTimerStopped = false; // `live timer stop`: the host's timers wait

    // What changed since the windows last followed.
    std::set<std::string> fPlaced, fChanged;
    std::set<const Boss*> fRedrawn;
    bool fDialogsStale = false;
    bool fLookStale = true;
    std::optional<paint::ScreenLook> fLook;
    const std::unique_ptr<paint::TextMeasure> fMeasure = paint::NewScreenTextMeasure();
};

// The document window: the page, the Window and File menus, and the keys
// (palettes never take the focus from it).
class DocumentWindow final : public Window {
public:
    explicit DocumentWindow(App& app);

protected:
    void Paint(HDC dc, const RECT& dirty) override;
    bool Key(UINT message, WPARAM wParam) override;
    void Close() override { app.End(); }
    LRESULT Other(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillWindowMenu(HMENU menu);
    void Choose(UINT id);
    HMENU fWindowMenu = nullptr;
    std::vector<std::string> fPanels; // the Window menu's entries
};

// A palette of the world, painted by the host.
class PaletteWindow final : public Window {
public:
    PaletteWindow(App& app, const std::string& name, ScreenPoint place);
    ~PaletteWindow() override;
    const std::string& Name() const { return fName; }
    // Shown as far as the host knows (also while it is being shown).
    bool shown = false;
    std::string TraceName() const override { return "palette " + fName; }
    // Follows the layout: its place and size.
    void Follow(const paint::WindowArea& area);

protected:
    void Paint(HDC dc, const RECT& dirty) override;
    bool Mouse(UINT message, int x, int y, WPARAM keys) override;
    void Close() override;
    void Moved(const RECT& frame) override;
    LRESULT Other(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string fName;
};

// The host's open dialog (About).
class DialogWindow final : public Window {
public:
    DialogWindow(App& app, Boss* dialog, const paint::DialogLook& look);
    ~DialogWindow() override;
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;
    Boss* Dialog() const { return fDialog; }

protected:
    void Paint(HDC dc, const RECT& dirty) override;
    bool Mouse(UINT message, int x, int y, WPARAM keys) override;
    bool Key(UINT message, WPARAM wParam) override;
    void Close() override;
    LRESULT Other(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The OK button at a point of the window, or null.
    Boss* OKAt(int x, int y);
    void LetGo(bool over);

    Boss* fDialog;
    Boss* fHeld = nullptr; // its OK held down by the pointer (a reference)
};

// With OPAL_LIVE_TRACE set, what the palette windows receive and what the
// host is told, one line each on standard error ("trace: …").
bool Tracing();
void Trace(const std::string& line);

// ---- Painting (LivePaint.cpp) -------------------------------------------------------
void PaintDocument(HDC dc, const RECT& area);
void PaintPalette(App& app, const paint::PaletteLook& look, const PaletteWindow& window, HDC dc);
void PaintDialog(HDC dc, const paint::DialogLook& look);

// ---- Input (LiveInput.cpp): a person's mouse and keys as command lines ------------
bool PaletteInput(PaletteWindow& window, UINT message, int x, int y, WPARAM keys);
// Keys reaching the document: the open dialog's, else the control with the
// focus in the panel last clicked.
bool KeyInput(App& app, UINT message, WPARAM wParam);
// The wheel (WM_MOUSEWHEEL, the pointer on the screen in lParam): the list
// under the pointer scrolls.
bool WheelInput(App& app, WPARAM wParam, LPARAM lParam);
// The popup menu's entries, once it shows.
void PrintMenuPlaces(App& app);
// Forgets a palette that goes: its drag, its held button, its tip.
void Forget(App& app, const PaletteWindow& window);

// ---- Modal windows (LiveDialogs.cpp) ------------------------------------------------
// Shows the alert and waits for OK; returns whether "don't show again" was
// checked (offered only when `offer`).
bool ShowAlert(App& app, const std::string& text, bool offer);
// Prints the places of a window a person clicks while the session waits for it.
void PrintPlace(App& app, const char* kind, const std::string& name, const RECT& screen);

} // namespace host::live
