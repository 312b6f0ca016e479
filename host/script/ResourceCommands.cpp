// print resources | print resource TYPE ID | print strings | print classes
#include "OpalID.h"
#include "PMString.h"
#include "core/Host.h"
#include "core/Text.h"
#include "script/Commands.h"

#include <cstdio>
#include <ostream>

namespace host {
namespace {

const LoadedPlugin& ThePlugin(const ScriptContext& c) {
    const auto& plugins = c.session.GetHost().Plugins();
    if (plugins.empty())
        throw ScriptError("no plug-in is loaded");
    return *plugins.front();
}

} // namespace

void PrintResourcesCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    for (const auto& [key, bytes] : ThePlugin(c).resources.All())
        c.out << "resource " << key.type << " " << key.id << " " << bytes.size() << "\n";
}

void PrintResourceCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 2, 2);
    const auto type = static_cast<RsrcType>(ParseInteger(args[0], 0, UINT32_MAX));
    const auto id = static_cast<RsrcID>(ParseInteger(args[1], 0, UINT32_MAX));
    const Bytes* bytes = ThePlugin(c).resources.Find(type, id);
    if (!bytes)
        throw ScriptError("no resource " + args[0] + " " + args[1]);
    static const char digits[] = "0123456789abcdef";
    std::string line;
    line.reserve(bytes->size() * 2);
    for (uint8 b : *bytes) {
        line += digits[b >> 4];
        line += digits[b & 15];
    }
    c.out << line << "\n";
}

void PrintStringsCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    const Bytes* bytes = ThePlugin(c).resources.Find(kStringTableRsrcType, kOpalStringsRsrcID);
    auto table = bytes ? DecodeStringTable(*bytes) : std::nullopt;
    if (!table)
        throw ScriptError("the plug-in has no readable string table " +
                          std::to_string(kOpalStringsRsrcID));
    for (const auto& [key, text] : table->pairs) {
        PMString s(key.c_str(), PMString::kTranslateDuringCall);
        s.Translate();
        c.out << "string " << key << " \"" << s.GetUTF8String() << "\"\n";
    }
}

void PrintClassesCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    const ObjectModel& model = c.session.GetHost().Model();
    for (const ClassTableEntry& entry : ThePlugin(c).classTable) {
        c.out << (entry.kind == kNewClass ? "class " : "add-in ") << Hex(entry.boss);
        if (entry.kind == kNewClass)
            c.out << " parent " << Hex(entry.parent);
        for (const auto& [iid, impl] : entry.pairs) {
            c.out << " " << Hex(iid) << "->" << Hex(impl);
            if (!model.FindImpl(impl))
                c.out << "(absent)";
        }
        c.out << "\n";
    }
}

} // namespace host
