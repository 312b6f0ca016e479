// The plug-ins' strings in the host's language, read from their string
// tables through their locale indexes once per plug-in and language.
#include "Host.h"
#include "Text.h"

namespace host {

std::optional<std::u16string> Host::TranslateKey(const std::u16string& key) const {
    for (const auto& p : fPlugins) {
        auto cached = p->strings.find(fLanguage);
        if (cached == p->strings.end()) {
            std::map<std::u16string, std::u16string> table;
            for (const auto& [rkey, bytes] : p->resources.All()) {
                if (rkey.type != kLocaleIndexRsrcType)
                    continue;
                auto index = DecodeLocaleIndex(bytes);
                if (!index || index->indexedType != kStringTableRsrcType)
                    continue;
                auto tableID = index->Resolve(fLanguage);
                const Bytes* tableBytes =
                    tableID ? p->resources.Find(kStringTableRsrcType, *tableID) : nullptr;
                auto strings = tableBytes ? DecodeStringTable(*tableBytes) : std::nullopt;
                if (!strings)
                    continue;
                for (const auto& [k, text] : strings->pairs)
                    table.emplace(Windows1252ToUTF16(k), Windows1252ToUTF16(text));
            }
            cached = p->strings.emplace(fLanguage, std::move(table)).first;
        }
        auto found = cached->second.find(key);
        if (found != cached->second.end())
            return found->second;
    }
    return std::nullopt;
}

} // namespace host
