// Every record the host reads, compared byte for byte with the record written
// out here by hand from the tables of the plug-in's resource formats.
#include "ResourceTestUtil.h"

#include <algorithm>
#include <set>
#include <vector>

namespace {

using host::Bytes;
using testing_support::Le;
using testing_support::Resource;

constexpr uint32 kPlugin = 0xc9200;
const std::string kURL = "http://www.quillmark.example/opal";
const std::string kCopyright = "Copyright 2006-2026 Quillmark. All rights reserved.";

TEST(ResourceSet, HoldsExactlyTheResourcesTheHostReads) {
    const std::vector<host::ResourceKey> expected = {
        {2, 4000},   {16, 1},    {24, 2},      {119, 450},   {501, 701},  {501, 1002},
        {501, 2001}, {502, 700}, {503, 300},   {503, 350},   {503, 700},  {503, 1001},
        {503, 2000}, {504, 301}, {504, 351},   {507, 200},   {509, 400},  {510, 33},
        {518, 550},  {529, 500}, {578, 10000}, {578, 10001}, {578, 10010}};
    std::vector<host::ResourceKey> actual;
    for (const auto& [key, bytes] : testing_support::CompiledResources().All())
        actual.push_back(key);
    EXPECT_EQ(actual, expected);
}

TEST(ResourceRecords, PluginVersion) {
    Le e;
    e.u32(0).u32(kPlugin).u32(1).u32(0).u32(4).u32(0).u32(1).u32(0);
    e.u32(2).u32(0x101).u32(0x102).u32(1).u16(0xfffe).u16(5).raw("1.1.0");
    ASSERT_EQ(e.b.size(), 57u);
    EXPECT_BYTES(Resource(119, 450), e.b);
}

TEST(ResourceRecords, ClassTable) {
    struct Entry {
        uint16 kind;
        uint32 boss, parent;
        std::vector<std::pair<uint32, uint32>> pairs;
    };
    const std::vector<Entry> table = {
        {2,
         0x2201,
         0,
         {{0xc9205, 0xc9201},
          {0xc9202, 0xc92c9},
          {0xc9203, 0xc92ca},
          {0xc9206, 0xc92cb},
          {0xc9207, 0xc9202}}},
        {2, 0x102, 0, {{0xc9214, 0xc9232}}},
        {2, 0x612, 0, {{0xc9215, 0xc9233}}},
        {2, 0x16413, 0, {{0xc9215, 0xc9233}}},
        {1, 0xc9200, 0, {{0xd201, 0xc9200}, {0x130, 0x14f}}},
        {1,
         0xc9296,
         0x62c,
         {{0x601, 0xc928c},
          {0x667, 0x745},
          {0x648, 0x6fc},
          {0x617, 0x609},
          {0xc9233, 0xc928e},
          {0xc9232, 0xc928d}}},
        {1, 0xc9297, 0x6b6, {}},
        {1, 0xc9298, 0x627, {{0x108, 0xc9296}}},
        {1, 0xc9299, 0x64e, {{0x601, 0xc9297}}},
        {1, 0xc9264, 0x63e, {{0x62a, 0xc9266}}},
        {1, 0xc9201, 0, {{0x124, 0xc920a}, {0x149, 0xc920b}}},
        {1, 0xc92c8, 0, {{0x1001, 0xc92cd}, {0x1004, 0x100d}}},
        {1, 0xc92e6, 0, {{0x1001, 0xc92dc}, {0xc920a, 0x1007}}},
        {1,
         0xc92e7,
         0,
         {{0x1001, 0xc92dd}, {0xc920b, 0x1007}, {0xc920c, 0x1007}, {0xc920d, 0x100a}}},
        {1, 0xc92f0, 0, {{0x1001, 0xc92e1}, {0x1003, 0x1004}}},
        {1, 0xc92f1, 0, {{0x1001, 0xc92e2}, {0x1004, 0x100d}}},
        {1, 0xc92f2, 0, {{0x1001, 0xc92e3}, {0x1003, 0x1004}}},
        {1, 0xc92f3, 0, {{0x1001, 0xc92e4}, {0x1003, 0x1004}}},
        {1, 0xc92f5, 0, {{0x1001, 0xc92e6}}},
        {1, 0xc92fa, 0, {{0x1001, 0xc92eb}}},
    };
    ASSERT_EQ(table.size(), 20u);
    Le e;
    e.u32(20);
    for (const Entry& entry : table) {
        e.u16(entry.kind)
            .u32(entry.boss)
            .u32(entry.parent)
            .u32(static_cast<uint32>(entry.pairs.size()));
        for (const auto& [iid, impl] : entry.pairs)
            e.u32(iid).u32(impl);
    }
    EXPECT_BYTES(Resource(529, 500), e.b);
}

TEST(ResourceRecords, ImplementationList) {
    const std::vector<uint32> ids = {0xc9201, 0xc92c9, 0xc92ca, 0xc9232, 0xc9233, 0xc9200, 0xc920a,
                                     0xc920b, 0xc928c, 0xc928e, 0xc928d, 0xc9296, 0xc9297, 0xc9266,
                                     0xc92cd, 0xc92dc, 0xc92dd, 0xc92e1, 0xc92e2, 0xc92e3, 0xc92e6,
                                     0xc92eb, 0xc92cb, 0xc9202, 0xc92e4};
    Le e;
    e.u32(0x103).u32(25);
    for (uint32 id : ids)
        e.u32(id);
    EXPECT_BYTES(Resource(518, 550), e.b);
}

// The host registers what the list names and instantiates what the class
// table names: a plug-in implementation missing from the list, or listed
// twice, would fail at the first use of its boss.
TEST(ResourceRecords, EveryPluginImplementationOfTheClassTableIsListedOnce) {
    const auto classes = host::DecodeClassTable(Resource(529, 500));
    const auto list = host::DecodeImplementationList(Resource(518, 550));
    ASSERT_TRUE(classes && list);
    std::set<uint32> used;
    for (const auto& entry : *classes)
        for (const auto& [iid, impl] : entry.pairs)
            if ((impl & ~0xffu) == kPlugin)
                used.insert(impl);
    for (uint32 impl : used)
        EXPECT_EQ(std::count(list->begin(), list->end(), impl), 1) << std::hex << impl;
    EXPECT_EQ(std::set<uint32>(list->begin(), list->end()), used);
    EXPECT_EQ(list->size(), used.size());
}

TEST(ResourceRecords, PanelList) {
    Le e;
    e.u32(0x95).u16(1).u32(1).u16(700).u32(kPlugin).u32(1).u32(0xc9201);
    e.str("0xc9200kOpalPanelTitleKey").str("").f64(0.0);
    ASSERT_EQ(e.b.size(), 69u);
    EXPECT_BYTES(Resource(502, 700), e.b);
}

TEST(ResourceRecords, MenuDefinitions) {
    const std::string menu = "0xc9200kOpalPanelPopupMenuNameKey";
    const std::string sub = menu + ":0xc9200kOpalFeedbackAndSupportMenuItemKey";
    const std::vector<std::tuple<uint32, std::string, double>> entries = {
        {0xc9264, menu, 10.0},         {0xc9265, menu, 20.0}, {0xc9266, menu, 30.0},
        {0xc928d, menu + ":-", 110.0}, {0, sub + ":", 150.0}, {0xc928f, menu + ":-", 160.0},
        {0xc926a, menu, 170.0},        {0xc9278, sub, 10.0},  {0xc9279, sub, 20.0},
        {0xc927a, sub, 30.0}};
    Le e;
    e.u32(10);
    for (const auto& [action, path, position] : entries)
        e.u32(action).str(path).f64(position).u16(0);
    EXPECT_BYTES(Resource(507, 200), e.b);
}

TEST(ResourceRecords, ActionDefinitions) {
    const std::vector<std::tuple<uint32, std::string, uint32, uint32>> entries = {
        {0xc9264, "0xc9200kOpalShowOpenedPanelsMenuItemKey", 0x1, 1},
        {0xc9265, "0xc9200kOpalTurnAlphaOffMenuItemKey", 0x1, 1},
        {0xc9266, "0xc9200kOpalOpaqueUnderPointerMenuItemKey", 0x1, 1},
        {0xc9269, "0xc9200kOpalFeedbackAndSupportMenuItemKey", 0x80, 0},
        {0xc9278, "0xc9200kOpalSuggestNewFeatureMenuItemKey", 0x80, 1},
        {0xc9279, "0xc9200kOpalSendFeedbackMenuItemKey", 0x80, 1},
        {0xc927a, "0xc9200kOpalSupportMenuItemKey", 0x80, 1},
        {0xc926a, "0xc9200kOpalAboutMenuItemKey", 0x80, 1}};
    Le e;
    e.u32(8);
    for (const auto& [action, name, enabling, shortcuts] : entries)
        e.u32(0xc9200)
            .u32(action)
            .str(name)
            .str("KBSCE Other")
            .u16(0)
            .u32(enabling)
            .u32(0)
            .u16(shortcuts);
    EXPECT_BYTES(Resource(509, 400), e.b);
}

TEST(ResourceRecords, Tips) {
    Le e;
    e.u32(2).u32(0xc9268).str("0xc9200kOpalOnOffTipKey");
    e.u32(0xc9269).str("0xc9200kOpalSwapContentTipKey");
    EXPECT_BYTES(Resource(510, 33), e.b);
}

TEST(ResourceRecords, LocaleIndexes) {
    Le strings;
    strings.u32(504).u32(13);
    for (uint32 language : {1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 0xfe})
        strings.u16(0xfffe).u16(language).u32(301);
    EXPECT_BYTES(Resource(503, 300), strings.b);

    const auto single = [](uint32 type, uint32 target) {
        return Le().u32(type).u32(1).u16(0xfffe).u16(0xfe).u32(target).b;
    };
    EXPECT_BYTES(Resource(503, 350), single(504, 351));
    EXPECT_BYTES(Resource(503, 700), single(501, 701));
    EXPECT_BYTES(Resource(503, 1001), single(501, 1002));
    EXPECT_BYTES(Resource(503, 2000), single(501, 2001));
}

TEST(ResourceRecords, EveryLanguageReadsTheEnglishTable) {
    const auto index = host::DecodeLocaleIndex(Resource(503, 300));
    ASSERT_TRUE(index);
    EXPECT_EQ(index->indexedType, 504u);
    for (uint16 language : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0xfe, 0x409, 0xffff})
        EXPECT_EQ(index->Resolve(language), std::optional<RsrcID>(301)) << language;
    // Language 5 has no entry of its own: it arrives through the any-language entry.
    for (const auto& [language, id] : index->entries)
        EXPECT_NE(language, 5);
}

