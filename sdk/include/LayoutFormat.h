// The numbers of the layout record format (resource type 501) that the
// resource compiler writes and the host reads; tools/rescomp/LAYOUT.md
// describes the bytes.
#pragma once

#include "SDKTypes.h"

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
