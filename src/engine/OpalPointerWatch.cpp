#include "OpalPointerWatch.h"

#include "CPMUnknown.h"
#include "ITimer.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/IOpalPointerWatch.h"

#include <cstddef>
#include <vector>

namespace {

// The same alpha as 100 %, so a palette under the pointer looks as it does
// with opacity off.
constexpr uint8 kOpaqueAlpha = 254;
// Fades step with the host's timer; its clock is the fade's clock.
constexpr int32 kFadeStepInterval = 20;
constexpr int32 kFadeInSteps = 120 / kFadeStepInterval;
constexpr int32 kFadeOutSteps = 300 / kFadeStepInterval;

class OpalPointerWatch;
// The watch that holds the message hook: a hook procedure has no client data.
OpalPointerWatch* gWatching = nullptr;

LRESULT CALLBACK WatchMessages(int code, WPARAM removal, LPARAM message);
int32 OnFadeStep(void* watch);

class OpalPointerWatch : public CPMUnknown<IOpalPointerWatch> {
public:
    explicit OpalPointerWatch(IPMUnknown* boss) : CPMUnknown<IOpalPointerWatch>(boss) {}
    ~OpalPointerWatch() override { Stop(); }
    OpalPointerWatch(const OpalPointerWatch&) = delete;
    OpalPointerWatch& operator=(const OpalPointerWatch&) = delete;

    void Follow(bool16 on) override {
        if (on)
            Start();
        else
            Stop();
    }
    bool16 IsFollowing() const override { return fHook ? kTrue : kFalse; }

    void OnMessage(const MSG& message);
    uint8 Applied(UID uid, HWND window, uint8 stored);
    void Forget(UID uid);
    void Step();

private:
    struct Palette {
        UID uid;
        HWND window;
        uint8 stored; // what Opal gives it
        uint8 shown;  // what the window shows
        uint8 from = 0, to = 0;
        int32 step = 0, steps = 0; // fading while step < steps
        bool Fading() const { return step < steps; }
    };

    void Start();
    void Stop();
    void Track(HWND window, bool nonClient);
    void Untrack();
    void TrackLeave();
    void Enter();
    void Leave();
    Palette* Find(UID uid);
    Palette* FindWindow(HWND window);
    void FadeTo(Palette& palette, uint8 target, int32 steps);
    void Show(Palette& palette, uint8 alpha);
    void EndFades();

    HHOOK fHook = nullptr;
    InterfacePtr<ITimer> fTimer; // held only while a fade runs
    HWND fTracked = nullptr;     // asked for its leave notification
    bool fTrackedNonClient = false;
    HWND fUnder = nullptr;   // the top-level window under the pointer
    HWND fPointer = nullptr; // the window the last move came to
    bool fPointerNonClient = false;
    // One a palette whose alpha Opal set while the watch was on.
    std::vector<Palette> fPalettes;
};

void OpalPointerWatch::Start() {
    // One watch per module: a second host's watch stays off.
    if (fHook || gWatching)
        return;
    // Thread-local: the host's windows are all on its user-interface thread.
    fHook = SetWindowsHookExW(WH_GETMESSAGE, &WatchMessages, nullptr, GetCurrentThreadId());
    if (fHook)
        gWatching = this;
}

void OpalPointerWatch::Stop() {
    if (fHook) {
        UnhookWindowsHookEx(fHook);
        fHook = nullptr;
        gWatching = nullptr;
    }
    Untrack();
    fUnder = fPointer = nullptr;
    for (Palette& palette : fPalettes)
        if (palette.shown != palette.stored)
            Show(palette, palette.stored);
    fPalettes.clear();
    EndFades();
}

void OpalPointerWatch::Track(HWND window, bool nonClient) {
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, 0};
    if (nonClient)
        track.dwFlags |= TME_NONCLIENT;
    if (TrackMouseEvent(&track)) {
        fTracked = window;
        fTrackedNonClient = nonClient;
    }
}

void OpalPointerWatch::Untrack() {
    if (!fTracked)
        return;
    TRACKMOUSEEVENT cancel{sizeof(TRACKMOUSEEVENT), TME_CANCEL | TME_LEAVE, fTracked, 0};
    if (fTrackedNonClient)
        cancel.dwFlags |= TME_NONCLIENT;
    TrackMouseEvent(&cancel);
    fTracked = nullptr;
}

// Only a palette that takes part has a leave to be told of: a move onto
// another of the host's windows tells the rest. Where the system watches the
// pointer by the clock for a leave (Wine, every 400 ms), a request held for
// the document or a palette Opal leaves alone would cost while the pointer rests.
void OpalPointerWatch::TrackLeave() {
    if (!fPointer || !IsWindow(fPointer) || !FindWindow(fUnder)) {
        Untrack();
        return;
    }
    // Once per window and area: the system keeps the request until it has
    // told of the leave.
    if (fPointer != fTracked || fPointerNonClient != fTrackedNonClient)
        Track(fPointer, fPointerNonClient);
}

void OpalPointerWatch::OnMessage(const MSG& message) {
    switch (message.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
        fPointer = message.hwnd;
        fPointerNonClient = message.message == WM_NCMOUSEMOVE;
        HWND top = GetAncestor(message.hwnd, GA_ROOT);
        if (!top)
            top = message.hwnd;
        if (top != fUnder) {
            Leave();
            fUnder = top;
            Enter();
        }
        TrackLeave();
        break;
    }
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
        // A leave from a window the pointer has already moved on from is old news.
        if (message.hwnd == fTracked && (message.message == WM_NCMOUSELEAVE) == fTrackedNonClient) {
            fTracked = nullptr;
            Leave();
            fUnder = fPointer = nullptr;
        }
        break;
    default:
        break;
    }
}

