// The panel, list-row and About layouts: every widget with its class, ID,
// frame, binding and content, and the decoder's refusal of damaged records.
#include "resources/Layout.h"
#include "ResourceTestUtil.h"
#include "core/Text.h"

#include <cstdio>
#include <sstream>
#include <vector>

namespace {

using host::Bytes;
using host::Hex;
using host::WidgetSpec;
using testing_support::Le;
using testing_support::Resource;

constexpr uint16 L = 1, T = 2, R = 4, B = 8;

struct Expected {
    int depth;
    uint32 widgetClass;
    uint32 widgetID;
    host::Frame frame;
    uint16 binding;
    std::string content;
};

// Every attribute the widget carries, in one canonical line, so a table row
// also fails on content that should not be there.
std::string Content(const WidgetSpec& w) {
    std::ostringstream s;
    if (w.text)
        s << "text \"" << *w.text << "\"; ";
    if (w.textKey)
        s << "key " << *w.textKey << "; ";
    if (w.menuNameKey)
        s << "menu " << *w.menuNameKey << "; ";
    if (w.observerIID)
        s << "observer " << Hex(*w.observerIID) << "; ";
    if (w.erasableValues)
        s << "erasable " << w.erasableValues->first << "," << w.erasableValues->second << "; ";
    if (w.drawing)
        s << "drawing " << Hex(w.drawing->plugin) << "/" << w.drawing->id << "; ";
    if (w.picture)
        s << "picture " << Hex(w.picture->plugin) << "/" << w.picture->id << "; ";
    if (w.listBox)
        s << "rows " << Hex(w.listBox->rowTemplate.plugin) << "/" << w.listBox->rowTemplate.id
          << " height " << w.listBox->rowHeight
          << (w.listBox->multipleSelection ? " multiple" : " single") << "; ";
    if (w.valueLimits)
        s << "limits " << w.valueLimits->lower << ".." << w.valueLimits->upper << "; ";
    for (const auto& d : w.data) {
        s << "data " << Hex(d.iid);
        for (std::size_t i = 0; i < d.values.size(); ++i)
            s << (i ? "," : " ") << Hex(static_cast<uint32>(d.values[i]));
        s << "; ";
    }
    std::string line = s.str();
    return line.empty() ? line : line.substr(0, line.size() - 2);
}

void Flatten(const WidgetSpec& w, int depth, std::vector<std::pair<int, const WidgetSpec*>>& out) {
    out.emplace_back(depth, &w);
    for (const WidgetSpec& child : w.children)
        Flatten(child, depth + 1, out);
}

void ExpectTree(uint32 layoutID, const std::vector<Expected>& table) {
    const auto root = host::DecodeLayout(Resource(501, layoutID));
    ASSERT_TRUE(root) << "layout " << layoutID << " does not decode";
    std::vector<std::pair<int, const WidgetSpec*>> widgets;
    Flatten(*root, 0, widgets);
    ASSERT_EQ(widgets.size(), table.size()) << "layout " << layoutID;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Expected& e = table[i];
        const WidgetSpec& w = *widgets[i].second;
        SCOPED_TRACE("layout " + std::to_string(layoutID) + ", widget " + std::to_string(i));
        EXPECT_EQ(widgets[i].first, e.depth);
        EXPECT_EQ(Hex(w.widgetClass), Hex(e.widgetClass));
        EXPECT_EQ(Hex(w.widgetID), Hex(e.widgetID));
        EXPECT_TRUE(w.frame == e.frame)
            << w.frame.left << "," << w.frame.top << "," << w.frame.right << "," << w.frame.bottom;
        EXPECT_EQ(w.binding, e.binding);
        EXPECT_TRUE(w.visible);
        EXPECT_TRUE(w.enabled);
        EXPECT_EQ(Content(w), e.content);
    }
}

