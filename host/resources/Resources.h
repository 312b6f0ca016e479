// The plug-in's resources as the host reads them from the module file, and
// decoders for the record kinds the host interprets.
//
// Archive format (written by tools/rescomp, embedded in the module file: an ELF
// section ".opalres" natively; real PE resources on Windows):
//   "OPALRES1" (8 bytes), u32 count, then per resource, sorted by type then ID:
//   u32 type, u32 id, u32 size, size bytes.  All numbers little-endian.
#pragma once

#include "ResourceTypes.h"
#include "SDKTypes.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host {

using Bytes = std::vector<uint8>;

struct ResourceKey {
    RsrcType type;
    RsrcID id;
    friend bool operator<(const ResourceKey& a, const ResourceKey& b) {
        return a.type != b.type ? a.type < b.type : a.id < b.id;
    }
    friend bool operator==(const ResourceKey& a, const ResourceKey& b) {
        return a.type == b.type && a.id == b.id;
    }
};

class OPAL_SDK_API ResourceSet {
public:
    // Parses an archive. On failure returns nullopt and sets *error to a short
    // reason ("truncated archive", "bad magic", ...).
    static std::optional<ResourceSet> FromArchive(const Bytes& archive, std::string* error);
    // Reads the archive out of a module file (the ELF section natively, the PE
    // resources on Windows). Errors: "cannot open file", "not an ELF file",
    // "no resource section", or an archive error.
    static std::optional<ResourceSet> FromModuleFile(const std::string& path, std::string* error);

    // The resource's bytes, or nullptr if the set has no such resource.
    const Bytes* Find(RsrcType type, RsrcID id) const;
    // Every resource of the type, by ID.
    std::vector<const Bytes*> OfType(RsrcType type) const;
    const std::map<ResourceKey, Bytes>& All() const { return fResources; }
    void Add(RsrcType type, RsrcID id, Bytes bytes) { fResources[{type, id}] = std::move(bytes); }

    // The archive bytes of this set (what FromArchive reads back).
    Bytes ToArchive() const;

    friend bool operator==(const ResourceSet& a, const ResourceSet& b) {
        return a.fResources == b.fResources;
    }

private:
    std::map<ResourceKey, Bytes> fResources;
};

// ---- Decoded records (each decoder returns nullopt for a damaged record) ---------
// What a class table entry brings, as the record numbers it.
enum ClassKind : uint16 {
    kNewClass = 1, // a new boss class
    kAddIn = 2,    // interfaces added to an existing boss
};

struct ClassTableEntry {
    ClassKind kind;
    ClassID boss;
    ClassID parent;
    std::vector<std::pair<PMIID, ImplementationID>> pairs;
};
OPAL_SDK_API std::optional<std::vector<ClassTableEntry>> DecodeClassTable(const Bytes& bytes);
OPAL_SDK_API std::optional<std::vector<ImplementationID>>
DecodeImplementationList(const Bytes& bytes);

struct LocaleIndex {
    RsrcType indexedType;
    std::vector<std::pair<uint16, RsrcID>> entries; // language → resource ID
    // The resource for a language: its own entry, else the any-language entry.
    OPAL_SDK_API std::optional<RsrcID> Resolve(uint16 language) const;
};
OPAL_SDK_API std::optional<LocaleIndex> DecodeLocaleIndex(const Bytes& bytes);

struct StringTable {
    uint32 language;
    std::vector<std::pair<std::string, std::string>> pairs; // key, text (Windows-1252 as read)
};
OPAL_SDK_API std::optional<StringTable> DecodeStringTable(const Bytes& bytes);

struct PluginVersion {
    PluginID plugin;
    std::string versionText;
    std::vector<std::pair<uint32, uint32>> versionPairs; // major, minor; three of them
    std::vector<uint32> products;                        // host product codes
};
OPAL_SDK_API std::optional<PluginVersion> DecodePluginVersion(const Bytes& bytes);

// The panels the plug-in declares to the host (type 502).
struct PanelDef {
    uint32 flag1;         // host-defined; 1 in our record
    RsrcID layoutID;      // a layout ID, resolved through the locale index of that ID
    PluginID layoutOwner; // plug-in that owns the layout
    uint32 flag2;         // host-defined; 1 in our record
    ActionID showAction;  // the action that shows and hides the panel
    std::string nameKey;  // the panel's name in the host's panel menu
    std::string altMenuPath;
    double altMenuPosition;
};
struct PanelList {
    uint32 leading; // host-defined; 0x95 in our record
    std::vector<PanelDef> panels;
};
OPAL_SDK_API std::optional<PanelList> DecodePanelList(const Bytes& bytes);

// Menu entries (type 507). A path ending in ":-" is a separator; a path whose
// last key is followed by ':' is a sub-menu titled by that key.
struct MenuDef {
    ActionID action;
    std::string path;
    double position;
    uint16 trailer; // 0 in our records
};
OPAL_SDK_API std::optional<std::vector<MenuDef>> DecodeMenuDefs(const Bytes& bytes);

// Action definitions (type 509).
struct ActionDef {
    ClassID component; // boss of the action component that handles the action
    ActionID action;
    std::string nameKey;
    std::string area; // keyboard-shortcut area
    uint16 type;
    uint32 enablingFlags;
    PMIID selectionIID;
    bool offeredForShortcuts;
};
OPAL_SDK_API std::optional<std::vector<ActionDef>> DecodeActionDefs(const Bytes& bytes);

// Tool tips (type 510).
struct TipDef {
    WidgetID widget;
    std::string key;
};
OPAL_SDK_API std::optional<std::vector<TipDef>> DecodeTips(const Bytes& bytes);

} // namespace host