void OpalPointerWatch::Enter() {
    if (Palette* palette = FindWindow(fUnder))
        FadeTo(*palette, kOpaqueAlpha, kFadeInSteps);
}

void OpalPointerWatch::Leave() {
    Palette* palette = FindWindow(fUnder);
    if (!palette)
        return;
    // A window destroyed under the pointer has nothing left to fade.
    if (IsWindow(palette->window))
        FadeTo(*palette, palette->stored, kFadeOutSteps);
    else
        fPalettes.erase(fPalettes.begin() + (palette - fPalettes.data()));
}

uint8 OpalPointerWatch::Applied(UID uid, HWND window, uint8 stored) {
    Palette* palette = Find(uid);
    if (!palette) {
        // A palette re-created by the host is a new palette: the ones whose
        // windows are gone go, so the list stays as long as the palettes.
        for (size_t i = fPalettes.size(); i-- > 0;)
            if (!IsWindow(fPalettes[i].window))
                fPalettes.erase(fPalettes.begin() + static_cast<std::ptrdiff_t>(i));
        fPalettes.push_back({uid, window, stored, stored});
        palette = &fPalettes.back();
    } else if (palette->window != window) {
        // Re-created under the pointer: the pointer has not left the palette.
        if (palette->window == fUnder && fUnder)
            fUnder = window;
        palette->window = window;
        palette->steps = palette->step = 0;
    }
    palette->stored = stored;
    if (window == fUnder) {
        // Opaque until the pointer leaves; a fade in under way goes on.
        if (!palette->Fading())
            palette->shown = kOpaqueAlpha;
        TrackLeave();
    } else if (palette->Fading()) {
        FadeTo(*palette, stored, kFadeOutSteps);
    } else {
        palette->shown = stored;
    }
    return palette->shown;
}

void OpalPointerWatch::Forget(UID uid) {
    for (auto it = fPalettes.begin(); it != fPalettes.end(); ++it)
        if (it->uid == uid) {
            fPalettes.erase(it);
            break;
        }
    TrackLeave();
    bool fading = false;
    for (const Palette& palette : fPalettes)
        fading = fading || palette.Fading();
    if (!fading)
        EndFades();
}

OpalPointerWatch::Palette* OpalPointerWatch::Find(UID uid) {
    for (Palette& palette : fPalettes)
        if (palette.uid == uid)
            return &palette;
    return nullptr;
}

OpalPointerWatch::Palette* OpalPointerWatch::FindWindow(HWND window) {
    if (!window)
        return nullptr;
    for (Palette& palette : fPalettes)
        if (palette.window == window)
            return &palette;
    return nullptr;
}

void OpalPointerWatch::FadeTo(Palette& palette, uint8 target, int32 steps) {
    palette.from = palette.shown;
    palette.to = target;
    palette.step = 0;
    palette.steps = palette.shown == target ? 0 : steps;
    if (!palette.Fading())
        return;
    if (!fTimer)
        fTimer.reset(static_cast<ITimer*>(CreateObject(kTimerBoss, IID_ITIMER)));
    if (fTimer) {
        fTimer->Start(&OnFadeStep, kFadeStepInterval, this);
        return;
    }
    // No timer to fade with: straight to the end.
    palette.steps = 0;
    Show(palette, target);
}

void OpalPointerWatch::Step() {
    bool fading = false;
    for (Palette& palette : fPalettes) {
        if (!palette.Fading())
            continue;
        ++palette.step;
        // Truncated toward the start, so every step is between the two ends
        // and the last is exactly the target.
        const int32 span = int32(palette.to) - int32(palette.from);
        Show(palette, static_cast<uint8>(palette.from + span * palette.step / palette.steps));
        fading = fading || palette.Fading();
    }
    if (fading && fTimer)
        fTimer->Start(&OnFadeStep, kFadeStepInterval, this);
    else
        EndFades();
}

void OpalPointerWatch::Show(Palette& palette, uint8 alpha) {
    palette.shown = alpha;
    SetLayeredWindowAttributes(palette.window, 0, alpha, LWA_ALPHA);
}

void OpalPointerWatch::EndFades() {
    for (Palette& palette : fPalettes)
        if (palette.Fading()) {
            palette.steps = 0;
            Show(palette, palette.to);
        }
    if (fTimer) {
        fTimer->Stop();
        fTimer.reset();
    }
}

LRESULT CALLBACK WatchMessages(int code, WPARAM removal, LPARAM message) {
    // A message only looked at (PM_NOREMOVE) comes round again when taken.
    if (code == HC_ACTION && removal == PM_REMOVE && gWatching && message)
        gWatching->OnMessage(*reinterpret_cast<const MSG*>(message));
    return CallNextHookEx(nullptr, code, removal, message);
}

int32 OnFadeStep(void* watch) {
    static_cast<OpalPointerWatch*>(watch)->Step();
    return 0;
}

} // namespace

uint8 AlphaUnderPointer(UID palette, HWND window, uint8 stored) {
    return gWatching ? gWatching->Applied(palette, window, stored) : stored;
}

void StopPointerWatch() {
    if (gWatching)
        gWatching->Follow(kFalse);
}

void ForgetPaletteUnderPointer(UID palette) {
    if (gWatching)
        gWatching->Forget(palette);
}

CREATE_PMINTERFACE(OpalPointerWatch, kOpalPointerWatchImpl);
