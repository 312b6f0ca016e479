// The archive and the module file it travels in: read back whole, and damaged
// input refused with a reason instead of misread or crashed on.
#include "ResourceTestUtil.h"

#include <functional>
#include <vector>

namespace {

using host::Bytes;
using host::ResourceSet;
using testing_support::Le;
using testing_support::ReadFile;
using testing_support::Resource;

std::string Refusal(const Bytes& archive) {
    std::string error;
    const auto set = ResourceSet::FromArchive(archive, &error);
    EXPECT_FALSE(set) << "accepted a damaged archive";
    EXPECT_FALSE(error.empty());
    return error;
}

void SetU32(Bytes& b, std::size_t at, uint32 v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8>(v >> (8 * i));
}

TEST(Archive, ReadsBackToTheSameBytes) {
    const Bytes file = ReadFile(OPAL_RESOURCE_ARCHIVE);
    EXPECT_EQ(testing_support::CompiledResources().ToArchive(), file);
    EXPECT_EQ(testing_support::CompiledResources().All().size(), 23u);
}

TEST(Archive, RefusesTruncationAnywhere) {
    const Bytes file = ReadFile(OPAL_RESOURCE_ARCHIVE);
    std::vector<std::size_t> cuts;
    for (std::size_t n = 0; n < 64; ++n)
        cuts.push_back(n);
    // Around every resource's header and data.
    std::size_t at = 12;
    while (at + 12 <= file.size()) {
        const std::size_t size = file[at + 8] | file[at + 9] << 8 | file[at + 10] << 16;
        for (std::size_t n : {at, at + 1, at + 11, at + 12, at + 12 + size / 2, at + 11 + size})
            if (n < file.size())
                cuts.push_back(n);
        at += 12 + size;
    }
    for (std::size_t n : cuts)
        Refusal(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n)));
    EXPECT_EQ(Refusal(Bytes(file.begin(), file.end() - 1)), "truncated archive at resource 23");
    EXPECT_EQ(Refusal(Bytes(file.begin(), file.begin() + 10)), "truncated archive");
}

TEST(Archive, RefusesWrongCountsMagicAndOrder) {
    const Bytes file = ReadFile(OPAL_RESOURCE_ARCHIVE);
    Bytes b = file;
    SetU32(b, 8, 0xffffffff);
    EXPECT_EQ(Refusal(b), "resource count beyond archive size");
    SetU32(b, 8, 24);
    EXPECT_EQ(Refusal(b), "truncated archive at resource 24");
    SetU32(b, 8, 22);
    EXPECT_EQ(Refusal(b), "trailing bytes after archive");
    b = file;
    b[7] = '2';
    EXPECT_EQ(Refusal(b), "bad magic");
    // The first resource's size, pushed beyond the archive.
    b = file;
    SetU32(b, 12 + 8, 0x7fffffff);
    EXPECT_EQ(Refusal(b), "truncated archive at resource 1");

    const auto two = [](uint32 type1, uint32 id1, uint32 type2, uint32 id2) {
        Le e;
        e.raw("OPALRES1").u32(2).u32(type1).u32(id1).u32(1).u8(7).u32(type2).u32(id2).u32(0);
        return e.b;
    };
    std::string error;
    EXPECT_TRUE(ResourceSet::FromArchive(two(501, 701, 501, 1002), &error)) << error;
    EXPECT_EQ(Refusal(two(501, 1002, 501, 701)), "resources out of order at resource 2");
    EXPECT_EQ(Refusal(two(502, 1, 501, 9)), "resources out of order at resource 2");
    EXPECT_EQ(Refusal(two(501, 701, 501, 701)), "resources out of order at resource 2");
}