TEST(ResourceRecords, StringTables) {
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {"0xc9200kOpalPanelTitleKey", "Opal"},
        {"0xc9200kOpalPanelOpacityKey", "Opacity:"},
        {"0xc9200kOpalShowAllPanelsMenuItemKey", "Show all panels in the list"},
        {"0xc9200kOpalShowOpenedPanelsMenuItemKey", "Show only visible panels in the list"},
        {"0xc9200kOpalTurnAlphaOnMenuItemKey", "Turn opacity On"},
        {"0xc9200kOpalTurnAlphaOffMenuItemKey", "Turn opacity Off"},
        {"0xc9200kOpalFeedbackAndSupportMenuItemKey", "Feedback And Support"},
        {"0xc9200kOpalSuggestNewFeatureMenuItemKey", "Suggest New Feature"},
        {"0xc9200kOpalSendFeedbackMenuItemKey", "Send Feedback"},
        {"0xc9200kOpalSupportMenuItemKey", "Support"},
        {"0xc9200kOpalAboutMenuItemKey", "About"},
        {"0xc9200kOpalAboutOpalKey", "About Opal"},
        {"0xc9200kOpalTitleKey", "Opal for Adobe InDesign/InCopy"},
        {"0xc9200kOpalVersionKey", "Version 1.1.0, Windows edition"},
        {"0xc9200kOpalURLKey", kURL},
        {"0xc9200kOpalCopyrightKey", kCopyright},
        {"0xc9200kOpalOKKey", "OK"},
        {"0xc9200kOpalDontShowAgainKey",
         "The transparency will be applied to currently closed or stashed panels (grayed items "
         "in the list) as they become active. Panels in the stash can't be transparent (Windows "
         "only)."},
        {"0xc9200kOpalOnOffTipKey", "Turn opacity On / Off"},
        {"0xc9200kOpalSwapContentTipKey", "Show All / Visible panels in Opal list"},
        {"0xc9200kOpalOpaqueUnderPointerMenuItemKey", "Make panels opaque under the pointer"},
        {"0xc9200kOpalTranslucentUnderPointerMenuItemKey",
         "Keep panels translucent under the pointer"}};
    Le english;
    english.u32(1).u32(0x138).u32(22);
    for (const auto& [key, text] : pairs)
        english.str(key).str(text);
    EXPECT_BYTES(Resource(504, 301), english.b);
    EXPECT_BYTES(Resource(504, 351), Le().u32(1).u32(0x138).u32(0).b);
}

