// Widget trees for layout resources (type 501). A definition reads as the
// tree it describes:
//
//   Widget(kStaticTextWidgetBoss, kNoWidgetID, {7, 5, 47, 16}, kBindLeft)
//       .TextKey(kOpalPanelOpacityKey)
//
// The bytes are described in LAYOUT.md beside this file.
#pragma once

#include "ByteWriter.h"
#include "LayoutFormat.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace rescomp {

using layout::kBindAll;
using layout::kBindBottom;
using layout::kBindLeft;
using layout::kBindNone;
using layout::kBindRight;
using layout::kBindTop;

constexpr WidgetID kNoWidgetID = 0;

struct FrameDef {
    double left, top, right, bottom;
};

class Widget {
public:
    Widget(ClassID widgetClass, WidgetID id, FrameDef frame, uint16 binding)
        : fClass(widgetClass), fID(id), fFrame(frame), fBinding(binding) {}

    Widget& Hidden() {
        fVisible = false;
        return *this;
    }
    Widget& Disabled() {
        fEnabled = false;
        return *this;
    }
    Widget& Text(const std::string& literal) { return Str(layout::kTagText, literal); }
    Widget& TextKey(const std::string& key) { return Str(layout::kTagTextKey, key); }
    Widget& MenuNameKey(const std::string& key) { return Str(layout::kTagMenuNameKey, key); }
    Widget& ObserverIID(PMIID iid);
    Widget& ErasableValues(int32 first, int32 second);
    Widget& Drawing(PluginID plugin, RsrcID id) { return Ref(layout::kTagDrawing, plugin, id); }
    Widget& Picture(PluginID plugin, RsrcID id) { return Ref(layout::kTagPicture, plugin, id); }
    Widget& ListBox(PluginID templateOwner, RsrcID rowTemplate, double rowHeight,
                    bool multipleSelection);
    Widget& ValueLimits(double lower, double upper);
    Widget& Data(PMIID iid, std::vector<int32> values);
    Widget& Child(Widget child) {
        fChildren.push_back(std::move(child));
        return *this;
    }

    void Write(ByteWriter& w) const;

private:
    Widget& Attribute(uint16 tag, Bytes payload);
    Widget& Str(uint16 tag, const std::string& s) {
        return Attribute(tag, ByteWriter().String(s).Take());
    }
    Widget& Ref(uint16 tag, PluginID plugin, RsrcID id) {
        return Attribute(tag, ByteWriter().U32(plugin).U32(id).Take());
    }

    ClassID fClass;
    WidgetID fID;
    FrameDef fFrame;
    uint16 fBinding;
    bool fVisible = true;
    bool fEnabled = true;
    std::vector<std::pair<uint16, Bytes>> fAttributes;
    std::vector<PMIID> fDataIIDs; // interfaces that already have data
    std::vector<Widget> fChildren;
};

// The layout record with `root` at the top.
Bytes LayoutRecord(const Widget& root);

} // namespace rescomp