// Every record decoder must refuse a record cut short or with a byte too
// many, and a first count pushed beyond the data, without reading past it.
TEST(RecordDecoders, RefuseDamagedRecords) {
    struct Case {
        uint32 type, id;
        std::function<bool(const Bytes&)> decodes;
        std::size_t countAt; // offset of the first count field
    };
    const std::vector<Case> cases = {
        {529, 500, [](const Bytes& b) { return host::DecodeClassTable(b).has_value(); }, 0},
        {518, 550, [](const Bytes& b) { return host::DecodeImplementationList(b).has_value(); }, 4},
        {503, 300, [](const Bytes& b) { return host::DecodeLocaleIndex(b).has_value(); }, 4},
        {504, 301, [](const Bytes& b) { return host::DecodeStringTable(b).has_value(); }, 8},
        {119, 450, [](const Bytes& b) { return host::DecodePluginVersion(b).has_value(); }, 32},
        {502, 700, [](const Bytes& b) { return host::DecodePanelList(b).has_value(); }, 4},
        {507, 200, [](const Bytes& b) { return host::DecodeMenuDefs(b).has_value(); }, 0},
        {509, 400, [](const Bytes& b) { return host::DecodeActionDefs(b).has_value(); }, 0},
        {510, 33, [](const Bytes& b) { return host::DecodeTips(b).has_value(); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + "/" + std::to_string(c.id));
        const Bytes good = Resource(c.type, c.id);
        ASSERT_TRUE(c.decodes(good));
        for (std::size_t n = 0; n < good.size(); ++n)
            EXPECT_FALSE(
                c.decodes(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n))))
                << "cut at " << n;
        Bytes longer = good;
        longer.push_back(0);
        EXPECT_FALSE(c.decodes(longer));
        Bytes counted = good;
        counted[c.countAt] = 0xff;
        counted[c.countAt + 1] = 0xff;
        EXPECT_FALSE(c.decodes(counted));
    }
}

TEST(RecordDecoders, ReadTheFieldsTheHostUses) {
    const auto version = host::DecodePluginVersion(Resource(119, 450));
    ASSERT_TRUE(version);
    EXPECT_EQ(version->plugin, 0xc9200u);
    EXPECT_EQ(version->versionText, "1.1.0");
    const auto panels = host::DecodePanelList(Resource(502, 700));
    ASSERT_TRUE(panels);
    ASSERT_EQ(panels->panels.size(), 1u);
    EXPECT_EQ(panels->panels[0].layoutID, 700u);
    EXPECT_EQ(panels->panels[0].showAction, 0xc9201u);
    EXPECT_EQ(panels->panels[0].nameKey, "0xc9200kOpalPanelTitleKey");
    const auto actions = host::DecodeActionDefs(Resource(509, 400));
    ASSERT_TRUE(actions);
    ASSERT_EQ(actions->size(), 8u);
    EXPECT_FALSE((*actions)[3].offeredForShortcuts);
    EXPECT_EQ((*actions)[3].enablingFlags, 0x80u);
    const auto menus = host::DecodeMenuDefs(Resource(507, 200));
    ASSERT_TRUE(menus);
    EXPECT_EQ((*menus)[4].path,
              "0xc9200kOpalPanelPopupMenuNameKey:0xc9200kOpalFeedbackAndSupportMenuItemKey:");
}

// ---- The module file ------------------------------------------------------------------

std::string ModuleRefusal(const std::string& path) {
    std::string error;
    EXPECT_FALSE(ResourceSet::FromModuleFile(path, &error)) << path;
    return error;
}

std::string TempFile(const std::string& name, const Bytes& bytes) {
    const std::string path = testing::TempDir() + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path;
}

TEST(ModuleFile, CarriesTheSameResourcesAsTheArchive) {
    std::string error;
    const auto fromModule = ResourceSet::FromModuleFile(OPAL_PLUGIN_PATH, &error);
    ASSERT_TRUE(fromModule) << OPAL_PLUGIN_PATH << ": " << error;
    EXPECT_TRUE(*fromModule == testing_support::CompiledResources());
}

TEST(ModuleFile, RefusesFilesWithoutResources) {
    EXPECT_EQ(ModuleRefusal("/proc/self/exe"), "no resource section");
    EXPECT_EQ(ModuleRefusal(OPAL_RESOURCE_ARCHIVE), "not an ELF file");
    EXPECT_EQ(ModuleRefusal(testing::TempDir() + "no-such-module.pln"), "cannot open file");
}

TEST(ModuleFile, RefusesDamagedElfFiles) {
    const Bytes module = ReadFile(OPAL_PLUGIN_PATH);
    ASSERT_GT(module.size(), 4096u);
    // Section headers sit at the end of the file: a cut file loses them.
    EXPECT_EQ(ModuleRefusal(TempFile("cut.pln", Bytes(module.begin(), module.begin() + 4096))),
              "truncated section headers");
    EXPECT_EQ(ModuleRefusal(TempFile("short.pln", Bytes(module.begin(), module.begin() + 20))),
              "not a 64-bit little-endian ELF file");
    Bytes b = module;
    b[0x3c] = 0xff; // section count far beyond the file
    b[0x3d] = 0x7f;
    EXPECT_EQ(ModuleRefusal(TempFile("count.pln", b)), "truncated section headers");
    b = module;
    b[0x3e] = 0xfe; // name table index beyond the sections
    b[0x3f] = 0x7f;
    EXPECT_EQ(ModuleRefusal(TempFile("names.pln", b)), "bad section name table");
}

} // namespace