// Opal 1.1 adds one option: every record that neither gains its entry nor
// carries the version is the one Opal 1.0.1 shipped, byte for byte (FNV-1a of
// the 1.0.1 records).
TEST(ResourceRecords, RecordsWithoutTheNewOptionOrTheVersion_AreThoseOf101) {
    const auto fnv1a = [](const Bytes& bytes) {
        uint64 hash = 0xcbf29ce484222325ULL;
        for (uint8 byte : bytes)
            hash = (hash ^ byte) * 0x100000001b3ULL;
        return hash;
    };
    const std::vector<std::pair<host::ResourceKey, uint64>> of101 = {
        {{2, 4000}, 0xb528182272bd9593ULL},    {{24, 2}, 0x38a212e047abe0faULL},
        {{501, 701}, 0x32cd5933d34c4d86ULL},   {{501, 1002}, 0x7e7355d8509f7c5fULL},
        {{501, 2001}, 0xa60ffa73dcaf9ef4ULL},  {{502, 700}, 0xcd8a7bedd4b8887fULL},
        {{503, 300}, 0x07cd59f6384f1b60ULL},   {{503, 350}, 0x1d3d2475cb5fff8eULL},
        {{503, 700}, 0xfcc3a80cfddbee3cULL},   {{503, 1001}, 0xd5b46e8b0aca37f4ULL},
        {{503, 2000}, 0xa9d29c50ccc207ffULL},  {{504, 351}, 0x2ca0707bbc9badb7ULL},
        {{510, 33}, 0xd1774ee0f9b5eff2ULL},    {{578, 10000}, 0xe01a4ac1d9baf404ULL},
        {{578, 10001}, 0xbc268161acb91600ULL}, {{578, 10010}, 0x54b0072668c76037ULL}};
    for (const auto& [key, hash] : of101)
        EXPECT_EQ(fnv1a(Resource(key.type, key.id)), hash)
            << "resource " << key.type << " " << key.id;
}

