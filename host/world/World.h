// The host's world of panels and palette windows.
//
// The world has two layers. Its description (palettes in creation order,
// their tab groups, the panels in registry order) is host configuration: it
// outlives sessions, so a restarted host shows the same panels. Its objects
// (bosses in the host's UI database) exist only while a session runs:
// Create() builds them from the description, Destroy() takes them down before
// the plug-in unloads. Every change below updates the description and, while
// the objects exist, the objects too, sending the messages the real host
// sends:
//
// - the application's window list (the application boss's subject, protocol
//   IID_IWINDOWLIST_PROTOCOL, origin = the palette window's boss):
//   kWindowShownOrCreatedMsg when a palette window is created or shown,
//   kWindowHiddenMsg when it is hidden, kWindowDestroyedMsg just before its
//   objects are taken down by RecreatePalette;
// - a tab area's own subject (protocol IID_ITABAREA_PROTOCOL, origin = the
//   panel's boss): kTabAreaPanelAddedMsg, kTabAreaPanelRemovedMsg,
//   kTabAreaFrontChangedMsg.
// Create() and Destroy() send nothing: the plug-in's observers are not yet
// attached, or are about to go.
//
// The object tree: palette window (classes 0x613, 0x170, 0x1640F, 0xFC03)
// -> one tab-group container per group (kTabGroupBoss) -> its tab area
// (kTabAreaBoss) -> its panels, each a child through the child container
// IID_IPANELCONTROLDATA. Palettes, groups, tab areas and panels live in the UI
// database; the registries are reached through the application object.
//
// Hiding a panel hides its palette window, and with it the panel's tab-mates:
// a palette window is one operating-system window, as the real host's close
// box closes the whole panel group. Showing any of its panels shows it again,
// with that panel in front.
#pragma once

#include "OSWindows.h"
#include "core/Host.h"
#include "core/ObjectModel.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace host {

// Host-only classes and implementations of the world.
constexpr ClassID kPanelRegistryBoss = 0x8110;
constexpr ClassID kPaletteRegistryBoss = 0x8111;
constexpr ClassID kTabGroupBoss = 0x8112; // container of one tab group in a palette

constexpr ImplementationID kPanelRegistryImpl = 0x8110;
constexpr ImplementationID kPaletteRegistryImpl = 0x8111;
constexpr ImplementationID kPanelMgrImpl = 0x8112;
constexpr ImplementationID kWorldControlViewImpl = 0x8113;
constexpr ImplementationID kWorldChildrenImpl = 0x8114;
constexpr ImplementationID kPaletteWindowImpl = 0x8115;

// A change the world cannot make (unknown or duplicate name, bad class, …);
// the message is one line for the user.
struct WorldError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The palette window classes the world can create.
OPAL_SDK_API bool IsPaletteClass(ClassID classID);

struct PanelOptions {
    std::string palette;          // empty: the panel is in no palette
    bool newGroup = false;        // a new tab group stacked below the others
    std::optional<int32> panelID; // default: the next free ID counting up from 101
    ClassID classID = kPanelBoss; // a plug-in panel names its own boss class
    WidgetID widgetID = 0;        // the panel widget's ID (0: none)
};

struct PanelInfo {
    std::string name;
    int32 panelID = 0;
    ClassID classID = kPanelBoss;
    std::string palette;  // empty: in no palette
    int32 group = -1;     // index of its tab group in the palette
    int32 tab = -1;       // index among the group's tabs
    bool front = false;   // the front tab of its group
    Boss* boss = nullptr; // while the world's objects exist
};

// A place on the screen, in pixels from its top-left corner.
struct ScreenPoint {
    int32 x = 0, y = 0;
};

// Where the host puts palettes nobody placed: each one a step further.
constexpr int32 kCascadeLeft = 330, kCascadeTop = 40, kCascadeStep = 28;
// What the host keeps clear when it places a palette: no other shown
// palette's title bar (its window's top, this high) under the new one's.
// Every palette is at least an empty panel wide. The screen it places on.
constexpr int32 kPaletteTitleBar = 19, kPaletteLeastWidth = 202;
constexpr int32 kPlacingWidth = 960, kPlacingHeight = 640;

struct PaletteInfo {
    std::string name;
    ClassID classID = kPaletteFloatingBoss;
    bool shown = true;
    ScreenPoint position;                   // the window's top-left corner
    std::vector<std::vector<int32>> groups; // panel IDs per group, in tab order
    uint64 raisedAt = 0;                    // see World::RaisePalette
    // While the world's objects exist:
    Boss* boss = nullptr;
    UID uid = kInvalidUID;
    HWND window = nullptr;
    std::vector<Boss*> tabAreas; // one per group
};

// How the world makes the operating-system windows of its palettes: by
// default plain windows of the system (stand-ins off Windows); an
// application that shows the palettes itself installs its own.
class OPAL_SDK_API PaletteWindows {
public:
    virtual ~PaletteWindows() = default;
    // A new hidden window for the named palette, whose top-left is to be `place`.
    virtual HWND Create(const std::string& name, ScreenPoint place) = 0;
    virtual void Destroy(HWND window) = 0;
    virtual void Show(HWND window, bool shown) = 0;
    virtual bool IsShown(HWND window) const = 0;
};

// What the world tells of a palette, on World::paletteChanges: it was put
// somewhere else on the screen (placed), or what it shows changed (its
// groups, tabs or front panels).
struct PaletteChange {
    std::string palette;
    bool placed;
};

