#include "LayoutBuilder.h"

#include <limits>
#include <stdexcept>

namespace rescomp {

using namespace layout;

Widget& Widget::Attribute(uint16 tag, Bytes payload) {
    for (const auto& [existing, bytes] : fAttributes)
        if (existing == tag && tag != kTagInterfaceData)
            throw std::runtime_error("widget attribute given twice");
    fAttributes.emplace_back(tag, std::move(payload));
    return *this;
}

Widget& Widget::ObserverIID(PMIID iid) {
    return Attribute(kTagObserverIID, ByteWriter().U32(iid).Take());
}

Widget& Widget::ErasableValues(int32 first, int32 second) {
    return Attribute(kTagErasableValues, ByteWriter().I32(first).I32(second).Take());
}

Widget& Widget::ListBox(PluginID templateOwner, RsrcID rowTemplate, double rowHeight,
                        bool multipleSelection) {
    return Attribute(kTagListBox, ByteWriter()
                                      .U32(templateOwner)
                                      .U32(rowTemplate)
                                      .F64(rowHeight)
                                      .U16(multipleSelection ? 1 : 0)
                                      .Take());
}

Widget& Widget::ValueLimits(double lower, double upper) {
    return Attribute(kTagValueLimits, ByteWriter().F64(lower).F64(upper).Take());
}

Widget& Widget::Data(PMIID iid, std::vector<int32> values) {
    for (PMIID existing : fDataIIDs)
        if (existing == iid)
            throw std::runtime_error("widget data for one interface given twice");
    fDataIIDs.push_back(iid);
    ByteWriter w;
    w.U32(iid).U16(static_cast<uint16>(values.size()));
    for (int32 v : values)
        w.I32(v);
    return Attribute(kTagInterfaceData, w.Take());
}

void Widget::Write(ByteWriter& w) const {
    constexpr auto kMaxCount = std::numeric_limits<uint16>::max();
    if (fAttributes.size() > kMaxCount || fChildren.size() > kMaxCount)
        throw std::runtime_error("widget with too many attributes or children");
    w.U32(fClass).U32(fID);
    w.F64(fFrame.left).F64(fFrame.top).F64(fFrame.right).F64(fFrame.bottom);
    w.U16(fBinding);
    w.U16(static_cast<uint16>((fVisible ? kStateVisible : 0) | (fEnabled ? kStateEnabled : 0)));
    w.U16(static_cast<uint16>(fAttributes.size()));
    for (const auto& [tag, payload] : fAttributes)
        w.U16(tag).U32(static_cast<uint32>(payload.size())).Raw(payload);
    w.U16(static_cast<uint16>(fChildren.size()));
    for (const Widget& child : fChildren)
        child.Write(w);
}

Bytes LayoutRecord(const Widget& root) {
    ByteWriter w;
    w.U32(kFormatVersion);
    root.Write(w);
    return w.Take();
}

} // namespace rescomp