TEST(Layouts, OpalPanel) {
    ExpectTree(701, {{0,
                      0xc9296,
                      0xc9264,
                      {0, 0, 207, 239},
                      0,
                      "key 0xc9200kOpalPanelTitleKey; menu 0xc9200kOpalPanelPopupMenuNameKey; "
                      "observer 0xc9232; erasable 0,3"},
                     {1,
                      0xc9297,
                      0xc9266,
                      {-1, 0, 208, 225},
                      L | T | R | B,
                      "drawing 0x16401/119; rows 0xc9200/2000 height 24 multiple"},
                     {2, 0x625, 0x601, {-1, 1, 209, 226}, L | T | R | B, ""},
                     {1, 0x61d, 0, {-2, 223, 208, 241}, L | R | B, "text \"\""},
                     {2, 0x681, 0, {7, 5, 47, 16}, L, "key 0xc9200kOpalPanelOpacityKey"},
                     {2,
                      0x6a9,
                      0xc9267,
                      {47, 3, 94, 17},
                      L,
                      "text \"100%\"; drawing 0x16401/116; limits 15..100"},
                     {2, 0x6a0, 0xc9269, {133, 2, 163, 17}, R, "picture 0xc9200/10010"},
                     {2, 0x6a0, 0xc9268, {163, 2, 193, 17}, R, "picture 0xc9200/10000"},
                     {2, 0x65e, 0x60f, {193, 2, 209, 17}, R | B, "drawing 0x16401/132"}});
}

TEST(Layouts, ListRow) {
    ExpectTree(2001, {{0, 0xc9298, 0, {0, 0, 201, 24}, L | R, "text \"\""},
                      {1, 0x64e, 0, {0, 0, 201, 24}, L | R, "text \"\""},
                      {2, 0x681, 0, {0, 0, 203, 24}, L | R, "text \"\""},
                      {2, 0x681, 0xc926e, {7, 3, 203, 13}, L | R, ""},
                      {2, 0x681, 0xc926f, {170, 13, 203, 23}, R, ""},
                      {2, 0xc9299, 0xc9270, {7, 14, 163, 21}, L | R, ""}});
}

TEST(Layouts, AboutDialog) {
    const std::string text = "data 0x64f 0x5,0xa";
    ExpectTree(1002,
               {{0, 0xc9264, 0xc9201, {0, 0, 410, 160}, 0, "key 0xc9200kOpalAboutOpalKey"},
                {1, 0x607, 0x602, {315, 125, 395, 145}, 0, "key 0xc9200kOpalOKKey; data 0x626 0x1"},
                {1,
                 0x681,
                 0,
                 {15, 15, 300, 31},
                 0,
                 "key 0xc9200kOpalTitleKey; " + text + "; data 0x656 0x10a"},
                {1,
                 0x681,
                 0xc9202,
                 {15, 33, 300, 49},
                 0,
                 "key 0xc9200kOpalVersionKey; " + text + "; data 0x656 0x109"},
                {1,
                 0x681,
                 0xc9203,
                 {15, 52, 300, 66},
                 0,
                 "text \"Build date: 05/03/06\"; " + text + "; data 0x656 0x109"},
                {1, 0x60b, 0, {15, 110, 280, 126}, 0, "key 0xc9200kOpalURLKey; " + text},
                {1, 0x604, 0, {15, 128, 282, 130}, 0, ""},
                {1, 0x60b, 0, {15, 132, 280, 148}, 0, "key 0xc9200kOpalCopyrightKey; " + text},
                {1, 0x60e, 0xc9205, {282, 15, 395, 68}, 0, "picture 0xc9200/4000"}});
}

// The list row written out by the format description, byte for byte.
Bytes HandWrittenRow() {
    const auto widget = [](Le& e, uint32 cls, uint32 id, std::vector<double> frame,
                           uint16 binding) {
        e.u32(cls).u32(id);
        for (double d : frame)
            e.f64(d);
        e.u16(binding).u16(3);
    };
    const auto emptyText = [](Le& e) { e.u16(1).u16(1).u32(6).str(""); };
    Le e;
    e.u32(1);
    widget(e, 0xc9298, 0, {0, 0, 201, 24}, 5);
    emptyText(e);
    e.u16(1);
    widget(e, 0x64e, 0, {0, 0, 201, 24}, 5);
    emptyText(e);
    e.u16(4);
    widget(e, 0x681, 0, {0, 0, 203, 24}, 5);
    emptyText(e);
    e.u16(0);
    widget(e, 0x681, 0xc926e, {7, 3, 203, 13}, 5);
    e.u16(0).u16(0);
    widget(e, 0x681, 0xc926f, {170, 13, 203, 23}, 4);
    e.u16(0).u16(0);
    widget(e, 0xc9299, 0xc9270, {7, 14, 163, 21}, 5);
    e.u16(0).u16(0);
    return e.b;
}