// The world's description outlives sessions, so the host keeps it: the
// world is the host's first layer, reached with host.Get<World>().
class OPAL_SDK_API World final : public Layer {
public:
    static constexpr size_t kSlot = 0;
    explicit World(Host& host);

    Channel<PaletteChange> paletteChanges;
    ~World() override;
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // ---- Its steps as a layer ---------------------------------------------------
    // Its classes are the host's from the start; its objects come and go
    // with the application object.
    void DefineClasses(ObjectModel& model) override;
    void ApplicationCreated() override { Create(); }
    void ApplicationStarted() override { AnnounceWindows(); }
    void ApplicationEnding() override { Destroy(); }

    // ---- Changing the world (each throws WorldError for a bad request) -----------
    // Not placed (`at`), the palette takes its cascade step when it is first
    // shown, or a step further on where that would cover another's title bar.
    void AddPalette(const std::string& name, ClassID classID = kPaletteFloatingBoss,
                    bool shown = true, std::optional<ScreenPoint> at = std::nullopt);
    // Puts the palette's window there (else the host cascades it).
    void PlacePalette(const std::string& palette, int32 x, int32 y);
    // Brings the palette in front of the other palettes (a click or a drag on
    // it). Palettes stack in creation order until raised; the registries'
    // order does not change.
    void RaisePalette(const std::string& palette);
    // As the last tab of the palette's last group (or of a new group) and that
    // group's front tab. Returns the panel ID.
    int32 AddPanel(const std::string& name, const PanelOptions& options = {});
    // Takes the panel out of its group (a group left empty goes), then adds it
    // as AddPanel does.
    void MovePanel(const std::string& panel, const std::string& palette, bool newGroup = false);
    void BringToFront(const std::string& panel);
    // Makes the panel its group's front tab and shows its palette.
    void ShowPanel(const std::string& panel);
    // Hides the panel's palette (see above).
    void HidePanel(const std::string& panel);
    void ShowPalette(const std::string& palette);
    void HidePalette(const std::string& palette);
    // Takes the palette's window objects down and builds new ones, with a new
    // operating-system window that is not layered.
    void RecreatePalette(const std::string& palette);

    // ---- Looking at it ---------------------------------------------------------
    std::vector<PaletteInfo> Palettes() const; // creation order
    std::optional<PaletteInfo> FindPalette(const std::string& name) const;
    std::vector<PanelInfo> Panels() const; // registry order
    std::optional<PanelInfo> FindPanel(const std::string& name) const;
    std::optional<PanelInfo> FindPanel(int32 panelID) const;

    // ---- What the host's implementations ask ----------------------------------
    Boss* PanelRegistryBoss() const { return fPanelRegistry; }
    Boss* PaletteRegistryBoss() const { return fPaletteRegistry; }
    // With a reference, or nullptr (also while the world is not built); no
    // fault counting (the callers count).
    IPMUnknown* QueryPanelByWidgetID(WidgetID widgetID) const override;
    IPMUnknown* QueryPaletteOfWidget(const IPMUnknown* widget) const override;
    // The registries' answers.
    int32 PanelCount() const;
    int32 NthPanelID(int32 index) const; // 0 out of range
    const std::string* PanelName(int32 panelID) const;
    Boss* PanelBoss(int32 panelID) const;
    int32 PaletteCount() const;
    UID NthPaletteUID(int32 index) const; // kInvalidUID out of range or unbuilt
    bool IsPaletteShown(UID palette) const;
    // The panel manager's answers.
    UID PaletteUIDOfPanel(int32 panelID) const;
    bool IsPanelActive(int32 panelID) const;
    bool IsPanelPaletteShown(int32 panelID) const;
    void ShowPanel(int32 panelID, bool bringToFront);
    void HidePanel(int32 panelID);

    // ---- The operating-system windows ------------------------------------------
    // The layers hear of a palette window shown or hidden, and of the world's
    // objects taken down, through their steps (core/Layer.h).
    // The operating-system window of a new palette object (hidden), its end,
    // and showing or hiding it as the palette is shown or hidden.
    HWND CreatePaletteWindow(const std::string& name, ScreenPoint place);
    void DestroyPaletteWindow(HWND window);
    void ShowPaletteWindow(HWND window, bool shown);
    bool IsPaletteWindowShown(HWND window) const;
    // Installs this world's maker of palette windows (null: the default
    // one); the caller keeps it alive while it is installed.
    void SetPaletteWindows(PaletteWindows* windows);
    // The name of the palette whose object has this UID, or null.
    const std::string* PaletteName(UID palette) const;

    // ---- Lifetime ----------------------------------------------------------------
    // Built with the session's application object, taken down before it.
    void Create();
    void Destroy();
    bool Built() const { return fBuilt; }
    // Reports every palette window as created on the window list, as the real
    // host does once the plug-ins have started; Create() itself sends nothing.
    void AnnounceWindows();

    Host& GetHost() const { return fHost; }

private:
    struct State;

    Host& fHost;

    Boss* fPanelRegistry = nullptr;
    Boss* fPaletteRegistry = nullptr;
    bool fBuilt = false;
    State* fState;
    const std::unique_ptr<PaletteWindows> fSystemWindows;
    PaletteWindows* fPaletteWindows;
};

// The system's own palette windows (stand-ins off Windows).
std::unique_ptr<PaletteWindows> NewSystemWindows(Host& host);

} // namespace host
