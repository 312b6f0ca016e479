// The resource archive and how it is found in a module file.
#include "resources/Resources.h"

#include "resources/ByteReader.h"

#include <cstring>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#endif

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

#ifndef _WIN32

namespace {

constexpr const char* kResourceSectionName = ".opalres";
constexpr std::size_t kElf64HeaderSize = 64;
constexpr std::size_t kElf64SectionHeaderSize = 64;
constexpr uint32 kSectionTypeNoBits = 8; // SHT_NOBITS: occupies no file space
constexpr uint16 kSectionIndexExtended = 0xffff;

struct Section {
    uint32 name;
    uint32 type;
    uint64_t offset;
    uint64_t size;
    uint32 link;
};

// The section header at `index`, bounds-checked against the whole file.
std::optional<Section> ReadSection(const Bytes& file, uint64_t table, uint64_t index) {
    const uint64_t at = table + index * kElf64SectionHeaderSize;
    if (at < table || at > file.size() || file.size() - at < kElf64SectionHeaderSize)
        return std::nullopt;
    detail::ByteReader in(file.data() + at, kElf64SectionHeaderSize);
    Section s{};
    s.name = in.U32();
    s.type = in.U32();
    in.Take(16); // flags, address
    s.offset = in.U64();
    s.size = in.U64();
    s.link = in.U32();
    return s;
}

bool SectionInFile(const Bytes& file, const Section& s) {
    return s.type != kSectionTypeNoBits && s.offset <= file.size() &&
           s.size <= file.size() - s.offset;
}

// Finds the resource section in an ELF64 little-endian file by its name.
std::optional<Bytes> ElfResourceSection(const Bytes& file, std::string* error) {
    if (file.size() < 4 || std::memcmp(file.data(),
                                       "\x7f"
                                       "ELF",
                                       4) != 0) {
        Fail(error, "not an ELF file");
        return std::nullopt;
    }
    if (file.size() < kElf64HeaderSize || file[4] != 2 /* 64-bit */ ||
        file[5] != 1 /* little-endian */) {
        Fail(error, "not a 64-bit little-endian ELF file");
        return std::nullopt;
    }
    detail::ByteReader header(file.data(), kElf64HeaderSize);
    header.Take(0x28);
    const uint64_t table = header.U64();
    header.Take(10); // flags, header size, program header size and count
    const uint16 entrySize = header.U16();
    uint64_t count = header.U16();
    uint32 namesIndex = header.U16();
    if (table == 0) {
        Fail(error, "no section headers");
        return std::nullopt;
    }
    if (entrySize != kElf64SectionHeaderSize) {
        Fail(error, "bad section header size");
        return std::nullopt;
    }
    // Files with many sections keep the real count and name-table index in
    // section 0.
    const auto first = ReadSection(file, table, 0);
    if (!first) {
        Fail(error, "truncated section headers");
        return std::nullopt;
    }
    if (count == 0)
        count = first->size;
    if (namesIndex == kSectionIndexExtended)
        namesIndex = first->link;
    if (count > (file.size() - table) / kElf64SectionHeaderSize) {
        Fail(error, "truncated section headers");
        return std::nullopt;
    }
    const auto names = ReadSection(file, table, namesIndex);
    if (namesIndex >= count || !names || !SectionInFile(file, *names)) {
        Fail(error, "bad section name table");
        return std::nullopt;
    }
    const std::size_t nameLength = std::strlen(kResourceSectionName) + 1; // with the NUL
    for (uint64_t i = 1; i < count; ++i) {
        const auto section = ReadSection(file, table, i);
        if (!section || section->name >= names->size || names->size - section->name < nameLength ||
            std::memcmp(file.data() + names->offset + section->name, kResourceSectionName,
                        nameLength) != 0)
            continue;
        if (!SectionInFile(file, *section)) {
            Fail(error, "resource section outside the file");
            return std::nullopt;
        }
        const auto begin = file.begin() + static_cast<std::ptrdiff_t>(section->offset);
        return Bytes(begin, begin + static_cast<std::ptrdiff_t>(section->size));
    }
    Fail(error, "no resource section");
    return std::nullopt;
}

} // namespace

std::optional<ResourceSet> ResourceSet::FromModuleFile(const std::string& path,
                                                       std::string* error) {
    std::ifstream stream(path, std::ios::binary | std::ios::ate);
    if (!stream) {
        Fail(error, "cannot open file");
        return std::nullopt;
    }
    // One read of the whole size: a module is megabytes, read at every load,
    // and a character at a time that costs more than the rest of a start.
    const std::streamoff size = stream.tellg();
    if (size < 0 || !stream.seekg(0)) {
        Fail(error, "cannot read file");
        return std::nullopt;
    }
    Bytes file(static_cast<std::size_t>(size));
    if (!stream.read(reinterpret_cast<char*>(file.data()), size)) {
        Fail(error, "cannot read file");
        return std::nullopt;
    }
    const auto section = ElfResourceSection(file, error);
    if (!section)
        return std::nullopt;
    return FromArchive(*section, error);
}

#else // _WIN32

namespace {

struct Enumeration {
    HMODULE module;
    ResourceSet* set;
    bool failed;
};

BOOL CALLBACK AddResource(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    auto* e = reinterpret_cast<Enumeration*>(param);
    // Only numbered resources belong to the plug-in's set.
    if (!IS_INTRESOURCE(name))
        return TRUE;
    HRSRC info = FindResourceW(module, name, type);
    HGLOBAL handle = info ? LoadResource(module, info) : nullptr;
    const void* data = handle ? LockResource(handle) : nullptr;
    if (!data) {
        e->failed = true;
        return FALSE;
    }
    const auto* bytes = static_cast<const uint8*>(data);
    e->set->Add(static_cast<RsrcType>(reinterpret_cast<ULONG_PTR>(type)),
                static_cast<RsrcID>(reinterpret_cast<ULONG_PTR>(name)),
                Bytes(bytes, bytes + SizeofResource(module, info)));
    return TRUE;
}

BOOL CALLBACK AddType(HMODULE module, LPWSTR type, LONG_PTR param) {
    if (!IS_INTRESOURCE(type))
        return TRUE;
    EnumResourceNamesW(module, type, AddResource, param);
    return !reinterpret_cast<Enumeration*>(param)->failed;
}

} // namespace

std::optional<ResourceSet> ResourceSet::FromModuleFile(const std::string& path,
                                                       std::string* error) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<std::size_t>(length) : 1, L'\0');
    if (length <= 0 ||
        MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), length) != length) {
        Fail(error, "bad file name");
        return std::nullopt;
    }
    HMODULE module = LoadLibraryExW(wide.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        Fail(error, "cannot open file");
        return std::nullopt;
    }
    ResourceSet set;
    Enumeration e{module, &set, false};
    EnumResourceTypesW(module, AddType, reinterpret_cast<LONG_PTR>(&e));
    FreeLibrary(module);
    if (e.failed) {
        Fail(error, "unreadable resource");
        return std::nullopt;
    }
    if (set.fResources.empty()) {
        Fail(error, "no resource section");
        return std::nullopt;
    }
    return set;
}

#endif // _WIN32

} // namespace host