TEST(ResourceRecords, PanelMenuNameIsNeverTranslated) {
    const auto table = host::DecodeStringTable(Resource(504, 301));
    ASSERT_TRUE(table);
    for (const auto& [key, text] : table->pairs)
        EXPECT_NE(key, "0xc9200kOpalPanelPopupMenuNameKey");
}

// ---- Windows records ------------------------------------------------------------------

// One VS_VERSIONINFO block: header, UTF-16 key, padding, value, children,
// each child on a 32-bit boundary; the length excludes trailing padding.
Bytes VersionBlock(const std::string& key, uint16 type, uint16 valueLength, const Bytes& value,
                   const std::vector<Bytes>& children) {
    Le e;
    e.u16(0).u16(valueLength).u16(type);
    for (char c : key)
        e.u16(static_cast<uint8>(c));
    e.u16(0).pad4();
    e.b.insert(e.b.end(), value.begin(), value.end());
    for (const Bytes& child : children) {
        e.pad4();
        e.b.insert(e.b.end(), child.begin(), child.end());
    }
    e.b[0] = static_cast<uint8>(e.b.size());
    e.b[1] = static_cast<uint8>(e.b.size() >> 8);
    return e.b;
}

Bytes VersionString(const std::string& name, const std::string& value) {
    Le text;
    for (char c : value)
        text.u16(static_cast<uint8>(c));
    text.u16(0);
    return VersionBlock(name, 1, static_cast<uint16>(value.size() + 1), text.b, {});
}

TEST(ResourceRecords, WindowsVersionInformation) {
    Le fixed;
    fixed.u32(0xfeef04bd).u32(0x10000);
    fixed.u32(0x10001).u32(0).u32(0x10001).u32(0); // file and product 1.1.0.0
    fixed.u32(0x3f).u32(0).u32(0x40004).u32(2).u32(0).u32(0).u32(0);
    const Bytes strings = VersionBlock(
        "040904b0", 1, 0, {},
        {VersionString("CompanyName", "Quillmark"),
         VersionString("FileDescription", "Quillmark Opal Plug-in"),
         VersionString("FileVersion", "1.1.0"), VersionString("InternalName", "Opal"),
         VersionString("OriginalFilename", "Opal.pln"),
         VersionString("ProductName", "Adobe InDesign"), VersionString("ProductVersion", "1.1.0"),
         VersionString("LegalCopyright", kCopyright), VersionString("Copyright", kCopyright)});
    const Bytes expected = VersionBlock(
        "VS_VERSION_INFO", 0, 52, fixed.b,
        {VersionBlock("StringFileInfo", 1, 0, {}, {strings}),
         VersionBlock("VarFileInfo", 1, 0, {},
                      {VersionBlock("Translation", 0, 4, Le().u16(0x409).u16(1200).b, {})})});
    const Bytes actual = Resource(16, 1);
    EXPECT_BYTES(actual, expected);

    // Fixed points, counted by hand: the fixed info after the 40-byte root
    // header, and the first string at 152 with its length 52 and 10 characters.
    ASSERT_GE(actual.size(), 160u);
    EXPECT_EQ(actual[0] | actual[1] << 8, static_cast<int>(actual.size()));
    EXPECT_EQ(Bytes(actual.begin() + 40, actual.begin() + 44), Le().u32(0xfeef04bd).b);
    EXPECT_EQ(Bytes(actual.begin() + 152, actual.begin() + 158), Le().u16(52).u16(10).u16(1).b);
}

TEST(ResourceRecords, ManifestHasAnEmptyAssembly) {
    const Bytes bytes = Resource(24, 2);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\"", 0), 0u);
    EXPECT_NE(text.find("<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" "
                        "manifestVersion=\"1.0\"/>"),
              std::string::npos);
}

} // namespace
