// The resource definitions' builder API: one plain description per record
// kind, and the encoder that turns it into the bytes the host reads.
#pragma once

#include "ByteWriter.h"

#include <string>
#include <utility>
#include <vector>

namespace rescomp {

using Pairs = std::vector<std::pair<PMIID, ImplementationID>>;

struct PluginVersionDef {
    PluginID plugin;
    std::vector<std::pair<uint32, uint32>> versionPairs; // major, minor
    std::vector<uint32> products;                        // host product codes
    std::string versionText;
};
Bytes PluginVersionRecord(const PluginVersionDef& def);

struct ClassDef {
    uint16 kind; // 1 new boss, 2 add-in
    ClassID boss;
    ClassID parent;
    Pairs pairs;
};
// A new boss class (parent kInvalidClass for none).
inline ClassDef Boss(ClassID boss, ClassID parent, Pairs pairs) {
    return {1, boss, parent, std::move(pairs)};
}
// Pairs added to an existing host boss.
inline ClassDef AddIn(ClassID boss, Pairs pairs) {
    return {2, boss, kInvalidClass, std::move(pairs)};
}
Bytes ClassTableRecord(const std::vector<ClassDef>& classes);
Bytes ImplementationListRecord(const std::vector<ImplementationID>& ids);

struct PanelDef {
    RsrcID layoutID; // resolved through the locale index of the same ID
    PluginID layoutOwner;
    ActionID showAction;
    std::string nameKey;
    std::string altMenuPath;
    double altMenuPosition;
};
Bytes PanelListRecord(const std::vector<PanelDef>& panels);

struct MenuDef {
    ActionID action;
    std::string path;
    double position;
};
Bytes MenuDefsRecord(const std::vector<MenuDef>& menus);

struct ActionDef {
    ClassID component;
    ActionID action;
    std::string nameKey;
    std::string area;
    uint16 type;
    uint32 enablingFlags;
    PMIID selectionIID;
    bool offeredForShortcuts;
};
Bytes ActionDefsRecord(const std::vector<ActionDef>& actions);

struct TipDef {
    WidgetID widget;
    std::string key;
};
Bytes TipsRecord(const std::vector<TipDef>& tips);

struct LocaleIndexDef {
    RsrcType indexedType;
    std::vector<std::pair<uint16, RsrcID>> entries; // language → resource ID
};
Bytes LocaleIndexRecord(const LocaleIndexDef& def);

struct StringTableDef {
    uint32 language;
    std::vector<std::pair<std::string, std::string>> pairs; // key, text
};
Bytes StringTableRecord(const StringTableDef& def);

// Windows version information (VS_VERSIONINFO) for a DLL.
struct VersionInfoDef {
    uint16 fileVersion[4];
    uint16 productVersion[4];
    uint16 language; // of the single string block
    uint16 codePage;
    std::vector<std::pair<std::string, std::string>> strings; // name, value
};
Bytes VersionInfoRecord(const VersionInfoDef& def);

} // namespace rescomp