TEST(Layouts, ListRowBytesFollowTheDocumentedFormat) {
    EXPECT_BYTES(Resource(501, 2001), HandWrittenRow());
}

TEST(LayoutDecoder, RefusesDamagedRecords) {
    const Bytes good = HandWrittenRow();
    ASSERT_TRUE(host::DecodeLayout(good));
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(host::DecodeLayout(Bytes(good.begin(), good.begin() + n))) << n;

    Bytes longer = good;
    longer.push_back(0);
    EXPECT_FALSE(host::DecodeLayout(longer)) << "bytes after the root";

    Bytes manyChildren = good;
    const std::size_t rowChildCount = 4 + 4 + 4 + 32 + 4 + 2 + 12; // format, row header, attribute
    ASSERT_EQ(manyChildren[rowChildCount], 1);
    manyChildren[rowChildCount] = 0xff;
    manyChildren[rowChildCount + 1] = 0xff;
    EXPECT_FALSE(host::DecodeLayout(manyChildren)) << "child count beyond the data";

    Bytes bigAttribute = good;
    const std::size_t rowAttributeSize = 4 + 4 + 4 + 32 + 4 + 2 + 2;
    ASSERT_EQ(bigAttribute[rowAttributeSize], 6);
    bigAttribute[rowAttributeSize + 3] = 0x80;
    EXPECT_FALSE(host::DecodeLayout(bigAttribute)) << "attribute size beyond the data";

    Bytes badVersion = good;
    badVersion[0] = 2;
    EXPECT_FALSE(host::DecodeLayout(badVersion));
}

Bytes Widget(uint16 attributes, const Bytes& attributeBytes, uint16 children) {
    Le e;
    e.u32(0x681).u32(0).f64(0).f64(0).f64(1).f64(1).u16(0).u16(3).u16(attributes);
    e.b.insert(e.b.end(), attributeBytes.begin(), attributeBytes.end());
    e.u16(children);
    return e.b;
}

TEST(LayoutDecoder, SkipsUnknownTagsAndRefusesMisshapenKnownOnes) {
    const Bytes unknown = Le().u16(200).u32(3).u8(1).u8(2).u8(3).b;
    Bytes record = Le().u32(1).b;
    const Bytes w = Widget(1, unknown, 0);
    record.insert(record.end(), w.begin(), w.end());
    EXPECT_TRUE(host::DecodeLayout(record));

    const Bytes shortLimits = Le().u16(9).u32(8).f64(15).b; // needs two doubles
    record = Le().u32(1).b;
    const Bytes w2 = Widget(1, shortLimits, 0);
    record.insert(record.end(), w2.begin(), w2.end());
    EXPECT_FALSE(host::DecodeLayout(record));
}

TEST(LayoutDecoder, RefusesNestingBeyondTheLimit) {
    const auto chain = [](int depth) {
        Bytes record = Le().u32(1).b;
        for (int i = 0; i <= depth; ++i) {
            const Bytes w = Widget(0, {}, i < depth ? 1 : 0);
            record.insert(record.end(), w.begin(), w.end());
        }
        return record;
    };
    EXPECT_TRUE(host::DecodeLayout(chain(host::layout::kMaxDepth)));
    EXPECT_FALSE(host::DecodeLayout(chain(host::layout::kMaxDepth + 1)));
    EXPECT_FALSE(host::DecodeLayout(chain(5000)));
}

TEST(LayoutDecoder, FindsWidgetsByID) {
    const auto panel = host::DecodeLayout(Resource(501, 701));
    ASSERT_TRUE(panel);
    const WidgetSpec* onOff = panel->FindByID(0xc9268);
    ASSERT_NE(onOff, nullptr);
    EXPECT_EQ(onOff->picture->id, 10000u);
    EXPECT_EQ(panel->FindByID(0xc9201), nullptr); // the About dialog's ID, not in the panel
    const auto about = host::DecodeLayout(Resource(501, 1002));
    ASSERT_TRUE(about);
    const WidgetSpec* ok = about->FindByID(0x602);
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(ok->FindData(0x626), nullptr);
    EXPECT_EQ(ok->FindData(0x626)->values, std::vector<int32>{1});
    EXPECT_EQ(ok->FindData(0x64f), nullptr);
}

} // namespace
