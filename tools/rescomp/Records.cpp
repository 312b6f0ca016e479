#include "Records.h"

#include <cstdio>
#include <stdexcept>

namespace rescomp {

namespace {

// Values the host's formats require that carry no meaning for the plug-in.
constexpr uint32 kVersionRecordLeading = 0;
constexpr uint32 kVersionRecordFlag = 1;
constexpr uint16 kShortStringMarker = 0xfffe; // version text: u16 length, no u32 1
constexpr uint32 kImplementationListTag = 0x103;
constexpr uint32 kPanelListLeading = 0x95;
constexpr uint32 kPanelFlag = 1;
constexpr uint16 kMenuTrailer = 0;
constexpr uint16 kLocaleEntryMarker = 0xfffe;
constexpr uint32 kStringTableHeader = 0x138;

template <typename T> uint32 Count(const std::vector<T>& items) {
    return static_cast<uint32>(items.size());
}

} // namespace

Bytes PluginVersionRecord(const PluginVersionDef& def) {
    ByteWriter w;
    w.U32(kVersionRecordLeading).U32(def.plugin);
    for (const auto& [major, minor] : def.versionPairs)
        w.U32(major).U32(minor);
    w.U32(Count(def.products));
    for (uint32 product : def.products)
        w.U32(product);
    const std::string text = ToWindows1252(def.versionText);
    w.U32(kVersionRecordFlag).U16(kShortStringMarker).U16(static_cast<uint16>(text.size()));
    return w.Raw(text).Take();
}

Bytes ClassTableRecord(const std::vector<ClassDef>& classes) {
    ByteWriter w;
    w.U32(Count(classes));
    for (const ClassDef& c : classes) {
        w.U16(c.kind).U32(c.boss).U32(c.parent).U32(Count(c.pairs));
        for (const auto& [iid, impl] : c.pairs)
            w.U32(iid).U32(impl);
    }
    return w.Take();
}

Bytes ImplementationListRecord(const std::vector<ImplementationID>& ids) {
    ByteWriter w;
    w.U32(kImplementationListTag).U32(Count(ids));
    for (ImplementationID id : ids)
        w.U32(id);
    return w.Take();
}

Bytes PanelListRecord(const std::vector<PanelDef>& panels) {
    ByteWriter w;
    w.U32(kPanelListLeading).U16(static_cast<uint16>(panels.size()));
    for (const PanelDef& p : panels) {
        if (p.layoutID > 0xffff)
            throw std::runtime_error("panel layout ID does not fit 16 bits");
        w.U32(kPanelFlag).U16(static_cast<uint16>(p.layoutID)).U32(p.layoutOwner);
        w.U32(kPanelFlag).U32(p.showAction).String(p.nameKey).String(p.altMenuPath);
        w.F64(p.altMenuPosition);
    }
    return w.Take();
}

Bytes MenuDefsRecord(const std::vector<MenuDef>& menus) {
    ByteWriter w;
    w.U32(Count(menus));
    for (const MenuDef& m : menus)
        w.U32(m.action).String(m.path).F64(m.position).U16(kMenuTrailer);
    return w.Take();
}

Bytes ActionDefsRecord(const std::vector<ActionDef>& actions) {
    ByteWriter w;
    w.U32(Count(actions));
    for (const ActionDef& a : actions) {
        w.U32(a.component).U32(a.action).String(a.nameKey).String(a.area);
        w.U16(a.type).U32(a.enablingFlags).U32(a.selectionIID).U16(a.offeredForShortcuts ? 1 : 0);
    }
    return w.Take();
}

Bytes TipsRecord(const std::vector<TipDef>& tips) {
    ByteWriter w;
    w.U32(Count(tips));
    for (const TipDef& t : tips)
        w.U32(t.widget).String(t.key);
    return w.Take();
}

Bytes LocaleIndexRecord(const LocaleIndexDef& def) {
    ByteWriter w;
    w.U32(def.indexedType).U32(Count(def.entries));
    for (const auto& [language, id] : def.entries)
        w.U16(kLocaleEntryMarker).U16(language).U32(id);
    return w.Take();
}

Bytes StringTableRecord(const StringTableDef& def) {
    ByteWriter w;
    w.U32(def.language).U32(kStringTableHeader).U32(Count(def.pairs));
    for (const auto& [key, text] : def.pairs)
        w.String(key).String(text);
    return w.Take();
}

// ---- VS_VERSIONINFO ----------------------------------------------------------------
// Every block is: u16 length, u16 value length, u16 type (0 binary, 1 text),
// the key in UTF-16 with a terminator, padding to 32 bits, the value, then the
// children, each starting on a 32-bit boundary. A block's length covers its
// children but not padding after its last byte.

namespace {

constexpr uint32 kFixedInfoSignature = 0xfeef04bd;
constexpr uint32 kFixedInfoStructVersion = 0x00010000;
constexpr uint32 kFileFlagsMask = 0x3f; // VS_FFI_FILEFLAGSMASK
constexpr uint32 kFileOsNtWindows32 = 0x00040004;
constexpr uint32 kFileTypeDll = 2;
constexpr uint16 kBinaryBlock = 0;
constexpr uint16 kTextBlock = 1;

struct Block {
    std::u16string key;
    uint16 type;
    uint16 valueLength; // bytes for binary values, characters for text values
    Bytes value;
    std::vector<Block> children;
};

void Utf16(ByteWriter& w, const std::u16string& s) {
    for (char16_t c : s)
        w.U16(static_cast<uint16>(c));
    w.U16(0);
}

void Write(ByteWriter& w, const Block& b) {
    w.Align(4);
    const std::size_t start = w.Size();
    w.U16(0).U16(b.valueLength).U16(b.type);
    Utf16(w, b.key);
    w.Align(4).Raw(b.value);
    for (const Block& child : b.children)
        Write(w, child);
    if (w.Size() - start > 0xffff)
        throw std::runtime_error("version information too large");
    w.PatchU16(start, static_cast<uint16>(w.Size() - start));
}

Block TextValue(const std::string& name, const std::string& value) {
    ByteWriter text;
    const std::u16string units = ToUtf16(value);
    Utf16(text, units);
    return {ToUtf16(name), kTextBlock, static_cast<uint16>(units.size() + 1), text.Take(), {}};
}

uint32 High(const uint16 (&v)[4]) {
    return static_cast<uint32>(v[0]) << 16 | v[1];
}
uint32 Low(const uint16 (&v)[4]) {
    return static_cast<uint32>(v[2]) << 16 | v[3];
}

} // namespace

Bytes VersionInfoRecord(const VersionInfoDef& def) {
    ByteWriter fixed;
    fixed.U32(kFixedInfoSignature).U32(kFixedInfoStructVersion);
    fixed.U32(High(def.fileVersion)).U32(Low(def.fileVersion));
    fixed.U32(High(def.productVersion)).U32(Low(def.productVersion));
    fixed.U32(kFileFlagsMask).U32(0).U32(kFileOsNtWindows32).U32(kFileTypeDll).U32(0);
    fixed.U32(0).U32(0); // file date

    char blockName[9];
    std::snprintf(blockName, sizeof blockName, "%04x%04x", def.language, def.codePage);
    Block table{ToUtf16(blockName), kTextBlock, 0, {}, {}};
    for (const auto& [name, value] : def.strings)
        table.children.push_back(TextValue(name, value));

    ByteWriter translation;
    translation.U16(def.language).U16(def.codePage);

    const Bytes fixedBytes = fixed.Take();
    const Block root{u"VS_VERSION_INFO",
                     kBinaryBlock,
                     static_cast<uint16>(fixedBytes.size()),
                     fixedBytes,
                     {Block{u"StringFileInfo", kTextBlock, 0, {}, {table}},
                      Block{u"VarFileInfo",
                            kTextBlock,
                            0,
                            {},
                            {Block{u"Translation", kBinaryBlock, 4, translation.Take(), {}}}}}};
    ByteWriter w;
    Write(w, root);
    return w.Take();
}

} // namespace rescomp
