#include "resources/Layout.h"

#include "resources/ByteReader.h"

namespace host {

namespace {

using detail::ByteReader;
using namespace layout;

// class, ID, frame, binding, state, attribute count, child count
constexpr std::size_t kWidgetMinSize = 4 + 4 + 4 * 8 + 2 + 2 + 2 + 2;
constexpr std::size_t kAttributeHeaderSize = 2 + 4;

ResourceRef ReadRef(ByteReader& in) {
    const PluginID plugin = in.U32();
    return {plugin, in.U32()};
}

// Reads one attribute's payload into the widget; false if the payload does not
// have the tag's shape.
bool ReadAttribute(uint16 tag, ByteReader& in, WidgetSpec& w) {
    switch (tag) {
    case kTagText:
        w.text = in.String();
        break;
    case kTagTextKey:
        w.textKey = in.String();
        break;
    case kTagMenuNameKey:
        w.menuNameKey = in.String();
        break;
    case kTagObserverIID:
        w.observerIID = in.U32();
        break;
    case kTagErasableValues: {
        const int32 first = in.I32();
        w.erasableValues.emplace(first, in.I32());
        break;
    }
    case kTagDrawing:
        w.drawing = ReadRef(in);
        break;
    case kTagPicture:
        w.picture = ReadRef(in);
        break;
    case kTagListBox: {
        ListBoxSpec list{};
        list.rowTemplate = ReadRef(in);
        list.rowHeight = in.F64();
        list.multipleSelection = in.U16() != 0;
        w.listBox = list;
        break;
    }
    case kTagValueLimits: {
        const double lower = in.F64();
        w.valueLimits = ValueLimits{lower, in.F64()};
        break;
    }
    case kTagInterfaceData: {
        InterfaceData data{in.U32(), {}};
        const uint16 count = in.U16();
        if (in.CountFits(count, 4))
            for (uint16 i = 0; i < count; ++i)
                data.values.push_back(in.I32());
        w.data.push_back(std::move(data));
        break;
    }
    default:
        in.Take(in.Remaining()); // a newer tag: skipped whole
        break;
    }
    return in.Done();
}

bool ReadWidget(ByteReader& in, WidgetSpec& w, int depth) {
    if (depth > kMaxDepth || !in.CountFits(1, kWidgetMinSize))
        return false;
    w.widgetClass = in.U32();
    w.widgetID = in.U32();
    w.frame.left = in.F64();
    w.frame.top = in.F64();
    w.frame.right = in.F64();
    w.frame.bottom = in.F64();
    w.binding = in.U16();
    const uint16 state = in.U16();
    w.visible = (state & kStateVisible) != 0;
    w.enabled = (state & kStateEnabled) != 0;
    const uint16 attributes = in.U16();
    if (!in.CountFits(attributes, kAttributeHeaderSize))
        return false;
    for (uint16 i = 0; i < attributes; ++i) {
        const uint16 tag = in.U16();
        const uint32 size = in.U32();
        const uint8* payload = in.Take(size);
        if (!payload)
            return false;
        ByteReader attribute(payload, size);
        if (!ReadAttribute(tag, attribute, w))
            return false;
    }
    const uint16 children = in.U16();
    if (!in.CountFits(children, kWidgetMinSize))
        return false;
    w.children.resize(children);
    for (WidgetSpec& child : w.children)
        if (!ReadWidget(in, child, depth + 1))
            return false;
    return in.Ok();
}

} // namespace

const WidgetSpec* WidgetSpec::FindByID(WidgetID id) const {
    if (widgetID == id)
        return this;
    for (const WidgetSpec& child : children)
        if (const WidgetSpec* found = child.FindByID(id))
            return found;
    return nullptr;
}

const InterfaceData* WidgetSpec::FindData(PMIID iid) const {
    for (const InterfaceData& d : data)
        if (d.iid == iid)
            return &d;
    return nullptr;
}

std::optional<WidgetSpec> DecodeLayout(const Bytes& bytes) {
    ByteReader in(bytes);
    if (in.U32() != kFormatVersion)
        return std::nullopt;
    WidgetSpec root;
    if (!ReadWidget(in, root, 0) || !in.Done())
        return std::nullopt;
    return root;
}

} // namespace host
