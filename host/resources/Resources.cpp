// The resource archive. How it is found in a module file is the platform's:
// unix/ModuleFile.cpp (an ELF section), windows/ModuleFile.cpp (PE resources).
#include "resources/Resources.h"

#include "resources/ByteReader.h"

#include <cstring>
#include <iterator>

namespace host {

namespace {

constexpr char kArchiveMagic[8] = {'O', 'P', 'A', 'L', 'R', 'E', 'S', '1'};
constexpr std::size_t kResourceHeaderSize = 12; // type, id, size

bool Fail(std::string* error, const std::string& reason) {
    if (error)
        *error = reason;
    return false;
}

void PutU32(Bytes& out, uint32 value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8>(value >> (8 * i)));
}

} // namespace

std::optional<ResourceSet> ResourceSet::FromArchive(const Bytes& archive, std::string* error) {
    detail::ByteReader in(archive);
    const uint8* magic = in.Take(sizeof kArchiveMagic);
    if (!magic || std::memcmp(magic, kArchiveMagic, sizeof kArchiveMagic) != 0) {
        Fail(error, "bad magic");
        return std::nullopt;
    }
    const uint32 count = in.U32();
    if (!in.Ok()) {
        Fail(error, "truncated archive");
        return std::nullopt;
    }
    if (!in.CountFits(count, kResourceHeaderSize)) {
        Fail(error, "resource count beyond archive size");
        return std::nullopt;
    }
    ResourceSet set;
    std::optional<ResourceKey> previous;
    for (uint32 i = 0; i < count; ++i) {
        const std::string at = " at resource " + std::to_string(i + 1);
        const ResourceKey key{in.U32(), in.U32()};
        const uint32 size = in.U32();
        const uint8* data = in.Take(size);
        if (!data) {
            Fail(error, "truncated archive" + at);
            return std::nullopt;
        }
        // Sorted and unique, so a reader can rely on the order and a repeated
        // resource never silently replaces another.
        if (previous && !(*previous < key)) {
            Fail(error, "resources out of order" + at);
            return std::nullopt;
        }
        previous = key;
        set.fResources.emplace(key, Bytes(data, data + size));
    }
    if (in.Remaining() != 0) {
        Fail(error, "trailing bytes after archive");
        return std::nullopt;
    }
    return set;
}

Bytes ResourceSet::ToArchive() const {
    Bytes out(std::begin(kArchiveMagic), std::end(kArchiveMagic));
    PutU32(out, static_cast<uint32>(fResources.size()));
    for (const auto& [key, bytes] : fResources) {
        PutU32(out, key.type);
        PutU32(out, key.id);
        PutU32(out, static_cast<uint32>(bytes.size()));
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

std::vector<const Bytes*> ResourceSet::OfType(RsrcType type) const {
    std::vector<const Bytes*> result;
    for (auto it = fResources.lower_bound({type, 0});
         it != fResources.end() && it->first.type == type; ++it)
        result.push_back(&it->second);
    return result;
}

const Bytes* ResourceSet::Find(RsrcType type, RsrcID id) const {
    const auto it = fResources.find({type, id});
    return it == fResources.end() ? nullptr : &it->second;
}

} // namespace host
