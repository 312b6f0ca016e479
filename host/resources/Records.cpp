// Decoders of the resource records the host interprets. Each record has an
// exact size: a decoder that does not end exactly at the record's end refuses it.
#include "resources/Resources.h"

#include "resources/ByteReader.h"

namespace host {

namespace {

using detail::ByteReader;

constexpr std::size_t kStringMinSize = 6;        // u32 1, u16 length
constexpr uint32 kImplementationListTag = 0x103; // leads the implementation-ID list
constexpr uint16 kLocaleEntryMarker = 0xfffe;
constexpr uint16 kVersionTextMarker = 0xfffe;
constexpr std::size_t kVersionPairs = 3;

template <typename T> std::optional<T> IfDone(const ByteReader& in, T value) {
    if (!in.Done())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::vector<ClassTableEntry>> DecodeClassTable(const Bytes& bytes) {
    ByteReader in(bytes);
    const uint32 count = in.U32();
    std::vector<ClassTableEntry> entries;
    if (!in.CountFits(count, 14))
        return std::nullopt;
    for (uint32 i = 0; i < count && in.Ok(); ++i) {
        ClassTableEntry entry{};
        const uint16 kind = in.U16();
        entry.boss = in.U32();
        entry.parent = in.U32();
        const uint32 pairs = in.U32();
        if (kind != kNewClass && kind != kAddIn)
            in.Fail();
        entry.kind = static_cast<ClassKind>(kind);
        if (!in.CountFits(pairs, 8))
            break;
        for (uint32 p = 0; p < pairs; ++p) {
            const PMIID iid = in.U32();
            entry.pairs.emplace_back(iid, in.U32());
        }
        entries.push_back(std::move(entry));
    }
    return IfDone(in, std::move(entries));
}

std::optional<std::vector<ImplementationID>> DecodeImplementationList(const Bytes& bytes) {
    ByteReader in(bytes);
    if (in.U32() != kImplementationListTag)
        return std::nullopt;
    const uint32 count = in.U32();
    std::vector<ImplementationID> ids;
    if (in.CountFits(count, 4))
        for (uint32 i = 0; i < count; ++i)
            ids.push_back(in.U32());
    return IfDone(in, std::move(ids));
}

std::optional<RsrcID> LocaleIndex::Resolve(uint16 language) const {
    std::optional<RsrcID> any;
    for (const auto& [entryLanguage, id] : entries) {
        if (entryLanguage == language)
            return id;
        if (entryLanguage == kAnyLanguage && !any)
            any = id;
    }
    return any;
}

std::optional<LocaleIndex> DecodeLocaleIndex(const Bytes& bytes) {
    ByteReader in(bytes);
    LocaleIndex index;
    index.indexedType = in.U32();
    const uint32 count = in.U32();
    if (in.CountFits(count, 8))
        for (uint32 i = 0; i < count; ++i) {
            if (in.U16() != kLocaleEntryMarker)
                in.Fail();
            const uint16 language = in.U16();
            index.entries.emplace_back(language, in.U32());
        }
    return IfDone(in, std::move(index));
}

std::optional<StringTable> DecodeStringTable(const Bytes& bytes) {
    ByteReader in(bytes);
    StringTable table;
    table.language = in.U32();
    in.U32(); // host-defined header value
    const uint32 count = in.U32();
    if (in.CountFits(count, 2 * kStringMinSize))
        for (uint32 i = 0; i < count && in.Ok(); ++i) {
            std::string key = in.String();
            table.pairs.emplace_back(std::move(key), in.String());
        }
    return IfDone(in, std::move(table));
}

std::optional<PluginVersion> DecodePluginVersion(const Bytes& bytes) {
    ByteReader in(bytes);
    PluginVersion version;
    in.U32(); // host-defined leading value
    version.plugin = in.U32();
    for (std::size_t i = 0; i < kVersionPairs; ++i) {
        const uint32 major = in.U32();
        version.versionPairs.emplace_back(major, in.U32());
    }
    const uint32 products = in.U32();
    if (in.CountFits(products, 4))
        for (uint32 i = 0; i < products; ++i)
            version.products.push_back(in.U32());
    in.U32(); // host-defined flag
    if (in.U16() != kVersionTextMarker)
        in.Fail();
    const uint16 length = in.U16();
    if (const uint8* text = in.Take(length))
        version.versionText.assign(reinterpret_cast<const char*>(text), length);
    return IfDone(in, std::move(version));
}

std::optional<PanelList> DecodePanelList(const Bytes& bytes) {
    ByteReader in(bytes);
    PanelList list;
    list.leading = in.U32();
    const uint16 count = in.U16();
    if (in.CountFits(count, 30 + 2 * kStringMinSize))
        for (uint16 i = 0; i < count && in.Ok(); ++i) {
            PanelDef panel{};
            panel.flag1 = in.U32();
            panel.layoutID = in.U16();
            panel.layoutOwner = in.U32();
            panel.flag2 = in.U32();
            panel.showAction = in.U32();
            panel.nameKey = in.String();
            panel.altMenuPath = in.String();
            panel.altMenuPosition = in.F64();
            list.panels.push_back(std::move(panel));
        }
    return IfDone(in, std::move(list));
}

std::optional<std::vector<MenuDef>> DecodeMenuDefs(const Bytes& bytes) {
    ByteReader in(bytes);
    const uint32 count = in.U32();
    std::vector<MenuDef> menus;
    if (in.CountFits(count, 14 + kStringMinSize))
        for (uint32 i = 0; i < count && in.Ok(); ++i) {
            MenuDef menu{};
            menu.action = in.U32();
            menu.path = in.String();
            menu.position = in.F64();
            menu.trailer = in.U16();
            menus.push_back(std::move(menu));
        }
    return IfDone(in, std::move(menus));
}

std::optional<std::vector<ActionDef>> DecodeActionDefs(const Bytes& bytes) {
    ByteReader in(bytes);
    const uint32 count = in.U32();
    std::vector<ActionDef> actions;
    if (in.CountFits(count, 20 + 2 * kStringMinSize))
        for (uint32 i = 0; i < count && in.Ok(); ++i) {
            ActionDef action{};
            action.component = in.U32();
            action.action = in.U32();
            action.nameKey = in.String();
            action.area = in.String();
            action.type = in.U16();
            action.enablingFlags = in.U32();
            action.selectionIID = in.U32();
            action.offeredForShortcuts = in.U16() != 0;
            actions.push_back(std::move(action));
        }
    return IfDone(in, std::move(actions));
}

std::optional<std::vector<TipDef>> DecodeTips(const Bytes& bytes) {
    ByteReader in(bytes);
    const uint32 count = in.U32();
    std::vector<TipDef> tips;
    if (in.CountFits(count, 4 + kStringMinSize))
        for (uint32 i = 0; i < count && in.Ok(); ++i) {
            TipDef tip{};
            tip.widget = in.U32();
            tip.key = in.String();
            tips.push_back(std::move(tip));
        }
    return IfDone(in, std::move(tips));
}

} // namespace host
