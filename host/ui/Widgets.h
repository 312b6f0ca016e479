// The host's widgets: bosses built from a plug-in's layouts. Every widget
// carries the host's record of it (under the parent interface 0x60b): its
// parent, the frame its layout gave it, and what its layout says of its
// behaviour. Containers hold one reference to each child.
#pragma once

#include "CPMUnknown.h"
#include "HostIDs.h"
#include "IWidgets.h"
#include "ImplementationRegistry.h"
#include "core/ObjectModel.h"
#include "resources/Layout.h"

#include <optional>
#include <string>
#include <vector>

namespace host::ui {

// ---- The widget layer's own classes and implementations -----------------------------
constexpr ImplementationID kWidgetViewImpl = 0x8200;
constexpr ImplementationID kWidgetRecordImpl = 0x8201;
constexpr ImplementationID kWidgetChildrenImpl = 0x8202;
constexpr ImplementationID kTextDataImpl = 0x8203;
constexpr ImplementationID kFieldTextDataImpl = 0x8204;
constexpr ImplementationID kListDataImpl = 0x8205;
constexpr ImplementationID kListSelectionImpl = 0x8206;
constexpr ImplementationID kListRowsChangeImpl = 0x8207;
constexpr ImplementationID kEventHandlerImpl = 0x8208;
constexpr ImplementationID kViewPortImpl = 0x8209;
constexpr ImplementationID kGraphicsPortImpl = 0x820a;
constexpr ImplementationID kUIColorsImpl = 0x820b;
constexpr ImplementationID kAlertMemoryImpl = 0x820c;

constexpr ClassID kViewPortBoss = 0x8200;  // where the host has a view drawn
constexpr PMIID IID_IALERTMEMORY = 0x8200; // on the workspace: alerts not to show again

// A text widget's text changed (protocol IID_ITEXTCONTROLDATA).
constexpr ClassID kTextChangedMsg = 0x8201;

// Defines the widget classes and the widget layer's implementations on
// classes of other layers (panels, session, workspace).
void DefineWidgetClasses(ObjectModel& model);

// ---- The host's record of a widget ------------------------------------------------------
// Exported with its type information: opalhost reads it through RecordOf, and
// clang's checks of dynamic types look that up across the library boundary.
class OPAL_SDK_API WidgetRecord : public CPMUnknown<IWidgetParent> {
public:
    using CPMUnknown<IWidgetParent>::CPMUnknown;
    IPMUnknown* QueryParentFor(PMIID iid) const override;

    Boss* parent = nullptr; // not counted: the parent holds the child
    Frame designed{};       // the frame of the layout
    std::optional<ValueLimits> limits;
    std::optional<ListBoxSpec> listBox;
    std::optional<PMIID> observerIID;
    std::optional<std::string> menuNameKey; // a panel's fly-out menu
    int invalidations = 0;                  // redraws asked for
    // A panel's or dialog's root: the control with the keyboard focus.
    std::optional<WidgetID> focus;
    // A button: held down by the pointer; shown pressed while held with the
    // pointer over it; the pointer resting on it.
    bool held = false;
    bool pressed = false;
    bool hovered = false;
};

// Helpers on bosses; none of them counts an acquisition (the host's own look).
OPAL_SDK_API Boss* BossOf(Host& host, const IPMUnknown* object);
OPAL_SDK_API WidgetRecord* RecordOf(const Boss* widget);
OPAL_SDK_API IControlView* ViewOf(const Boss* widget);
// The widget's children, in order (empty for a widget that holds none).
OPAL_SDK_API std::vector<Boss*> ChildrenOf(const Boss* widget);
// The first widget with that ID at or below `root` (searching `depth` levels), or nullptr.
OPAL_SDK_API Boss* FindWidget(const Boss* root, WidgetID id, int32 depth = 9999);
// The widget's text, empty without text data.
OPAL_SDK_API std::string TextOf(const Boss* widget);
// Sends a change on the widget's own subject.
void Notify(const Boss* widget, ClassID change, PMIID protocol);

// ---- Keys ---------------------------------------------------------------------------------
// A key a person presses, as the widget with the focus takes it: a named key,
// or text typed (kText, one character or more), with the modifiers held.
struct Key {
    enum class Code {
        kText,
        kLeft,
        kRight,
        kUp,
        kDown,
        kHome,
        kEnd,
        kPageUp,
        kPageDown,
        kTab,
        kEnter,
        kEscape,
        kSpace,
        kBackspace,
        kDelete,
    };
    Code code = Code::kText;
    std::string text; // kText: what it types; with ctrl, the letter ("a", "c", "v", "x")
    bool shift = false;
    bool ctrl = false;
};

} // namespace host::ui
