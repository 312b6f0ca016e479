// Widget layouts (resource type 501) in the project's own format, and their
// decoded form, from which the host builds widgets. tools/rescomp/LAYOUT.md
// describes the bytes; the constants below are shared with the compiler.
#pragma once

#include "SDKTypes.h"
#include "resources/Resources.h"

#include <optional>
#include <string>
#include <vector>

namespace host {

namespace layout {

constexpr uint32 kFormatVersion = 1;

// Frame binding: the parent edges a widget follows when the parent is resized.
constexpr uint16 kBindNone = 0;
constexpr uint16 kBindLeft = 1;
constexpr uint16 kBindTop = 2;
constexpr uint16 kBindRight = 4;
constexpr uint16 kBindBottom = 8;
constexpr uint16 kBindAll = kBindLeft | kBindTop | kBindRight | kBindBottom;

constexpr uint16 kStateVisible = 1;
constexpr uint16 kStateEnabled = 2;

// Attribute tags; each attribute is length-prefixed, so a reader skips tags
// it does not know.
enum Tag : uint16 {
    kTagText = 1,           // string: a literal shown as it is
    kTagTextKey = 2,        // string: a string key, translated when shown
    kTagMenuNameKey = 3,    // string: the key naming a panel's fly-out menu
    kTagObserverIID = 4,    // u32: the interface of the widget's observer
    kTagErasableValues = 5, // i32, i32: the erasable panel view's own data
    kTagDrawing = 6,        // u32 plug-in, u32 resource: host drawing resource
    kTagPicture = 7,        // u32 plug-in, u32 resource: icon or bitmap shown
    kTagListBox = 8,        // u32 plug-in, u32 row template, f64 row height, u16 multi-select
    kTagValueLimits = 9,    // f64 lower, f64 upper
    kTagInterfaceData = 10, // u32 interface, u16 count, count × i32
};

// Widgets nest no deeper than this; a deeper record is refused as damaged.
constexpr int kMaxDepth = 32;

} // namespace layout

struct Frame {
    double left, top, right, bottom;
    friend bool operator==(const Frame& a, const Frame& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

struct ResourceRef {
    PluginID plugin;
    RsrcID id;
    friend bool operator==(const ResourceRef& a, const ResourceRef& b) {
        return a.plugin == b.plugin && a.id == b.id;
    }
};

struct ListBoxSpec {
    ResourceRef rowTemplate;
    double rowHeight;
    bool multipleSelection;
};

struct ValueLimits {
    double lower, upper;
};

// Values the host stores for one of its data interfaces on the widget.
struct InterfaceData {
    PMIID iid;
    std::vector<int32> values;
};

struct WidgetSpec {
    ClassID widgetClass = kInvalidClass;
    WidgetID widgetID = 0; // 0: none
    Frame frame{};
    uint16 binding = layout::kBindNone;
    bool visible = true;
    bool enabled = true;

    std::optional<std::string> text;    // literal
    std::optional<std::string> textKey; // translated
    std::optional<std::string> menuNameKey;
    std::optional<PMIID> observerIID;
    std::optional<std::pair<int32, int32>> erasableValues;
    std::optional<ResourceRef> drawing;
    std::optional<ResourceRef> picture;
    std::optional<ListBoxSpec> listBox;
    std::optional<ValueLimits> valueLimits;
    std::vector<InterfaceData> data;

    std::vector<WidgetSpec> children;

    // This widget or the first descendant (depth first) with the ID.
    OPAL_SDK_API const WidgetSpec* FindByID(WidgetID id) const;
    // The data the widget carries for an interface, or nullptr.
    OPAL_SDK_API const InterfaceData* FindData(PMIID iid) const;
};

// Decodes a layout record; nullopt for a damaged one (short, counts beyond the
// data, an attribute of the wrong size, nesting too deep, bytes left over).
OPAL_SDK_API std::optional<WidgetSpec> DecodeLayout(const Bytes& bytes);

} // namespace host
